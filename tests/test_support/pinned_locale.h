#pragma once

#include "support/locale.h"

namespace mervanta::test {

// Western code pages, "." as decimal separator, day-month-year dates.
inline TLocaleSettings PinnedLocaleSettings() {
  TLocaleSettings settings;
  settings.AnsiCodePage = 1252;
  settings.OemCodePage = 850;
  settings.DecimalSeparator = '.';
  settings.ThousandSeparator = ',';
  settings.ShortDateFormat = "dd.MM.yyyy";
  settings.LongTimeFormat = "HH:mm:ss";
  settings.ShortTimeFormat = "HH:mm";
  return settings;
}

inline void PinLocale() {
  TLocale::Install(PinnedLocaleSettings());
}

// Installs other settings for one test and puts the pinned ones back afterwards.
class TScopedLocale {
 public:
  explicit TScopedLocale(TLocaleSettings settings) { TLocale::Install(std::move(settings)); }
  ~TScopedLocale() { PinLocale(); }
  TScopedLocale(const TScopedLocale&) = delete;
  TScopedLocale& operator=(const TScopedLocale&) = delete;
};

}  // namespace mervanta::test
