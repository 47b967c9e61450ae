#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mervanta {

// Reads the lines of a data file's text one at a time: fields split by the separator, double
// quotes switching quoting on and off anywhere in a field, "" inside quotes standing for one
// quote, and the line ending at CR or LF outside quotes or at the end of the text. Any byte,
// NUL included, can be field text. A field over 65,535 bytes or more than 256 fields raise
// "Stream read error" and leave the position where it was.
class TCsvLineReader {
 public:
  explicit TCsvLineReader(char separator);

  // Parses the line at `pos` into a packed field block (see TFieldArray) and leaves `pos` on
  // the line break or at the end. The block lasts until the next Read; it is built in one
  // area that grows up to the longest line met, so that a line costs no allocation here.
  std::string_view Read(std::string_view text, std::size_t& pos);
  // The fields of the line read last.
  int FieldCount() const { return FieldCount_; }
  // As Read, but only counts the line's fields.
  int CountFields(std::string_view text, std::size_t& pos) const;

 private:
  template <class TSink>
  void Scan(std::string_view text, std::size_t& pos, TSink& sink) const;
  // The length of the run of plain text at `bytes`, up to the first byte that ends it outside
  // quotes: the separator, a quote, CR or LF.
  std::size_t PlainRun(const char* bytes, std::size_t size) const;

  std::uint64_t SeparatorBytes_;  // the separator in every byte of a word
  std::string Block_;
  int FieldCount_ = 0;
};

}  // namespace mervanta
