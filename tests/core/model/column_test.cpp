#include "model/column.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "column_messages.h"
#include "model/columns.h"
#include "model/record.h"
#include "support/errors.h"
#include "support/string_list.h"
#include "support/xml_tag.h"

namespace mervanta::test {
namespace {

enum TKinds { kStored = 1, kVirtual = 2, kBoth = kStored | kVirtual };

struct TSettingCase {
  const char* Name;
  const char* Caption;
  const char* DefaultText;  // as stored
  int Kinds;
  std::function<const TProperty*(const TColumn&)> Typed;
};

const TSettingCase kSettings[] = {
    {"Alignment", "Alignment", "0", kBoth, [](const TColumn& c) { return c.Alignment; }},
    {"Caption", "Caption", "", kBoth, [](const TColumn& c) { return c.Caption; }},
    {"Description", "Description", "", kBoth, [](const TColumn& c) { return c.Description; }},
    {"ToExport", "", "Y", kBoth, [](const TColumn& c) { return c.ToExport; }},
    {"ToPrint", "", "Y", kBoth, [](const TColumn& c) { return c.ToPrint; }},
    {"Visible", "", "Y", kBoth, [](const TColumn& c) { return c.Visible; }},
    {"Width", "", "100", kBoth, [](const TColumn& c) { return c.Width; }},
    {"Type", "Type", "0", kStored, [](const TColumn& c) { return c.Type; }},
    {"Default", "Value by default", "", kStored, [](const TColumn& c) { return c.Default; }},
    {"Editor", "Card editor", "0", kStored, [](const TColumn& c) { return c.Editor; }},
    {"UniqueValues", "Non empty values", "N", kStored,
     [](const TColumn& c) { return c.UniqueValues; }},
    {"FilledValues", "Unique values", "N", kStored,
     [](const TColumn& c) { return c.FilledValues; }},
    {"Formula", "", "", kVirtual, [](const TColumn& c) { return c.Formula; }},
};

// The setting's value as the description file would store it.
std::string SettingText(const TColumn& column, std::string_view name) {
  for (int i = 0; i < column.Properties().PropertyCount(); ++i) {
    const TProperty& property = column.Properties().PropertyAt(i);
    if (property.Name() != name) continue;
    TXmlTag stored;
    property.WriteValue(stored, "value");
    return stored.ReadString("value");
  }
  return "<no such setting>";
}

TEST(Column, EachKindHasItsSettingsInOrderWithCaptionsDefaultsAndTypedAccess) {
  for (const bool isVirtual : {false, true}) {
    SCOPED_TRACE(isVirtual ? "virtual" : "stored");
    const TColumn column(isVirtual ? TColumnStorage::Virtual : TColumnStorage::Stored);
    EXPECT_EQ(column.IsVirtual(), isVirtual);
    EXPECT_EQ(column.Properties().Name(), "");
    int position = 0;
    for (const TSettingCase& setting : kSettings) {
      SCOPED_TRACE(setting.Name);
      const bool present = (setting.Kinds & (isVirtual ? kVirtual : kStored)) != 0;
      if (!present) {
        EXPECT_EQ(setting.Typed(column), nullptr);
        continue;
      }
      ASSERT_LT(position, column.Properties().PropertyCount());
      const TProperty& property = column.Properties().PropertyAt(position++);
      EXPECT_EQ(setting.Typed(column), &property);
      EXPECT_EQ(property.Name(), setting.Name);
      EXPECT_EQ(property.Caption(), setting.Caption);
      EXPECT_TRUE(property.IsDefault());
      EXPECT_EQ(SettingText(column, setting.Name), setting.DefaultText);
    }
    EXPECT_EQ(column.Properties().PropertyCount(), position);
  }
}

TEST(Column, ChoiceSettingsOfferTheirItems) {
  const TColumn column(TColumnStorage::Stored);
  EXPECT_EQ(column.Alignment->Items(), (TStringList{"Auto", "Left", "Center", "Right"}));
  EXPECT_EQ(column.Type->Items(),
            (TStringList{"General", "Counter", "File", "Picture", "Word wrapped text"}));
  EXPECT_EQ(column.Editor->Items(), (TStringList{"Dropdown menu list", "Simple edit",
                                                 "File open dialog", "Multiline text"}));
}

// Sets the value through the setting's own setter and answers what it kept.
using TSetter = std::function<int(TColumn&, int)>;
const TSetter kSetWidth = [](TColumn& c, int v) { return c.Width->SetValue(v), c.Width->Value(); };
const TSetter kSetAlignment = [](TColumn& c, int v) {
  return c.Alignment->SetValue(v), c.Alignment->Value();
};
const TSetter kSetType = [](TColumn& c, int v) { return c.Type->SetValue(v), c.Type->Value(); };
const TSetter kSetEditor = [](TColumn& c, int v) {
  return c.Editor->SetValue(v), c.Editor->Value();
};

TEST(Column, SettingsKeepToTheirRangesWhenSet) {
  struct TRangeCase {
    const char* Setting;
    const TSetter& Set;
    int Value;
    int Kept;
  };
  const TRangeCase cases[] = {
      {"Width", kSetWidth, 6, 7},         {"Width", kSetWidth, 7, 7},
      {"Width", kSetWidth, 1000, 1000},   {"Width", kSetWidth, 1001, 1000},
      {"Alignment", kSetAlignment, 4, 3}, {"Alignment", kSetAlignment, -1, 0},
      {"Type", kSetType, 5, 4},           {"Editor", kSetEditor, 9, 3},
  };
  for (const TRangeCase& range : cases) {
    SCOPED_TRACE(std::string(range.Setting) + " " + std::to_string(range.Value));
    TColumn column(TColumnStorage::Stored);
    EXPECT_EQ(range.Set(column, range.Value), range.Kept);
  }
}

TEST(Column, StoredSettingsOutOfRangeReadAsTheirDefaults) {
  struct TStoredCase {
    const char* Setting;
    const char* Stored;
    const char* Read;
  };
  const TStoredCase cases[] = {
      {"Width", "6", "100"}, {"Width", "1000", "1000"}, {"Width", "wide", "100"},
      {"Type", "5", "0"},    {"Type", "4", "4"},        {"Alignment", "-1", "0"},
      {"Editor", "3", "3"},  {"Visible", "y", "N"},     {"UniqueValues", "Y", "Y"},
  };
  for (const TStoredCase& stored : cases) {
    SCOPED_TRACE(std::string(stored.Setting) + " " + stored.Stored);
    TColumn column(TColumnStorage::Stored);
    TXmlTag element("Column");
    element.AddChild(stored.Setting)->WriteString("value", stored.Stored);
    column.LoadFromXml(element);
    EXPECT_EQ(SettingText(column, stored.Setting), stored.Read);
  }
}

TEST(Column, OnlyAStoredCounterColumnIsACounter) {
  TColumn general(TColumnStorage::Stored);
  TColumn counter(TColumnStorage::Stored);
  counter.SetColumnType(TColumnType::Counter);
  const TColumn computed(TColumnStorage::Virtual);
  EXPECT_FALSE(general.IsCounter());
  EXPECT_TRUE(counter.IsCounter());
  EXPECT_FALSE(computed.IsCounter());
}

TEST(Column, HintNamesTheColumnAndItsDescriptionWhenThereIsOne) {
  struct THintCase {
    const char* Caption;
    const char* Description;
    const char* Expected;
  };
  const THintCase cases[] = {
      {"Name", "", "Column: Name"},
      {"Name", "Family name", "Column: Name\r\nDescription: Family name"},
      {"", "", "Column: "},
  };
  for (const THintCase& hint : cases) {
    SCOPED_TRACE(hint.Expected);
    TColumn column(TColumnStorage::Virtual);
    column.Caption->SetValue(hint.Caption);
    column.Description->SetValue(hint.Description);
    EXPECT_EQ(column.HintText(), hint.Expected);
  }
}

// A list with a stored column "Number" and a virtual column "Computed", and a record whose
// stored cell is "5".
class ColumnInList : public ::testing::Test {
 protected:
  ColumnInList()
      : Number(AddColumn(TColumnStorage::Stored, "Number")),
        Computed(AddColumn(TColumnStorage::Virtual, "Computed")) {
    Record.SetValue(Number, "5");
    Computed.Formula->SetValue("Val(#1)+1");
  }

  TColumn& AddColumn(TColumnStorage storage, const char* caption) {
    auto column = std::make_unique<TColumn>(storage);
    column->Caption->SetValue(caption);
    return Columns.Add(std::move(column));
  }

  TColumns Columns;
  TColumn& Number;
  TColumn& Computed;
  TRecord Record{1};
};

TEST_F(ColumnInList, AnyChangedSettingIsAnnouncedByTheListWithTheColumn) {
  TColumnMessages messages(Columns);
  Number.Width->SetValue(40);
  Computed.Visible->SetValue(false);
  Computed.Visible->SetValue(false);
  EXPECT_EQ(messages.Seen, (std::vector<TColumnMsg>{{TMsgCode::ColumnChanged, 0, "Number"},
                                                    {TMsgCode::ColumnChanged, 0, "Computed"}}));
}

TEST_F(ColumnInList, AChangedFormulaIsParsedAnew) {
  EXPECT_EQ(Record.Value(Computed), "6");
  Computed.Formula->SetValue("Val(#1)*3");
  EXPECT_EQ(Record.Value(Computed), "15");
  Computed.Formula->SetValue("Val(#1");
  EXPECT_EQ(Record.Value(Computed), "<error 44>");
}

TEST_F(ColumnInList, LoadingReadsEverySettingQuietlyThenParsesAndAnnouncesOnce) {
  TXmlTag element("VirtualColumn");
  element.AddChild("Formula")->WriteString("value", "Val(#1)*2");
  element.AddChild("Width")->WriteString("value", "50");
  element.AddChild("Caption")->WriteString("value", "Doubled");
  TColumnMessages messages(Columns);
  Computed.LoadFromXml(element);
  EXPECT_EQ(messages.Seen, (std::vector<TColumnMsg>{{TMsgCode::ColumnChanged, 0, "Doubled"}}));
  EXPECT_EQ(Computed.Width->Value(), 50);
  EXPECT_EQ(Record.Value(Computed), "10");
}

TEST_F(ColumnInList, AColumnOutsideAnyListAnnouncesNothingAndSeesNoColumns) {
  std::unique_ptr<TColumn> computed = Columns.Remove(Computed);
  TColumnMessages messages(Columns);
  computed->Formula->SetValue("\"#\"+#1");
  EXPECT_TRUE(messages.Seen.empty());
  EXPECT_EQ(Record.Value(*computed), "<error 83>");
}

TEST_F(ColumnInList, AssignCopiesEverySettingOfTheSameKind) {
  TColumn copy(TColumnStorage::Virtual);
  copy.Assign(Computed);
  EXPECT_EQ(copy.Caption->Value(), "Computed");
  EXPECT_EQ(copy.Formula->Value(), "Val(#1)+1");

  Computed.Width->SetValue(300);
  Computed.Formula->SetValue("Val(#1)*4");
  TColumnMessages messages(Columns);
  Columns[1].Assign(copy);
  EXPECT_EQ(Computed.Width->Value(), 100);
  EXPECT_EQ(Record.Value(Computed), "6") << "the copied formula is parsed";
  EXPECT_EQ(messages.Seen.size(), 2u) << "one announcement per changed setting";

  EXPECT_THROW(Number.Assign(Computed), EMervantaError);
}

TEST(Column, AStoredColumnComputesNothing) {
  const TColumn column(TColumnStorage::Stored);
  const TRecord record(2);
  std::string result = "old";
  column.Calculate(record, result);
  EXPECT_EQ(result, "");
}

}  // namespace
}  // namespace mervanta::test
