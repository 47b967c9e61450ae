// The loading of a data file's text before it was streamed, kept as the benchmark's baseline.
#include <algorithm>

#include "model/byte_reader.h"
#include "model/csv_line_reader.h"
#include "model/data_lines.h"
#include "model/records.h"
#include "settings/options.h"
#include "support/progress.h"
#include "support/user_interface.h"
#include "support/utf16.h"

namespace mervanta {

namespace {

template <class TTake>
TLinesParse ParseWholeLines(std::string_view text, char separator, int lineCount, TTake&& take) {
  TProgressScope progress(lineCount);
  TCsvLineReader reader(separator);
  TLinesParse parse;
  std::size_t pos = 0;
  while (pos < text.size()) {
    TFieldArray fields;
    try {
      const std::string_view block = reader.Read(text, pos);
      fields = TFieldArray::Copied(block, reader.FieldCount());
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

}  // namespace

int TRecords::LoadWholeText(std::string_view bytes, int minimumFields) {
  if (!bytes.empty() && IsUtf16Text(bytes) &&
      ShowMessageBox("UNICODE?", "Warning", TButtons::YesNo, TIcon::Warning) != TAnswer::Yes) {
    throw EMervantaError("Operation aborted");
  }
  const int lineCount = CountDataLines(bytes);
  TRecordsUpdate update(*this);
  Clear();
  SetCapacity(lineCount);
  Master_->Pool_.Reserve(static_cast<std::size_t>(lineCount));

  TRecordPool& pool = Master_->Pool_;
  auto parseText = [&](char separator) {
    const int start = Count_;
    const TLinesParse parse =
        ParseWholeLines(bytes, separator, lineCount,
                        [&](TFieldArray&& fields) { Append(pool.New(std::move(fields))); });
    if (parse.Failed) FreeFrom(start);
    return parse;
  };
  const char configured = FieldSeparator(Options().Main->SeparatorIndex->Value());
  TLinesParse parse = parseText(configured);
  if (!parse.Clean()) {
    for (const char separator : kFieldSeparators) {
      if (separator == configured) continue;
      const TLinesParse trial = ParseWholeLines(bytes, separator, lineCount, [](TFieldArray&&) {});
      if (!trial.Clean() && (trial.Failed || !parse.Failed)) continue;
      FreeFrom(0);
      parse = parseText(separator);
      break;
    }
  }
  if (parse.Failed) RaiseStreamReadError();
  const int fieldCount = std::max(parse.Largest, minimumFields);
  EnsureFieldCount(fieldCount);
  return fieldCount;
}

}  // namespace mervanta
