#include "gui/core/safesave.h"

#include <filesystem>
#include <fstream>

#include "engine/checked.h"

namespace zod {

void SaveFileSafely(const std::string& name, const std::function<void(std::ostream&)>& write) {
  namespace fs = std::filesystem;
  const fs::path target(name);
  fs::path temp = target;
  temp += ".tmp~";
  const auto fail = [&] {
    std::error_code ec;
    fs::remove(temp, ec);
    throw Error("can't save file - " + name);
  };
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) throw Error("can't save file - " + name);
    write(out);
    out.flush();
    if (!out) fail();
    out.close();
    if (!out) fail();
  }
  std::error_code ec;
  fs::rename(temp, target, ec);
  if (ec) fail();
}

}  // namespace zod
