#include "mainwindow/veltrane.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <exception>

#include "engine/calc.h"
#include "engine/format.h"
#include "engine/tables.h"
#include "gui/core/readnum.h"
#include "gui/core/safesave.h"
#include "gui/filedialog.h"
#include "gui/messenger.h"
#include "gui/qtext.h"
#include "gui/textguard.h"
#include "mainwindow/profileicons.h"
#include "mainwindow/resultpicture.h"
#include "profiles/profiledialogs.h"
#include "report/printcommand.h"

namespace zod {

namespace {

// Design sizes, in pixels of a 96 dots-per-inch screen, of the parts the
// start-up layout does not compute.
constexpr double kFr20Width = 250, kFr20Height = 440;
constexpr double kFr110Width = 345;
constexpr double kPic20Width = 230, kPic20Height = 400;
constexpr double kRow = 20;  // height of a box or a one-line label

}  // namespace

Veltrane::Veltrane(State& z, Messenger& messenger, QWidget* parent)
    : Veltrane(z, messenger, Options{}, parent) {}

Veltrane::Veltrane(State& z, Messenger& messenger, const Options& options, QWidget* parent)
    : QMainWindow(parent), m_z(z), m_messenger(messenger), m_options(options) {
  setObjectName("veltrane");
  double dpi = m_options.dpi > 0 ? m_options.dpi : screen()->logicalDotsPerInchX();
  m_options.dpi = dpi;
  m_scale = dpi / 96.0;
  QFont f(QStringLiteral("Arial"));
  f.setPointSizeF(8);
  setFont(f);
  BuildControls();
  ConnectChoices();
  InstallWindows();
  m_z.setView(this);
}

Veltrane::~Veltrane() {
  // the state outlives the window; the engine must not reach a dead view
  m_z.setView(nullptr);
}

int Veltrane::px(double v) const { return qRound(v * m_scale); }

void Veltrane::place(QWidget* w, double x, double y, double width, double height) {
  w->setGeometry(px(x), px(y), px(width), px(height));
}

template <class T>
T* Veltrane::add(T* w, const char* name, bool rightClick) {
  w->setObjectName(QString::fromLatin1(name));
  m_controls.insert(w->objectName(), w);
  if (rightClick) m_rightClick.insert(w);
  w->installEventFilter(this);
  return w;
}

QGroupBox* Veltrane::frame(QWidget* parent, const char* name, const QString& caption, bool rightClick) {
  return add(new QGroupBox(caption, parent), name, rightClick);
}

QLabel* Veltrane::label(QWidget* parent, const char* name, const QString& text, double x, double y, double w,
                        bool rightClick, Qt::Alignment align) {
  QLabel* l = add(new QLabel(text, parent), name, rightClick);
  l->setAlignment(align);
  place(l, x, y, w, kRow);
  return l;
}

QLineEdit* Veltrane::input(QWidget* parent, int id, double x, double y, double w) {
  const InputBox& def = BoxDef(id);
  // the boxes of the column data (but its length) and iufb have no right-click
  const bool rightClick =
      !(id == box::ik1 || id == box::ik2 || id == box::inn || id == box::ip || id == box::im1a ||
        id == box::im1b || id == box::im2a || id == box::im2b || id == box::iufb);
  QLineEdit* e = add(new QLineEdit(parent), def.name, rightClick);
  place(e, x, y, w, kRow);
  e->setAutoFillBackground(true);
  setBoxColour(e, false);
  m_box[id] = e;
  m_boxOf.insert(e, id);
  if (id == box::iproj || id == box::iident)
    GuardFileText(e, id == box::iproj ? "project name" : "identification",
                  [this](const QString& t) { message(t); });
  return e;
}

void Veltrane::BuildControls() {
  auto* form = new QWidget(this);
  add(form, "Form", true);
  setCentralWidget(form);

  // ---- fr10: every input frame
  m_fr10 = frame(form, "fr10", QString());

  m_fr110 = frame(m_fr10, "fr110", "General");
  place(m_fr110, 8, 8, kFr110Width, 72);
  label(m_fr110, "Label2", "Project name:", 8, 18, 80, true);
  input(m_fr110, box::iproj, 90, 18, 140);
  label(m_fr110, "Label3", "Identification:", 8, 44, 80, true);
  input(m_fr110, box::iident, 90, 44, 140);
  m_cmdDatabase = add(new QPushButton("Add  to Database", m_fr110), "cmdDatabase", false);
  place(m_cmdDatabase, 240, 18, 97, 46);
  // A click must not take the focus: the box it would take it from is
  // committed by the command itself, and a message box raised while the
  // mouse button is down would swallow the release, so the command would not
  // run. Tab still reaches the button.
  m_cmdDatabase->setFocusPolicy(Qt::TabFocus);

  m_fr111 = frame(m_fr10, "fr111", "Cylinder type and Controls");
  place(m_fr111, 8, 82, kFr110Width, 176);
  const char* const types[] = {"Cylinder ", "Ring stiffened ", "Stringer stiffened ", "Column buckling"};
  for (int k = 0; k < 4; ++k) {
    QByteArray name = "cylinder" + QByteArray::number(k);
    m_cylinder[k] = add(new QRadioButton(types[k], m_fr111), name.constData(), k != 3);
    place(m_cylinder[k], 8, 18 + 20 * k, 150, kRow);
  }
  m_outsideCh = add(new QCheckBox("Outside stiffening", m_fr111), "Outside_ch", true);
  place(m_outsideCh, 170, 18, 165, kRow);
  m_ringCh = add(new QCheckBox("Ringframe control", m_fr111), "ring_ch", true);
  place(m_ringCh, 170, 38, 165, kRow);
  m_hringCh = add(new QCheckBox("Heavy Ringframe control", m_fr111), "hring_ch", false);
  place(m_hringCh, 170, 58, 165, kRow);

  m_fr1111 = frame(m_fr111, "fr1111", "LRFD/WSD");
  place(m_fr1111, 8, 102, kFr110Width - 16, 66);
  m_optLrfd = add(new QRadioButton("LRFD", m_fr1111), "opt_lrfd", true);
  m_optLrfd->setToolTip(" UFpermissible = 1.0 ");
  place(m_optLrfd, 8, 18, 58, kRow);
  m_optWsd = add(new QRadioButton("WSD", m_fr1111), "opt_wsd", true);
  place(m_optWsd, 8, 40, 58, kRow);
  const QPixmap glasses = GlassesPicture(px(30), devicePixelRatioF());
  for (QPushButton** b : {&m_cmdLrfd, &m_cmdWsd}) {
    *b = add(new QPushButton(m_fr1111), b == &m_cmdLrfd ? "cmd_lrfd" : "cmd_wsd", true);
    (*b)->setIcon(QIcon(glasses));
    (*b)->setIconSize(QSize(px(30), px(30)));
    place(*b, 70, 24, 34, 34);
  }
  m_textUfb = label(m_fr1111, "text_ufb", "Allowable Usage Factor UF =", 110, 30, 152, false,
                    Qt::AlignRight | Qt::AlignVCenter);
  input(m_fr1111, box::iufb, 266, 30, 50);

  m_fr112 = frame(m_fr10, "fr112", "Geometry/Plate material (mm, MPa)");
  place(m_fr112, 8, 260, kFr110Width, 156);
  struct Row {
    int id;
    const char *symName, *sym, *descName, *desc;
  };
  const Row geometry[] = {{box::icylr, "Label4", "r =", "Label5", "Cylinder radius (cL plate)"},
                          {box::il, "Label7", "l =", "Label8", "Distance between ring frames"},
                          {box::it, "Label9", "t =", "Label10", "Cylinder wall thickness"},
                          {box::ie, "Label11", "E =", "Label12", "Youngs modulus"}};
  for (int i = 0; i < 4; ++i) {
    const Row& r = geometry[i];
    label(m_fr112, r.descName, r.desc, 8, 18 + 24 * i, 170, true);
    label(m_fr112, r.symName, r.sym, 180, 18 + 24 * i, 34, true, Qt::AlignRight | Qt::AlignVCenter);
    input(m_fr112, r.id, 218, 18 + 24 * i, 70);
  }
  m_cbofyp = add(new QComboBox(m_fr112), "cbofyp", false);
  place(m_cbofyp, 8, 120, 176, 22);
  label(m_fr112, "Label13", "fyp:", 180, 121, 34, true, Qt::AlignRight | Qt::AlignVCenter);
  input(m_fr112, box::ifyp, 218, 121, 70);

  // the right column: stiffener, ring frame, loading; the column data in their place
  const double rightWidth = 357;
  m_fr120 = frame(m_fr10, "fr120", "Stiffener data  (mm)");
  place(m_fr120, 363, 8, rightWidth, 126);
  label(m_fr120, "Label15", "Stiff spacing: ", 8, 18, 140, true);
  label(m_fr120, "Label14", "s =", 150, 18, 30, true, Qt::AlignRight | Qt::AlignVCenter);
  input(m_fr120, box::is1, 184, 18, 70);
  label(m_fr120, "Label17", "Lat tors buckl length:", 8, 42, 140, true);
  label(m_fr120, "Label16", "lt =", 150, 42, 30, true, Qt::AlignRight | Qt::AlignVCenter);
  input(m_fr120, box::ilt, 184, 42, 70);
  m_cmdpicStiff = add(new QPushButton(m_fr120), "cmdpic_stiff", true);
  place(m_cmdpicStiff, 302, 20, 44, 44);
  m_cmdpicStiff->setIconSize(QSize(px(36), px(36)));
  m_cbostiff = add(new QComboBox(m_fr120), "cbostiff", false);
  m_cbostiff->setEditable(true);
  m_cbostiff->setInsertPolicy(QComboBox::NoInsert);
  m_cbostiff->setCompleter(nullptr);
  place(m_cbostiff, 8, 70, 130, 22);
  m_stiffprof = label(m_fr120, "stiffprof", QString(), 146, 71, 200, true);
  m_cbofys = add(new QComboBox(m_fr120), "cbofys", false);
  place(m_cbofys, 8, 97, 176, 22);
  label(m_fr120, "Label18", "fys:", 180, 98, 34, true, Qt::AlignRight | Qt::AlignVCenter);
  input(m_fr120, box::ifys, 218, 98, 70);

  m_fr121 = frame(m_fr10, "fr121", "Ringframe data (mm)");
  place(m_fr121, 363, 134, rightWidth, 150);
  label(m_fr121, "Label20", "Cylinder length:", 8, 18, 140, true);
  label(m_fr121, "Label19", "L =", 150, 18, 30, true, Qt::AlignRight | Qt::AlignVCenter);
  input(m_fr121, box::icyll, 184, 18, 70);
  m_picture = add(new QPushButton(m_fr121), "Picture", true);
  m_picture->setIcon(QIcon(glasses));
  m_picture->setIconSize(QSize(px(30), px(30)));
  place(m_picture, 260, 20, 34, 34);
  label(m_fr121, "Label23", "Lat tors buckl length:", 8, 42, 140, true);
  label(m_fr121, "Label21", "lt =", 150, 42, 30, true, Qt::AlignRight | Qt::AlignVCenter);
  input(m_fr121, box::igilt, 184, 42, 70);
  m_cmdpicGird = add(new QPushButton(m_fr121), "cmdpic_gird", true);
  place(m_cmdpicGird, 302, 20, 44, 44);
  m_cmdpicGird->setIconSize(QSize(px(36), px(36)));
  m_cboring = add(new QComboBox(m_fr121), "cboring", false);
  m_cboring->setEditable(true);
  m_cboring->setInsertPolicy(QComboBox::NoInsert);
  m_cboring->setCompleter(nullptr);
  place(m_cboring, 8, 70, 130, 22);
  m_ringprof = label(m_fr121, "ringprof", QString(), 146, 71, 200, true);
  m_cbofyg = add(new QComboBox(m_fr121), "cbofyg", false);
  place(m_cbofyg, 8, 97, 176, 22);
  label(m_fr121, "Label24", "fyr:", 180, 98, 34, true, Qt::AlignRight | Qt::AlignVCenter);
  input(m_fr121, box::ifyg, 218, 98, 70);
  m_ringfab0 = add(new QRadioButton("Fabricated ring frame", m_fr121), "ringfab0", true);
  m_ringfab0->setToolTip(" Welded profile ");
  place(m_ringfab0, 8, 124, 160, kRow);
  m_ringfab1 = add(new QRadioButton("Cold-formed ring frame", m_fr121), "ringfab1", true);
  place(m_ringfab1, 172, 124, 175, kRow);

  m_fr123 = frame(m_fr10, "fr123", "Loading (MPa)");
  place(m_fr123, 363, 284, rightWidth, 132);
  label(m_fr123, "Label25", "Sigx =", 8, 18, 44, true, Qt::AlignRight | Qt::AlignVCenter);
  input(m_fr123, box::isigx, 56, 18, 70);
  label(m_fr123, "Label26", "Sigy=", 134, 18, 44, true, Qt::AlignRight | Qt::AlignVCenter);
  input(m_fr123, box::isigy, 182, 18, 70);
  label(m_fr123, "Label27", "Tau =", 8, 44, 44, true, Qt::AlignRight | Qt::AlignVCenter);
  input(m_fr123, box::itau, 56, 44, 70);
  label(m_fr123, "Label29", "pd =", 134, 44, 44, true, Qt::AlignRight | Qt::AlignVCenter);
  input(m_fr123, box::ipp, 182, 44, 70);
  m_command3 = add(new QPushButton("+/-", m_fr123), "Command3", false);
  place(m_command3, 258, 43, 36, 22);
  m_txt1 = add(new QLabel(m_fr123), "txt1", false);
  place(m_txt1, 8, 74, 340, 36);

  m_fr124 = frame(m_fr10, "fr124", "Column data", false);
  place(m_fr124, 363, 8, rightWidth, 222);
  m_fr124->hide();
  label(m_fr124, "Label84", "Column length L =", 8, 18, 150, true, Qt::AlignRight | Qt::AlignVCenter);
  input(m_fr124, box::icolL, 164, 18, 70);
  struct Pair {
    int id;
    const char *name, *text;
  };
  const Pair column[] = {{box::ik1, "Label30", "Buckling length factor  k1 ="},
                         {box::ik2, "Label31", "k2 ="},
                         {box::inn, "Label32", "N ="},
                         {box::ip, "Label33", "pd ="},
                         {box::im1a, "Label34", "M1a="},
                         {box::im1b, "Label35", "M1b ="},
                         {box::im2a, "Label36", "M2a ="},
                         {box::im2b, "Label37", "M2b ="}};
  for (int i = 0; i < 8; ++i) {
    const Pair& c = column[i];
    const double y = 42 + 24 * (i / 2);
    if (i % 2 == 0) {
      label(m_fr124, c.name, c.text, 8, y, 152, false, Qt::AlignRight | Qt::AlignVCenter);
      input(m_fr124, c.id, 164, y, 70);
    } else {
      label(m_fr124, c.name, c.text, 236, y, 40, false, Qt::AlignRight | Qt::AlignVCenter);
      input(m_fr124, c.id, 280, y, 70);
    }
  }
  m_fr12 = frame(m_fr124, "fr12", "Dimensioning moments  for buckling", false);
  place(m_fr12, 8, 142, rightWidth - 16, 70);
  m_odmom1 = add(new QRadioButton("Maximum along the member", m_fr12), "odmom1", false);
  place(m_odmom1, 8, 18, 300, kRow);
  m_odmom2 = add(new QRadioButton("Reduced value", m_fr12), "odmom2", false);
  m_odmom2->setToolTip(" Ref Norsok N-004, Table 6-2, Note 1 ");
  place(m_odmom2, 8, 40, 300, kRow);

  // ---- fr20: the cylinder sketch
  m_fr20 = frame(form, "fr20", "Cylinder");
  m_fr20->resize(px(kFr20Width), px(kFr20Height));
  m_fr10->resize(px(733), px(kFr20Height));
  m_pic20 = add(new QLabel(m_fr20), "pic20", true);
  m_pic20->resize(px(kPic20Width), px(kPic20Height));

  // ---- the result frames
  m_fr30 = frame(form, "fr30", "Results Shell Buckling");
  m_fr31 = frame(form, "fr31", "Results Stiffener Buckling");
  m_fr32 = frame(form, "fr32", "Results Panel Ring Buckling");
  m_pic30 = add(new ResultPicture(m_fr30), "pic30", true);
  m_pic31 = add(new ResultPicture(m_fr31), "pic31", true);
  m_pic32 = add(new ResultPicture(m_fr32), "pic32", true);
  for (ResultPicture* p : {m_pic30, m_pic31, m_pic32}) p->setDpi(m_options.dpi);
  m_checkIh = add(new QCheckBox("Special Calc. of Ih (ref ch 3.5.2.7)", m_fr32), "check_ih", false);
  m_checkIh->setToolTip(" If the cylinder is effectively supported at the ends, see also definition of L ");
  m_checkIh->hide();

  // The design state, which the first refresh starts from: the default
  // case's choices, LRFD's picture button.
  m_cylinder[2]->setChecked(true);
  m_ringCh->setChecked(true);
  m_optLrfd->setChecked(true);
  m_odmom1->setChecked(true);
  m_ringfab0->setChecked(true);
  m_cmdWsd->hide();

  // Until the windows they open exist.
  for (QWidget* w : {static_cast<QWidget*>(m_cbostiff), static_cast<QWidget*>(m_cboring),
                     static_cast<QWidget*>(m_cmdpicStiff), static_cast<QWidget*>(m_cmdpicGird),
                     static_cast<QWidget*>(m_cmdWsd), static_cast<QWidget*>(m_picture),
                     static_cast<QWidget*>(m_cmdDatabase)})
    w->setEnabled(false);
  // Typed text in a kind list chooses nothing: only a pick from the list
  // does. The combo box would take a typed entry's name as a choice when
  // the text is left or entered.
  for (QComboBox* c : {m_cbostiff, m_cboring}) {
    QObject::disconnect(c->lineEdit(), SIGNAL(editingFinished()), c, nullptr);
    QObject::disconnect(c->lineEdit(), SIGNAL(returnPressed()), c, nullptr);
  }
  for (QComboBox* c : {m_cbofyp, m_cbofys, m_cbofyg, m_cbostiff, m_cboring}) {
    m_comboOf.insert(c, c);
    if (c->lineEdit()) {
      m_comboOf.insert(c->lineEdit(), c);
      c->lineEdit()->installEventFilter(this);
    }
  }
}

void Veltrane::SizeWindow() {
  if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) return;
  const double k = m_z.dpix / 96.0;
  const int w = qRound(k * 1024), h = qRound(k * 768);
  resize(w, h);
  const QRect sg = screen()->geometry();
  move(sg.x() + (sg.width() - w) / 2, sg.y() + (sg.height() - h) / 2);
}

// The frame layout by fractions of the window, computed once at start-up;
// the window has no resize handling.
void Veltrane::LayoutFrames() {
  const double W = width(), H = height(), margin = 0.01;
  auto setX = [](QWidget* w, double x) { w->move(qRound(x), w->y()); };
  auto setY = [](QWidget* w, double y) { w->move(w->x(), qRound(y)); };
  auto setW = [](QWidget* w, double v) { w->resize(qRound(v), w->height()); };
  auto setH = [](QWidget* w, double v) { w->resize(w->width(), qRound(v)); };

  setX(m_fr20, W - m_fr20->width() - 2 * margin * W);
  setY(m_fr20, 0);
  setW(m_fr10, W - m_fr20->width() - 4 * margin * W);
  setX(m_fr10, margin * W);
  setY(m_fr10, 0);
  setH(m_fr10, m_fr20->height());
  setW(m_fr111, m_fr110->width());
  setW(m_fr112, m_fr110->width());
  setX(m_fr120, m_fr110->x() + m_fr110->width() + 0.01 * W);
  setW(m_fr120, m_fr10->width() - m_fr110->width() - 0.03 * W);
  setY(m_fr120, m_fr110->y());
  m_fr121->setGeometry(m_fr120->x(), m_fr121->y(), m_fr120->width(), m_fr121->height());
  setY(m_fr121, m_fr120->y() + m_fr120->height());
  m_fr123->setGeometry(m_fr120->x(), m_fr123->y(), m_fr120->width(), m_fr123->height());
  setW(m_fr124, m_fr120->width());
  setY(m_fr123, m_fr120->y() + m_fr120->height() + m_fr121->height());
  setH(m_fr123, m_fr10->height() - m_fr120->height() - m_fr121->height() - 0.03 * H);
  setX(m_pic20, (m_fr20->width() - m_pic20->width()) / 2.0);
  setY(m_pic20, (m_fr20->height() - m_pic20->height()) * 0.7);

  setX(m_fr30, m_fr10->x());
  setW(m_fr30, 0.3 * W);
  setH(m_fr30, H - m_fr20->height() - 0.07 * H);
  setY(m_fr30, m_fr10->height());
  setH(m_pic30, 0.92 * m_fr30->height());
  setW(m_pic30, 0.97 * m_fr30->width());
  setX(m_pic30, (m_fr30->width() - m_pic30->width()) / 2.0);
  setY(m_pic30, (m_fr30->height() - m_pic30->height()) * 0.8);

  setW(m_fr31, (W - m_fr30->width() - 0.04 * W) / 2);
  setX(m_fr31, 0.015 * W + m_fr30->width());
  m_fr31->setGeometry(m_fr31->x(), m_fr30->y(), m_fr31->width(), m_fr30->height());
  setH(m_pic31, m_pic30->height());
  setW(m_pic31, 0.97 * m_fr31->width());
  setX(m_pic31, (m_fr31->width() - m_pic31->width()) / 2.0);
  setY(m_pic31, m_pic30->y());

  setW(m_fr32, W - m_fr30->width() - m_fr31->width() - 0.04 * W);
  setX(m_fr32, m_fr30->width() + m_fr31->width() + 0.02 * W);
  m_fr32->setGeometry(m_fr32->x(), m_fr30->y(), m_fr32->width(), m_fr30->height());
  setH(m_pic32, m_pic30->height());
  setW(m_pic32, 0.97 * m_fr32->width());
  setX(m_pic32, (m_fr32->width() - m_pic32->width()) / 2.0);
  setY(m_pic32, m_pic30->y());

  // The Ih check box sits in the ring picture's lower part, below the
  // panel's last line.
  m_checkIh->setGeometry(m_pic32->x() + px(6), m_pic32->y() + m_pic32->height() - px(26),
                         m_pic32->width() - px(12), px(kRow));
  m_checkIh->raise();
}

bool Veltrane::FormLoad(const QString& apppath) {
  LetWritesFailAtTheFileSizeLimit();
  QString folder = apppath;
  while (folder.size() > 1 && (folder.endsWith('/') || folder.endsWith('\\'))) folder.chop(1);
  m_z.apppath = fromQ(folder);
  m_z.lastdir = m_z.apppath;

  // How the system writes one and one tenth decides how typed numbers read.
  m_z.commadec = DecSepFlag(fromQ(m_options.locale.toString(1.1, 'f', 1)));
  const QString point = m_options.locale.decimalPoint();
  if (point == "." || point == ",")
    m_z.decsep = point[0].toLatin1();
  else
    m_z.decsep = m_z.commadec == 0 ? '.' : ',';

  m_z.dpix = m_options.dpi;
  SizeWindow();
  LayoutFrames();
  GetRecentFiles();

  SetDefaults(m_z);
  try {
    ReadTables(m_z);
  } catch (const std::exception& e) {
    // Without its five tables the program cannot run. The loaders' message
    // names the file and the row.
    QString text = toQ(e.what());
    if (!text.startsWith(QLatin1String("Error in databasefile"))) text.prepend("Error in databasefile\n");
    m_messenger.plain(text, this);
    return false;
  }
  ConnectHelp();
  WriteCaption();
  // the box entered for the user once the first calculation has run
  Busy busy(*this);
  try {
    RefreshPlaced();
    calculate();
  } catch (const std::exception&) {
    m_messenger.plain(QStringLiteral("Error in databasefile"), this);
  }
  WriteCaption();
  return true;
}

void Veltrane::WriteCaption() { setWindowTitle(QStringLiteral("Zidavoru ZOD: ") + toQ(m_z.filename)); }

void Veltrane::calculate(QWidget* owner) {
  if (m_placing > 0) return;
  const QPointer<QWidget> outer = m_calcOwner;
  m_calcOwner = owner;
  Calculate(m_z);
  m_calcOwner = outer;
  // A member whose section this run did not reach (it stopped before, or the
  // case's type does not check that member) has not been shown: after a
  // profile dialog's change with t = 0, say, its yield strength, designation
  // and picture would still be those of the profile before.
  for (const Member m : {Member::Stiffener, Member::RingFrame}) {
    const bool stiff = m == Member::Stiffener;
    if (stiff ? m_z.stiffdone : m_z.girddone) continue;
    const double& fy = stiff ? m_z.fys : m_z.fyg;
    const double before = fy;
    GetFyOfCase(m_z, m);
    if (fy != before) m_box[stiff ? box::ifys : box::ifyg]->setText(display(fy, "#000"));
  }
  ShowProfiles();
}

// What the window shows of the members comes from the case, not from their
// section records: those are the last run's, and a run that stops before a
// member's section leaves its record holding another case's profile.
void Veltrane::ShowProfiles() {
  for (const Member m : {Member::Stiffener, Member::RingFrame}) {
    const bool stiff = m == Member::Stiffener;
    const CaseProfile p = ProfileOfCase(m_z, m);
    (stiff ? m_stiffprof : m_ringprof)->setText(toQ(p.name));
    SetPicture(stiff ? "cmdpic_stiff" : "cmdpic_gird", p.icon);
  }
}

void Veltrane::message(const QString& text, QWidget* owner) {
  Busy busy(*this);
  m_messenger.exclamation(text, owner ? owner : this);
}

QString Veltrane::display(double v, const char* pattern) const { return toQ(Format(v, pattern, m_z.decsep)); }

void Veltrane::closeEvent(QCloseEvent* event) {
  event->accept();
  emit unloaded();
}

// ---- windows of other parts

void Veltrane::setOpener(Opener which, std::function<void()> open) {
  const bool on = static_cast<bool>(open);
  m_openers[static_cast<int>(which)] = std::move(open);
  switch (which) {
    case Opener::StiffForm:
      m_cbostiff->setEnabled(on);
      m_cmdpicStiff->setEnabled(on);
      break;
    case Opener::GirdForm:
      m_cboring->setEnabled(on);
      m_cmdpicGird->setEnabled(on);
      break;
    case Opener::InfoUF:
      m_cmdWsd->setEnabled(on);
      break;
    case Opener::InfoVeltrane:
      m_picture->setEnabled(on);
      break;
    case Opener::AddToDatabase:
      m_cmdDatabase->setEnabled(on);
      break;
  }
}

bool Veltrane::hasOpener(Opener which) const { return static_cast<bool>(m_openers[static_cast<int>(which)]); }

void Veltrane::showStiffForm() {
  if (auto& f = m_openers[static_cast<int>(Opener::StiffForm)]) f();
}
void Veltrane::showGirdForm() {
  if (auto& f = m_openers[static_cast<int>(Opener::GirdForm)]) f();
}
void Veltrane::showInfoUF() {
  if (auto& f = m_openers[static_cast<int>(Opener::InfoUF)]) f();
}
void Veltrane::showInfoVeltrane() {
  if (auto& f = m_openers[static_cast<int>(Opener::InfoVeltrane)]) f();
}
void Veltrane::addToDatabase() {
  if (!CommitEdit()) return;
  if (auto& f = m_openers[static_cast<int>(Opener::AddToDatabase)]) f();
}

// ---- the engine's view

void Veltrane::SetText(std::string_view control, const std::string& text) {
  if (auto* e = qobject_cast<QLineEdit*>(named(toQ(control)))) e->setText(toQ(text));
}

void Veltrane::SetCaption(std::string_view control, const std::string& text) {
  QWidget* w = named(toQ(control));
  if (auto* l = qobject_cast<QLabel*>(w))
    l->setText(toQ(text));
  else if (auto* g = qobject_cast<QGroupBox*>(w))
    g->setTitle(toQ(text));
}

void Veltrane::SetPicture(std::string_view control, const std::string& icon) {
  auto* b = qobject_cast<QPushButton*>(named(toQ(control)));
  if (!b) return;
  const QString name = toQ(icon);
  if (b->property("iconName").toString() == name) return;
  b->setProperty("iconName", name);
  b->setIcon(QIcon(ProfileIcon(name, b->iconSize().width(), devicePixelRatioF())));
}

void Veltrane::SetFocus(std::string_view control) {
  QWidget* w = named(toQ(control));
  if (!w) return;
  if (m_handling > 0) {
    m_pendingFocus = w;
  } else {
    // Outside the window's own handlers (a dialog's recalculation, say) the
    // focus moves once the engine has finished, so the box that loses it
    // never commits in the middle of a calculation.
    QPointer<QWidget> target = w;
    QMetaObject::invokeMethod(
        this,
        [target] {
          if (target) target->setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
  }
}

void Veltrane::SetVisible(std::string_view control, bool visible) {
  if (QWidget* w = named(toQ(control))) w->setVisible(visible);
}

PanelSurface* Veltrane::Surface(std::string_view control) {
  if (control == "pic30") return m_pic30;
  if (control == "pic31") return m_pic31;
  if (control == "pic32") return m_pic32;
  return nullptr;
}

void Veltrane::ResultsFinished(bool finished) {
  for (ResultPicture* p : {m_pic30, m_pic31, m_pic32}) p->setStale(!finished);
}

// The calculation's messages belong to the window whose change set it off.
void Veltrane::Message(const std::string& text) { message(toQ(text), m_calcOwner); }

}  // namespace zod
