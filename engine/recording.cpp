#include "engine/recording.h"

#include <cmath>

namespace zod {

void RecordingSurface::Cls() {
  items.clear();
  ++clears;
  m_x = m_y = 0;
}

void RecordingSurface::SetForeColor(int r, int g, int b) {
  m_r = r;
  m_g = g;
  m_b = b;
}

double RecordingSurface::TextWidth(std::string_view text) { return static_cast<double>(text.size()); }

void RecordingSurface::Print(std::string_view text) {
  items.push_back({m_x, m_y, m_bold, m_underline, m_r, m_g, m_b, std::string(text)});
  m_x += TextWidth(text);
}

void RecordingSurface::PrintLine(std::string_view text) {
  Print(text);
  m_x = 0;
  m_y += 1;
}

std::string RecordingSurface::RowText(double y) const {
  std::string out;
  for (const auto& it : items)
    if (std::fabs(it.y - y) < 0.1) out += it.text;
  return out;
}

RecordingView::RecordingView() {
  surfaces["pic30"];
  surfaces["pic31"];
  surfaces["pic32"];
}

void RecordingView::SetText(std::string_view c, const std::string& text) {
  texts[std::string(c)] = text;
  log.push_back("text " + std::string(c) + "=" + text);
}
void RecordingView::SetCaption(std::string_view c, const std::string& text) {
  captions[std::string(c)] = text;
  log.push_back("caption " + std::string(c) + "=" + text);
}
void RecordingView::SetPicture(std::string_view c, const std::string& icon) {
  pictures[std::string(c)] = icon;
  log.push_back("picture " + std::string(c) + "=" + icon);
}
void RecordingView::SetFocus(std::string_view c) {
  focus.emplace_back(c);
  log.push_back("focus " + std::string(c));
}
void RecordingView::SetVisible(std::string_view c, bool v) {
  visible[std::string(c)] = v;
  log.push_back("visible " + std::string(c) + "=" + (v ? "1" : "0"));
}
PanelSurface* RecordingView::Surface(std::string_view c) {
  auto it = surfaces.find(std::string(c));
  return it == surfaces.end() ? nullptr : &it->second;
}
void RecordingView::Message(const std::string& text) {
  messages.push_back(text);
  log.push_back("message " + text);
}

}  // namespace zod
