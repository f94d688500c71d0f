// The printing surface on a QPainter over a QPrinter: the report's scales,
// fonts, texts, lines and pictures on one page of the chosen printer (or
// PDF file). A document is begun by the first thing drawn. On a printer
// every EndDoc sends it, so each is one print job; into a file the pages of
// all copies make one document, which Finish ends.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <functional>
#include <string>

#include "report/core/printsurface.h"

class QPrinter;

namespace zod {

class PrinterSurface : public PrintSurface {
 public:
  // Paints a picture into a rectangle of the page's device coordinates.
  using PicturePainter = std::function<void(QPainter&, const QRectF&, const ReportPicture&)>;

  // What EndDoc ends: a job of its own, or a page of the one document.
  enum class Copies { Jobs, Pages };

  PrinterSurface(QPrinter& printer, PicturePainter pictures, Copies copies = Copies::Jobs);
  ~PrinterSurface() override;
  PrinterSurface(const PrinterSurface&) = delete;
  PrinterSurface& operator=(const PrinterSurface&) = delete;

  // After a failure: a page begun is dropped where the printer allows it,
  // and never sent as if it were complete.
  void Abandon();
  // Ends the document of Copies::Pages; throws zod::Error when the printer
  // reports a failure.
  void Finish();
  // The file messages name, where the printer writes to a stand-in for it.
  void ReportFileAs(std::string file) { m_file = std::move(file); }

  double PaperWidth() override;
  double PaperHeight() override;
  void SetScaleMode(int mode) override;
  void SetScale(double x1, double y1, double x2, double y2) override;
  void SetDrawWidth(int width) override { m_drawWidth = width; }
  void SetFontName(std::string_view name) override;
  void SetFontSize(double points) override;
  void SetItalic(bool on) override { m_font.setItalic(on); }
  double TextHeight(std::string_view text) override;
  void Line(double x1, double y1, double x2, double y2) override;
  void Box(double x, double y, double dx, double dy) override;
  void PaintPicture(const ReportPicture& picture, double x, double y, double width, double height) override;
  void EndDoc() override;

  // A printer page cannot be cleared; the drawers never ask on paper.
  void Cls() override {}
  void SetBold(bool on) override { m_font.setBold(on); }
  void SetUnderline(bool on) override { m_font.setUnderline(on); }
  void SetForeColor(int r, int g, int b) override { m_color = QColor(r, g, b); }
  double TextWidth(std::string_view text) override;
  void Print(std::string_view text) override;
  void PrintLine(std::string_view text) override;

 private:
  QPainter& Painter();
  QPointF Device(double x, double y) const { return {(x - m_left) * m_unitX, (y - m_top) * m_unitY}; }
  QPen LinePen() const;

  void End();
  std::string FileShown() const;

  QPrinter& m_printer;
  PicturePainter m_pictures;
  Copies m_copies;
  bool m_pageEnded = false;  // Copies::Pages: the next drawing begins a new page
  std::string m_file;
  QPainter m_painter;
  QFont m_font;
  QColor m_color = Qt::black;
  // device pixels per scale unit, and the scale's top left corner
  double m_unitX = 1, m_unitY = 1, m_left = 0, m_top = 0;
  int m_drawWidth = 1;
};

}  // namespace zod
