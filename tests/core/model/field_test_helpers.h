#pragma once

#include <string>
#include <vector>

#include "model/field_array.h"

namespace mervanta::test {

using TFieldTexts = std::vector<std::string>;

inline TFieldTexts TextsOf(const TFieldArray& fields) {
  TFieldTexts texts;
  for (int i = 0; i < fields.Count(); ++i) texts.emplace_back(fields.Field(i));
  return texts;
}

inline TFieldArray FieldsOf(const TFieldTexts& texts) {
  TFieldArray fields(static_cast<int>(texts.size()));
  for (std::size_t i = 0; i < texts.size(); ++i) fields.SetField(static_cast<int>(i), texts[i]);
  return fields;
}

// The block size the layout demands: two bytes of length per field plus the texts.
inline std::size_t ExpectedDataSize(const TFieldTexts& texts) {
  std::size_t size = 0;
  for (const std::string& text : texts) size += 2 + text.size();
  return size;
}

}  // namespace mervanta::test
