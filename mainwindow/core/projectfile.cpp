#include "mainwindow/core/projectfile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <istream>
#include <ostream>
#include <sstream>
#include <system_error>
#include <utility>
#include <variant>
#include <vector>

#include "engine/checked.h"
#include "engine/cp1252.h"
#include "gui/core/boundedread.h"
#include "gui/core/safesave.h"

namespace zod {
namespace {

using Field = std::variant<int16 DesignCase::*, float DesignCase::*, double DesignCase::*, std::string DesignCase::*>;

// Lines 2..59 in file order; line 1 is the version.
const std::vector<Field>& Layout() {
  using D = DesignCase;
  static const std::vector<Field> fields = {
      &D::proj,     &D::ident,    &D::matp,    &D::mats,    &D::matg,     &D::fyp,      &D::fys,
      &D::fyg,      &D::dmethod,  &D::ufb,     &D::cylinder, &D::outside, &D::resv1,    &D::ringch,
      &D::checkih,  &D::ringfab,  &D::stifftype, &D::istiffhp, &D::istiffl, &D::istifft, &D::istifff,
      &D::girdtype, &D::igirdhp,  &D::igirdl,  &D::igirdt,  &D::igirdf,   &D::e,        &D::s,
      &D::l,        &D::lt,       &D::gilt,    &D::cyll,    &D::cylr,     &D::t,        &D::sigx,
      &D::sigy,     &D::tau,      &D::pd,      &D::stiffh,  &D::stiffb,   &D::stiffc,   &D::stifftw,
      &D::stifftf,  &D::girdh,    &D::girdb,   &D::girdc,   &D::girdtw,   &D::girdtf,   &D::hringch,
      &D::resv2,    &D::nn,       &D::m1a,     &D::m2a,     &D::m1b,      &D::m2b,      &D::k1,
      &D::k2,       &D::dmom};
  return fields;
}

// Shortest text that reads back to the same value.
template <typename T>
std::string NumberText(T v) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

// A damaged line as a message quotes it: printable characters only (others
// become "?", so a binary file cannot garble or cut the message), at most
// 40 of them.
std::string Quoted(const std::string& line) {
  constexpr std::size_t kMax = 40;
  std::string out;
  for (std::size_t i = 0; i < line.size() && i < kMax; ++i) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    const bool undefined = c == 0x81 || c == 0x8d || c == 0x8f || c == 0x90 || c == 0x9d;
    out += (c < 0x20 || c == 0x7f || undefined) ? '?' : line[i];
  }
  return "\"" + Cp1252ToUtf8(out) + (line.size() > kMax ? "...\"" : "\"");
}

// The lines of a file's text: a line ends at LF, a CR before it is dropped.
struct LineReader {
  std::string_view text;
  std::size_t pos = 0;
  int line = 0;
  std::string Next() {
    ++line;
    if (pos >= text.size()) throw Error("the file ends at line " + std::to_string(line));
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string s(text.substr(pos, end - pos));
    pos = end + 1;
    if (!s.empty() && s.back() == '\r') s.pop_back();
    return s;
  }
  [[noreturn]] void Fail(const std::string& what) const {
    throw Error("line " + std::to_string(line) + ": " + what);
  }
  // The line's number in the field's own precision, so that every value
  // written reads back bit for bit: a single read as a double and then
  // narrowed can land one unit off, and 3.4028235e+38 (the largest single)
  // lies above the largest single as a double.
  template <typename T>
  T Number() {
    std::string s = Next();
    std::size_t b = s.find_first_not_of(" \t");
    std::size_t e = s.find_last_not_of(" \t");
    if (b == std::string::npos) Fail("a number is missing");
    const char* first = s.data() + b;
    const char* last = s.data() + e + 1;
    if (*first == '+') ++first;
    T v = 0;
    auto r = std::from_chars(first, last, v);
    if (r.ec == std::errc::result_out_of_range && r.ptr == last) {
      // Too small for a single reads as the nearest it holds (0 or a
      // subnormal); too large is refused.
      if constexpr (std::is_same_v<T, float>) {
        double d = 0;
        if (std::from_chars(first, last, d).ec == std::errc() && std::fabs(d) < 1) return static_cast<float>(d);
      }
      Fail("the number is out of range");
    }
    if (r.ec != std::errc() || r.ptr != last || !std::isfinite(v))
      Fail(Quoted(s) + " is not a number");
    return v;
  }
  // A whole number of a 16-bit field, rounded half to even as the Windows
  // version rounds it, so that a file opens to the same case in both; the
  // whole range, -32768 included.
  int16 Int16() {
    const double r = std::nearbyint(Number<double>());
    if (r < -32768.0 || r > 32767.0) Fail("the number is out of range");
    return static_cast<int16>(r);
  }
};

// Codes and switches that the rest of the program indexes with.
void CheckRanges(const DesignCase& c, const State& tables) {
  auto within = [](int v, int lo, int hi, const char* name) {
    if (v < lo || v > hi)
      throw Error(std::string(name) + " = " + std::to_string(v) + " is out of range");
  };
  within(c.dmethod, 0, 1, "design method");
  within(c.cylinder, 0, 3, "cylinder type");
  using Named = std::pair<int16, const char*>;
  for (auto [v, name] : {Named{c.outside, "outside"}, Named{c.ringch, "ringch"}, Named{c.checkih, "checkih"},
                         Named{c.ringfab, "ringfab"}, Named{c.hringch, "hringch"}, Named{c.dmom, "dmom"}})
    within(v, 0, 1, name);
  within(c.stifftype, 0, 9, "stiffener kind");
  within(c.girdtype, 0, 9, "ring-frame kind");
  int nmat = std::max<int>(tables.mat.nmat, 0);
  within(c.matp, 0, nmat, "plate material");
  within(c.mats, 0, nmat, "stiffener material");
  within(c.matg, 0, nmat, "ring-frame material");
  for (auto [v, name] :
       {Named{c.istiffhp, "istiffhp"}, Named{c.istiffl, "istiffl"}, Named{c.istifft, "istifft"},
        Named{c.istifff, "istifff"}, Named{c.igirdhp, "igirdhp"}, Named{c.igirdl, "igirdl"},
        Named{c.igirdt, "igirdt"}, Named{c.igirdf, "igirdf"}})
    within(v, 0, 32767, name);
}

template <int R, int C>
void FindRow(const ProfileTable<R, C>& tab, int16& index, auto matches) {
  for (int i = 0; i <= tab.n && i < R; ++i)
    if (matches(tab.v[i])) index = static_cast<int16>(i);
}

}  // namespace

void WriteProject(std::ostream& out, const DesignCase& c) {
  out << kProjectVersion << "\r\n";
  for (const Field& f : Layout()) {
    std::visit(
        [&](auto m) {
          using T = std::remove_cvref_t<decltype(c.*m)>;
          if constexpr (std::is_same_v<T, std::string>)
            out << Utf8ToCp1252(c.*m);
          else if constexpr (std::is_same_v<T, int16>)
            out << static_cast<int>(c.*m);
          else
            out << NumberText(c.*m);
        },
        f);
    out << "\r\n";
  }
}

namespace {

DesignCase ReadProjectText(std::string_view text, const DesignCase& base, const State& tables,
                           std::int16_t& filever) {
  DesignCase c = base;
  LineReader r{text};
  double version = r.Number<double>();
  if (version != std::floor(version) || version < -32768 || version > 32767)
    r.Fail("the version is not a whole number");
  filever = static_cast<int16>(version);
  std::size_t lines = Layout().size();  // 131 and above: lines 2..59
  if (filever <= 105)
    lines = 48;  // lines 2..49
  else if (filever <= 130)
    lines = 49;  // lines 2..50
  for (std::size_t i = 0; i < lines; ++i) {
    std::visit(
        [&](auto m) {
          using T = std::remove_cvref_t<decltype(c.*m)>;
          if constexpr (std::is_same_v<T, std::string>) {
            c.*m = Cp1252ToUtf8(r.Next());
          } else if constexpr (std::is_same_v<T, int16>) {
            c.*m = r.Int16();
          } else {
            c.*m = r.Number<T>();
          }
        },
        Layout()[i]);
  }
  c.resv1 = 1;
  CheckRanges(c, tables);
  AdoptProfiles(c, tables);
  return c;
}

std::string TooLargeText() {
  return "larger than " + SizeText(kProjectFileLimit) + ", far larger than any project file";
}

}  // namespace

DesignCase ReadProject(std::istream& in, const DesignCase& base, const State& tables, std::int16_t& filever) {
  std::string text;
  switch (ReadAtMost(in, kProjectFileLimit, text)) {
    case ReadRefusal::None:
      return ReadProjectText(text, base, tables, filever);
    case ReadRefusal::TooLarge:
      throw Error("the file is " + TooLargeText());
    default:
      throw Error("the file could not be read");
  }
}

void AdoptProfiles(DesignCase& c, const State& z) {
  // Table values are single precision; the file's values are compared exactly.
  switch (c.stifftype) {
    case 0:
      FindRow(z.lprof, c.istiffl,
              [&](auto& row) { return row[1] == c.stiffh && row[2] == c.stiffb && row[3] == c.stifftw; });
      break;
    case 2:
      FindRow(z.tprof, c.istifft, [&](auto& row) {
        return row[1] == c.stiffh && row[2] == c.stiffb && row[3] == c.stifftw && row[4] == c.stifftf;
      });
      break;
    case 4:
      FindRow(z.fprof, c.istifff, [&](auto& row) { return row[1] == c.stiffh && row[2] == c.stifftw; });
      break;
    case 6:
      FindRow(z.bfprof, c.istiffhp, [&](auto& row) { return row[1] == c.stiffh && row[2] == c.stifftw; });
      break;
    default:
      break;
  }
  struct Dims {
    double h, b, c, tw;
    float tf;
  };
  auto adopt = [](BuiltUpRefs m, int16 kind, Dims d) {
    switch (kind) {
      case 1: m.lbh = d.h, m.lbb = d.b, m.lbtw = d.tw, m.lbtf = d.tf; break;
      case 3: m.tbh = d.h, m.tbb = d.b, m.tbtw = d.tw, m.tbtf = d.tf; break;
      case 5: m.fbh = d.h, m.fbtw = chk::sgl(d.tw); break;
      case 7: m.rhsh = d.h, m.rhsb = d.b, m.rhstw = chk::sgl(d.tw); break;
      case 8: m.usph = d.h, m.uspb = d.b, m.uspa = d.c, m.usptw = chk::sgl(d.tw); break;
      case 9: m.ibh = d.h, m.ibb = d.b, m.ibtw = d.tw, m.ibtf = d.tf; break;
      default: break;
    }
  };
  adopt(BuiltUp(c, Member::Stiffener), c.stifftype, {c.stiffh, c.stiffb, c.stiffc, c.stifftw, c.stifftf});
  adopt(BuiltUp(c, Member::RingFrame), c.girdtype, {c.girdh, c.girdb, c.girdc, c.girdtw, c.girdtf});
}

SaveOutcome WriteProjectFile(State& z, const std::string& name) {
  SaveOutcome saved = SaveFileSafely(name, [&z](std::ostream& out) { WriteProject(out, z); });
  z.filename = name;
  return saved;
}

void ReadProjectFile(State& z, const std::string& name) {
  std::string text, reason;
  switch (ReadFileAtMost(name, kProjectFileLimit, text, &reason)) {
    case ReadRefusal::None:
      break;
    case ReadRefusal::Missing:
      throw Error("can't find file - " + name);
    case ReadRefusal::Unreadable:
      throw Error("can't read file - " + name + ": " + reason);
    case ReadRefusal::NotRegular:
      throw Error("The file " + name + " is not a regular file and was not opened.");
    case ReadRefusal::TooLarge:
      throw Error("The file " + name + " is " + TooLargeText() + ", and was not opened.");
    case ReadRefusal::Failed:
      throw Error("The file " + name + " could not be read and was not opened.");
  }
  std::int16_t filever = 0;
  DesignCase c;
  try {
    c = ReadProjectText(text, z, z, filever);
  } catch (const Error& e) {
    throw Error("The file " + name + " is damaged (" + e.what() + ") and was not opened.");
  }
  z.designCase() = c;
  z.filever = filever;
  z.filename = name;
}

}  // namespace zod
