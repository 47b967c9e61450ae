#include "views/card_form.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

#include "model/notices.h"
#include "support/macros.h"
#include "test_support/temp_dir.h"
#include "views/card_fixture.h"
#include "views/card_memo.h"
#include "views/picture_open_dialog.h"
#include "widget_picture.h"

namespace mervanta::test {
namespace {

using CardFormTest = CardFixture;

TEST_F(CardFormTest, EachModeHasItsCaptionButtonsAndFields) {
  Stored("No", TColumnType::Counter);
  Stored("Name");
  Virtual("Upper", "UpperCase(#2)");
  TRecord& record = Make({"1", "x"});
  All.Add(record);
  struct TCase {
    TCardMode Mode;
    const char* Caption;
    const char* Ok;
    bool OkEnabled;
    const char* Cancel;
    bool Reset;
    std::vector<bool> ReadOnly;
  };
  const TCase cases[] = {
      {TCardMode::New, "New Record", "Add", true, "Close", false, {true, false, true}},
      {TCardMode::View, "View", "OK", false, "Cancel", false, {true, true, true}},
      {TCardMode::Edit, "Edit", "OK", true, "Cancel", false, {true, false, true}},
      {TCardMode::NormalSearch,
       "Normal Search",
       "Find",
       true,
       "Cancel",
       true,
       {false, false, false}},
  };
  TUsualValues values;
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Caption);
    Open(test.Mode, {.Record = &record, .Values = &values});
    EXPECT_EQ(Form->windowTitle().toStdString(), test.Caption);
    EXPECT_EQ(Button("OkButton").text().toStdString(), test.Ok);
    EXPECT_EQ(Button("OkButton").isEnabled(), test.OkEnabled);
    EXPECT_EQ(Button("CancelButton").text().toStdString(), test.Cancel);
    EXPECT_EQ(Form->findChild<QPushButton*>("ResetButton") != nullptr, test.Reset);
    std::vector<bool> readOnly;
    for (int i = 0; i < Form->Items().Count(); ++i) readOnly.push_back(Field(i).ReadOnly());
    EXPECT_EQ(readOnly, test.ReadOnly);
    EXPECT_EQ(Focused(), test.Mode == TCardMode::View           ? -1
                         : test.Mode == TCardMode::NormalSearch ? 0
                                                                : 1);
    SaveWidgetPicture(*Form, std::string("card-") + std::to_string(static_cast<int>(test.Mode)));
  }
  Card.AddingMode->SetValue(false);
  Open(TCardMode::New);
  EXPECT_EQ(Button("OkButton").text(), "OK");
  EXPECT_EQ(Button("CancelButton").text(), "Cancel");
  Card.ShowVirtuals->SetValue(false);
  EXPECT_EQ(Open(TCardMode::Edit, {.Record = &record}).Items().Count(), 2);
  EXPECT_EQ(Open(TCardMode::NormalSearch, {.Values = &values}).Items().Count(), 3)
      << "the search card shows every column";
}

TEST_F(CardFormTest, CountersProposeOneMoreThanTheLargestNumber) {
  Stored("No", TColumnType::Counter);
  Stored("Name");
  Open(TCardMode::New);
  EXPECT_EQ(Text(0), "1") << "an empty table";
  for (const char* value : {"3", "x", "10"}) All.Add(Make({value, "a"}));
  Open(TCardMode::New);
  EXPECT_EQ(Text(0), "11");
}

TEST_F(CardFormTest, ACounterAloneIsAnEmptyRecord) {
  Stored("No", TColumnType::Counter);
  Open(TCardMode::New);
  ClickOk();
  EXPECT_EQ(Messages(), std::vector<std::string>{"Information: Cannot add an empty record to the "
                                                 "table. Please specify at least one value."});
  EXPECT_EQ(All.Count(), 0);
  EXPECT_TRUE(Form->isVisible());
}

TEST_F(CardFormTest, EqualRecordsAreRefusedButAnUnchangedTemplateCopyIsNot) {
  Table.NoEquals->SetValue(true);
  Card.AddingMode->SetValue(false);
  Stored("Name");
  Stored("Note");
  TRecord& existing = Make({"a", "b"});
  All.Add(existing);
  Open(TCardMode::New);
  Type(0, "a");
  Type(1, " b ");
  ClickOk();
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"Information: This record already exists in this table."});
  EXPECT_EQ(Focused(), 0) << "the first editable field";
  EXPECT_EQ(All.Count(), 1);

  Open(TCardMode::New, {.Template = &existing});
  EXPECT_EQ(Text(0), "a");
  ClickOk();
  EXPECT_EQ(Form->result(), QDialog::Accepted);
  EXPECT_EQ(Form->Added(), 1);
  EXPECT_EQ(Rows(All), "a|b/a|b");
}

TEST_F(CardFormTest, AddingModeKeepsInsertingAtTheSamePlace) {
  Stored("Name");
  AddNamed("0123456");
  Open(TCardMode::New, {.InsertIndex = 5});
  for (const char* name : {"x", "y"}) {
    Type(0, name);
    ClickOk();
    EXPECT_EQ(Text(0), "") << "reloaded for the next record";
    EXPECT_EQ(Focused(), 0);
  }
  EXPECT_TRUE(Form->isVisible());
  EXPECT_EQ(Form->Added(), 2);
  EXPECT_EQ(Names(All), "0 1 2 3 4 y x 5 6");
  EXPECT_EQ(All.ItemIndex(), 5);

  Table.InsertFirst->SetValue(true);
  Open(TCardMode::New);
  Type(0, "z");
  ClickOk();
  EXPECT_EQ(Names(All).substr(0, 2), "z ");
  Field(0).OpenList();
  EXPECT_TRUE(Field(0).ListOpen());
  Type(0, "w");
  ClickOk();
  EXPECT_EQ(Field(0).List().Entries().front(), "0") << "sorted";
  EXPECT_NE(std::ranges::find(Field(0).List().Entries(), "w"), Field(0).List().Entries().end())
      << "a record added meanwhile joins a filled list";
}

TEST_F(CardFormTest, EditingStoresTheRecordAndAnnouncesIt) {
  Table.NoEquals->SetValue(true);
  Stored("Name");
  Stored("Note");
  AddNamed("ab");
  TRecord& record = Named("b");
  const TRecord* heard = nullptr;
  struct TListener {
    const TRecord** Heard;
    const TRecords* All;
    void Hear(const TMsg& msg) {
      if (msg.Code == TMsgCode::RecordEdited && msg.Sender == All) {
        *Heard = TRecordsNotice::Of(msg).Record;
      }
    }
  } listener{&heard, &All};
  TMsgSubscription subscription(BindListener<&TListener::Hear>(&listener));
  Open(TCardMode::Edit, {.Record = &record});
  ClickOk();
  EXPECT_TRUE(Messages().empty()) << "a record equal to itself is no duplicate";
  EXPECT_EQ(heard, &record);
  EXPECT_TRUE(Form->Edited());

  heard = nullptr;
  Open(TCardMode::Edit, {.Record = &record});
  Type(1, "  note  ");
  ClickOk();
  EXPECT_EQ(Rows(All), "a/b|note");
  heard = nullptr;
  Open(TCardMode::Edit, {.Record = &record});
  Type(0, "a");
  Field(1).SetValue("");
  ClickOk();
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"Information: This record already exists in this table."});
  EXPECT_FALSE(Form->Edited());
  EXPECT_EQ(Rows(All), "a/b|note") << "a refused card changes nothing";
  EXPECT_EQ(heard, nullptr);
}

TEST_F(CardFormTest, ColumnRulesAreCheckedInCardOrderAndFocusTheirField) {
  Card.AddingMode->SetValue(false);
  Stored("Name").FilledValues->SetValue(true);
  Stored("Note").UniqueValues->SetValue(true);
  Stored("City").UniqueValues->SetValue(true);
  All.Add(Make({"a", "n", "c"}));
  Open(TCardMode::New);
  Type(0, "a");
  ClickOk();
  Type(0, "b");
  ClickOk();
  EXPECT_EQ(Focused(), 1);
  Type(1, "n");
  ClickOk();
  EXPECT_EQ(Focused(), 2);
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{"Information: This value already exists in column \"Name\".",
                                      "Information: Value in column \"Note\" cannot be empty",
                                      "Information: Value in column \"City\" cannot be empty"}));
  EXPECT_EQ(All.Count(), 1);
}

TEST_F(CardFormTest, TextTheCodePageCannotHoldKeepsTheCardOpen) {
  Card.AddingMode->SetValue(false);
  Stored("Name");
  Stored("Note");
  Open(TCardMode::New);
  Type(0, "ok");
  // Typed as an input method would: no key stands for it.
  static_cast<QLineEdit&>(Input(1)).insert(QString::fromUtf8("\u4e2d"));
  ClickOk();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("cannot be stored"), std::string::npos) << Messages()[0];
  EXPECT_EQ(Focused(), 1);
  EXPECT_EQ(All.Count(), 0);
  EXPECT_TRUE(Form->isVisible());
}

TEST_F(CardFormTest, VirtualFieldsFollowTheTyping) {
  Stored("Name");
  Stored("Amount");
  Virtual("Label", "UpperCase(#1)+\":\"+#2");
  Open(TCardMode::New);
  EXPECT_EQ(Text(2), ":");
  Type(0, "ab");
  EXPECT_EQ(Text(2), "AB:");
  Type(1, " 5");
  EXPECT_EQ(Text(2), "AB:5") << "computed from the values as they are read, trimmed";
  Card.ShowVirtuals->SetValue(false);
  Open(TCardMode::New);
  EXPECT_EQ(Form->Items().Count(), 2);
}

TEST_F(CardFormTest, TheSearchCardKeepsBlanksAndOffersListsForComputedColumns) {
  Stored("Name");
  Virtual("Upper", "UpperCase(#1)");
  All.Add(Make({"bob"}));
  TUsualValues values;
  values[0] = "x";
  values[2] = "kept";
  Open(TCardMode::NormalSearch, {.Values = &values});
  EXPECT_EQ(Text(0), "x");
  EXPECT_EQ(Field(1).Kind(), TCardEditorKind::DropDown);
  EXPECT_FALSE(Field(1).ReadOnly());
  Press(1, Qt::Key_PageDown);
  EXPECT_EQ(Text(1), "BOB") << "the list holds the computed values";
  Type(0, " a ");
  EXPECT_EQ(Text(1), "BOB") << "nothing is recomputed while searching";
  ClickOk();
  EXPECT_EQ(values[0], " a ");
  EXPECT_EQ(values[1], "BOB");
  EXPECT_EQ(values[2], "kept");

  Open(TCardMode::NormalSearch, {.Values = &values});
  Button("ResetButton").click();
  EXPECT_EQ(Text(0), "");
  EXPECT_EQ(Text(1), "");
  EXPECT_EQ(Focused(), 0);
}

TEST_F(CardFormTest, DefaultsExpandTheirMacros) {
  Stored("Year").Default->SetValue("in $Year$");
  Stored("Name");
  Virtual("Same", "#1");
  Open(TCardMode::New);
  EXPECT_EQ(Text(0), ExpandMacros("in $Year$"));
  TDateTime moment = 0;
  ASSERT_TRUE(TryEncodeDate(2024, 2, 29, moment));
  Form->Items().Load(TCardLoad::Defaults, nullptr, nullptr, moment);
  EXPECT_EQ(Text(0), "in 2024");
  EXPECT_EQ(Text(2), "in 2024") << "computed once the loading is done";
}

TEST_F(CardFormTest, PageKeysStepThroughTheListAndWrapAround) {
  Stored("Name");
  for (const char* name : {"cherry", "Banana", "apple", "banana", "two\r\nlines"}) {
    All.Add(Make({name}));
  }
  Open(TCardMode::New);
  std::vector<std::string> seen;
  for (int key : {Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageDown,
                  Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_PageUp}) {
    Press(0, key);
    seen.push_back(Text(0));
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"apple", "Banana", "cherry", "lines", "two", "apple",
                                            "two", "lines"}));
  EXPECT_EQ(Input(0).property("selectedText").toString().toStdString(), "lines");
  Type(0, "zzz");
  Press(0, Qt::Key_PageUp);
  EXPECT_EQ(Text(0), "two") << "from a text not in the list, the last entry";
}

TEST_F(CardFormTest, ArrowsMoveBetweenFieldsExceptInsideAMemo) {
  Stored("A");
  Stored("B").Editor->SetValue(static_cast<int>(TCardEditorKind::Memo));
  Stored("C");
  Stored("D");
  Open(TCardMode::New);
  ASSERT_EQ(Field(1).Kind(), TCardEditorKind::Memo);
  Press(0, Qt::Key_Down);
  EXPECT_EQ(Focused(), 1);
  Type(1, "one");
  QTest::keyClick(&Input(1), Qt::Key_Return);
  QTest::keyClicks(&Input(1), "two");
  auto& memo = static_cast<TCardMemo&>(Input(1));
  Press(1, Qt::Key_Home);
  EXPECT_EQ(memo.textCursor().position(), 0) << "Home goes to the start of the whole text";
  Press(1, Qt::Key_Down);
  EXPECT_EQ(Focused(), 1) << "Down from the first of two lines stays in the memo";
  Press(1, Qt::Key_Up);
  EXPECT_EQ(Focused(), 1) << "Up from the last line, not at the end, stays too";
  Press(1, Qt::Key_End);
  EXPECT_EQ(memo.textCursor().position(), 7);
  Press(1, Qt::Key_Up);
  EXPECT_EQ(Focused(), 0) << "at the very end of the text Up leaves";
  Press(0, Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(Focused(), 3);
  Press(3, Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(Focused(), 0);
  Field(1).Enter();
  Press(1, Qt::Key_End);
  Press(1, Qt::Key_Down);
  EXPECT_EQ(Focused(), 2);
  EXPECT_EQ(Field(1).Value(), "one\r\ntwo");
}

TEST_F(CardFormTest, ACaptionClickFocusesItsFieldAndARightClickOpensItsMenu) {
  Stored("A");
  Stored("B").Description->SetValue("the second");
  Open(TCardMode::New);
  QLabel& caption = Field(1).CaptionPanel();
  EXPECT_EQ(caption.text(), " B");
  EXPECT_EQ(caption.toolTip().toStdString(), Columns[1].HintText());
  QTest::mouseClick(&caption, Qt::LeftButton);
  EXPECT_EQ(Focused(), 1);
  QTest::mouseClick(&Field(0).CaptionPanel(), Qt::RightButton);
  EXPECT_EQ(Focused(), 0);
  QWidget* menu = QApplication::activePopupWidget();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->objectName(), "FieldMenu");
  menu->close();
}

TEST_F(CardFormTest, APictureFieldChoosesItsFileWithAPreviewRelativeToTheCurrentFolder) {
  TTempDir folder;
  const QString previous = QDir::currentPath();
  QDir::setCurrent(QString::fromStdString(folder.Path()));
  QDir().mkdir("pictures");
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(Qt::red);
  ASSERT_TRUE(image.save("pictures/red.png"));
  Stored("Photo", TColumnType::Picture).Editor->SetValue(static_cast<int>(TCardEditorKind::File));
  Open(TCardMode::New);
  bool previewed = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = Form->findChild<TPictureOpenDialog*>("PictureOpenDialog");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->nameFilters().join(";").contains("*.png"));
    EXPECT_TRUE(dialog->nameFilters().last().contains("(*)"));
    dialog->selectFile(QDir::current().absoluteFilePath("pictures/red.png"));
    auto* preview = dialog->findChild<QLabel*>("Preview");
    // The folder's listing, and with it the current file, arrives from another thread.
    previewed = preview != nullptr &&
                QTest::qWaitFor([preview] { return !preview->pixmap().isNull(); }, 5000);
    SaveWidgetPicture(*dialog, "card-picture-dialog");
    QMetaObject::invokeMethod(dialog, "accept");
  });
  Field(0).Editor().findChild<QToolButton*>("EditorButton")->click();
  QDir::setCurrent(previous);
  EXPECT_EQ(Text(0), "pictures/red.png");
  EXPECT_TRUE(previewed);
}

TEST_F(CardFormTest, TheEntryPointsShowTheCardModally) {
  Stored("Name");
  Card.AddingMode->SetValue(false);
  // The modal card is answered from the event loop it runs.
  const auto answer = [](const char* text) {
    QTimer::singleShot(0, [text] {
      auto* form = qobject_cast<TCardForm*>(QApplication::activeModalWidget());
      ASSERT_NE(form, nullptr);
      form->Items().Item(0).SetValue(text);
      form->findChild<QPushButton*>("OkButton")->click();
    });
  };
  answer("new");
  EXPECT_EQ(AddRecords(nullptr, Table, All, nullptr, -1), 1);
  answer("edited");
  EXPECT_TRUE(EditRecord(nullptr, Table, All, All.Item(0), false));
  EXPECT_EQ(Names(All), "edited");
  TUsualValues values;
  answer("find");
  EXPECT_TRUE(NormalSearchCard(nullptr, All, values));
  EXPECT_EQ(values[0], "find");
}

}  // namespace
}  // namespace mervanta::test
