#include "support/date_time.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "support/locale.h"

namespace mervanta {

namespace {

constexpr int kDaysBeforeMonth[2][13] = {
    {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
    {0, 0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335}};
constexpr int kDaysInMonth[2][13] = {{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                     {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
// Day number of 30 December 1899 counted from 1 January 0001 as day 1.
constexpr long kDateDelta = 693594;

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

long DaysFromCivil(int year, int month, int day) {
  int y = year - 1;
  return static_cast<long>(y) * 365 + y / 4 - y / 100 + y / 400 +
         kDaysBeforeMonth[IsLeapYear(year)][month] + day;
}

// Dates without a year, or with two digits, need this year; sorting reads many of them, so
// the year is looked up again only once a minute.
int CurrentYear() {
  static std::time_t checkedAt = 0;
  static int year = 0;
  const std::time_t now = std::time(nullptr);
  if (year == 0 || now - checkedAt >= 60 || now < checkedAt) {
    int month, day;
    DecodeDate(Now(), year, month, day);
    checkedAt = now;
  }
  return year;
}

std::string Pad2(int value) {
  std::string text = std::to_string(value);
  return text.size() < 2 ? "0" + text : text;
}

// Cursor over text read by the date and time scanners.
struct TScanner {
  std::string_view Text;
  std::size_t Pos = 0;

  void SkipBlanks() {
    while (Pos < Text.size() && Text[Pos] == ' ') ++Pos;
  }
  bool Number(int& value, int& digits) {
    SkipBlanks();
    value = 0;
    digits = 0;
    while (Pos < Text.size() && Text[Pos] >= '0' && Text[Pos] <= '9' && digits < 5) {
      value = value * 10 + (Text[Pos] - '0');
      ++Pos;
      ++digits;
    }
    return digits > 0;
  }
  bool Char(char c) {
    SkipBlanks();
    if (Pos < Text.size() && Text[Pos] == c) {
      ++Pos;
      return true;
    }
    return false;
  }
  bool Word(const std::string& word) {
    SkipBlanks();
    if (word.empty() || Text.size() - Pos < word.size()) return false;
    // The program's own casing: the C library's would follow whatever locale it was set to.
    const TCodePage& ansi = TLocale::Current().Ansi();
    for (std::size_t i = 0; i < word.size(); ++i) {
      unsigned char a = static_cast<unsigned char>(Text[Pos + i]);
      unsigned char b = static_cast<unsigned char>(word[i]);
      if (ansi.Upper(a) != ansi.Upper(b)) return false;
    }
    Pos += word.size();
    return true;
  }
  bool AtEnd() {
    SkipBlanks();
    return Pos == Text.size();
  }
};

enum class TDateOrder { MDY, DMY, YMD };

TDateOrder DateOrderOf(const std::string& picture) {
  for (char c : picture) {
    if (c == 'd' || c == 'D') return TDateOrder::DMY;
    if (c == 'M') return TDateOrder::MDY;
    if (c == 'y' || c == 'Y') return TDateOrder::YMD;
  }
  return TDateOrder::MDY;
}

}  // namespace

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  if (day > kDaysInMonth[IsLeapYear(year)][month]) return false;
  result = static_cast<TDateTime>(DaysFromCivil(year, month, day) - kDateDelta);
  return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999) {
    return false;
  }
  result = (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) / 86400000.0;
  return true;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
  // The whole part is the day and the fraction's size the time, also before 1899.
  long days = static_cast<long>(std::trunc(value)) + kDateDelta;
  if (days < 1) days = 1;
  // Civil-from-days on the proleptic Gregorian calendar, day 1 being 1 January 0001.
  long n = days - 1;
  long y400 = n / 146097;
  n %= 146097;
  long y100 = std::min(n / 36524, 3L);
  n -= y100 * 36524;
  long y4 = n / 1461;
  n %= 1461;
  long y1 = std::min(n / 365, 3L);
  n -= y1 * 365;
  year = static_cast<int>(y400 * 400 + y100 * 100 + y4 * 4 + y1 + 1);
  bool leap = IsLeapYear(year);
  month = 1;
  while (month < 12 && n >= kDaysBeforeMonth[leap][month + 1]) ++month;
  day = static_cast<int>(n - kDaysBeforeMonth[leap][month] + 1);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
  double fraction = std::fabs(value - std::trunc(value));
  long ms = std::lround(fraction * 86400000.0);
  if (ms >= 86400000) ms = 86399999;
  hour = static_cast<int>(ms / 3600000);
  minute = static_cast<int>(ms / 60000 % 60);
  second = static_cast<int>(ms / 1000 % 60);
  millisecond = static_cast<int>(ms % 1000);
}

TDateTime Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::tm local{};
  localtime_r(&now.tv_sec, &local);
  TDateTime date = 0, time = 0;
  TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date);
  TryEncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59),
                static_cast<int>(now.tv_nsec / 1000000), time);
  return date + time;
}

std::string FormatDateTime(std::string_view picture, TDateTime value) {
  const TLocaleSettings& locale = TLocale::Current().Settings();
  int year, month, day, hour, minute, second, ms;
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, minute, second, ms);
  std::string out;
  std::size_t i = 0;
  while (i < picture.size()) {
    char c = picture[i];
    if (c == '\'' || c == '"') {
      std::size_t close = picture.find(c, i + 1);
      if (close == std::string_view::npos) close = picture.size();
      out.append(picture.substr(i + 1, close - i - 1));
      i = close + 1;
      continue;
    }
    std::size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    switch (c) {
      case 'd':
        out += run >= 2 ? Pad2(day) : std::to_string(day);
        break;
      case 'M':
        out += run >= 2 ? Pad2(month) : std::to_string(month);
        break;
      case 'y': {
        std::string digits = std::to_string(year);
        while (digits.size() < 4) digits.insert(0, "0");
        out += run <= 2 ? digits.substr(2) : digits;
        break;
      }
      case 'H':
        out += run >= 2 ? Pad2(hour) : std::to_string(hour);
        break;
      case 'h':
        out += run >= 2 ? Pad2(hour12) : std::to_string(hour12);
        break;
      case 'm':
        out += run >= 2 ? Pad2(minute) : std::to_string(minute);
        break;
      case 's':
        out += run >= 2 ? Pad2(second) : std::to_string(second);
        break;
      case 't':
        out += hour < 12 ? locale.TimeAMString : locale.TimePMString;
        break;
      default:
        out.append(run, c);
        break;
    }
    i += run;
  }
  return out;
}

std::string DateToStr(TDateTime value) {
  return FormatDateTime(TLocale::Current().Settings().ShortDateFormat, value);
}

std::string TimeToStr(TDateTime value) {
  return FormatDateTime(TLocale::Current().Settings().LongTimeFormat, value);
}

std::string DateTimeToStr(TDateTime value) {
  std::string text = DateToStr(value);
  if (value != std::floor(value)) text += " " + TimeToStr(value);
  return text;
}

bool TryStrToDate(std::string_view text, TDateTime& result) {
  const TLocale& locale = TLocale::Current();
  const char separator = locale.DateSeparator();
  TScanner scan{text};
  int numbers[3] = {0, 0, 0}, digits[3] = {0, 0, 0};
  if (!scan.Number(numbers[0], digits[0]) || !scan.Char(separator) ||
      !scan.Number(numbers[1], digits[1])) {
    return false;
  }
  const bool hasYear = scan.Char(separator);
  if (hasYear && !scan.Number(numbers[2], digits[2])) return false;
  if (!scan.AtEnd()) return false;

  // Where day, month and year stand; without a year, the year-first order reads month, day.
  struct TPositions {
    int Day, Month, Year;
  };
  TPositions at;
  switch (DateOrderOf(locale.Settings().ShortDateFormat)) {
    case TDateOrder::DMY:
      at = {0, 1, 2};
      break;
    case TDateOrder::MDY:
      at = {1, 0, 2};
      break;
    case TDateOrder::YMD:
      at = hasYear ? TPositions{2, 1, 0} : TPositions{1, 0, 2};
      break;
  }
  int year = hasYear ? numbers[at.Year] : CurrentYear();
  if (hasYear && digits[at.Year] <= 2) {
    const int centuryBase = CurrentYear() - 50;
    year += centuryBase / 100 * 100;
    if (year < centuryBase) year += 100;
  }
  return TryEncodeDate(year, numbers[at.Month], numbers[at.Day], result);
}

bool TryStrToTime(std::string_view text, TDateTime& result) {
  const TLocale& locale = TLocale::Current();
  const TLocaleSettings& settings = locale.Settings();
  TScanner scan{text};
  int hour, minute = 0, second = 0, ms = 0, digits;
  if (!scan.Number(hour, digits)) return false;
  bool hasMinutes = scan.Char(locale.TimeSeparator());
  if (hasMinutes) {
    if (!scan.Number(minute, digits)) return false;
    if (scan.Char(locale.TimeSeparator())) {
      if (!scan.Number(second, digits)) return false;
      if (scan.Char(locale.DecimalSeparator()) && !scan.Number(ms, digits)) return false;
    }
  }
  bool am = scan.Word(settings.TimeAMString) || scan.Word("AM");
  bool pm = !am && (scan.Word(settings.TimePMString) || scan.Word("PM"));
  if (!scan.AtEnd()) return false;
  if (!hasMinutes && !am && !pm) return false;
  if (am || pm) {
    if (hour > 12) return false;
    if (am && hour == 12) hour = 0;
    if (pm && hour < 12) hour += 12;
  }
  return TryEncodeTime(hour, minute, second, ms, result);
}

}  // namespace mervanta
