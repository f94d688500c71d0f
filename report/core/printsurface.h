// The printed page as the report sees it: a text canvas with a current
// position (the panel drawers' surface) plus what a page needs besides text:
// paper size, fonts, user scales, lines, outlines, pictures and the end of the
// document. The program prints through a painter on the system's printer;
// tests record what was drawn.
#pragma once

#include <string_view>

#include "engine/view.h"

namespace zod {

// A picture the report places on the page, named by what it shows, not by
// how it is stored: the surface turns it into a drawing.
struct ReportPicture {
  enum class Kind {
    Cylinder,   // the cylinder sketch the main window shows; code: cylinder type
    Stiffener,  // the sketch of a stiffener dialog; code: profile kind
    RingFrame,  // the sketch of a ring-frame dialog; code: profile kind
  };
  Kind kind = Kind::Cylinder;
  int code = 0;
  bool operator==(const ReportPicture&) const = default;
};

class PrintSurface : public PanelSurface {
 public:
  // The paper's width and height in twips (1/1440 inch).
  virtual double PaperWidth() = 0;
  virtual double PaperHeight() = 0;

  // Scale mode 1 measures positions and text in twips from the printable
  // area's top left corner.
  virtual void SetScaleMode(int mode) = 0;
  // A user scale: the printable area's left and right edges become x1 and
  // x2, its top and bottom y1 and y2.
  virtual void SetScale(double x1, double y1, double x2, double y2) = 0;
  // Width of lines and outlines; 1 is a thin line.
  virtual void SetDrawWidth(int width) = 0;

  virtual void SetFontName(std::string_view name) = 0;
  virtual void SetFontSize(double points) = 0;
  virtual void SetItalic(bool on) = 0;
  // Height of one line of the text in the current font and scale.
  virtual double TextHeight(std::string_view text) = 0;

  // Lines and outlines are drawn in the current colour.
  virtual void Line(double x1, double y1, double x2, double y2) = 0;
  // A rectangle outline from the corner (x, y) to (x + dx, y + dy).
  virtual void Box(double x, double y, double dx, double dy) = 0;
  // The picture stretched to fill the rectangle.
  virtual void PaintPicture(const ReportPicture& picture, double x, double y, double width,
                            double height) = 0;

  // Sends the page as one job; the next drawing starts a new document.
  virtual void EndDoc() = 0;
};

}  // namespace zod
