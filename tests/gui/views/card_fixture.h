#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>

#include "core/model/records_fixture.h"
#include "model/table_options.h"
#include "settings/option_categories.h"
#include "test_support/recording_user_interface.h"
#include "test_support/scoped_options.h"
#include "views/card_form.h"
#include "views/card_items.h"

namespace mervanta::test {

// Columns Name and Note without records, the program's options at their defaults with the
// test font on the card, and a recording front end.
class CardFixture : public testing::Test, public TRecordsFixture {
 protected:
  CardFixture() : TRecordsFixture(0) { Card.Font->SetValue({.Name = "DejaVu Sans", .Size = 9}); }

  TColumn& Stored(std::string_view caption, TColumnType type = TColumnType::General) {
    TColumn& column = AddColumn(caption);
    column.SetColumnType(type);
    return column;
  }
  TColumn& Virtual(std::string_view caption, std::string_view formula) {
    TColumn& column = AddColumn(caption, TColumnStorage::Virtual);
    column.Formula->SetValue(formula);
    return column;
  }

  TCardForm& Open(TCardMode mode, TCardSubject subject = {}) {
    subject.Records = &All;
    if (mode != TCardMode::NormalSearch) subject.Options = &Table;
    Form = std::make_unique<TCardForm>(nullptr, mode, subject);
    Form->show();
    Form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    return *Form;
  }
  TCardItem& Field(int index) const { return Form->Items().Item(index); }
  // Where keys go: the single-line edit, or the memo itself.
  QWidget& Input(int index) const {
    QWidget& editor = Field(index).Editor();
    auto* line = editor.findChild<QLineEdit*>();
    return line != nullptr ? *line : editor;
  }
  std::string Text(int index) const { return Field(index).Text().toStdString(); }
  void Type(int index, const QString& text) {
    Field(index).Enter();
    QTest::keyClicks(&Input(index), text);
  }
  void Press(int index, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&Input(index), static_cast<Qt::Key>(key), modifiers);
  }
  QPushButton& Button(const char* name) const {
    return *Form->findChild<QPushButton*>(QString::fromLatin1(name));
  }
  void ClickOk() { Button("OkButton").click(); }
  // The index of the field that has the focus, or -1.
  int Focused() const {
    for (int i = 0; i < Form->Items().Count(); ++i) {
      if (Field(i).HasFocus()) return i;
    }
    return -1;
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> messages;
    for (const std::string& event : Ui.Events) {
      if (event.starts_with("message ")) messages.push_back(event.substr(8));
    }
    return messages;
  }

  TScopedDefaultOptions Defaults;
  TCardCategory& Card = *Options().Card;
  TTableOptions Table;
  TRecordingUserInterface Ui;
  std::unique_ptr<TCardForm> Form;
};

}  // namespace mervanta::test
