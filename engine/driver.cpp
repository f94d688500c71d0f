// The calculation driver: corrects the ring frame's tripping length, works out
// the design stresses, runs the checks the case selects and draws the three
// result pictures.
//
// Glossary (lengths mm, stresses MPa, force kN)
//   r      cylr      radius of the cylinder to the plate's centre line
//   t      t         shell thickness
//   l      l         distance between ring frames
//   s      s         stiffener spacing
//   lT     gilt      tripping length of the ring frame
//   Z      Zl        curvature parameter l² / (r t) · √(1 − ν²)
//   leo    leo       effective shell length min(1.56 √(r t), l)
//   β      beta      l / (1.56 √(r t)), the ring spacing in shell half-waves
//   ζ      zeta      ring-relief factor of the hoop stress between ring frames
//   α      alpha     ring-frame area over the effective shell area, A / (leo t)
//   σx,Sd  SigxSd    design axial stress
//   σh,Sd  SighpSd   design hoop stress from the lateral pressure alone
//          SighSd    total design hoop stress, SighpSd + sigy
//   N      nn        axial force of the column case
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "engine/calc.h"
#include "engine/checked.h"
#include "engine/format.h"
#include "engine/tables.h"

namespace zod {
namespace {

constexpr float kPi = 3.141593f;
constexpr float kTwoPi = 6.283186f;
const double kSqrtOneMinusNu2 = std::sqrt(1 - 0.3 * 0.3);

const char* const kGiltMessage = " lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects the value ";

// Each picture starts at row 0.3 of its own surface; a state without a window
// has no surfaces, and then nothing is drawn.
using Drawer = void (*)(State&, PanelSurface&, double&, double, double);
void DrawOn(State& z, const char* picture, Drawer draw) {
  PanelSurface* pic = z.view().Surface(picture);
  if (!pic) return;
  double y = z.prty + 0.3;
  draw(z, *pic, y, 1, 0);
}

// Ring-relief factor ζ = 2 (sinh β cos β + cosh β sin β) / (sinh 2β + sin 2β).
// Written with u = e^-β in place of e^β: numerator and denominator are divided
// by e^2β, so no term grows with β and ζ falls smoothly to 0 for long ring
// spacings instead of overflowing. ζ is even in β, so |β| serves for both signs.
double RingRelief(double beta) {
  const double b = std::fabs(beta);
  const double u = chk::exp(-b);
  const double u2 = u * u;
  const double num = u * ((1 - u2) * std::cos(b) + (1 + u2) * std::sin(b));
  const double den = (1 - u2 * u2) / 2 + u2 * std::sin(2 * b);
  return chk::div(num, den);
}

// The reason of a fault in an engineer's words: the checked arithmetic's
// "invalid procedure call: " goes.
std::string Reason(std::string_view what) {
  constexpr std::string_view kPrefix = "invalid procedure call: ";
  if (what.substr(0, kPrefix.size()) == kPrefix) what.remove_prefix(kPrefix.size());
  return std::string(what);
}

}  // namespace

std::string StopText(std::string_view step, std::string_view what) {
  std::string text = "The calculation stopped in " + std::string(step) + ": " + Reason(what);
  if (text.back() != '.') text += '.';
  return text;
}

namespace {

// A run that cannot go on shows the calculation remark; a check's own remark
// says it best, otherwise the user learns where and why, never an empty box.
// The pictures keep what they showed.
void Stop(State& z, std::string_view step, std::string_view what) {
  z.stopmsg = z.errmsg.empty() ? StopText(step, what) : z.errmsg;
  z.view().Message(z.stopmsg);
}

}  // namespace

std::optional<GiltLimit> TrippingLimit(State& z) {
  const RingHeight ring = RingHeightOfCase(z);
  const double h = ring.h - ring.tf;
  // No height above the flange, no tripping.
  if (h <= 0) return std::nullopt;
  const double root = chk::sqrt(static_cast<double>(z.cylr) * h);
  // Nor is there a length to cut back to when the limit is 1 mm or less (a
  // radius read as 0 from letters): a tripping length of 0 or below would
  // stay in the case and every later run would use it without a word.
  if (kPi * root - 1 <= 0) return std::nullopt;
  return GiltLimit{chk::sgl(kPi * root), chk::sgl(kPi * root - 1)};
}

void CheckGirderLt(State& z) {
  if (z.cylinder != 3) {
    const std::optional<GiltLimit> lim = TrippingLimit(z);
    if (lim && lim->limit < z.gilt) {
      z.view().Message(kGiltMessage);
      z.gilt = lim->corrected;
      z.view().SetText("igilt", Format(z.gilt, "#00"_pat, z.decsep));
    }
  }
  if (z.ringch == 0) z.hringch = 0;
}

void CalcStresses(State& z) {
  const double r = z.cylr;
  const double b = 1.56 * chk::sqrt(r * z.t);
  const double beta = chk::div(z.l, b);

  z.leo = 1.56 * chk::sqrt(r * z.t);
  if (z.leo > z.l) z.leo = z.l;

  // The hoop stress from pressure is worked out in single precision: results
  // agree digit for digit with the Windows version, which keeps it so. Ring
  // frames relieve part of it between them.
  const auto pressureHoop = [&z] {
    return chk::sgl(chk::div(chk::sgl(static_cast<double>(z.pd) * z.cylr), z.t));
  };
  if (z.cylinder == 1) {
    GirdSection(z, z.girdtype);
    const double alpha = chk::div(z.girdsec.a, z.leo * z.t);
    double zeta = RingRelief(beta);
    if (zeta < 0) zeta = 0;
    const float p = pressureHoop();
    z.SighpSd = chk::fin(p - chk::div(alpha * zeta, alpha + 1) * (p - 0.3 * z.sigx));
  } else {
    z.SighpSd = pressureHoop();
  }

  if (z.cylinder == 3) {
    z.sigy = 0;
    z.tau = 0;
  }
  z.SighSd = chk::fin(z.SighpSd + z.sigy);

  if (z.cylinder == 3) {
    const float twoPiR = chk::sgl(kTwoPi * r);
    z.SigxSd = chk::div(1000 * z.nn, twoPiR * z.t);
    z.sigx = z.SigxSd;
  } else {
    z.SigxSd = z.sigx;
  }
}

void Calculate(State& z) {
  z.calcok = false;
  z.stopmsg.clear();
  z.stiffdone = z.girddone = false;
  // The step running now, named for the one-line message if it stops.
  const char* step = "the ring-frame tripping-length check";
  try {
    z.errmsg.clear();
    CheckGirderLt(z);
    step = "the design stresses";
    z.Zl = chk::div(z.l * z.l, z.cylr * z.t) * kSqrtOneMinusNu2;
    CalcStresses(z);
    step = "the look-up of the plate yield strength";
    GetFyp(z, z.matp);
    z.view().SetText("ifyp", Format(z.fyp, "#000"_pat, z.decsep));

    switch (z.cylinder) {
      case 0:
      case 1:
        z.SigmSd = 0;
        step = "the shell buckling check";
        CalcShellBuckling(z);
        break;
      case 2:
        z.SigmSd = 0;
        step = "the shell buckling check";
        if (chk::div(z.l, z.s) < 1) {
          CalcShellBuckling(z);
        } else {
          step = "the curved-panel buckling check";
          z.spanel = z.s;
          CalcPanelBuckling(z);
        }
        step = "the stiffener check";
        CalcStiffBuckling(z);
        break;
      case 3:
        step = "the column buckling check";
        // A negative root is an ordinary end of the column check, common in
        // a case database, and too dear to throw.
        if (!RunColumnBuckling(z)) {
          Stop(z, step, "square root of a negative number");
          z.view().ResultsFinished(false);
          return;
        }
        break;
      default:
        break;
    }

    if (z.ringch == 1) {
      step = "the ring-frame check";
      CalcRingBuckling(z);
      step = "the heavy ring-frame check";
      if (z.hringch == 1) CalcHeavyRing(z);
    }

    step = "the result panels";
    z.prty = 0;
    DrawOn(z, "pic30", DrawShellPanel);
    // Too wide a stiffener spacing makes the shell count as unstiffened; the
    // stiffener check has run all the same, only the picture differs.
    const bool unstiffened = chk::div(z.s, z.t) > 3 * chk::sqrt(chk::div(z.cylr, z.t));
    DrawOn(z, "pic31", unstiffened ? DrawUnstiffNote : DrawStiffPanel);
    DrawOn(z, "pic32", DrawRingPanel);
    if (z.cylinder == 3) DrawOn(z, "pic31", DrawColPanel);
    z.calcok = true;
  } catch (const Error& e) {
    Stop(z, step, e.what());
  }
  z.view().ResultsFinished(z.calcok);
}

}  // namespace zod
