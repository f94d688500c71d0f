// Faults of the disk for the tests of every writer, without a full disk:
// SaveFaults stands in for the system calls of the safe save (and can change
// what a write puts on the disk), FileSizeLimit makes any write past a size
// fail (also those of libraries).
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "gui/core/safesave.h"

namespace zod::test {

// Keeps each call of the safe save in order ("write", "sync <file>",
// "rename <from> <to>", "sync folder <folder>", file names without their
// folder) and makes the calls named in `fail` fail with their error number.
// The check of write access is not kept (it writes nothing), but it fails
// as "access": the answer an ordinary user gets, where the tests run as root.
struct SaveFaults : SaveSystem {
  // by the call's first word(s): "access", "write", "sync", "rename", "sync folder"
  std::map<std::string, int> fail;
  std::vector<std::string> calls;
  std::vector<std::string> renamedFrom;  // full paths of the temporary files renamed
  // what a write puts on the disk in place of what it was given
  std::function<void(std::string&)> garble;
  ScopedSaveSystem scope{*this};

  static std::string Leaf(const std::string& path) { return std::filesystem::path(path).filename().string(); }
  int Failing(const std::string& what) const {
    const auto f = fail.find(what);
    return f == fail.end() ? 0 : f->second;
  }
  int MayWrite(const std::string& path) override {
    if (const int err = Failing("access")) return err;
    return SaveSystem::MayWrite(path);
  }
  int Write(int fd, std::string_view bytes) override {
    calls.push_back("write");
    if (const int err = Failing("write")) return err;
    if (!garble) return SaveSystem::Write(fd, bytes);
    std::string changed(bytes);
    garble(changed);
    return SaveSystem::Write(fd, changed);
  }
  int SyncFile(int fd, const std::string& path) override {
    calls.push_back("sync " + Leaf(path));
    if (const int err = Failing("sync")) return err;
    return SaveSystem::SyncFile(fd, path);
  }
  int Rename(const std::string& from, const std::string& to, bool replace) override {
    calls.push_back("rename " + Leaf(from) + " " + Leaf(to));
    renamedFrom.push_back(from);
    if (const int err = Failing("rename")) return err;
    return SaveSystem::Rename(from, to, replace);
  }
  int SyncFolder(const std::string& folder) override {
    calls.push_back("sync folder " + Leaf(folder));
    if (const int err = Failing("sync folder")) return err;
    return SaveSystem::SyncFolder(folder);
  }
};

// Writes larger than `bytes` fail for the life of the object, as on a full disk.
struct FileSizeLimit {
  struct rlimit before {};
  void (*handler)(int);
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &before);
    handler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = before;
    small.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &small);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, handler);
  }
};

}  // namespace zod::test
