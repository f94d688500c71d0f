#include "report/core/recordingprint.h"

#include <cmath>

#include "report/core/utf8text.h"

namespace zod {
namespace {

constexpr double kTwipsPerPoint = 20;
constexpr double kCharEm = 0.5, kLineEm = 1.15;

}  // namespace

void RecordingPrintSurface::SetScaleMode(int) {
  m_unitX = m_unitY = 1;
  m_left = m_top = 0;
}

void RecordingPrintSurface::SetScale(double x1, double y1, double x2, double y2) {
  m_unitX = paperWidth / (x2 - x1);
  m_unitY = paperHeight / (y2 - y1);
  m_left = x1;
  m_top = y1;
}

double RecordingPrintSurface::TextHeight(std::string_view) {
  return kLineEm * m_size * kTwipsPerPoint / m_unitY;
}

double RecordingPrintSurface::TextWidth(std::string_view text) {
  return static_cast<double>(CharCount(text)) * kCharEm * m_size * kTwipsPerPoint / m_unitX;
}

void RecordingPrintSurface::SetForeColor(int r, int g, int b) {
  m_r = r;
  m_g = g;
  m_b = b;
}

void RecordingPrintSurface::Print(std::string_view text) {
  const double w = TextWidth(text);
  texts.push_back(
      {m_x, m_y, w, m_size, m_bold, m_italic, m_underline, m_r, m_g, m_b, std::string(text), endDocs});
  m_x += w;
}

void RecordingPrintSurface::PrintLine(std::string_view text) {
  Print(text);
  m_x = m_left;
  m_y += TextHeight(text);
}

void RecordingPrintSurface::Line(double x1, double y1, double x2, double y2) {
  strokes.push_back({false, x1, y1, x2, y2, m_drawWidth, endDocs});
}

void RecordingPrintSurface::Box(double x, double y, double dx, double dy) {
  strokes.push_back({true, x, y, x + dx, y + dy, m_drawWidth, endDocs});
}

void RecordingPrintSurface::PaintPicture(const ReportPicture& picture, double x, double y, double width,
                                         double height) {
  pictures.push_back({picture, x, y, width, height, endDocs});
}

const RecordingPrintSurface::Text* RecordingPrintSurface::Find(std::string_view text) const {
  for (const Text& t : texts)
    if (t.job == 0 && t.text == text) return &t;
  return nullptr;
}

std::string RecordingPrintSurface::RowText(double y) const {
  std::string out;
  for (const Text& t : texts)
    if (t.job == 0 && std::fabs(t.y - y) < 0.01) out += t.text;
  return out;
}

}  // namespace zod
