// The report page. Two scales share it:
//   header  W characters by H lines of the 11-point font, measured on the
//           paper at print time, so the header block keeps its shape on any
//           paper and printer;
//   body    a grid of 136 columns by 88 rows over the printable area; every
//           text's top left corner stands on it, values are right-aligned to
//           a column by subtracting their printed width.
// Body columns (grid units):
//   prtleft = xlabel 13.6  labels, headings, rules, left result panels
//   xeq2 19.6, xval2 31.6  "=" and right edge of the loading values
//   xmat 43.6              right edge of the material names
//   xsym 45.6, xeq 51.6    symbol and "=" of the input and profile-data rows
//   xval 63.6              right edge of their values; the stiffener panel
//   xrule 80.6             vertical rule beside the cylinder sketch
//   xpic 92.6 .. xpicr 122.6  the cylinder sketch
// A profile block is shifted right by prtoffs (60 for a ring frame beside a
// stiffener).
#include "report/core/report.h"

#include <cmath>
#include <initializer_list>

#include "engine/calc.h"
#include "engine/checked.h"
#include "engine/format.h"
#include "report/core/utf8text.h"

namespace zod {
namespace {

constexpr const char* kFont = "arial";
constexpr const char* kWidthSample = "SmGasdfghjklpoiuytre";
constexpr const char* kHeightSample = "Zidavoru ZOD";

// The values of one member's profile that the data blocks print.
struct MemberValues {
  double h, b, tw, tf, c, r, a, g, iy, iz;
};

// A row of a profile data block: symbol, value, its pattern and unit, and
// whether the value is a dimension the case gives (not one its section
// computation works out).
struct DataRow {
  const char* symbol;
  double MemberValues::*value;
  const char* pattern;
  const char* unit;
  bool dimension;
};
constexpr DataRow kH{"H", &MemberValues::h, "#00", "mm", true};
constexpr DataRow kB{"B", &MemberValues::b, "#00", "mm", true};
constexpr DataRow kTrapezoidA{"a", &MemberValues::c, "#00", "mm", true};
constexpr DataRow kBulbC{"c", &MemberValues::c, "#0.0", "mm", true};
constexpr DataRow kBulbR{"r", &MemberValues::r, "#0.0", "mm", true};
constexpr DataRow kTw{"tw", &MemberValues::tw, "#0.0", "mm", true};
constexpr DataRow kTf{"tf", &MemberValues::tf, "#0.0", "mm", true};
// the bulb flat's equivalent angle
constexpr DataRow kBulbB{"B", &MemberValues::b, "#0.0", "mm", false};
constexpr DataRow kBulbTf{"tf", &MemberValues::tf, "#0.0", "mm", false};
constexpr DataRow kA{"A", &MemberValues::a, "#00", "mm2", false};
constexpr DataRow kG{"g", &MemberValues::g, "#0.0", "kg/m", false};
constexpr DataRow kIy{"Iy", &MemberValues::iy, "0.000E+0", "mm4", false};
constexpr DataRow kIz{"Iz", &MemberValues::iz, "0.000E+0", "mm4", false};

// What a profile block may print of its member: all its section holds, or,
// after a run that stopped before the member's section, only the dimensions
// the case gives, or nothing when even those cannot be had.
enum class Known { All, Dimensions, Nothing };

class Report {
 public:
  Report(State& z, PrintSurface& pr) : z(z), pr(pr) {}

  void Print(const ReportStamp& stamp) {
    pr.SetScaleMode(1);
    pr.SetFontName(kFont);
    pr.SetForeColor(0, 0, 0);
    Header(stamp);
    BodySetUp();
    DesignFormat();
    Geometry();
    Loading();
    Profiles();
    Results();
  }

 private:
  // ---- drawing conventions

  void At(double x, double y) {
    pr.SetCurrentX(x);
    pr.SetCurrentY(y);
  }
  void TextAt(double x, double y, const std::string& text) {
    At(x, y);
    pr.Print(text);
  }
  // Italic, bold and underlined; the position stays at the heading's end.
  void Heading(double x, const char* text) {
    pr.SetItalic(true);
    pr.SetBold(true);
    pr.SetUnderline(true);
    TextAt(x, prty, text);
    pr.SetItalic(false);
    pr.SetBold(false);
    pr.SetUnderline(false);
  }
  void EndingAt(double right, const std::string& text) {
    pr.SetCurrentX(right - pr.TextWidth(text));
    pr.Print(text);
  }
  // The value ends at `right`; the unit follows after one blank.
  void ValueAndUnit(double right, const std::string& value, const char* unit) {
    EndingAt(right, value);
    if (*unit) {
      pr.Print(" ");
      pr.Print(unit);
    }
  }
  std::string Fmt(double v, const char* pattern) const { return Format(v, pattern, z.decsep); }
  void Rule() { pr.Line(prtleft, prty, prtcols - 0.5 * prtleft, prty); }

  // A row of the input area: label, symbol, "=", value ending at xval, unit.
  void InputRow(const char* label, const char* symbol, const std::string& value, const char* unit) {
    TextAt(prtleft, prty, label);
    SymbolAndValue(0, symbol, value, unit);
  }
  void SymbolAndValue(double offs, const char* symbol, const std::string& value, const char* unit) {
    TextAt(xsym + offs, prty, symbol);
    pr.SetCurrentX(xeq + offs);
    pr.Print("=");
    ValueAndUnit(xval + offs, value, unit);
  }

  // ---- header

  void Header(const ReportStamp& stamp) {
    // calibration: characters per line and lines per page of the 11-point font
    prtfont = 11;
    pr.SetFontSize(prtfont);
    const double W = chk::i16(chk::fin(chk::div(pr.PaperWidth(), pr.TextWidth(kWidthSample)) * 20));
    const double H = chk::i16(chk::div(pr.PaperHeight(), pr.TextHeight(kHeightSample)));
    const double m = chk::i16(0.1 * W);

    pr.SetScale(0, 0, W, H);
    prty = 2;
    pr.SetDrawWidth(1);
    pr.Box(m, 2, 0.85 * W, 4.8);
    pr.Line(m, 3.4, m + 37, 3.4);
    pr.Line(m + 37, 4, 0.95 * W, 4);
    pr.Line(m + 80, 4.9, 0.95 * W, 4.9);
    pr.Line(m, 5.8, 0.95 * W, 5.8);
    pr.Line(m + 37, 2, m + 37, 5.8);
    pr.Line(m + 80, 4, m + 80, 5.8);
    pr.Line(m + 88, 2, m + 88, 4);

    pr.SetFontSize(prtfont + 4);
    pr.SetBold(true);
    TextAt(m + 0.5, 2, "Zidavoru ZOD");
    pr.SetBold(false);
    pr.SetFontSize(prtfont - 3);
    TextAt(m + 0.5, 3.5, "Cylinder shell buckling based on ZOD-RP-C202");
    TextAt(m + 0.5, 4.2, "Version 1.8.5");
    TextAt(m + 0.5, 4.9, stamp.copyright);
    TextAt(m + 37.5, 2.1, "Project: ");
    TextAt(m + 43, 2.1, MidChars(z.proj, 1, 45));
    TextAt(m + 43, 3.0, MidChars(z.proj, 46, 60));
    TextAt(m + 37.5, 4.1, "Identification: ");
    TextAt(m + 47, 4.1, MidChars(z.ident, 1, 38));
    TextAt(m + 47, 5.0, MidChars(z.ident, 39, 60));
    TextAt(m + 88.5, 2.1, "Page:");
    pr.SetFontSize(prtfont - 2);
    TextAt(m + 88.5, 2.9, "1/1");
    pr.SetFontSize(prtfont - 3);
    TextAt(m + 80.5, 4.1, "Date: " + stamp.date);
    TextAt(m + 80.5, 5.0, "Time: " + std::to_string(stamp.hour) + ":" + std::to_string(stamp.minute));
    TextAt(m + 0.5, 5.9, "File: " + LowerCase(z.filename));
  }

  // ---- body

  void BodySetUp() {
    prtfont = 8;
    pr.SetFontName(kFont);
    pr.SetFontSize(prtfont);
    prtrows = 88;
    prtcols = 136;
    prtleft = 0.1 * prtcols;
    xlabel = prtleft;
    xeq2 = xlabel + 6;
    xval2 = xeq2 + 12;
    xmat = xval2 + 12;
    xsym = xval2 + 12 + 2;
    xeq = static_cast<float>(xsym + 6);
    xval = xeq + 12;
    xrule = xval + 12 - 1 + 6;
    xpic = static_cast<float>(xrule + 12);
    xpicr = static_cast<float>(xpic + 12 + 6 + 12);
    pr.SetScale(0, 0, prtcols, prtrows);
    prty += 8;
    pr.SetCurrentY(prty);
    prtytop = static_cast<float>(prty);
  }

  void MaterialRow(const char* label, int16 mat, double fy) {
    TextAt(prtleft, prty, label);
    const bool known = mat >= 0 && mat < MaterialTable::kRows;
    EndingAt(xmat, known ? z.mat.matname[mat] : std::string());
    SymbolAndValue(0, "fy", Fmt(fy, "###"), "MPa");
  }

  void DesignFormat() {
    Heading(xlabel, "Design format/Condition and Material:");
    prty += 1;
    TextAt(prtleft, prty, "Design Condition:");
    EndingAt(xval, z.dmethod == 0 ? "LRDF meth.od" : "WSD meth.od");
    prty += 1;
    if (z.dmethod == 0)
      InputRow("Allowable Usage Factor: ", "UF", Fmt(z.ufb, "##.00"), "");
    else
      InputRow("Basic Usage Factor: ", "n0", Fmt(z.ufb, "#0.00"), "");
    prty += 1.3;
    MaterialRow("Plate: ", z.matp, z.fyp);
    if (z.cylinder == 1 || z.cylinder == 2) {
      prty += 1;
      MaterialRow("Stiffener: ", z.mats, z.fys);
      if (z.ringch == 1) {
        prty += 1;
        MaterialRow("Ringframe: ", z.matg, z.fyg);
      }
    }
    prty += 1;
    InputRow("Youngs modulus: ", "E", Fmt(z.e, "0.00E+0"), "MPa");
  }

  void Geometry() {
    prty += 1.5;
    Heading(xlabel, "Geometry:");
    const auto row = [this](const char* label, const char* symbol, double v, const char* pattern,
                            const char* unit) {
      prty += 1;
      InputRow(label, symbol, Fmt(v, pattern), unit);
    };
    row("Cylinder radius (cL plate)", "r", z.cylr, "0", "mm");
    row("Distance between ring frames", "l", z.l, "0", "mm");
    row("Cylinder wall thickness", "t", z.t, "0.0", "mm");
    const bool stiffened = z.cylinder == 1 || z.cylinder == 2;
    if (z.cylinder == 2) {
      row("Stiff spacing:", "s", z.s, "0", "mm");
      row("Lat tors buckl length: (stiffener)", "lt", z.lt, "0", "mm");
    }
    if (stiffened || z.cylinder == 3) row("Cylinder length", "L", z.cyll, "0", "mm");
    if (stiffened) row("Lat tors buckl length: (ringframe)", "lt", z.gilt, "0", "mm");
    if (z.cylinder == 3) {
      row("Effective length factor", "k1", z.k1, "0.00", "");
      row("", "k2", z.k2, "0.00", "");
    }
    sketchW = xpicr - xpic;
    sketchH = sketchW * prtrows / prtcols;
    pr.PaintPicture({ReportPicture::Kind::Cylinder, z.cylinder}, xpic, prtytop, sketchW, sketchH);
  }

  void Loading() {
    prty += 1.5;
    Heading(xlabel, "Loading:");
    const auto row = [this](const char* label, double v, const char* pattern, const char* unit) {
      prty += 1;
      TextAt(xlabel, prty, label);
      pr.SetCurrentX(xeq2);
      pr.Print("=");
      ValueAndUnit(xval2, Fmt(v, pattern), unit);
    };
    const char* const pressureUnit = "MPa (positive = inside pressure)";
    if (z.cylinder == 3) {
      row("pd", z.pd, "0.000", pressureUnit);
      row("N", z.nn, "0.0", "kN");
      row("M1a", z.m1a, "0.0", "kNm");
      row("M1b", z.m1b, "0.0", "kNm");
      row("M2a", z.m2a, "0.0", "kNm");
      row("M2b", z.m2b, "0.0", "kNm");
    } else {
      row("Sigx", z.sigx, "0.0", "MPa");
      row("Sigy", z.sigy, "0.0", "MPa");
      row("Tau", z.tau, "0.0", "MPa");
      row("pd", z.pd, "0.000", pressureUnit);
    }

    // The rules close the input area below the sketch and beside it.
    const double b = prtytop + 1 + sketchH * 88 / prtrows;
    if (b > prty) prty = b + 1;
    Rule();
    pr.Line(xrule, prtytop + 0.5, xrule, prty - 0.5);
    prty += 1;
    prtytop = static_cast<float>(prty);
  }

  // ---- profile sections

  void Profiles() {
    const double wp = xsym - xlabel - 3;
    const double hp = wp * prtrows / prtcols / 1.41;
    double lastSketch = sketchH;
    prtoffs = 0;
    if (z.cylinder == 2) {
      ProfileSection(Member::Stiffener, wp, hp);
      lastSketch = hp;
      prtoffs = 60;
    }
    const bool ringSection = (z.cylinder == 1 || z.cylinder == 2) && z.ringch == 1;
    if (ringSection) {
      ProfileSection(Member::RingFrame, wp, hp);
      lastSketch = hp;
    }
    // A stiffener block alone ends above its sketch's lower edge; the results
    // go below the sketch as they do below a pair of blocks.
    if (z.ringch == 1 || z.cylinder == 2) {
      prty = prtytop + 3.5 + lastSketch * 88 / prtrows;
      Rule();
      prty += 1;
    }
  }

  void ProfileSection(Member m, double wp, double hp) {
    const bool stiff = m == Member::Stiffener;
    const int16 kind = stiff ? z.stifftype : z.girdtype;
    // After a stop the member's section may still be another case's: the
    // block then shows this case's own profile and leaves out what this run
    // did not compute. The designation is the case's own either way.
    const CaseProfile own = ProfileOfCase(z, m);
    std::string name = own.name;
    if (z.calcok || (stiff ? z.stiffdone : z.girddone)) {
      known = Known::All;
      values = stiff ? Stiff() : Gird();
    } else {
      values = {own.h, own.b, own.tw, own.tf, own.c, own.r, 0, 0, 0, 0};
      known = own.known ? Known::Dimensions : Known::Nothing;
    }
    prty = prtytop;
    Heading(xlabel + prtoffs, stiff ? "Stiffener Profile:" : "Ringframe Profile:");
    if (!stiff) name += z.ringfab == 0 ? " (Fabricated)" : " (Cold-formed)";
    if (kind == 1) name += " (built-up)";
    pr.Print(" " + name);
    const auto pictureKind = stiff ? ReportPicture::Kind::Stiffener : ReportPicture::Kind::RingFrame;
    pr.PaintPicture({pictureKind, kind}, xlabel + prtoffs, prty + 2, wp, hp);
    prty = prtytop;
    switch (kind) {
      case 0:
      case 1:
      case 2:
      case 3:
      case 9:
        stiff ? PrintStiffProfileFlanged() : PrintGirdProfileFlanged();
        break;
      case 4:
      case 5:
        stiff ? PrintStiffProfileFlat() : PrintGirdProfileFlat();
        break;
      case 6:
        stiff ? PrintStiffProfileHP() : PrintGirdProfileHP();
        break;
      case 7:
      case 8:
        stiff ? PrintStiffProfileClosed() : PrintGirdProfileClosed();
        break;
      default:
        break;
    }
  }

  // ---- profile data blocks

  MemberValues Stiff() const {
    return {z.stiffh, z.stiffb,     z.stifftw,    z.stifftf,     z.stiffc,
            z.stiffr, z.stiffsec.a, z.stiffsec.g, z.stiffsec.iy, z.stiffsec.iz};
  }
  MemberValues Gird() const {
    return {z.girdh, z.girdb,     z.girdtw,    z.girdtf,     z.girdc,
            z.girdr, z.girdsec.a, z.girdsec.g, z.girdsec.iy, z.girdsec.iz};
  }

  void PrintStiffProfileFlanged() { Flanged(values, {&z.stiffwebtxt, &z.stiffflangetxt}); }
  void PrintGirdProfileFlanged() {
    Flanged(values, {&z.girdwebtxt1, &z.girdwebtxt2, &z.girdflangetxt1, &z.girdflangetxt2});
  }
  void PrintStiffProfileClosed() { Closed(values, z.stifftype == 8); }
  void PrintGirdProfileClosed() { Closed(values, z.girdtype == 8); }
  void PrintStiffProfileFlat() { Flat(values, {&z.stiffwebtxt}); }
  void PrintGirdProfileFlat() { Flat(values, {&z.girdwebtxt1}); }
  void PrintStiffProfileHP() { BulbFlat(values, {&z.stiffwebtxt}); }
  void PrintGirdProfileHP() { BulbFlat(values, {&z.girdwebtxt1, &z.girdwebtxt2}); }

  using Texts = std::initializer_list<const std::string*>;
  using Rows = std::initializer_list<DataRow>;

  void Flanged(const MemberValues& v, Texts texts) {
    ProfileData(v, {kH, kB, kTw, kTf, kA, kG, kIy, kIz}, texts);
  }
  // RHS and trapezoid; only the trapezoid has the offset a of its webs.
  void Closed(const MemberValues& v, bool trapezoid) {
    if (trapezoid)
      ProfileData(v, {kH, kB, kTrapezoidA, kTw, kA, kG, kIy}, {});
    else
      ProfileData(v, {kH, kB, kTw, kA, kG, kIy}, {});
  }
  void Flat(const MemberValues& v, Texts texts) { ProfileData(v, {kH, kTw, kA, kG, kIy}, texts); }
  // B and tf are those of the angle the bulb's section is computed with.
  void BulbFlat(const MemberValues& v, Texts texts) {
    ProfileData(v, {kH, kTw, kBulbC, kBulbR, kBulbB, kBulbTf, kA, kG, kIy}, texts);
  }

  // From the heading row: "Profile data:" two rows down, a row per value,
  // then the local-buckling texts; prty ends on the last row, which an
  // empty text, or one left out, still takes.
  void ProfileData(const MemberValues& v, Rows rows, Texts texts) {
    const double x = xsym + prtoffs;
    prty += 2;
    At(x, prty);
    pr.SetUnderline(true);
    pr.Print("Profile data:");
    pr.SetUnderline(false);
    for (const DataRow& r : rows) {
      prty += 1;
      TextAt(x, prty, r.symbol);
      pr.SetCurrentX(xeq + prtoffs);
      pr.Print("=");
      if (known == Known::All || (known == Known::Dimensions && r.dimension)) {
        EndingAt(xval + prtoffs, Fmt(v.*r.value, r.pattern));
        pr.Print(" ");
        pr.PrintLine(r.unit);
      }
    }
    if (texts.size() == 0) return;
    prty += 1;
    TextAt(x, prty, "Local buckling:");
    for (const std::string* t : texts) {
      prty += 1;
      At(x, prty);
      if (known == Known::All) pr.PrintLine(*t);
    }
  }

  // ---- results

  void Results() {
    prtytop = static_cast<float>(prty);
    if (!z.calcok) {
      StoppedNote();
      return;
    }
    DrawShellPanel(z, pr, prty, prtleft, 1);
    switch (z.cylinder) {
      case 1:
        if (z.ringch == 1) TwoRowsBelow(DrawRingPanel);
        break;
      case 2:
        prty = prtytop;
        if (chk::div(z.s, z.t) > 3 * chk::sqrt(chk::div(z.cylr, z.t))) {
          DrawUnstiffNote(z, pr, prty, xval, 1);
          prty += 9;
        } else {
          DrawStiffPanel(z, pr, prty, xval, 1);
        }
        if (z.ringch == 1) TwoRowsBelow(DrawRingPanel);
        break;
      case 3:
        TwoRowsBelow(DrawColPanel);
        break;
      default:
        break;
    }
  }

  // A panel in the left column two rows below the last one; prty stays.
  void TwoRowsBelow(void (*draw)(State&, PanelSurface&, double&, double, double)) {
    double y = prty + 2;
    draw(z, pr, y, prtleft, 1);
  }

  void StoppedNote() {
    pr.SetBold(true);
    TextAt(prtleft, prty, StoppedCalculationText());
    pr.SetBold(false);
    // the reason in the words of the stop message, first line only
    const std::string why = z.stopmsg.substr(0, z.stopmsg.find_first_of("\r\n"));
    if (!why.empty()) {
      prty += 1;
      TextAt(prtleft, prty, why);
    }
  }

  State& z;
  PrintSurface& pr;

  // layout state of one page
  double prty = 0;
  float prtytop = 0;
  float prtfont = 11;
  int16 prtcols = 136;
  double prtrows = 88, prtleft = 13.6, prtoffs = 0;
  double xlabel = 0, xeq2 = 0, xval2 = 0, xmat = 0, xsym = 0;
  float xeq = 0;
  double xval = 0, xrule = 0;
  float xpic = 0, xpicr = 0;
  double sketchW = 0, sketchH = 0;  // the cylinder sketch, grid units
  // the member of the profile block being printed
  Known known = Known::All;
  MemberValues values{};
};

}  // namespace

void PrintReport(State& z, PrintSurface& printer, const ReportStamp& stamp) {
  Report(z, printer).Print(stamp);
}

void PrintCopies(State& z, PrintSurface& printer, int copies, const std::function<ReportStamp()>& stamp) {
  for (int copy = 1; copy <= copies; ++copy) {
    PrintReport(z, printer, stamp());
    printer.EndDoc();
  }
}

std::string StoppedCalculationText() {
  return "The last calculation stopped: there are no results for these inputs.";
}

}  // namespace zod
