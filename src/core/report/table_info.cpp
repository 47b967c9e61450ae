#include "report/table_info.h"

#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <ctime>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "model/sources.h"
#include "model/value_reader.h"
#include "support/date_time.h"
#include "support/file_io.h"
#include "support/locale.h"
#include "support/numbers.h"
#include "support/progress.h"

namespace mervanta {

namespace {

constexpr std::string_view kUnknown = "(unknown)";
constexpr int kSignificantDigits = 15;

void AddLine(TStringList& lines, std::string_view label, std::string_view value) {
  std::string line;
  line.reserve(label.size() + 2 + value.size());
  line += label;
  line += ": ";
  line += value;
  lines.push_back(std::move(line));
}

// Not a folder or a pipe, which reading whole would fail on or wait for.
bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string LastUpdateText(const std::string& path) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return std::string(kUnknown);
  std::tm local{};
  localtime_r(&info.st_mtim.tv_sec, &local);
  TDateTime date = 0, time = 0;
  if (!TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date) ||
      !TryEncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), 0, time)) {
    return std::string(kUnknown);
  }
  return DateTimeToStr(date + time);
}

std::string_view StatusText(const TTableFacts& table) {
  if (table.ReadOnly) return "Read-only";
  return table.Modified ? "Modified" : "Editing";
}

// What one column holds over one list.
class TColumnStatistics {
 public:
  void Count(std::string_view text) {
    if (text.empty()) {
      ++Empty_;
    } else if (text == "+") {
      ++Plus_;
    } else if (text == "-") {
      ++Minus_;
    } else if (TNumber number; TryReadNumber(text, number)) {
      MinNumber_ = Numbers_ == 0 ? number : std::min(MinNumber_, number);
      MaxNumber_ = Numbers_ == 0 ? number : std::max(MaxNumber_, number);
      Sum_ += number;
      ++Numbers_;
    } else if (TDateTime date; TryStrToDate(text, date)) {
      MinDate_ = Dates_ == 0 ? date : std::min(MinDate_, date);
      MaxDate_ = Dates_ == 0 ? date : std::max(MaxDate_, date);
      ++Dates_;
    }
  }

  // Empty when nothing was counted.
  std::string Text() const {
    std::string text;
    const auto add = [&text](std::string_view label, std::string_view value) {
      if (!text.empty()) text += "; ";
      text += label;
      text += ": ";
      text += value;
    };
    if (Numbers_ > 0) {
      const char separator = TLocale::Current().DecimalSeparator();
      const auto number = [separator](TNumber value) {
        return FormatGeneral(value, kSignificantDigits, separator);
      };
      add("min", number(MinNumber_));
      add("max", number(MaxNumber_));
      add("Sum total", number(Sum_));
      add("average", number(Sum_ / static_cast<TNumber>(Numbers_)));
    }
    if (Dates_ > 0) {
      add("min date", DateToStr(MinDate_));
      add("max date", DateToStr(MaxDate_));
    }
    if (Plus_ > 0) add("plus", GroupedCount(Plus_));
    if (Minus_ > 0) add("minus", GroupedCount(Minus_));
    if (Empty_ > 0) add("empty", GroupedCount(Empty_));
    return text;
  }

 private:
  TNumber Sum_ = 0;
  TNumber MinNumber_ = 0;
  TNumber MaxNumber_ = 0;
  std::int64_t Numbers_ = 0;
  TDateTime MinDate_ = 0;
  TDateTime MaxDate_ = 0;
  std::int64_t Dates_ = 0;
  std::int64_t Plus_ = 0;
  std::int64_t Minus_ = 0;
  std::int64_t Empty_ = 0;
};

// One step per cell of every list; a total beyond the bar's range is cut to it.
int StatisticsSteps(const TSources& sources) {
  std::int64_t total = 0;
  for (int i = 0; i < sources.SourceCount(); ++i) {
    const TRecords& list = sources.Source(i);
    total += static_cast<std::int64_t>(list.Columns().Count()) * list.Count();
  }
  return static_cast<int>(std::min<std::int64_t>(total, INT_MAX));
}

void AddListStatistics(const TSources& sources, int index, TStringList& lines) {
  const TRecords& list = sources.Source(index);
  const TColumns& columns = list.Columns();
  lines.push_back(sources.SourceCaption(index));
  lines.emplace_back();
  // Record by record, so that each record's fields are read in one walk.
  std::vector<TColumnStatistics> statistics(static_cast<std::size_t>(columns.Count()));
  TValueReader values(columns);
  for (const TRecord* record : list.Items()) {
    values.ForEachValue(*record, [&statistics](std::size_t c, std::string_view value) {
      TProgress::Step();
      statistics[c].Count(value);
    });
  }
  for (int c = 0; c < columns.Count(); ++c) {
    const std::string text = statistics[static_cast<std::size_t>(c)].Text();
    lines.push_back(columns[c].Caption->Value() + " (" + (text.empty() ? "no calculations" : text) +
                    ")");
  }
  lines.emplace_back();
}

}  // namespace

void TTableInfo::Summary(const TTableFacts& table, TStringList& lines) {
  const std::string& fileName = table.FileName;
  AddLine(lines, "Table", table.DisplayName);
  lines.emplace_back();
  AddLine(lines, "File", fileName.empty() ? "(file is not saved)" : fileName);
  // A table with a file name is bound to its data file: opening and saving as give one.
  AddLine(lines, "File size", fileName.empty() ? std::string(kUnknown) : FileSizeText(fileName));
  AddLine(lines, "Last file update", LastUpdateText(fileName));
  AddLine(lines, "Total records number", GroupedCount(table.RecordCount));
  AddLine(lines, "Password", table.Protected ? "Yes" : "No");
  AddLine(lines, "Status", StatusText(table));
}

void TTableInfo::ColumnStatistics(const TSources& sources, TStringList& lines) {
  TProgressScope progress(StatisticsSteps(sources));
  for (int i = 0; i < sources.SourceCount(); ++i) {
    if (sources.Source(i).Count() > 0) AddListStatistics(sources, i, lines);
  }
}

void TTableInfo::DescriptionText(const TTableFacts& table, TStringList& lines) {
  if (table.FileName.empty()) return;
  const std::string& path = table.DescriptionFileName;
  if (!IsRegularFile(path)) return;
  TStringList text = TextToList(ReadWholeFile(path));
  lines.insert(lines.end(), std::make_move_iterator(text.begin()),
               std::make_move_iterator(text.end()));
}

}  // namespace mervanta
