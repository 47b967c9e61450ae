#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <utility>

#include "model/field_array.h"
#include "support/errors.h"
#include "support/progress.h"

namespace mervanta {

// The non-empty physical lines of a text (runs of bytes other than CR and LF), which is what
// a list is sized by before its data file is parsed.
int CountDataLines(std::string_view text);

// What one parse of a data file's lines found.
struct TLinesParse {
  bool AnyLine = false;
  int Smallest = 0;  // fields of the line with the fewest
  int Largest = 0;
  bool Failed = false;

  // No lines, or the same number of fields, at least two, on every line: the separator fits.
  bool Clean() const { return !Failed && (!AnyLine || (Smallest == Largest && Smallest >= 2)); }
};

// Parses the data file's lines one after the other, each ending at a line break outside
// quotes (one CR, then one LF, is skipped) or at the end, and hands each line's fields to
// `take`. A line that does not parse ends the parse as failed. Progress runs over
// `lineCount` steps.
template <class TTake>
TLinesParse ParseDataLines(std::string_view text, char separator, int lineCount, TTake&& take) {
  TProgressScope progress(lineCount);
  TLinesParse parse;
  std::size_t pos = 0;
  while (pos < text.size()) {
    TFieldArray fields;
    try {
      fields = TFieldArray::ParseCsvLine(text, pos, separator);
    } catch (const EMervantaError&) {
      parse.Failed = true;
      return parse;
    }
    const int count = fields.Count();
    parse.Smallest = parse.AnyLine ? std::min(parse.Smallest, count) : count;
    parse.Largest = std::max(parse.Largest, count);
    parse.AnyLine = true;
    take(std::move(fields));
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
    TProgress::Step();
  }
  return parse;
}

}  // namespace mervanta
