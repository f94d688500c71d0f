#include "report/printersurface.h"

#include <QFontMetricsF>
#include <QPrinter>

#include "engine/checked.h"
#include "gui/qtext.h"

namespace zod {
namespace {

constexpr double kTwipsPerInch = 1440;
// A line of draw width 1: thin, yet visible on any printer.
constexpr double kPointsPerDrawWidth = 0.25;

}  // namespace

PrinterSurface::PrinterSurface(QPrinter& printer, PicturePainter pictures, Copies copies)
    : m_printer(printer), m_pictures(std::move(pictures)), m_copies(copies) {
  m_font.setHintingPreference(QFont::PreferNoHinting);
  SetScaleMode(1);
}

PrinterSurface::~PrinterSurface() {
  if (m_painter.isActive()) Abandon();
}

void PrinterSurface::Abandon() {
  if (!m_painter.isActive()) return;
  m_printer.abort();
  m_painter.end();
}

QPainter& PrinterSurface::Painter() {
  if (m_painter.isActive()) {
    if (m_pageEnded && !m_printer.newPage()) throw Error("the printer cannot begin a new page");
    m_pageEnded = false;
    return m_painter;
  }
  if (!m_painter.begin(&m_printer)) {
    const std::string file = FileShown();
    if (!file.empty()) throw Error("the file " + file + " cannot be written");
    const QString name = m_printer.printerName();
    throw Error(name.isEmpty() ? std::string("no printer is available")
                               : "the printer " + fromQ(name) + " cannot be opened");
  }
  m_painter.setRenderHint(QPainter::Antialiasing);
  m_painter.setRenderHint(QPainter::TextAntialiasing);
  return m_painter;
}

double PrinterSurface::PaperWidth() { return m_printer.paperRect(QPrinter::Point).width() * 20; }
double PrinterSurface::PaperHeight() { return m_printer.paperRect(QPrinter::Point).height() * 20; }

void PrinterSurface::SetScaleMode(int) {
  m_unitX = m_printer.resolution() / kTwipsPerInch;
  m_unitY = m_unitX;
  m_left = m_top = 0;
}

void PrinterSurface::SetScale(double x1, double y1, double x2, double y2) {
  const QRectF page = m_printer.pageRect(QPrinter::DevicePixel);
  m_unitX = chk::div(page.width(), x2 - x1);
  m_unitY = chk::div(page.height(), y2 - y1);
  m_left = x1;
  m_top = y1;
}

void PrinterSurface::SetFontName(std::string_view name) { m_font.setFamily(toQ(name)); }
void PrinterSurface::SetFontSize(double points) { m_font.setPointSizeF(points); }

double PrinterSurface::TextHeight(std::string_view) {
  return QFontMetricsF(m_font, &m_printer).height() / m_unitY;
}

double PrinterSurface::TextWidth(std::string_view text) {
  return QFontMetricsF(m_font, &m_printer).horizontalAdvance(toQ(text)) / m_unitX;
}

void PrinterSurface::Print(std::string_view text) {
  const QString t = toQ(text);
  const QFontMetricsF fm(m_font, &m_printer);
  if (!t.isEmpty()) {
    QPainter& p = Painter();
    p.setFont(m_font);
    p.setPen(m_color);
    p.drawText(Device(m_x, m_y) + QPointF(0, fm.ascent()), t);
  }
  m_x += fm.horizontalAdvance(t) / m_unitX;
}

void PrinterSurface::PrintLine(std::string_view text) {
  Print(text);
  m_x = m_left;
  m_y += TextHeight(text);
}

QPen PrinterSurface::LinePen() const {
  QPen pen(m_color, m_drawWidth * kPointsPerDrawWidth * m_printer.resolution() / 72.0);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

void PrinterSurface::Line(double x1, double y1, double x2, double y2) {
  QPainter& p = Painter();
  p.setPen(LinePen());
  p.drawLine(Device(x1, y1), Device(x2, y2));
}

void PrinterSurface::Box(double x, double y, double dx, double dy) {
  QPainter& p = Painter();
  p.setPen(LinePen());
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(Device(x, y), Device(x + dx, y + dy)).normalized());
}

void PrinterSurface::PaintPicture(const ReportPicture& picture, double x, double y, double width,
                                  double height) {
  QPainter& p = Painter();
  p.save();
  m_pictures(p, QRectF(Device(x, y), Device(x + width, y + height)), picture);
  p.restore();
}

void PrinterSurface::End() {
  m_pageEnded = false;
  const bool ended = m_painter.end();
  if (ended && m_printer.printerState() != QPrinter::Error) return;
  const std::string file = FileShown();
  throw Error(file.empty() ? std::string("the printer reported an error")
                           : "the file " + file + " could not be written");
}

std::string PrinterSurface::FileShown() const {
  return m_file.empty() ? fromQ(m_printer.outputFileName()) : m_file;
}

void PrinterSurface::EndDoc() {
  if (!m_painter.isActive()) return;
  if (m_copies == Copies::Pages)
    m_pageEnded = true;
  else
    End();
}

void PrinterSurface::Finish() {
  if (m_painter.isActive()) End();
}

}  // namespace zod
