#include "model/columns.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "column_messages.h"
#include "support/errors.h"
#include "support/xml_file.h"

namespace mervanta::test {
namespace {

using TMessages = std::vector<TColumnMsg>;

TColumnStorage VirtualIf(bool isVirtual) {
  return isVirtual ? TColumnStorage::Virtual : TColumnStorage::Stored;
}

TColumn& AddColumn(TColumns& columns, std::string_view caption,
                   TColumnStorage storage = TColumnStorage::Stored) {
  auto column = std::make_unique<TColumn>(storage);
  column->Caption->SetValue(caption);
  return columns.Add(std::move(column));
}

// Each column as its caption and field index ("-" for none), checking that every column
// knows its owner and position and that the list counts its stored columns.
std::string Layout(const TColumns& columns) {
  std::string layout;
  int stored = 0;
  for (int i = 0; i < columns.Count(); ++i) {
    const TColumn& column = columns[i];
    EXPECT_EQ(column.Owner(), &columns);
    EXPECT_EQ(column.Index(), i);
    if (!layout.empty()) layout += ' ';
    layout += column.Caption->Value();
    layout += column.IsVirtual() ? "-" : std::to_string(column.FieldIndex());
    stored += column.IsVirtual() ? 0 : 1;
  }
  EXPECT_EQ(columns.StoredCount(), stored);
  return layout;
}

// Stored A, C, E and virtual B, D, in that order.
struct TFiveColumns {
  TFiveColumns() {
    for (const char* caption : {"A", "B", "C", "D", "E"}) {
      AddColumn(Columns, caption, VirtualIf(caption[0] == 'B' || caption[0] == 'D'));
    }
  }

  TColumn& Column(std::string_view caption) { return *Columns.FindByCaption(caption); }

  TColumns Columns;
};

class ColumnsChange : public ::testing::Test, protected TFiveColumns {};

TEST(Columns, RenumberAndAnnounceEachChange) {
  struct TChangeCase {
    const char* Name;
    std::function<void(TFiveColumns&)> Change;
    const char* Layout;
    TMessages Messages;
  };
  const TChangeCase cases[] = {
      {"nothing", [](TFiveColumns&) {}, "A0 B- C1 D- E2", {}},
      {"add a virtual column",
       [](TFiveColumns& test) { AddColumn(test.Columns, "F", TColumnStorage::Virtual); },
       "A0 B- C1 D- E2 F-",
       {{TMsgCode::ColumnAdded, 0, "F"}}},
      {"add a stored column",
       [](TFiveColumns& test) { AddColumn(test.Columns, "F"); },
       "A0 B- C1 D- E2 F3",
       {{TMsgCode::ColumnAdded, 0, "F"}}},
      {"remove the first stored column",
       [](TFiveColumns& test) { test.Columns.Remove(test.Column("A")); },
       "B- C0 D- E1",
       {{TMsgCode::ColumnDeleted, 0, "A"}}},
      {"remove a virtual column",
       [](TFiveColumns& test) { test.Columns.Remove(test.Column("D")); },
       "A0 B- C1 E2",
       {{TMsgCode::ColumnDeleted, -1, "D"}}},
      {"move the first stored column to the end",
       [](TFiveColumns& test) { test.Columns.Move(test.Column("A"), 4); },
       "B- C0 D- E1 A2",
       {{TMsgCode::ColumnMoved, 0, "A"}}},
      {"move the last column to the start",
       [](TFiveColumns& test) { test.Columns.Move(test.Column("E"), 0); },
       "E0 A1 B- C2 D-",
       {{TMsgCode::ColumnMoved, 2, "E"}}},
      {"move a virtual column past a stored one",
       [](TFiveColumns& test) { test.Columns.Move(test.Column("B"), 3); },
       "A0 C1 D- B- E2",
       {{TMsgCode::ColumnMoved, -1, "B"}}},
      {"move beyond the end",
       [](TFiveColumns& test) { test.Columns.Move(test.Column("C"), 99); },
       "A0 B- D- E1 C2",
       {{TMsgCode::ColumnMoved, 1, "C"}}},
      {"move before the start",
       [](TFiveColumns& test) { test.Columns.Move(test.Column("C"), -7); },
       "C0 A1 B- D- E2",
       {{TMsgCode::ColumnMoved, 1, "C"}}},
      {"move to its own place",
       [](TFiveColumns& test) { test.Columns.Move(test.Column("C"), 2); },
       "A0 B- C1 D- E2",
       {}},
      {"set a column's index",
       [](TFiveColumns& test) { test.Column("D").SetIndex(0); },
       "D- A0 B- C1 E2",
       {{TMsgCode::ColumnMoved, -1, "D"}}},
  };
  for (const TChangeCase& change : cases) {
    SCOPED_TRACE(change.Name);
    TFiveColumns test;
    TColumnMessages messages(test.Columns);
    change.Change(test);
    EXPECT_EQ(Layout(test.Columns), change.Layout);
    EXPECT_EQ(messages.Seen, change.Messages);
  }
}

TEST_F(ColumnsChange, ARemovedColumnBelongsToTheCallerAndLeavesNoTrace) {
  TColumn& c = Column("C");
  std::unique_ptr<TColumn> removed = Columns.Remove(c);
  ASSERT_EQ(removed.get(), &c);
  EXPECT_EQ(removed->Owner(), nullptr);
  EXPECT_EQ(removed->Index(), -1);
  EXPECT_EQ(removed->FieldIndex(), -1);

  TColumnMessages messages(Columns);
  EXPECT_EQ(Columns.Remove(*removed), nullptr) << "no longer in the list";
  Columns.Move(*removed, 0);
  EXPECT_TRUE(messages.Seen.empty());

  Columns.Add(std::move(removed));
  EXPECT_EQ(Layout(Columns), "A0 B- D- E1 C2");
}

TEST_F(ColumnsChange, ClearFreesAllAndAnnouncesOneReload) {
  TColumnMessages messages(Columns);
  Columns.Clear();
  EXPECT_EQ(Columns.Count(), 0);
  EXPECT_EQ(Columns.StoredCount(), 0);
  Columns.Clear();
  EXPECT_EQ(messages.Seen, (TMessages{{TMsgCode::ColumnsReloaded}}));
}

TEST_F(ColumnsChange, AssignCopiesKindsAndSettingsAndAnnouncesOneReload) {
  Column("A").Width->SetValue(40);
  Column("B").Formula->SetValue("#1");
  TColumns copy;
  AddColumn(copy, "Old");
  TColumnMessages messages(copy);
  copy.Assign(Columns);
  EXPECT_EQ(Layout(copy), "A0 B- C1 D- E2");
  EXPECT_EQ(copy[0].Width->Value(), 40);
  EXPECT_EQ(copy[1].Formula->Value(), "#1");
  EXPECT_NE(&copy[0], &Columns[0]);
  EXPECT_EQ(messages.Seen, (TMessages{{TMsgCode::ColumnsReloaded}}));

  copy.Assign(copy);
  EXPECT_EQ(copy.Count(), 5) << "assigning a list to itself keeps it";
}

TEST(Columns, TakeAtMost256Columns) {
  TColumns columns;
  for (int i = 0; i < TColumns::kMaxColumns; ++i) {
    AddColumn(columns, "C" + std::to_string(i), VirtualIf(i % 3 == 0));
  }
  TColumnMessages messages(columns);
  try {
    AddColumn(columns, "One too many");
    FAIL() << "a 257th column was added";
  } catch (const EMervantaError& error) {
    EXPECT_STREQ(error.what(), "Too many columns (256 max)");
  }
  EXPECT_EQ(columns.Count(), 256);
  EXPECT_EQ(columns.StoredCount(), 170);
  EXPECT_TRUE(messages.Seen.empty());
}

TEST(Columns, FindByCaptionTakesTheLastMatchIgnoringTheCaseOfLatinLettersOnly) {
  TColumns columns;
  AddColumn(columns, "Name");
  TColumn& second = AddColumn(columns, "NAME", TColumnStorage::Virtual);
  TColumn& accented = AddColumn(columns, "\xC9t\xE9");  // "Été" in code page 1252
  EXPECT_EQ(columns.FindByCaption("name"), &second);
  EXPECT_EQ(columns.FindByCaption("\xC9T\xC9"), nullptr);
  EXPECT_EQ(columns.FindByCaption("\xC9T\xE9"), &accented);
  EXPECT_EQ(columns.FindByCaption("Nam"), nullptr);
}

TEST(Columns, NewCaptionTakesTheSmallestFreeNumber) {
  using enum TColumnStorage;
  struct TCaptionCase {
    std::vector<const char*> Captions;
    TColumnStorage Storage;
    const char* Expected;
  };
  const TCaptionCase cases[] = {
      {{}, Stored, "Column1"},
      {{}, Virtual, "VirtualColumn1"},
      {{"Column1", "column2"}, Stored, "Column3"},
      {{"Column2", "Column3"}, Stored, "Column1"},
      {{"Column1", "Column01", "Column 2", "Column2x"}, Stored, "Column2"},
      {{"VirtualColumn1", "Column2"}, Stored, "Column1"},
      {{"Column1", "VIRTUALCOLUMN1"}, Virtual, "VirtualColumn2"},
  };
  for (const TCaptionCase& caption : cases) {
    SCOPED_TRACE(caption.Expected);
    TColumns columns;
    for (const char* existing : caption.Captions) AddColumn(columns, existing);
    EXPECT_EQ(columns.NewCaption(caption.Storage), caption.Expected);
  }
}

TEST(Columns, EnsureStoredColumnsAppendsWhatTheDataNeedsAndGivesRecordsTheirFields) {
  struct TEnsureCase {
    const char* Name;
    std::vector<const char*> Captions;  // "=" before a caption makes the column virtual
    int FieldCount;
    const char* Layout;
    std::vector<const char*> Added;
  };
  const TEnsureCase cases[] = {
      {"no columns, no data",
       {},
       0,
       "Column10 Column21 Column32",
       {"Column1", "Column2", "Column3"}},
      {"only virtual columns, no data",
       {"=V"},
       0,
       "V- Column10 Column21 Column32",
       {"Column1", "Column2", "Column3"}},
      {"five fields, three stored columns",
       {"Column1", "Column2", "Column3"},
       5,
       "Column10 Column21 Column32 Column43 Column54",
       {}},
      {"new captions fill the gaps", {"Column2", "=X"}, 3, "Column20 X- Column11 Column32", {}},
      {"two fields, four stored columns",
       {"A", "=V", "B", "C", "D"},
       2,
       "A0 V- B1 C2 D3",
       {"C", "D"}},
      {"no data for stored columns", {"A"}, 0, "A0", {"A"}},
      {"as many fields as stored columns", {"A", "B"}, 2, "A0 B1", {}},
  };
  for (const TEnsureCase& ensure : cases) {
    SCOPED_TRACE(ensure.Name);
    TColumns columns;
    for (const char* caption : ensure.Captions) {
      const bool isVirtual = caption[0] == '=';
      AddColumn(columns, caption + (isVirtual ? 1 : 0), VirtualIf(isVirtual));
    }
    TColumnMessages messages(columns);
    columns.EnsureStoredColumns(ensure.FieldCount);
    EXPECT_EQ(Layout(columns), ensure.Layout);
    TMessages expected;
    for (const char* added : ensure.Added) expected.push_back({TMsgCode::ColumnAdded, 0, added});
    EXPECT_EQ(messages.Seen, expected);
  }
}

TEST(Columns, EnsureStoredColumnsAddsNoneWhenNotAllFit) {
  TColumns columns;
  for (int i = 0; i < 255; ++i)
    AddColumn(columns, "V" + std::to_string(i), TColumnStorage::Virtual);
  TColumnMessages messages(columns);
  EXPECT_THROW(columns.EnsureStoredColumns(2), EMervantaError);
  EXPECT_EQ(columns.Count(), 255);
  EXPECT_TRUE(messages.Seen.empty());
}

TEST(Columns, FlagsOfAllColumnsChangeAtOnceWithOneAnnouncement) {
  struct TFlagCase {
    TColumnFlag Flag;
    TMsgCode Summary;
    std::function<bool(const TColumn&)> Read;
  };
  const TFlagCase cases[] = {
      {TColumnFlag::Visible, TMsgCode::ColumnsShownChanged,
       [](const TColumn& c) { return c.Visible->Value(); }},
      {TColumnFlag::ToPrint, TMsgCode::ColumnsPrintChanged,
       [](const TColumn& c) { return c.ToPrint->Value(); }},
      {TColumnFlag::ToExport, TMsgCode::ColumnsExportChanged,
       [](const TColumn& c) { return c.ToExport->Value(); }},
  };
  for (const TFlagCase& flag : cases) {
    SCOPED_TRACE(static_cast<int>(flag.Summary));
    TColumns columns;
    for (const char* caption : {"A", "B", "C"})
      AddColumn(columns, caption, VirtualIf(caption[0] == 'B'));
    TColumnMessages messages(columns);
    const auto onlyB = [](const TColumn& column) { return column.Caption->Value() == "B"; };
    columns.SetFlags(flag.Flag, onlyB);
    columns.SetFlags(flag.Flag, onlyB);
    EXPECT_FALSE(flag.Read(columns[0]));
    EXPECT_TRUE(flag.Read(columns[1]));
    EXPECT_FALSE(flag.Read(columns[2]));
    EXPECT_EQ(messages.Seen, (TMessages{{flag.Summary}})) << "nothing more when nothing changed";
  }
}

TEST(Columns, ShowOnlyHidesEveryOtherColumn) {
  TColumns columns;
  for (const char* caption : {"A", "B", "C"}) AddColumn(columns, caption);
  columns[2].Visible->SetValue(false);
  TColumnMessages messages(columns);
  columns.ShowOnly(columns[2]);
  EXPECT_EQ(messages.Seen, (TMessages{{TMsgCode::ColumnsShownChanged}}));
  EXPECT_FALSE(columns[0].Visible->Value());
  EXPECT_FALSE(columns[1].Visible->Value());
  EXPECT_TRUE(columns[2].Visible->Value());
}

TEST(Columns, PositionsAcrossTheVisibleColumns) {
  TColumns columns;
  const struct {
    const char* Caption;
    int Width;
    bool Visible;
  } layout[] = {{"A", 50, true}, {"Hidden", 70, false}, {"C", 30, true}, {"D", 100, true}};
  for (const auto& each : layout) {
    TColumn& column = AddColumn(columns, each.Caption, VirtualIf(each.Caption[0] == 'D'));
    column.Width->SetValue(each.Width);
    column.Visible->SetValue(each.Visible);
  }
  EXPECT_EQ(columns.TotalWidth(), 180);

  const int starts[] = {0, 50, 50, 80};
  for (int i = 0; i < columns.Count(); ++i) EXPECT_EQ(columns.XOfColumn(columns[i]), starts[i]);

  const struct {
    int X;
    const char* Column;
  } hits[] = {{-1, "none"}, {0, "A"},  {49, "A"},  {50, "C"},
              {79, "C"},    {80, "D"}, {179, "D"}, {180, "none"}};
  for (const auto& hit : hits) {
    SCOPED_TRACE(hit.X);
    const TColumn* found = columns.ColumnAtX(hit.X);
    EXPECT_EQ(found != nullptr ? found->Caption->Value() : "none", hit.Column);
  }
}

std::string SavedText(const TColumns& columns) {
  TXmlFile document;
  document.Root()->Name = "Table";
  columns.SaveToXml(*document.Root()->Child("Columns"));
  return document.SaveToString();
}

TEST(Columns, SaveWritesEachColumnsChangedSettingsAndLoadReadsThemBack) {
  TColumns columns;
  TColumn& name = AddColumn(columns, "Name");
  name.Width->SetValue(50);
  name.SetColumnType(TColumnType::Counter);
  name.UniqueValues->SetValue(true);
  TColumn& computed = AddColumn(columns, "Twice", TColumnStorage::Virtual);
  computed.Formula->SetValue("Val(#1)*2");
  computed.Visible->SetValue(false);
  AddColumn(columns, "Plain");

  const std::string saved = SavedText(columns);
  EXPECT_EQ(saved,
            "<Table>\r\n"
            "\t<Columns>\r\n"
            "\t\t<Column>\r\n"
            "\t\t\t<Caption value=\"Name\" />\r\n"
            "\t\t\t<Width value=\"50\" />\r\n"
            "\t\t\t<Type value=\"1\" />\r\n"
            "\t\t\t<UniqueValues value=\"Y\" />\r\n"
            "\t\t</Column>\r\n"
            "\t\t<VirtualColumn>\r\n"
            "\t\t\t<Caption value=\"Twice\" />\r\n"
            "\t\t\t<Visible value=\"N\" />\r\n"
            "\t\t\t<Formula value=\"Val(#1)*2\" />\r\n"
            "\t\t</VirtualColumn>\r\n"
            "\t\t<Column>\r\n"
            "\t\t\t<Caption value=\"Plain\" />\r\n"
            "\t\t</Column>\r\n"
            "\t</Columns>\r\n"
            "</Table>\r\n");

  TXmlFile document;
  document.LoadFromString(saved);
  TColumns loaded;
  AddColumn(loaded, "Replaced");
  TColumnMessages messages(loaded);
  loaded.LoadFromXml(*document.Root()->FindChild("Columns"));
  EXPECT_EQ(messages.Seen, (TMessages{{TMsgCode::ColumnsReloaded}}));
  EXPECT_EQ(Layout(loaded), "Name0 Twice- Plain1");
  EXPECT_EQ(SavedText(loaded), saved);
}

TEST(Columns, AColumnWithAllItsDefaultsKeepsItsPlaceInTheFile) {
  TColumns columns;
  AddColumn(columns, "");
  AddColumn(columns, "", TColumnStorage::Virtual);
  AddColumn(columns, "Last");
  const std::string saved = SavedText(columns);
  EXPECT_EQ(saved,
            "<Table>\r\n"
            "\t<Columns>\r\n"
            "\t\t<Column>\r\n"
            "\t\t\t<Caption value=\"\" />\r\n"
            "\t\t</Column>\r\n"
            "\t\t<VirtualColumn>\r\n"
            "\t\t\t<Caption value=\"\" />\r\n"
            "\t\t</VirtualColumn>\r\n"
            "\t\t<Column>\r\n"
            "\t\t\t<Caption value=\"Last\" />\r\n"
            "\t\t</Column>\r\n"
            "\t</Columns>\r\n"
            "</Table>\r\n");

  TXmlFile document;
  document.LoadFromString(saved);
  TColumns loaded;
  loaded.LoadFromXml(*document.Root()->FindChild("Columns"));
  EXPECT_EQ(Layout(loaded), "0 - Last1");
  EXPECT_TRUE(loaded[0].Caption->IsDefault());
}

TEST(Columns, LoadSkipsUnknownElementsAndStopsAt256Columns) {
  TXmlTag element("Columns");
  for (int i = 0; i < 200; ++i) element.AddChild("Column");
  element.AddChild("Column ")->AddChild("Caption")->WriteString("value", "unknown");
  element.AddChild("Unknown");
  for (int i = 0; i < 57; ++i) element.AddChild("VirtualColumn");
  element.AddChild("Column");

  TColumns columns;
  TColumnMessages messages(columns);
  columns.LoadFromXml(element);
  EXPECT_EQ(columns.Count(), 256);
  EXPECT_EQ(columns.StoredCount(), 200);
  EXPECT_TRUE(columns[255].IsVirtual());
  EXPECT_EQ(columns.FindByCaption("unknown"), nullptr);
  EXPECT_EQ(messages.Seen, (TMessages{{TMsgCode::ColumnsReloaded}}));
}

}  // namespace
}  // namespace mervanta::test
