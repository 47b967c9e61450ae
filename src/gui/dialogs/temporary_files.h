#pragma once

#include <string>
#include <vector>

namespace mervanta {

// Files that must outlive the command that made them (another process may still read them)
// and are deleted when their keeper goes, at the latest when the program ends.
class TTemporaryFiles {
 public:
  TTemporaryFiles() = default;
  ~TTemporaryFiles();
  TTemporaryFiles(const TTemporaryFiles&) = delete;
  TTemporaryFiles& operator=(const TTemporaryFiles&) = delete;

  void Keep(std::string path) { Paths_.push_back(std::move(path)); }
  const std::vector<std::string>& Paths() const { return Paths_; }

 private:
  std::vector<std::string> Paths_;
};

}  // namespace mervanta
