// How the engine reaches a window. The engine writes a few box texts and
// captions, sets two picture buttons, moves the focus, shows or hides the Ih
// check box, draws on the three result pictures and shows message boxes; all
// of that goes through View, so the engine runs without any window.
#pragma once

#include <string>
#include <string_view>

namespace zod {

// A text canvas: one text line is one unit high. On screen a result picture,
// on paper the printer page.
class PanelSurface {
 public:
  virtual ~PanelSurface() = default;
  virtual void Cls() = 0;
  // The current position: the top left corner of the next text.
  double CurrentX() const { return m_x; }
  double CurrentY() const { return m_y; }
  void SetCurrentX(double x) { m_x = x; }
  void SetCurrentY(double y) { m_y = y; }
  virtual void SetBold(bool on) = 0;
  virtual void SetUnderline(bool on) = 0;
  virtual void SetForeColor(int r, int g, int b) = 0;
  // Width of the text in the current font, in surface units.
  virtual double TextWidth(std::string_view text) = 0;
  // Draws the text; the position moves to its end on the same line.
  virtual void Print(std::string_view text) = 0;
  // As Print, then the position moves to the left edge of the next line.
  virtual void PrintLine(std::string_view text) = 0;

 protected:
  double m_x = 0, m_y = 0;
};

class View {
 public:
  virtual ~View() = default;
  // Text of an input box: "ifyp", "ifys", "ifyg", "igilt".
  virtual void SetText(std::string_view control, const std::string& text) = 0;
  // Caption of a label: "stiffprof", "ringprof".
  virtual void SetCaption(std::string_view control, const std::string& text) = 0;
  // Picture of a button ("cmdpic_stiff", "cmdpic_gird") by icon name
  // ("ico_stiff_l", "ico_gird_t", ...).
  virtual void SetPicture(std::string_view control, const std::string& icon) = 0;
  virtual void SetFocus(std::string_view control) = 0;
  // Visibility of a control: "check_ih".
  virtual void SetVisible(std::string_view control, bool visible) = 0;
  // Result pictures "pic30", "pic31", "pic32"; null when there is none.
  virtual PanelSurface* Surface(std::string_view control) = 0;
  // Modal message box with the exclamation icon and the program's title.
  virtual void Message(const std::string& text) = 0;
  // The end of a run of Calculate: whether it finished, so that a window can
  // tell pictures that hold no result of the inputs shown.
  virtual void ResultsFinished(bool /*finished*/) {}
};

// Passes every window effect on to another view; a view that holds some of
// them back overrides just those.
class ForwardingView : public View {
 public:
  explicit ForwardingView(View& outer) : m_outer(outer) {}
  void SetText(std::string_view c, const std::string& t) override { m_outer.SetText(c, t); }
  void SetCaption(std::string_view c, const std::string& t) override { m_outer.SetCaption(c, t); }
  void SetPicture(std::string_view c, const std::string& i) override { m_outer.SetPicture(c, i); }
  void SetFocus(std::string_view c) override { m_outer.SetFocus(c); }
  void SetVisible(std::string_view c, bool v) override { m_outer.SetVisible(c, v); }
  PanelSurface* Surface(std::string_view c) override { return m_outer.Surface(c); }
  void Message(const std::string& text) override { m_outer.Message(text); }
  void ResultsFinished(bool finished) override { m_outer.ResultsFinished(finished); }

 protected:
  View& outer() { return m_outer; }

 private:
  View& m_outer;
};

// Does nothing: the view of a state that has no window.
class NullView : public View {
 public:
  void SetText(std::string_view, const std::string&) override {}
  void SetCaption(std::string_view, const std::string&) override {}
  void SetPicture(std::string_view, const std::string&) override {}
  void SetFocus(std::string_view) override {}
  void SetVisible(std::string_view, bool) override {}
  PanelSurface* Surface(std::string_view) override { return nullptr; }
  void Message(const std::string&) override {}
};

}  // namespace zod
