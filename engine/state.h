// The one program state: the design case, the tables, the member sections,
// the values one calculation hands from check to check, the result panels and
// the state of the running program. main() creates one and hands it by
// reference to every window; tests create as many as they like.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/dbrow.h"
#include "engine/tables.h"
#include "engine/view.h"

namespace zod {

using int16 = std::int16_t;

// Everything that makes one design case: what a project file or a database
// row holds. Types follow the stored precision: float where the value is kept
// in single precision, double for values kept unnarrowed, int16 for switches
// and codes.
struct DesignCase {
  // identification
  std::string proj, ident;
  // design format
  int16 dmethod = 0;  // DesignMethod: 0 LRFD, 1 WSD
  double ufb = 0;     // allowable (LRFD) or basic (WSD) usage factor
  // cylinder type and switches
  int16 cylinder = 0;  // CylinderType 0..3
  int16 ringch = 0, hringch = 0, outside = 0, ringfab = 0, checkih = 0, dmom = 0;
  int16 resv1 = 0, resv2 = 0;
  // geometry (mm)
  float cylr = 0;
  double t = 0, l = 0, cyll = 0, s = 0, lt = 0;
  float gilt = 0;
  double k1 = 0;
  float k2 = 0;
  // materials (MPa)
  float e = 0;
  int16 matp = 0, mats = 0, matg = 0;
  double fyp = 0, fys = 0, fyg = 0;
  float tmat = 0;
  // loads (MPa, kN, kNm)
  double sigx = 0;
  float sigy = 0, tau = 0, pd = 0;
  double nn = 0, m1a = 0, m1b = 0, m2a = 0;
  float m2b = 0;
  // longitudinal stiffener: kind, table rows, current dimensions
  int16 stifftype = 0;
  int16 istiffl = 0, istifft = 0, istifff = 0, istiffhp = 0;
  double stiffh = 0, stiffb = 0, stifftw = 0;
  float stifftf = 0;
  double stiffc = 0, stiffr = 0, stiffri = 0;
  // ring frame: kind, table rows, current dimensions
  int16 girdtype = 0;
  int16 igirdl = 0, igirdt = 0, igirdf = 0, igirdhp = 0;
  double girdh = 0, girdb = 0, girdtw = 0;
  float girdtf = 0;
  double girdc = 0, girdr = 0, girdri = 0;
  // Built-up dimension memory: each built-up kind keeps the last dimensions
  // typed for it, one set per member, so switching kinds restores them.
  // Stiffener sets begin with s, ring-frame sets with g.
  double slbh = 0, slbb = 0, slbtw = 0;  // L built up (kind 1)
  float slbtf = 0;
  double stbh = 0, stbb = 0, stbtw = 0;  // T built up (kind 3)
  float stbtf = 0;
  double sfbh = 0;  // flat bar built up (kind 5)
  float sfbtw = 0;
  double srhsh = 0, srhsb = 0;  // RHS (kind 7)
  float srhstw = 0;
  double susph = 0, suspb = 0, suspa = 0;  // trapezoid (kind 8)
  float susptw = 0;
  double sibh = 0, sibb = 0, sibtw = 0;  // I built up (kind 9)
  float sibtf = 0;
  double glbh = 0, glbb = 0, glbtw = 0;  // L built up (kind 1)
  float glbtf = 0;
  double gtbh = 0, gtbb = 0, gtbtw = 0;  // T built up (kind 3)
  float gtbtf = 0;
  double gfbh = 0;  // flat bar built up (kind 5)
  float gfbtw = 0;
  double grhsh = 0, grhsb = 0;  // RHS (kind 7)
  float grhstw = 0;
  double gusph = 0, guspb = 0, guspa = 0;  // trapezoid (kind 8)
  float gusptw = 0;
  double gibh = 0, gibb = 0, gibtw = 0;  // I built up (kind 9)
  float gibtf = 0;

  bool operator==(const DesignCase&) const = default;
};

enum class Member { Stiffener, RingFrame };

// The built-up memory of one member, so that code serving both members
// (dialogs, project file) is written once.
struct BuiltUpRefs {
  double &lbh, &lbb, &lbtw;
  float& lbtf;
  double &tbh, &tbb, &tbtw;
  float& tbtf;
  double& fbh;
  float& fbtw;
  double &rhsh, &rhsb;
  float& rhstw;
  double &usph, &uspb, &uspa;
  float& usptw;
  double &ibh, &ibb, &ibtw;
  float& ibtf;
};
BuiltUpRefs BuiltUp(DesignCase& c, Member m);

// The computed part of a member's section (the dimensions live in DesignCase).
struct SectionValues {
  double a = 0, aw = 0;
  float af = 0;
  double g = 0, zg = 0, iy = 0, iz = 0;
};
struct SectionResults : SectionValues {
  std::string name;  // designation, e.g. "L 200x90x9.0x12.0"
};

struct ResultPanel {
  int16 n = 0;  // last-line index
  std::array<std::string, 16> txt, val, unit;
};

// The pattern of every usage factor the result panels show; whoever reads
// those texts back as numbers takes it from here.
inline constexpr std::string_view kUsageFactorPattern = "0.00";

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// Values one run of Calculate hands from check to check and to the drawers.
struct CalcValues {
  std::string errmsg;
  // Whether the last run of Calculate finished. After a stop the panels
  // still hold texts of earlier inputs, so nothing may show them as results.
  bool calcok = false;
  // Why the last run stopped, in one line: errmsg when a check set it,
  // otherwise the step that stopped and the fault. Empty after a finished run.
  std::string stopmsg;
  // Whether the member's section was computed since the last run began. A
  // run that stops before a member's section leaves it holding another
  // case's profile, values and texts, which nothing may show as this case's.
  bool stiffdone = false, girddone = false;
  double Zl = 0, leo = 0, SigxSd = 0, SighpSd = 0, SighSd = 0, spanel = 0;
  float SigmSd = 0;
  double prty = 0;
  // shell and curved panel
  double fEa = 0;
  float fEh = 0;
  double SigaSd = 0, SigjSd = 0;
  float lamdas = 0, fks = 0;
  double ufchar = 0, gm = 0;
  float betaw = 0;
  double ufallow = 0, ufshell = 0;
  // effective section and torsion
  double effa = 0, effe = 0, effzt = 0, effi = 0, girdrc = 0, girdrf = 0;
  float fT = 0;
  double hw = 0;  // web height, shared by both section computations
  // stiffener buckling
  float se = 0, Isef = 0;
  double ufallows = 0, ufstiff = 0;
  std::string ufstifftxt;
  // panel ring and heavy ring
  double Areq = 0, le = 0;
  float SighR = 0;
  double ufarea = 0, Ix = 0, Ixh = 0, Ih = 0, IR = 0;
  float ufinertia = 0;
  double delta0 = 0;
  float ufspecial = 0;
  std::string ufinertiatxt;
  // column
  double ufcol1 = 0;
  float ufcol2 = 0;
};

class State : public DesignCase, public CalcValues {
 public:
  State();
  State(const State&) = delete;
  State& operator=(const State&) = delete;

  // member sections (stiffener and ring frame)
  SectionResults stiffsec, girdsec;
  std::string stiffwebtxt, stiffflangetxt;
  std::string girdwebtxt1, girdwebtxt2, girdflangetxt1, girdflangetxt2;

  // result panels
  ResultPanel shellpanel, stiffpanel, ringpanel, colpanel;

  // tables, loaded once at start-up
  MaterialTable mat;
  LProfTable lprof;
  TProfTable tprof;
  FProfTable fprof;
  BfProfTable bfprof;

  // the running program
  std::string filename;  // current project file, "New File" when never saved
  std::string apppath;   // program folder (holds the data files)
  std::string lastdir;   // last folder of a file dialog
  int16 commadec = 0;    // 0 when the system writes decimals with a point
  char decsep = '.';     // the system's decimal separator, for display formats
  double dpix = 96;      // screen dots per inch
  Rgb linkcolor;
  bool stiffinp = false, ringinp = false, stressinp = false, columninp = false;
  bool stiffres = false, ringres = false, columnres = false;
  // The case database: rows 0..kDbLastRow once a table exists (empty before),
  // the index of its closing row (empty until a table exists, so it is never
  // a count of rows) and the database input file's name.
  std::vector<DbRow> dbtab;
  std::optional<int16> dbrows;
  std::string dbfile;
  int16 filever = 0;  // version of the last project file read

  // where the engine's window effects go; never null
  View& view() { return *m_view; }
  void setView(View* v) { m_view = v ? v : &m_nullView; }

  DesignCase& designCase() { return *this; }
  const DesignCase& designCase() const { return *this; }

 private:
  NullView m_nullView;
  View* m_view = &m_nullView;
};

// Puts a new case into the design case, the panel captions and the program
// state. Leaves the ring frame's table rows, fyp, fys and fyg as they are.
void SetDefaults(State& z);

}  // namespace zod
