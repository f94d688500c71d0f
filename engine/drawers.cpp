#include "engine/calc.h"

namespace zod {

void DrawShellPanel(State&, PanelSurface&, double&, double, double) {}
void DrawStiffPanel(State&, PanelSurface&, double&, double, double) {}
void DrawUnstiffNote(State&, PanelSurface&, double&, double, double) {}
void DrawRingPanel(State&, PanelSurface&, double&, double, double) {}
void DrawColPanel(State&, PanelSurface&, double&, double, double) {}

}  // namespace zod
