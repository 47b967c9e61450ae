#include "support/macros.h"

#include <cstddef>

#include "support/numbers.h"

namespace mervanta {

namespace {

// Whether "$name$" stands at `pos` of `text`, in any letter case. Names are ASCII letters only,
// so setting bit 5 folds exactly the two cases of each.
bool MacroAt(std::string_view text, std::size_t pos, std::string_view name) {
  if (text.size() - pos < name.size() + 2 || text[pos] != '$' ||
      text[pos + name.size() + 1] != '$') {
    return false;
  }
  for (std::size_t i = 0; i < name.size(); ++i) {
    if ((text[pos + 1 + i] | 0x20) != (name[i] | 0x20)) return false;
  }
  return true;
}

std::string MacroValue(std::size_t index, TDateTime moment) {
  int year, month, day, hour, minute, second, millisecond;
  DecodeDate(moment, year, month, day);
  DecodeTime(moment, hour, minute, second, millisecond);
  switch (index) {
    case 0:
      return DateToStr(moment);
    case 1:
      return TimeToStr(moment);
    case 2:
      return ZeroPadded(year, 4);
    case 3:
      return ZeroPadded(month, 2);
    case 4:
      return ZeroPadded(day, 2);
    case 5:
      return ZeroPadded(hour, 2);
    case 6:
      return ZeroPadded(minute, 2);
    default:
      return ZeroPadded(second, 2);
  }
}

// Replaces every "$name$" of `text` into `out`; false (and `out` unusable) when there is none.
bool ReplaceMacro(const std::string& text, std::string_view name, const std::string& value,
                  std::string& out) {
  out.clear();
  std::size_t copied = 0;
  std::size_t pos = text.find('$');
  while (pos != std::string::npos) {
    if (MacroAt(text, pos, name)) {
      out.append(text, copied, pos - copied);
      out += value;
      copied = pos + name.size() + 2;
      pos = text.find('$', copied);
    } else {
      pos = text.find('$', pos + 1);
    }
  }
  if (copied == 0) return false;
  out.append(text, copied);
  return true;
}

}  // namespace

std::string ExpandMacros(std::string_view text, std::optional<TDateTime> moment) {
  std::string result(text);
  if (text.find('$') == std::string_view::npos) return result;
  const TDateTime at = moment ? *moment : Now();
  std::string replaced;
  for (std::size_t index = 0; index < kMacroNames.size(); ++index) {
    if (ReplaceMacro(result, kMacroNames[index], MacroValue(index, at), replaced)) {
      result.swap(replaced);
    }
  }
  return result;
}

}  // namespace mervanta
