#include "model/column.h"

#include <cstdint>
#include <optional>

#include "formula/formula_calculator.h"
#include "model/columns.h"
#include "model/notices.h"
#include "support/xml_tag.h"

namespace mervanta {

namespace {

constexpr const char* kAlignmentChoices = "Auto\r\nLeft\r\nCenter\r\nRight";
constexpr const char* kTypeChoices = "General\r\nCounter\r\nFile\r\nPicture\r\nWord wrapped text";
constexpr const char* kEditorChoices =
    "Dropdown menu list\r\nSimple edit\r\nFile open dialog\r\nMultiline text";

// What the formula of a column outside any list sees: no columns at all.
class TNoLinks final : public TFoLinkResolver {
 public:
  bool ResolveLink(std::int32_t, const void*, std::string&, std::string_view&) override {
    return false;
  }
} NoLinks;

template <class TKind, class... TArgs>
TKind* AddIf(bool wanted, TPropertiesCategory& category, TArgs&&... args) {
  return wanted ? category.AddProperty<TKind>(std::forward<TArgs>(args)...) : nullptr;
}

}  // namespace

TColumn::TColumn(TColumnStorage storage)
    : Alignment(Properties_.AddProperty<TItemIndexProperty>("Alignment", "Alignment",
                                                            kAlignmentChoices, 0)),
      Caption(Properties_.AddProperty<TStringProperty>("Caption", "Caption", "")),
      Description(Properties_.AddProperty<TStringProperty>("Description", "Description", "")),
      ToExport(Properties_.AddProperty<TBooleanProperty>("ToExport", "", true)),
      ToPrint(Properties_.AddProperty<TBooleanProperty>("ToPrint", "", true)),
      Visible(Properties_.AddProperty<TBooleanProperty>("Visible", "", true)),
      Width(Properties_.AddProperty<TIntegerProperty>("Width", "", 100, 7, 1000)),
      Type(AddIf<TItemIndexProperty>(storage == TColumnStorage::Stored, Properties_, "Type", "Type",
                                     kTypeChoices, static_cast<int>(TColumnType::General))),
      Default(AddIf<TStringProperty>(storage == TColumnStorage::Stored, Properties_, "Default",
                                     "Value by default", "")),
      Editor(AddIf<TItemIndexProperty>(storage == TColumnStorage::Stored, Properties_, "Editor",
                                       "Card editor", kEditorChoices, 0)),
      UniqueValues(AddIf<TBooleanProperty>(storage == TColumnStorage::Stored, Properties_,
                                           "UniqueValues", "Non empty values", false)),
      FilledValues(AddIf<TBooleanProperty>(storage == TColumnStorage::Stored, Properties_,
                                           "FilledValues", "Unique values", false)),
      Formula(AddIf<TStringProperty>(storage == TColumnStorage::Virtual, Properties_, "Formula", "",
                                     "")),
      Calculator_(storage == TColumnStorage::Virtual ? std::make_unique<TFormulaCalculator>()
                                                     : nullptr) {
  Properties_.OnChange = [this](TPropertiesCategory&, TProperty&) { SettingChanged(); };
}

// The list never lets a column it still holds be destroyed: it takes the column out first.
TColumn::~TColumn() = default;

void TColumn::SetIndex(int index) {
  if (Owner_ != nullptr) Owner_->Move(*this, index);
}

std::string TColumn::HintText() const {
  std::string hint = "Column: " + Caption->Value();
  if (!Description->Value().empty()) hint += "\r\nDescription: " + Description->Value();
  return hint;
}

void TColumn::LoadFromXml(TXmlTag& element) {
  {
    std::optional<TMsgBlock> silence;
    if (Owner_ != nullptr) silence.emplace(Owner_);
    Properties_.LoadFromXml(element);
  }
  SettingChanged();
}

void TColumn::SaveToXml(TXmlTag& element) const {
  Properties_.SaveToXml(element);
}

void TColumn::EnsureWritten(TXmlTag& element) const {
  if (element.IsEmpty()) Caption->WriteValue(*element.AddChild("Caption"), "value");
}

void TColumn::Assign(const TColumn& source) {
  Properties_.Assign(source.Properties_);
}

void TColumn::Calculate(const TRecord& record, std::string& result) const {
  if (Calculator_ == nullptr) {
    result.clear();
    return;
  }
  Calculator_->Calculate(&record, result,
                         Owner_ != nullptr ? static_cast<TFoLinkResolver&>(*Owner_) : NoLinks);
}

void TColumn::SettingChanged() {
  if (Calculator_ != nullptr) Calculator_->SetFormula(Formula->Value());
  if (Owner_ != nullptr) {
    TColumnNotice{Owner_, this}.Send(TMsgCode::ColumnChanged);
  }
}

}  // namespace mervanta
