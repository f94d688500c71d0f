// A printing surface that keeps what was drawn instead of printing it, with
// simple font metrics (every character half an em wide, a line 1.15 em high)
// on an A4 sheet without margins, for tests and for measuring the report.
#pragma once

#include <string>
#include <vector>

#include "report/core/printsurface.h"

namespace zod {

class RecordingPrintSurface : public PrintSurface {
 public:
  struct Text {
    double x, y, width;  // in the scale in force when it was printed
    double size;
    bool bold, italic, underline;
    int r, g, b;
    std::string text;
    int job;  // 0 for the first document, counted by EndDoc
  };
  struct Stroke {
    bool box;  // an outline from (x1, y1) to (x2, y2), else a line
    double x1, y1, x2, y2;
    int drawWidth;
    int job;
  };
  struct Picture {
    ReportPicture picture;
    double x, y, width, height;
    int job;
  };

  double paperWidth = 11906, paperHeight = 16838;  // A4 in twips
  std::vector<Text> texts;
  std::vector<Stroke> strokes;
  std::vector<Picture> pictures;
  std::vector<std::string> fontNames;  // every name set, in order
  int endDocs = 0;

  double PaperWidth() override { return paperWidth; }
  double PaperHeight() override { return paperHeight; }
  void SetScaleMode(int mode) override;
  void SetScale(double x1, double y1, double x2, double y2) override;
  void SetDrawWidth(int width) override { m_drawWidth = width; }
  void SetFontName(std::string_view name) override { fontNames.emplace_back(name); }
  void SetFontSize(double points) override { m_size = points; }
  void SetItalic(bool on) override { m_italic = on; }
  double TextHeight(std::string_view text) override;
  void Line(double x1, double y1, double x2, double y2) override;
  void Box(double x, double y, double dx, double dy) override;
  void PaintPicture(const ReportPicture& picture, double x, double y, double width, double height) override;
  void EndDoc() override { ++endDocs; }

  // A printer page is never cleared.
  void Cls() override {}
  void SetBold(bool on) override { m_bold = on; }
  void SetUnderline(bool on) override { m_underline = on; }
  void SetForeColor(int r, int g, int b) override;
  double TextWidth(std::string_view text) override;
  void Print(std::string_view text) override;
  void PrintLine(std::string_view text) override;

  bool bold() const { return m_bold; }
  bool italic() const { return m_italic; }
  bool underline() const { return m_underline; }
  // The first text of the first document that equals `text`, or null.
  const Text* Find(std::string_view text) const;
  // All texts of the first document on row y (within a hundredth), joined in
  // the order printed.
  std::string RowText(double y) const;

 private:
  // twips per scale unit
  double m_unitX = 1, m_unitY = 1, m_left = 0, m_top = 0;
  double m_size = 10;
  bool m_bold = false, m_italic = false, m_underline = false;
  int m_r = 0, m_g = 0, m_b = 0, m_drawWidth = 1;
};

}  // namespace zod
