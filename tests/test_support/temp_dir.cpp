#include "test_support/temp_dir.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace mervanta::test {

TTempDir::TTempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/mervanta-test-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (::mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  Path_ = buffer.data();
}

TTempDir::~TTempDir() {
  std::error_code ignored;
  std::filesystem::permissions(Path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(Path_, ignored);
}

std::string TTempDir::Write(std::string_view name, std::string_view bytes) const {
  std::string path = File(name);
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::string DataFile(std::string_view name) {
  const char* root = std::getenv("MERVANTA_TEST_DATA");
  return std::string(root != nullptr ? root : "tests/data") + "/" + std::string(name);
}

}  // namespace mervanta::test
