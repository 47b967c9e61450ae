#pragma once

#include <string>
#include <string_view>

namespace mervanta::test {

// A fresh folder under $TMPDIR, removed with everything in it at the end of the test.
class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  const std::string& Path() const { return Path_; }
  std::string File(std::string_view name) const { return Path_ + "/" + std::string(name); }
  // Writes bytes to a file in the folder and returns its path.
  std::string Write(std::string_view name, std::string_view bytes) const;

 private:
  std::string Path_;
};

// A fixture of tests/data.
std::string DataFile(std::string_view name);

}  // namespace mervanta::test
