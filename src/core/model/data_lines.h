#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/data_text.h"
#include "support/errors.h"
#include "support/progress.h"

namespace mervanta {

// The non-empty physical lines of a text (runs of bytes other than CR and LF).
int CountDataLines(std::string_view text);

// What one walk over a data file's lines found.
struct TLinesParse {
  bool AnyLine = false;
  int Smallest = 0;  // fields of the line with the fewest
  int Largest = 0;
  bool Failed = false;

  // No lines, or the same number of fields, at least two, on every line: the separator fits.
  bool Clean() const { return !Failed && (!AnyLine || (Smallest == Largest && Smallest >= 2)); }
};

// Progress runs over the text's bytes in steps of this many.
inline constexpr std::uint64_t kProgressBytes = 64 * 1024;

// Walks the text's lines from its start, each ending at a line break outside quotes (one CR,
// then one LF, is skipped) or at the text's end. `read(window, pos)` reads the line at `pos`
// and returns its field count, leaving `pos` on its line break; a line that does not parse
// ends the walk as failed. A line read up to the end of the window may go on in the next
// block: it is read again once that is in the window. Each whole line goes to `take()`;
// `goOn(parse)` may end the walk early.
template <class TRead, class TTake, class TGoOn>
TLinesParse WalkDataLines(TDataText& text, TRead&& read, TTake&& take, TGoOn&& goOn) {
  const std::uint64_t steps = (text.Size() + kProgressBytes - 1) / kProgressBytes;
  TProgressScope progress(static_cast<int>(std::min<std::uint64_t>(steps, INT32_MAX)));
  std::uint64_t stepped = 0;
  TLinesParse parse;
  text.Restart();
  for (;;) {
    const std::string_view window = text.Window();
    const std::size_t size = window.size();
    const std::uint64_t start = text.Consumed();
    std::size_t pos = 0;
    while (pos < size) {
      std::size_t end = pos;
      int count;
      try {
        count = read(window, end);
      } catch (const EMervantaError&) {
        parse.Failed = true;
        return parse;
      }
      // Whole at the text's end, or when its break is in the window with what follows a CR.
      const bool whole = text.AtEnd() || (end < size && (window[end] == '\n' || end + 1 < size));
      if (!whole) break;
      parse.Smallest = parse.AnyLine ? std::min(parse.Smallest, count) : count;
      parse.Largest = std::max(parse.Largest, count);
      parse.AnyLine = true;
      take();
      pos = end;
      if (pos < size && window[pos] == '\r') ++pos;
      if (pos < size && window[pos] == '\n') ++pos;
      for (; stepped < (start + pos) / kProgressBytes; ++stepped) TProgress::Step();
      if (!goOn(parse)) return parse;
    }
    text.Consume(pos);
    if (text.AtEnd()) {
      // A text that ends at a zero byte, or a file that shrank, still ends the bar at 100 %.
      for (; stepped < steps; ++stepped) TProgress::Step();
      return parse;
    }
    text.ReadMore();
  }
}

}  // namespace mervanta
