#pragma once

#include <string_view>

#include "settings/value_property.h"
#include "support/string_list.h"

namespace mervanta {

// An index into a fixed list of choices.
class TItemIndexProperty final
    : public TValueProperty<TItemIndexProperty, int, TPropertyKind::ItemIndex> {
 public:
  // The choices are lines separated by CR LF.
  TItemIndexProperty(std::string name, std::string caption, std::string_view items,
                     int defaultValue)
      : TValueProperty(std::move(name), std::move(caption), defaultValue),
        Items_(TextToList(items)) {}

  const TStringList& Items() const { return Items_; }
  int ItemCount() const { return static_cast<int>(Items_.size()); }

  // Pulled onto the nearest choice; -1 when there are none.
  void SetValue(int value);

  // A stored index that names no choice gives the default.
  void ReadValue(const TXmlTag& element, std::string_view attrName) override;
  void WriteValue(TXmlTag& element, std::string_view attrName) const override;

 private:
  TStringList Items_;
};

}  // namespace mervanta
