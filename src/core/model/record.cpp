#include "model/record.h"

#include "settings/options.h"
#include "support/trim.h"

namespace mervanta {

static_assert(sizeof(TRecord) == sizeof(TFieldArray));

namespace {

constexpr std::size_t kCaptionLength = 200;
constexpr char kEllipsis = '\x85';

}  // namespace

char FieldSeparator(int separatorIndex) {
  if (separatorIndex < 0 || separatorIndex >= static_cast<int>(kFieldSeparators.size())) {
    return kFieldSeparators[0];
  }
  return kFieldSeparators[separatorIndex];
}

std::string TRecord::Value(const TCellColumn& column) const {
  std::string buffer;
  return std::string(Value(column, buffer));
}

void TRecord::SetValue(const TCellColumn& column, std::string_view text) {
  const int field = column.FieldIndex();
  if (field >= 0) Fields_.SetField(field, text);
}

void TRecord::WriteLine(std::string& out) const {
  const TOptions& options = Options();
  Fields_.AppendCsvLine(out, FieldSeparator(options.Main->SeparatorIndex->Value()),
                        options.Other->QuoteAllFields->Value());
}

std::string TRecord::Caption() const {
  std::string text;
  for (int i = 0; i < Fields_.Count() && text.size() < kCaptionLength; ++i) {
    text += ' ';
    text += Fields_.Field(i).substr(0, kCaptionLength - text.size());
  }
  const std::string_view trimmed = Trimmed(text);
  std::string caption;
  caption.reserve(trimmed.size() + 3);
  caption += '"';
  caption += trimmed;
  caption += kEllipsis;
  caption += '"';
  return caption;
}

}  // namespace mervanta
