// Arbitrary bytes as a project file, opened as File > Open opens it, over
// the shipped tables and the default case: the file is read from disk by
// the file wrapper and applied to the program state, then the case is made
// whole as the window does after a read (yield strengths, stiffener
// section) and calculated. A refused file changes nothing of the case or its
// name. A file that opens leaves a case that File > Save writes and File >
// Open reads back to the same case.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/calc.h"
#include "engine/tables.h"
#include "fuzz/shippedtables.h"
#include "mainwindow/core/projectfile.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

// A file of this process in memory-backed storage where there is one.
std::string Path(const char* name) {
  const std::filesystem::path shm = "/dev/shm";
  const std::filesystem::path dir =
      std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
  return (dir / ("zod_fuzz_" + std::to_string(::getpid()) + "_" + name)).string();
}

const std::string& Opened() {
  static const std::string path = Path("opened.vtr");
  return path;
}
const std::string& Saved() {
  static const std::string path = Path("saved.vtr");
  return path;
}

void RemoveFiles() {
  std::filesystem::remove(Opened());
  std::filesystem::remove(Saved());
}

// The steps of File > Open after the read, without the profile dialogs and
// the refresh of the window: a case that names a table row the tables lack
// stops its step with a message and goes on.
void ReDerive(zod::State& z) {
  try {
    zod::GetFyp(z, z.matp);
    zod::StiffSection(z, z.stifftype);
  } catch (const zod::Error&) {
  }
  try {
    zod::GetFyOfCase(z, zod::Member::Stiffener);
  } catch (const zod::Error&) {
  }
  zod::Calculate(z);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zod::State* z = &zod::fuzz::ShippedTables();
  // the names first, so that they outlive the handler that removes the files
  static const bool removed = (Opened(), Saved(), std::atexit(RemoveFiles) == 0);
  (void)removed;
  zod::SetDefaults(*z);
  const zod::DesignCase before = *z;
  const std::string filename = z->filename;
  std::ofstream(Opened(), std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  try {
    zod::ReadProjectFile(*z, Opened());
  } catch (const zod::Error&) {
    Check(z->designCase() == before && z->filename == filename);
    return 0;
  }
  Check(z->filename == Opened() && z->resv1 == 1);
  ReDerive(*z);

  zod::WriteProjectFile(*z, Saved());
  const zod::DesignCase saved = *z;
  try {
    zod::ReadProjectFile(*z, Saved());
  } catch (const zod::Error&) {
    Check(false);  // the program saved a case it cannot open again
  }
  Check(z->designCase() == saved);
  return 0;
}
