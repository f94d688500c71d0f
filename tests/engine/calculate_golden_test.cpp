// Everything a run of Calculate shows, held against texts recorded from a
// known-good build: every panel line, section text, window effect and drawn
// item, for the default case of every cylinder type, the profile kinds of both
// members and the 1000 varied cases of the benchmark, with both decimal
// separators. Digests keep the file small; the default cases are kept in full
// so a difference can be read.
//
// After an intended change of what the user sees, rewrite the files with
//   ZOD_WRITE_GOLDEN=1 ./zodcore_tests --gtest_filter='CalculateGolden.*'
// and review their diff.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/varied_cases.h"
#include "engine/calc.h"
#include "engine/recording.h"
#include "engine/state.h"
#include "engine/tables.h"
#include "tests/engine/session.h"

namespace zod {
namespace {

const std::filesystem::path kDir = std::filesystem::path(__FILE__).parent_path() / "golden";

std::string Hex(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%a", v);
  return buf;
}

void Panel(std::ostream& o, const char* name, const ResultPanel& p) {
  o << name << " n=" << p.n << '\n';
  for (size_t i = 0; i < p.txt.size(); ++i)
    o << ' ' << i << '|' << p.txt[i] << '|' << p.val[i] << '|' << p.unit[i] << '\n';
}

// What the run left: its window effects (the view's log is emptied after
// each run), the pictures, the panels, the section texts and the results.
std::string Record(State& z, RecordingView& v) {
  std::ostringstream o;
  o << "calcok=" << z.calcok << " errmsg=|" << z.errmsg << "|\n";
  for (const std::string& e : v.log) o << "effect " << e << '\n';
  v.log.clear();
  for (const auto& [name, pic] : v.surfaces) {
    o << name << " clears=" << pic.clears << " bold=" << pic.bold() << " underline=" << pic.underline()
      << '\n';
    for (const auto& it : pic.items)
      o << ' ' << Hex(it.x) << ' ' << Hex(it.y) << ' ' << it.bold << it.underline << ' ' << it.r << ','
        << it.g << ',' << it.b << " |" << it.text << "|\n";
  }
  Panel(o, "shell", z.shellpanel);
  Panel(o, "stiff", z.stiffpanel);
  Panel(o, "ring", z.ringpanel);
  Panel(o, "col", z.colpanel);
  o << "stiffsec |" << z.stiffsec.name << "|" << z.stiffwebtxt << "|" << z.stiffflangetxt << "|\n";
  o << "girdsec |" << z.girdsec.name << "|" << z.girdwebtxt1 << "|" << z.girdwebtxt2 << "|"
    << z.girdflangetxt1 << "|" << z.girdflangetxt2 << "|\n";
  o << "uftxt |" << z.ufstifftxt << "|" << z.ufinertiatxt << "|\n";
  for (double x : {z.ufshell, z.ufallow, z.ufstiff, z.ufallows, z.ufarea, static_cast<double>(z.ufinertia),
                   z.ufcol1, static_cast<double>(z.ufcol2), z.sigx, static_cast<double>(z.gilt)})
    o << Hex(x) << ' ';
  o << '\n';
  return o.str();
}

std::uint64_t Digest(const std::string& s) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
  return h;
}

struct CaseRun {
  std::string name;
  std::string text;
};

// A state with the shipped tables and a recording window.
struct Session : test::Session {
  using test::Session::Session;
  void Calc(std::vector<CaseRun>& runs, const std::string& name) {
    Calculate(z);
    runs.push_back({name, Record(z, view)});
  }
};

// The default case of each cylinder type, calculated twice (the column case
// replaces its stresses on the first run).
void Defaults(std::vector<CaseRun>& runs, char dec) {
  for (int16 cyl = 0; cyl <= 3; ++cyl) {
    Session s(dec);
    s.z.cylinder = cyl;
    const std::string name = std::string("default cylinder=") + std::to_string(cyl) + " dec=" + dec;
    s.Calc(runs, name + " run=1");
    s.Calc(runs, name + " run=2");
  }
}

// Every profile kind for both members, with the heavy ring and, under
// external pressure, the special Ih calculation.
void Kinds(std::vector<CaseRun>& runs, char dec) {
  for (int16 cyl : {1, 2})
    for (int16 kind = 0; kind <= 9; ++kind)
      for (int16 ih = 0; ih <= 1; ++ih) {
        Session s(dec);
        s.z.cylinder = cyl;
        s.z.stifftype = s.z.girdtype = kind;
        s.z.hringch = 1;
        s.z.checkih = ih;
        s.z.gilt = 5000;  // corrected, with its message
        s.Calc(runs, "kinds cylinder=" + std::to_string(cyl) + " kind=" + std::to_string(kind) +
                         " checkih=" + std::to_string(ih) + " dec=" + dec);
      }
}

// The benchmark's cases, one after the other on one state as the benchmark
// runs them: panels of checks that did not run keep their lines.
void Varied(std::vector<CaseRun>& runs, char dec) {
  Session s(dec);
  int i = 0;
  for (const VariedCase& c : VariedCases()) {
    ApplyVaried(s.z, c);
    s.Calc(runs, "varied " + std::to_string(i++) + " dec=" + dec);
  }
}

std::vector<CaseRun> AllRuns() {
  std::vector<CaseRun> runs;
  for (char dec : {'.', ','}) {
    Defaults(runs, dec);
    Kinds(runs, dec);
    Varied(runs, dec);
  }
  return runs;
}

std::string DigestFile(const std::vector<CaseRun>& runs) {
  std::string out;
  char buf[32];
  for (const CaseRun& r : runs) {
    std::snprintf(buf, sizeof buf, "%016llx ", static_cast<unsigned long long>(Digest(r.text)));
    out += buf + r.name + '\n';
  }
  return out;
}

std::string DefaultsFile(const std::vector<CaseRun>& runs) {
  std::string out;
  for (const CaseRun& r : runs)
    if (r.name.rfind("default", 0) == 0 && r.name.find("dec=.") != std::string::npos)
      out += "== " + r.name + '\n' + r.text;
  return out;
}

std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

std::vector<std::string> Lines(const std::string& s) {
  std::vector<std::string> out;
  std::istringstream in(s);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

TEST(CalculateGolden, EverythingShownIsUnchanged) {
  const std::vector<CaseRun> runs = AllRuns();
  const std::string digests = DigestFile(runs), defaults = DefaultsFile(runs);
  if (std::getenv("ZOD_WRITE_GOLDEN")) {
    std::ofstream(kDir / "calculate_digests.txt", std::ios::binary) << digests;
    std::ofstream(kDir / "calculate_defaults.txt", std::ios::binary) << defaults;
    GTEST_SKIP() << "golden files written to " << kDir;
  }

  // The readable cases first: their first differing line says what changed.
  const std::vector<std::string> want = Lines(ReadFile(kDir / "calculate_defaults.txt")),
                                 got = Lines(defaults);
  ASSERT_FALSE(want.empty()) << "no golden file in " << kDir;
  for (size_t i = 0; i < want.size() && i < got.size(); ++i) ASSERT_EQ(got[i], want[i]) << "line " << i + 1;
  ASSERT_EQ(got.size(), want.size());

  const std::vector<std::string> wantD = Lines(ReadFile(kDir / "calculate_digests.txt")),
                                 gotD = Lines(digests);
  ASSERT_EQ(gotD.size(), wantD.size());
  int shown = 0;
  for (size_t i = 0; i < wantD.size(); ++i) {
    EXPECT_EQ(gotD[i], wantD[i]);
    if (gotD[i] != wantD[i] && shown++ < 1) ADD_FAILURE() << "now:\n" << runs[i].text;
  }
}

}  // namespace
}  // namespace zod
