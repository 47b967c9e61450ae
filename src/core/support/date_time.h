#pragma once

#include <string>
#include <string_view>

namespace mervanta {

// Days since 30 December 1899; the size of the fraction is the time of day (-1.25 is
// 29 December 1899, 6:00). Tables compare dates and times as such values.
using TDateTime = double;

bool TryEncodeDate(int year, int month, int day, TDateTime& result);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);

// The local date and time of the system clock.
TDateTime Now();

// Formats by a picture of the current locale's kind (see TLocaleSettings).
std::string FormatDateTime(std::string_view picture, TDateTime value);
std::string DateToStr(TDateTime value);      // the short date format
std::string TimeToStr(TDateTime value);      // the long time format
std::string DateTimeToStr(TDateTime value);  // both, the time left out at midnight

// Reading in the current locale: the day, month and year order of the short date format with
// its separator (a missing year is this year; two digits pick the century within 50 years);
// times as hours, minutes, optional seconds and milliseconds, optional AM/PM.
bool TryStrToDate(std::string_view text, TDateTime& result);
bool TryStrToTime(std::string_view text, TDateTime& result);

}  // namespace mervanta
