#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "support/xml_tag.h"

namespace mervanta {

// A settings or description document: one root element and everything under it. It reads
// exactly the subset it writes and never fails on malformed text: it keeps what it can.
class TXmlFile {
 public:
  TXmlFile() : Root_(std::make_unique<TXmlTag>()) {}

  TXmlTag* Root() const { return Root_.get(); }

  // Throws EMervantaError naming the file when it cannot be read or is no regular file.
  void LoadFromFile(const std::string& path);
  // UTF-16 text is converted to the ANSI code page first. The root keeps its name.
  void LoadFromString(std::string_view text);

  // Tab-indented lines ending in CR LF, written through an atomic replace.
  void SaveToFile(const std::string& path) const;
  void SaveToStrings(std::vector<std::string>& lines) const;
  std::string SaveToString() const;

 private:
  std::unique_ptr<TXmlTag> Root_;
};

}  // namespace mervanta
