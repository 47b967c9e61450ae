#pragma once

#include <string>
#include <string_view>

#include "settings/value_property.h"

namespace mervanta {

inline constexpr char kDirectoryDelimiter = '/';

// Applies pfTrimLeft, pfTrimRight and pfDirectory, in that order. Blanks are the space and
// the control characters. An empty text stays empty: a lone delimiter would name the root.
std::string NormaliseText(std::string_view text, TPropertyFlags flags);

class TStringProperty final
    : public TValueProperty<TStringProperty, std::string, TPropertyKind::String> {
 public:
  TStringProperty(std::string name, std::string caption, std::string defaultValue)
      : TValueProperty(std::move(name), std::move(caption), std::move(defaultValue)) {}

  // Normalised by the flags first, then compared case-sensitively.
  void SetValue(std::string_view value) { ChangeValue(NormaliseText(value, Flags())); }

  // An empty stored text gives the default, so a cleared text returns to it.
  void ReadValue(const TXmlTag& element, std::string_view attrName) override;
  void WriteValue(TXmlTag& element, std::string_view attrName) const override;
};

}  // namespace mervanta
