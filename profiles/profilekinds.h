// What differs between the twenty profile dialogs, as data: names, captions,
// the dimensions each kind shows, the labels of its local-buckling results,
// where it opens, and which fields of the design case it reads and writes.
// The dialog class and the value display work from these tables only, so no
// dialog is written out on its own. No window toolkit here.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/state.h"

namespace zod::profiles {

constexpr int kKinds = 10;
inline bool IsKind(int kind) { return kind >= 0 && kind < kKinds; }
// L, T and flat-bar tables and the bulb flats; the other six are built up.
inline bool IsTableKind(int kind) { return kind == 0 || kind == 2 || kind == 4 || kind == 6; }

// A dimension a dialog shows: height, width, trapezoid offset a, web and
// flange thickness, bulb c and r.
enum class Dim { H, B, A, Tw, Tf, C, R };

// The dimensions of a kind in the order the dialog lists them; for a built-up
// kind this is also the order of its Enter chain.
std::vector<Dim> Dims(int kind);
// Fixed label in front of the value: "H =", "tw =", ...
const char* DimLabel(Dim d);
// Value label of a table dialog (sth, stb, sttw, sttf, stc, strr) or input
// box of a built-up dialog (isth, istb, ista, isttw, isttf).
const char* DimControl(Dim d, bool box);
// Iz is shown by every kind but the flat bars, the RHS and the trapezoid.
bool HasIz(int kind);
// Result labels of the "Local buckling" frame, in display order; empty for
// the RHS and the trapezoid, which have no such frame.
std::vector<std::string> LocalLabels(Member m, int kind);

// Design name, which is the dialog's object name: stiffl ... girdib.
std::string DesignName(Member m, int kind);
std::string Caption(Member m, int kind);
// Caption of the frame that holds the dimensions and section values.
std::string ValueFrameCaption(Member m, int kind);
// Horizontal placement factor f of the load step; negative for stiffl, which
// is centred on the main window when shown instead.
double PlacementFactor(Member m, int kind);

// The order in which opening a project file unloads the twenty dialogs.
std::vector<std::pair<Member, int>> CloseOrder();

// A field of the dimension memory; the memory mixes single and double fields.
class FieldRef {
 public:
  FieldRef() = default;
  explicit FieldRef(double& d) : m_d(&d) {}
  explicit FieldRef(float& f) : m_f(&f) {}
  bool valid() const { return m_d || m_f; }
  double get() const { return m_d ? *m_d : m_f ? *m_f : 0.0; }
  // The memory holds single-precision values: what is stored is rounded so.
  void set(double v) const {
    if (m_d) *m_d = static_cast<float>(v);
    if (m_f) *m_f = static_cast<float>(v);
  }

 private:
  double* m_d = nullptr;
  float* m_f = nullptr;
};

// The dimension memory field behind box `d` of built-up kind `kind`; invalid
// for a table kind or a dimension the kind does not have.
FieldRef MemoryField(DesignCase& c, Member m, int kind, Dim d);

// The chosen-row field of a table kind (istiffl ... igirdhp); null otherwise.
std::int16_t* ChosenRow(DesignCase& c, Member m, int kind);
// The texts of every loaded row of the table of `kind`, in table order:
// "L200x90x9x14", "T...", "Fb100x10", "BF 200x10.5".
std::vector<std::string> RowTexts(const State& z, int kind);

// Control name and text of everything the display procedure of dialog
// (m, kind) writes, in the order it writes them: dimensions (labels with
// their unit, boxes without), Ax, g, Iy, Iz, then the local-buckling texts.
std::vector<std::pair<std::string, std::string>> DisplayTexts(State& z, Member m, int kind);

}  // namespace zod::profiles
