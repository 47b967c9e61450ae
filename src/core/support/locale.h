#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "support/code_page.h"

namespace mervanta {

// What the program takes from the user's locale. Dates and times use pictures:
// d dd M MM yy yyyy for dates, H HH (24 h) h hh (12 h) m mm s ss tt (AM/PM) for times.
struct TLocaleSettings {
  int AnsiCodePage = 1252;
  int OemCodePage = 850;
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  std::string ShortDateFormat = "MM/dd/yyyy";
  std::string LongTimeFormat = "HH:mm:ss";
  std::string ShortTimeFormat = "HH:mm";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
};

// Reads the settings from the environment: the locale's language chooses the code pages
// (MERVANTA_CODEPAGE and MERVANTA_OEMCP override them), the C library gives the rest.
TLocaleSettings DetectLocaleSettings();

// The code page pair a locale name such as "ru_RU.UTF-8" stands for.
std::pair<int, int> CodePagesOfLocaleName(std::string_view localeName);

// Converts a strftime pattern ("%d.%m.%Y") to a date or time picture ("dd.MM.yyyy").
std::string PictureFromStrftime(std::string_view pattern);

class TLocale {
 public:
  explicit TLocale(TLocaleSettings settings);

  // The process-wide locale, detected on first use.
  static const TLocale& Current() { return Current_ != nullptr ? *Current_ : Detect(); }
  // Replaces the process-wide locale (tests pin it; nothing else should call this).
  static void Install(TLocaleSettings settings);

  const TLocaleSettings& Settings() const { return Settings_; }
  const TCodePage& Ansi() const { return *Ansi_; }
  const TCodePage& Oem() const { return *Oem_; }
  char DecimalSeparator() const { return Settings_.DecimalSeparator; }
  char DateSeparator() const { return DateSeparator_; }
  char TimeSeparator() const { return TimeSeparator_; }
  const std::array<unsigned char, 256>& AnsiToOemTable() const { return AnsiToOem_; }
  const std::array<unsigned char, 256>& OemToAnsiTable() const { return OemToAnsi_; }

 private:
  // Cells are read through the locale one by one, so the common case is an inline load.
  static inline const TLocale* Current_ = nullptr;
  static const TLocale& Detect();

  TLocaleSettings Settings_;
  std::unique_ptr<TCodePage> Ansi_;
  std::unique_ptr<TCodePage> Oem_;
  char DateSeparator_;
  char TimeSeparator_;
  std::array<unsigned char, 256> AnsiToOem_;
  std::array<unsigned char, 256> OemToAnsi_;
};

// Conversions and casing of 8-bit text in the current locale.
std::string AnsiToUtf8(std::string_view ansi);
// Refuses text the code page cannot hold exactly (see TCodePage::FromUtf8).
std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToOem(std::string_view ansi);
std::string OemToAnsi(std::string_view oem);
std::string AnsiUpperCase(std::string_view text);
std::string AnsiLowerCase(std::string_view text);

}  // namespace mervanta
