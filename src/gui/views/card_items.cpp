#include "views/card_items.h"

#include <QFontMetrics>
#include <QLabel>
#include <QWidget>
#include <climits>

#include "formula/formula_calculator.h"
#include "model/columns.h"
#include "model/new_record.h"
#include "model/record_validation.h"
#include "model/records.h"
#include "settings/option_categories.h"
#include "support/errors.h"
#include "support/progress.h"
#include "support/user_interface.h"
#include "views/card_layout.h"

namespace mervanta {

// Answers a virtual field's references "#n" with the text of the n-th field.
class TCardItems::TFieldLinks final : public TFoLinkResolver {
 public:
  explicit TFieldLinks(const TCardItems& items) : Items_(items) {}

  bool ResolveLink(std::int32_t column, const void*, std::string& buffer,
                   std::string_view& text) override {
    if (column < 1 || column > Items_.Count()) return false;
    try {
      buffer = Items_.Item(column - 1).Value();
    } catch (const EMervantaError&) {
      // A character the table cannot hold is refused when the card is stored; until then
      // the computed fields see no text there.
      buffer.clear();
    }
    text = buffer;
    return true;
  }

 private:
  const TCardItems& Items_;
};

TCardItems::TCardItems(TRecords& records, bool trimValues, TCardMode mode,
                       const TCardCategory& options)
    : Records_(records), TrimValues_(trimValues), Mode_(mode), Options_(options) {}

TCardItems::~TCardItems() = default;

int TCardItems::Build(QWidget* parent) {
  const bool showVirtuals = Options_.ShowVirtuals->Value();
  const bool calculate = showVirtuals && Mode_ != TCardMode::NormalSearch;
  std::vector<int> captionWidths, heights;
  for (const auto& column : Records_.Columns()) {
    if (column->IsVirtual() && Mode_ != TCardMode::NormalSearch && !showVirtuals) continue;
    auto& item = *Items_.emplace_back(std::make_unique<TCardItem>(*this, *column, parent));
    std::unique_ptr<TFormulaCalculator>& calculator = Calculators_.emplace_back();
    if (calculate && column->IsVirtual()) {
      calculator = std::make_unique<TFormulaCalculator>();
      calculator->SetFormula(column->Formula->Value());
    }
    QObject::connect(&item, &TCardItem::Changed, &item, [this] { RecalcVirtuals(); });
    captionWidths.push_back(
        QFontMetrics(item.CaptionPanel().font()).horizontalAdvance(item.CaptionPanel().text()));
    heights.push_back(item.EditorHeight());
  }
  CaptionWidth_ = CardCaptionWidth(captionWidths);
  const TCardStack stack = StackCardItems(heights);
  for (std::size_t i = 0; i < Items_.size(); ++i) {
    Items_[i]->Place(stack.Tops[i], CaptionWidth_, parent->width());
  }
  return stack.Height;
}

void TCardItems::FitWidth(int width) {
  for (const auto& item : Items_) item->FitWidth(width);
}

void TCardItems::Load(TCardLoad kind, const TUsualValues* values, const TRecord* record,
                      std::optional<TDateTime> moment) {
  Loading_ = true;
  std::string buffer;
  for (std::size_t i = 0; i < Items_.size(); ++i) {
    TCardItem& item = *Items_[i];
    switch (kind) {
      case TCardLoad::Reset:
        item.SetValue({});
        break;
      case TCardLoad::Defaults:
        item.SetValue(DefaultValue(item.Column(), moment));
        break;
      case TCardLoad::SearchValues:
        item.SetValue((*values)[i]);
        break;
      case TCardLoad::Record:
        item.SetValue(record->Value(item.Column(), buffer));
        break;
    }
  }
  Loading_ = false;
  RecalcVirtuals();
}

void TCardItems::AssignCounters() {
  TBusyScope busy;
  for (const auto& item : Items_) {
    if (item->Column().IsCounter()) item->SetValue(NextCounterValue(Records_, item->Column()));
  }
}

void TCardItems::RecalcVirtuals() {
  if (Loading_ || Recalculating_) return;
  // Setting a computed field's text would start this again for every field.
  Recalculating_ = true;
  TFieldLinks links(*this);
  std::string result;
  for (std::size_t i = 0; i < Items_.size(); ++i) {
    if (Calculators_[i] == nullptr) continue;
    Calculators_[i]->Calculate(nullptr, result, links);
    if (Items_[i]->Value() != result) Items_[i]->SetValue(result);
  }
  Recalculating_ = false;
}

bool TCardItems::ReadValues(TUsualValues& values) {
  for (std::size_t i = 0; i < Items_.size(); ++i) {
    try {
      values[i] = Items_[i]->Value();
    } catch (const EMervantaError& error) {
      Refuse(error.what(), Items_[i].get());
      return false;
    }
  }
  return true;
}

bool TCardItems::Store(TRecord& record) {
  record.EnsureFieldCount(Records_.Columns().StoredCount());
  for (const auto& item : Items_) {
    if (item->Column().IsVirtual()) continue;
    try {
      record.SetValue(item->Column(), item->Value());
    } catch (const EMervantaError& error) {
      Refuse(error.what(), item.get());
      return false;
    }
  }
  return true;
}

bool TCardItems::Validate(const TRecord* exclude, bool allowEmpty, bool noEquals) {
  TRecord record(Records_.Columns().StoredCount());
  if (!Store(record)) return false;
  try {
    ValidateRecord(Records_.Master(), record, exclude, allowEmpty, noEquals);
  } catch (const ERecordRefused& refused) {
    TCardItem* item = nullptr;
    for (const auto& each : Items_) {
      if (&each->Column() == refused.Column()) item = each.get();
    }
    Refuse(refused.what(), item);
    return false;
  }
  return true;
}

void TCardItems::Refuse(const std::string& message, TCardItem* item) {
  UserInterface().ShowMessage(message, "Information", TButtons::Ok, TIcon::Information);
  if (item != nullptr) {
    item->Enter();
  } else {
    FocusFirst();
  }
}

void TCardItems::FocusFirst() {
  for (const auto& item : Items_) {
    if (!item->ReadOnly()) {
      item->Enter();
      return;
    }
  }
}

int TCardItems::IndexOf(const TCardItem& item) const {
  for (std::size_t i = 0; i < Items_.size(); ++i) {
    if (Items_[i].get() == &item) return static_cast<int>(i);
  }
  return -1;
}

void TCardItems::FocusNear(const TCardItem& item, int step) {
  const int index = IndexOf(item) + step;
  if (index >= 0 && index < Count()) Item(index).Enter();
}

void TCardItems::FocusEnd(bool last) {
  if (!Items_.empty()) (last ? *Items_.back() : *Items_.front()).Enter();
}

void TCardItems::NoteAdded(const TRecord& record) {
  std::string buffer;
  for (const auto& item : Items_) item->NoteValue(record.Value(item->Column(), buffer));
}

}  // namespace mervanta
