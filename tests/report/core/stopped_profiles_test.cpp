// The report of a case whose calculation stopped: its profile blocks print
// the case's own profiles and no section value its run did not compute.
//
// The reference is the same case calculated to its end: the stopped page must
// hold each heading, designation, sketch and dimension of that page where it
// stands there, leave out only the section values and local-buckling texts,
// and print nothing of the case calculated before it.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "engine/calc.h"
#include "engine/tables.h"
#include "report/core/recordingprint.h"
#include "report/core/report.h"

namespace zod {
namespace {

using Text = RecordingPrintSurface::Text;
constexpr double kRow = 0.01;

// A state with the shipped tables; the calculation's messages go nowhere.
void LoadTables(State& z) {
  z.apppath = ZOD_DATA_DIR;
  ReadTables(z);
}

RecordingPrintSurface Print(State& z) {
  RecordingPrintSurface page;
  PrintReport(z, page, {});
  return page;
}

// The case under test: cylinder `type` with the ring check on, both members
// of `kind`, with dimensions (or table rows) other than the defaults.
void Profiles(State& z, int type, int16 kind) {
  z.cylinder = static_cast<int16>(type), z.ringch = 1, z.ident = "second";
  z.stifftype = z.girdtype = kind;
  z.istiffl = z.istifft = z.istifff = z.istiffhp = 3;
  z.igirdl = z.igirdt = z.igirdf = z.igirdhp = 4;
  for (Member m : {Member::Stiffener, Member::RingFrame}) {
    BuiltUpRefs b = BuiltUp(z, m);
    const double h = m == Member::Stiffener ? 240 : 310;
    b.lbh = b.tbh = b.ibh = b.rhsh = b.usph = b.fbh = h;
    b.lbb = b.tbb = b.ibb = b.rhsb = b.uspb = 110;
    b.lbtw = b.tbtw = b.ibtw = 11;
    b.rhstw = b.usptw = b.fbtw = 11;
    b.lbtf = b.tbtf = b.ibtf = 14;
    b.uspa = 40;
  }
}

const Text* Same(const RecordingPrintSurface& page, const Text& t) {
  for (const Text& u : page.texts)
    if (u.text == t.text && std::fabs(u.x - t.x) < kRow && std::fabs(u.y - t.y) < kRow) return &u;
  return nullptr;
}
const Text* AtPlace(const RecordingPrintSurface& page, double x, double y) {
  for (const Text& u : page.texts)
    if (std::fabs(u.x - x) < kRow && std::fabs(u.y - y) < kRow) return &u;
  return nullptr;
}

// What the run computes of a profile block, by the finished page: values and
// units of the section-value rows, and the local-buckling texts.
bool Computed(const RecordingPrintSurface& finished, const Text& t, int16 kind) {
  const double offs = t.x >= 73.5 ? 60 : 0;  // a ring frame beside a stiffener
  const double xsym = 45.6 + offs, xeq = 51.6 + offs;
  if (std::fabs(t.x - xsym) < kRow) {
    for (const Text& u : finished.texts)
      if (u.text == "Local buckling:" && std::fabs(u.x - xsym) < kRow && t.y > u.y + kRow) return true;
    return false;
  }
  if (t.x <= xeq + kRow) return false;
  const Text* symbol = AtPlace(finished, xsym, t.y);
  if (!symbol) return false;
  std::set<std::string> values = {"A", "g", "Iy", "Iz"};
  if (kind == 6) values.insert({"B", "tf"});  // the bulb flat's equivalent angle
  return values.count(symbol->text) > 0;
}

class StoppedProfiles : public ::testing::TestWithParam<std::pair<int, int16>> {};

TEST_P(StoppedProfiles, PrintTheCaseOwnProfilesAndNoForeignValue) {
  const auto [type, kind] = GetParam();
  State finished;
  LoadTables(finished);
  Profiles(finished, type, kind);
  Calculate(finished);
  ASSERT_TRUE(finished.calcok) << finished.stopmsg;
  const RecordingPrintSurface want = Print(finished);

  State stopped;
  LoadTables(stopped);
  Calculate(stopped);  // the case before: the defaults
  ASSERT_TRUE(stopped.calcok);
  Profiles(stopped, type, kind);
  stopped.t = 0;  // the run stops at the curvature parameter
  Calculate(stopped);
  ASSERT_FALSE(stopped.calcok);
  const RecordingPrintSurface page = Print(stopped);

  // the profile blocks: from their headings down to the closing rule
  const Text* heading = want.Find(type == 2 ? "Stiffener Profile:" : "Ringframe Profile:");
  ASSERT_NE(heading, nullptr);
  const double top = heading->y - kRow, bottom = heading->y + 16;
  const auto inBlocks = [&](const Text& t) { return t.y > top && t.y < bottom; };

  for (const Text& t : want.texts) {
    if (!inBlocks(t)) continue;
    if (Computed(want, t, kind))
      EXPECT_EQ(Same(page, t), nullptr) << "a value the run did not compute: " << t.text;
    else
      EXPECT_NE(Same(page, t), nullptr) << "missing: " << t.text << " at " << t.x << ", " << t.y;
  }
  for (const Text& t : page.texts) {
    if (!inBlocks(t)) continue;
    EXPECT_NE(Same(want, t), nullptr) << "not of this case: " << t.text << " at " << t.x << ", " << t.y;
  }
  // the sketches are those of the case's own kinds
  for (const auto& p : want.pictures) {
    bool found = false;
    for (const auto& q : page.pictures)
      found = found || (q.picture == p.picture && std::fabs(q.y - p.y) < kRow);
    EXPECT_TRUE(found) << static_cast<int>(p.picture.kind) << " " << p.picture.code;
  }
  // nothing of the case before, whose sections the members still hold
  for (const std::string& name : {stopped.stiffsec.name, stopped.girdsec.name}) {
    if (name == finished.stiffsec.name || name == finished.girdsec.name) continue;
    for (const Text& t : page.texts) EXPECT_EQ(t.text.find(name), std::string::npos) << t.text;
  }
}

std::vector<std::pair<int, int16>> Kinds() {
  std::vector<std::pair<int, int16>> out;
  for (int16 kind = 0; kind <= 9; ++kind) out.push_back({2, kind});
  for (int16 kind : {1, 6, 8}) out.push_back({1, kind});
  return out;
}

INSTANTIATE_TEST_SUITE_P(Kinds, StoppedProfiles, ::testing::ValuesIn(Kinds()), [](const auto& info) {
  return "type" + std::to_string(info.param.first) + "_kind" + std::to_string(info.param.second);
});

// A case whose profile cannot be built (a table row this installation lacks)
// prints its block without a designation rather than another case's.
TEST(StoppedProfile, UnknownTableRowPrintsNoForeignDesignation) {
  State z;
  LoadTables(z);
  Calculate(z);
  ASSERT_TRUE(z.calcok);
  const std::string stiff = z.stiffsec.name;
  z.stifftype = 0;
  z.istiffl = static_cast<int16>(z.lprof.n + 1);
  Calculate(z);
  ASSERT_FALSE(z.calcok);
  const RecordingPrintSurface page = Print(z);
  EXPECT_EQ(page.Find(" " + stiff), nullptr);
  for (const Text& t : page.texts) EXPECT_EQ(t.text.find(stiff), std::string::npos) << t.text;
}

}  // namespace
}  // namespace zod
