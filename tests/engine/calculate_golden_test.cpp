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

#include "bench/varied_cases.h"
#include "engine/calc.h"
#include "tests/engine/session.h"

namespace zod {
namespace {

const std::filesystem::path kDir = std::filesystem::path(__FILE__).parent_path() / "golden";

// Every run adds a digest line of what it left: its window effects (the
// view's log is emptied after each run), the pictures, the panels, the
// section texts and the results. The default cases with a decimal point add
// the whole text too.
std::string digests, defaults;

void Calc(test::Session& s, const std::string& title, const char* run = "") {
  State& z = s.z;
  Calculate(z);
  std::ostringstream o;
  o << std::hexfloat << "calcok=" << z.calcok << " errmsg=|" << z.errmsg << "|\n";
  for (const std::string& e : s.view.log) o << "effect " << e << '\n';
  s.view.log.clear();
  for (const auto& [name, pic] : s.view.surfaces) {
    o << name << " clears=" << pic.clears << " bold=" << pic.bold() << " underline=" << pic.underline()
      << '\n';
    for (const auto& it : pic.items)
      o << ' ' << it.x << ' ' << it.y << ' ' << it.bold << it.underline << ' ' << it.r << ',' << it.g << ','
        << it.b << " |" << it.text << "|\n";
  }
  const std::pair<const char*, const ResultPanel*> panels[] = {
      {"shell", &z.shellpanel}, {"stiff", &z.stiffpanel}, {"ring", &z.ringpanel}, {"col", &z.colpanel}};
  for (const auto& [name, p] : panels) {
    o << name << " n=" << p->n << '\n';
    for (size_t i = 0; i < p->txt.size(); ++i)
      o << ' ' << i << '|' << p->txt[i] << '|' << p->val[i] << '|' << p->unit[i] << '\n';
  }
  o << "stiffsec |" << z.stiffsec.name << "|" << z.stiffwebtxt << "|" << z.stiffflangetxt << "|\n";
  o << "girdsec |" << z.girdsec.name << "|" << z.girdwebtxt1 << "|" << z.girdwebtxt2 << "|"
    << z.girdflangetxt1 << "|" << z.girdflangetxt2 << "|\n";
  o << "uftxt |" << z.ufstifftxt << "|" << z.ufinertiatxt << "|\n";
  for (double x : {z.ufshell, z.ufallow, z.ufstiff, z.ufallows, z.ufarea, static_cast<double>(z.ufinertia),
                   z.ufcol1, static_cast<double>(z.ufcol2), z.sigx, static_cast<double>(z.gilt)})
    o << x << ' ';
  o << '\n';
  const std::string text = o.str(), line = title + " dec=" + z.decsep + run;
  std::uint64_t h = 14695981039346656037ull;  // FNV-1a
  for (unsigned char c : text) h = (h ^ c) * 1099511628211ull;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%016llx ", static_cast<unsigned long long>(h));
  digests += buf + line + '\n';
  if (line.rfind("default", 0) == 0 && z.decsep == '.') defaults += "== " + line + '\n' + text;
}

std::string Read(const char* name) {
  return (std::ostringstream() << std::ifstream(kDir / name, std::ios::binary).rdbuf()).str();
}

TEST(CalculateGolden, EverythingShownIsUnchanged) {
  for (char dec : {'.', ','}) {
    // The default case of each cylinder type, calculated twice (the column
    // case replaces its stresses on the first run).
    for (int16 cyl = 0; cyl <= 3; ++cyl) {
      test::Session s(dec);
      s.z.cylinder = cyl;
      for (const char* run : {" run=1", " run=2"}) Calc(s, "default cylinder=" + std::to_string(cyl), run);
    }
    // Every profile kind for both members, with the heavy ring and, under
    // external pressure, the special Ih calculation.
    for (int16 cyl : {1, 2})
      for (int16 kind = 0; kind <= 9; ++kind)
        for (int16 ih = 0; ih <= 1; ++ih) {
          test::Session s(dec);
          s.z.cylinder = cyl, s.z.stifftype = s.z.girdtype = kind, s.z.hringch = 1, s.z.checkih = ih;
          s.z.gilt = 5000;  // corrected, with its message
          Calc(s, "kinds cylinder=" + std::to_string(cyl) + " kind=" + std::to_string(kind) +
                      " checkih=" + std::to_string(ih));
        }
    // The benchmark's cases, one after the other on one state as the
    // benchmark runs them: panels of checks that did not run keep their lines.
    test::Session s(dec);
    for (int i = 0; const VariedCase& c : VariedCases()) {
      ApplyVaried(s.z, c);
      Calc(s, "varied " + std::to_string(i++));
    }
  }
  if (std::getenv("ZOD_WRITE_GOLDEN")) {
    std::ofstream(kDir / "calculate_digests.txt", std::ios::binary) << digests;
    std::ofstream(kDir / "calculate_defaults.txt", std::ios::binary) << defaults;
    GTEST_SKIP() << "golden files written to " << kDir;
  }
  // The readable cases first: their diff says what changed.
  const std::string want = Read("calculate_defaults.txt");
  ASSERT_EQ(defaults, want) << (want.empty() ? "no golden file in " + kDir.string() : "");
  EXPECT_EQ(digests, Read("calculate_digests.txt"));
}

}  // namespace
}  // namespace zod
