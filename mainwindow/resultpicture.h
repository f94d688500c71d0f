// A result picture of the main window: the text canvas the panel drawers draw
// on. It keeps everything drawn since the last Cls as a display list and
// paints it again whenever the widget needs repainting, so a panel stays
// visible until the next calculation clears it.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>
#include <string_view>
#include <vector>

#include "engine/view.h"

namespace zod {

class ResultPicture : public QWidget, public PanelSurface {
  Q_OBJECT
 public:
  struct Item {
    double x, y;  // surface units: the left and top edge of the text
    bool bold, underline;
    QColor color;
    QString text;
  };

  explicit ResultPicture(QWidget* parent = nullptr);

  // Character scale: one unit across is 1/12 inch, one unit down 1/6 inch.
  void setDpi(double dpi);
  double unitX() const { return m_unitX; }
  double unitY() const { return m_unitY; }

  // After a calculation that stopped, what the picture holds belongs to
  // earlier inputs: it is painted greyed, under a note that there is no
  // result, until a run finishes.
  void setStale(bool stale);
  bool stale() const { return m_stale; }
  static const QString kNoResult;

  const std::vector<Item>& items() const { return m_items; }
  // All text drawn on the row that starts at y (within a tenth of a row).
  QString rowText(double y) const;
  int paintCount() const { return m_paints; }

  // PanelSurface
  void Cls() override;
  void SetBold(bool on) override { m_bold = on; }
  void SetUnderline(bool on) override { m_underline = on; }
  void SetForeColor(int r, int g, int b) override { m_color = QColor(r, g, b); }
  double TextWidth(std::string_view text) override;
  void Print(std::string_view text) override;
  void PrintLine(std::string_view text) override;

 protected:
  void paintEvent(QPaintEvent*) override;
  void changeEvent(QEvent*) override;

 private:
  QFont fontFor(bool bold, bool underline) const;

  std::vector<Item> m_items;
  bool m_bold = false, m_underline = false;
  QColor m_color = Qt::black;
  double m_unitX = 8, m_unitY = 16;
  int m_paints = 0;
  bool m_stale = false;
};

}  // namespace zod
