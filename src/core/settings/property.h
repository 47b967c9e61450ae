#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mervanta {

class TPropertiesCategory;
class TXmlTag;

enum TPropertyFlag : std::uint8_t {
  pfStoreAlways = 1,   // written even when equal to its default
  pfAttribute = 2,     // an attribute of the category's element instead of a child element
  pfDirectory = 4,     // text: ends in the directory delimiter
  pfTrimLeft = 8,      // text: no leading blanks
  pfTrimRight = 16,    // text: no trailing blanks
  pfPrinterFont = 32,  // font: the picker offers printer fonts
  pfCommaText = 64,    // string list: stored as one comma text instead of lines
};
using TPropertyFlags = std::uint8_t;

enum class TPropertyKind { Boolean, Integer, String, Color, Font, StringList, ItemIndex };

// A named, typed setting with a default value. Its category owns it.
class TProperty {
 public:
  TProperty(std::string name, std::string caption)
      : Name_(std::move(name)), Caption_(std::move(caption)) {}
  virtual ~TProperty() = default;
  TProperty(const TProperty&) = delete;
  TProperty& operator=(const TProperty&) = delete;

  TPropertiesCategory* Category() const { return Category_; }
  // Moves the property to the end of another category's list. A property that no category
  // owns yet joins one through TPropertiesCategory::AdoptProperty instead.
  void SetCategory(TPropertiesCategory& category);

  const std::string& Name() const { return Name_; }
  // UTF-8, for the property view.
  const std::string& Caption() const { return Caption_; }
  TPropertyFlags Flags() const { return Flags_; }
  bool HasFlag(TPropertyFlag flag) const { return (Flags_ & flag) != 0; }
  void SetFlags(TPropertyFlags flags) { Flags_ = flags; }

  virtual TPropertyKind Kind() const = 0;
  // Copies the value of a property of the same kind; another kind throws EMervantaError.
  virtual void Assign(const TProperty& source) = 0;
  virtual bool IsDefault() const = 0;
  // Through the setter, like every load: a setting absent from a file means its default.
  virtual void Reset() = 0;
  // Malformed or empty stored text gives the default; it never fails. The value is set
  // through the setter, so a real change is announced.
  virtual void ReadValue(const TXmlTag& element, std::string_view attrName) = 0;
  virtual void WriteValue(TXmlTag& element, std::string_view attrName) const = 0;

 protected:
  // Tells the category, which tells its ancestors.
  void Changed();
  [[noreturn]] static void RaiseKindMismatch();

 private:
  friend class TPropertiesCategory;

  TPropertiesCategory* Category_ = nullptr;
  std::string Name_;
  std::string Caption_;
  TPropertyFlags Flags_ = 0;
};

}  // namespace mervanta
