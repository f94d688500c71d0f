// The result-panel drawers: they put the panels the checks filled onto a text
// surface, either a result picture of the main window (mode 0) or the printed
// page (any other mode). They compute nothing.
//
// Layout, in surface units (one text row is one unit high):
//   title      bold and underlined at (x, y); the first line follows 1.1 rows lower
//   plain line label at x, value right-aligned to end at x + W, unit right after it
//   UF line    label at x, value bold in red (over the allowed value) or green, unit after it
//
// The style of a surface carries over from one drawer to the next, so each
// drawer leaves bold and underline off and the colour black.
#include <string>

#include "engine/calc.h"
#include "engine/checked.h"

namespace zod {
namespace {

// On paper the note stands on one line; on screen it is broken into three.
constexpr const char* kNoteScreen1 = "Note: s/t>3* Sqr(r/t) ==>";
constexpr const char* kNoteScreen2 = "Calculation as an unstiffened veltrane";
constexpr const char* kNoteScreen3 = "(Ref Ch 3.6.1)";
constexpr const char* kNotePaper =
    "Note: s/t>3* Sqr(r/t) ==> calculation as an unstiffened veltrane, (Ref Ch 3.6.1)";

bool OnScreen(double mode) { return mode == 0; }

// A panel holds sixteen lines; a line index outside them ends the run with a
// message, as any other fault of a calculation does, instead of reading past
// the panel and drawing what lies beyond it.
void CheckLine(int i) {
  if (i < 0 || i > 15) throw Error("subscript out of range: panel line " + std::to_string(i));
}
const std::string& Txt(const ResultPanel& p, int i) { return CheckLine(i), p.txt[i]; }
const std::string& Val(const ResultPanel& p, int i) { return CheckLine(i), p.val[i]; }
const std::string& Unit(const ResultPanel& p, int i) { return CheckLine(i), p.unit[i]; }

void MoveTo(PanelSurface& pic, double x, double y) {
  pic.SetCurrentX(x);
  pic.SetCurrentY(y);
}

void Black(PanelSurface& pic) { pic.SetForeColor(0, 0, 0); }

// Clears a screen picture and draws the panel's title; y moves to the first line.
void Title(const ResultPanel& p, PanelSurface& pic, double& y, double x, double mode) {
  if (OnScreen(mode)) pic.Cls();
  MoveTo(pic, x, y);
  pic.SetBold(true);
  pic.SetUnderline(true);
  pic.Print(Txt(p, 0));
  pic.SetUnderline(false);
  pic.SetBold(false);
  y += 1.1;
}

// The value of a plain line ends at x + w, whatever its width.
void ValueEndingAt(const ResultPanel& p, int i, PanelSurface& pic, double right) {
  const std::string& v = Val(p, i);
  pic.SetCurrentX(right - pic.TextWidth(v));
  pic.Print(v);
}

// One plain line at row y; y moves to the next row.
void PlainLine(const ResultPanel& p, int i, PanelSurface& pic, double& y, double x, double w,
               bool underlinedLabel = false) {
  MoveTo(pic, x, y);
  if (underlinedLabel) pic.SetUnderline(true);
  pic.Print(Txt(p, i));
  if (underlinedLabel) pic.SetUnderline(false);
  ValueEndingAt(p, i, pic, x + w);
  pic.Print(Unit(p, i));
  y += 1;
}

// The value of a usage-factor line, from where the position stands: bold,
// red when the usage factor u is over its allowed value a (equal passes).
void UsageValue(const ResultPanel& p, int i, PanelSurface& pic, double u, double a) {
  pic.SetBold(true);
  if (u > a)
    pic.SetForeColor(128, 0, 0);
  else
    pic.SetForeColor(0, 128, 0);
  pic.Print(Val(p, i));
  pic.SetBold(false);
  Black(pic);
}

// A usage-factor line whose value follows its label; y does not move.
void UsageLine(const ResultPanel& p, int i, PanelSurface& pic, double y, double x, double u, double a,
               bool endLine = false) {
  MoveTo(pic, x, y);
  pic.Print(Txt(p, i));
  UsageValue(p, i, pic, u, a);
  if (endLine)
    pic.PrintLine(Unit(p, i));
  else
    pic.Print(Unit(p, i));
}

// Shell and stiffener panels share one layout: plain lines, then the usage
// factor on the last line.
void DrawPlainPanel(const ResultPanel& p, PanelSurface& pic, double& y, double x, double mode, double u,
                    double a) {
  constexpr double kW = 15;
  Title(p, pic, y, x, mode);
  for (int i = 1; i <= p.n - 1; ++i) PlainLine(p, i, pic, y, x, kW);
  UsageLine(p, p.n, pic, y, x, u, a);
}

}  // namespace

void DrawShellPanel(State& z, PanelSurface& pic, double& y, double x, double mode) {
  DrawPlainPanel(z.shellpanel, pic, y, x, mode, z.ufshell, z.ufallow);
}

void DrawStiffPanel(State& z, PanelSurface& pic, double& y, double x, double mode) {
  DrawPlainPanel(z.stiffpanel, pic, y, x, mode, z.ufstiff, z.ufallows);
}

void DrawUnstiffNote(State& z, PanelSurface& pic, double& y, double x, double mode) {
  if (OnScreen(mode)) pic.Cls();
  MoveTo(pic, x, y);
  pic.SetBold(true);
  pic.SetUnderline(true);
  pic.Print(Txt(z.stiffpanel, 0));
  pic.SetUnderline(false);
  // the note stays bold
  y += 2.1;
  MoveTo(pic, x, y);
  if (OnScreen(mode)) {
    pic.PrintLine(kNoteScreen1);
    pic.SetCurrentX(x);
    pic.PrintLine(kNoteScreen2);
    pic.SetCurrentX(x);
    pic.Print(kNoteScreen3);
  } else {
    pic.Print(kNotePaper);
  }
  pic.SetBold(false);
}

void DrawRingPanel(State& z, PanelSurface& pic, double& y, double x, double mode) {
  const ResultPanel& p = z.ringpanel;
  constexpr double kW1 = 18;  // the area block's heading line
  constexpr double kW = 14;   // the inertia block
  const int n = p.n;
  Title(p, pic, y, x, mode);

  // area block: heading, then its usage factor
  PlainLine(p, 1, pic, y, x, kW1, true);
  UsageLine(p, 2, pic, y, x, z.ufarea, z.ufb, true);
  y += 1;

  // inertia block: heading (line 3) and values, then its usage factor
  for (int i = 3; i <= n - 2; ++i) PlainLine(p, i, pic, y, x, kW, i == 3);
  UsageLine(p, n - 1, pic, y, x, z.ufinertia, z.ufb, true);
  y += 1;

  // The last line (the heavy ring frame) and the Ih switch only concern an
  // external pressure.
  const bool external = z.pd < 0;
  if (external) {
    MoveTo(pic, x, y);
    pic.Print(Txt(p, n));
    pic.Print(Val(p, n));
    pic.PrintLine(Unit(p, n));
  }
  z.view().SetVisible("check_ih", external);
}

void DrawColPanel(State& z, PanelSurface& pic, double& y, double x, double mode) {
  const ResultPanel& p = z.colpanel;
  // the printed page has wider columns than a result picture
  const double w = OnScreen(mode) ? 20 : 30;  // plain values end here
  const double v = OnScreen(mode) ? 12 : 20;  // usage factors start here
  const int n = p.n;
  Title(p, pic, y, x, mode);
  for (int i = 1; i <= n - 2; ++i) PlainLine(p, i, pic, y, x, w);

  const auto usage = [&](int i, double u) {
    MoveTo(pic, x, y);
    pic.Print(Txt(p, i));
    pic.SetCurrentX(x + v);
    UsageValue(p, i, pic, u, z.ufallow);
    pic.Print(Unit(p, i));
  };
  usage(n - 1, z.ufcol1);
  y += 1;
  usage(n, z.ufcol2);
}

}  // namespace zod
