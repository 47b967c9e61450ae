#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mervanta {

// How a field goes into a delimited line so that the data file's reader gives it back as it
// was: in double quotes when it holds a double quote, the separator, a CR or an LF, or begins
// or ends with a blank, or always with `quoteAll`; a double quote inside is written twice.
struct TCsvQuoting {
  bool Quoted;
  // Double quotes in the text, each written twice; 32 bits keep the per-field state of a
  // line small, and no cell comes near 4 GiB.
  std::uint32_t Quotes;

  // The bytes the field takes in the line.
  std::size_t WrittenSize(std::size_t textSize) const {
    return textSize + Quotes + (Quoted ? 2 : 0);
  }
};

// Inline: saving a table asks this of every field.
inline TCsvQuoting CsvQuoting(std::string_view text, char separator, bool quoteAll) {
  TCsvQuoting quoting{false, 0};
  bool special = false;
  for (const char c : text) {
    if (c == '"') {
      ++quoting.Quotes;
    } else if (c == separator || c == '\r' || c == '\n') {
      special = true;
    }
  }
  const bool edgeBlank = !text.empty() && (text.front() == ' ' || text.back() == ' ');
  quoting.Quoted = quoteAll || special || edgeBlank || quoting.Quotes > 0;
  return quoting;
}

// Hands the field as written to `put`, piece by piece in order.
template <class TPut>
void PutCsvField(std::string_view text, TCsvQuoting quoting, TPut&& put) {
  constexpr std::string_view kQuote = "\"";
  if (quoting.Quoted) put(kQuote);
  for (std::size_t left = quoting.Quotes; left > 0; --left) {
    const std::size_t quote = text.find('"');
    put(text.substr(0, quote + 1));
    put(kQuote);
    text.remove_prefix(quote + 1);
  }
  if (!text.empty()) put(text);
  if (quoting.Quoted) put(kQuote);
}

}  // namespace mervanta
