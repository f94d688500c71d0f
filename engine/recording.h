// A view and a surface that remember what the engine did to them, for tests
// and for anyone who wants the engine's window effects as data.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/view.h"

namespace zod {

// Keeps every piece of text drawn, with its position and style.
class RecordingSurface : public PanelSurface {
 public:
  struct Item {
    double x, y;
    bool bold, underline;
    int r, g, b;
    std::string text;
  };
  std::vector<Item> items;
  int clears = 0;

  void Cls() override;
  void SetBold(bool on) override { m_bold = on; }
  void SetUnderline(bool on) override { m_underline = on; }
  void SetForeColor(int r, int g, int b) override;
  // One unit per character.
  double TextWidth(std::string_view text) override;
  void Print(std::string_view text) override;
  void PrintLine(std::string_view text) override;

  bool bold() const { return m_bold; }
  bool underline() const { return m_underline; }
  // All text drawn on the row that starts at y (within a tenth of a row),
  // in drawing order.
  std::string RowText(double y) const;

 private:
  bool m_bold = false, m_underline = false;
  int m_r = 0, m_g = 0, m_b = 0;
};

class RecordingView : public View {
 public:
  std::map<std::string, std::string> texts, captions, pictures;
  std::map<std::string, bool> visible;
  std::vector<std::string> messages, focus;
  std::map<std::string, RecordingSurface> surfaces;  // pic30, pic31, pic32
  // Every effect in order, e.g. "text ifyp=355", "message  lt<=... ".
  std::vector<std::string> log;

  RecordingView();
  void SetText(std::string_view control, const std::string& text) override;
  void SetCaption(std::string_view control, const std::string& text) override;
  void SetPicture(std::string_view control, const std::string& icon) override;
  void SetFocus(std::string_view control) override;
  void SetVisible(std::string_view control, bool v) override;
  PanelSurface* Surface(std::string_view control) override;
  void Message(const std::string& text) override;
};

}  // namespace zod
