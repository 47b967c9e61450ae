#include "settings/property_view.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>

#include "dialogs/modal_answer.h"
#include "settings/boolean_property.h"
#include "settings/color_button.h"
#include "settings/color_property.h"
#include "settings/font_button.h"
#include "settings/font_property.h"
#include "settings/integer_property.h"
#include "settings/item_index_property.h"
#include "settings/properties_category.h"
#include "settings/radio_group.h"
#include "settings/string_list_property.h"
#include "settings/string_property.h"

namespace mervanta::test {
namespace {

// One property of every kind, the colour and the font in a sub-category, each bound to its
// control; the labels carry the captions.
class PropertyViewTest : public testing::Test {
 protected:
  PropertyViewTest() {
    Folder->SetFlags(pfTrimLeft | pfTrimRight | pfDirectory);
    Font->SetFlags(pfPrinterFont);
    Folders->SetFlags(pfCommaText);
    Folders->SetDefault({"/home/"});
    View.BindCheckBox(*Flag, FlagBox);
    View.BindInteger(*Lines, LinesEdit, &Label[0]);
    View.BindInteger(*Free, FreeEdit, &Label[1]);
    View.BindComboBox(*Mode, ModeList, &Label[2]);
    View.BindRadioGroup(*Start, StartGroup);
    View.BindEdit(*Folder, FolderEdit, &Label[3]);
    View.BindMemo(*Folders, FoldersMemo, &Label[4]);
    View.BindColor(*Color, ColorButton, &Label[5]);
    View.BindFont(*Font, FontButton);
    Root.OnChange = [this](TPropertiesCategory&, TProperty& property) {
      Changes.push_back(property.Name());
    };
  }

  TPropertiesCategory Root;
  TPropertiesCategory* Sub = Root.AddCategory<TPropertiesCategory>("Sub", "Sub");
  TColorProperty* Color = Sub->AddProperty<TColorProperty>("Color", "Colour", RGB(1, 2, 3));
  TFontProperty* Font =
      Sub->AddProperty<TFontProperty>("Font", "Print font", "DejaVu Sans", 9, fsBold, RGB(9, 9, 9));
  TBooleanProperty* Flag = Root.AddProperty<TBooleanProperty>("Flag", "Show flags", true);
  TIntegerProperty* Lines = Root.AddProperty<TIntegerProperty>("Lines", "Lines", 5, 2, 32);
  TIntegerProperty* Free = Root.AddProperty<TIntegerProperty>("Free", "Free", 0);
  TItemIndexProperty* Mode =
      Root.AddProperty<TItemIndexProperty>("Mode", "Mode", "One\r\nTwo\r\nThree", 1);
  TItemIndexProperty* Start =
      Root.AddProperty<TItemIndexProperty>("Start", "Start", "Ask\r\nLast", 0);
  TStringProperty* Folder = Root.AddProperty<TStringProperty>("Folder", "Folder", "/tmp/");
  TStringListProperty* Folders =
      Root.AddProperty<TStringListProperty>("Folders", "Folders", "/a/\r\n/b/");

  QLabel Label[6];
  QCheckBox FlagBox;
  QSpinBox LinesEdit;
  QSpinBox FreeEdit;
  QComboBox ModeList;
  TRadioGroup StartGroup;
  QLineEdit FolderEdit;
  QPlainTextEdit FoldersMemo;
  TColorButton ColorButton;
  TFontButton FontButton;
  TPropertiesView View;
  std::vector<std::string> Changes;
};

TEST_F(PropertyViewTest, BindingFillsTheControlsAndNamesTheLabels) {
  EXPECT_EQ(View.BindingCount(), 9);
  EXPECT_EQ(FlagBox.text(), "Show flags");
  EXPECT_TRUE(FlagBox.isChecked());
  EXPECT_EQ(LinesEdit.value(), 5);
  EXPECT_EQ(LinesEdit.minimum(), 2);
  EXPECT_EQ(LinesEdit.maximum(), 32);
  // No range: any number.
  EXPECT_LT(FreeEdit.minimum(), -1000000);
  EXPECT_GT(FreeEdit.maximum(), 1000000);
  EXPECT_EQ(ModeList.count(), 3);
  EXPECT_EQ(ModeList.currentText(), "Two");
  EXPECT_EQ(StartGroup.title(), "Start");
  EXPECT_EQ(StartGroup.ItemCount(), 2);
  EXPECT_EQ(StartGroup.ItemIndex(), 0);
  EXPECT_EQ(FolderEdit.text(), "/tmp/");
  EXPECT_EQ(FoldersMemo.toPlainText(), "/a/\n/b/");
  EXPECT_EQ(ColorButton.Color(), RGB(1, 2, 3));
  EXPECT_EQ(FontButton.Font(), Font->Value());
  EXPECT_TRUE(FontButton.PrinterFonts());
  EXPECT_EQ(FontButton.text(), "Print font: DejaVu Sans, 9 pt");
  const QStringList labels{"Lines", "Free", "Mode", "Folder", "Folders", "Colour"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Label[i].text(), labels[i]);
}

TEST_F(PropertyViewTest, ApplyAllGoesThroughTheSettersAndAnnouncesOnlyRealChanges) {
  View.ApplyAll();
  EXPECT_TRUE(Changes.empty());

  FlagBox.setChecked(false);
  FreeEdit.setValue(-70000);
  ModeList.setCurrentIndex(-1);
  StartGroup.SetItemIndex(-1);
  FolderEdit.setText("  /srv/data  ");
  FoldersMemo.setPlainText("/x/\n\n/y/\n");
  ColorButton.SetColor(RGB(0xC6, 0xF5, 0xC8));
  View.ApplyAll();
  EXPECT_FALSE(Flag->Value());
  EXPECT_EQ(Free->Value(), -70000);
  EXPECT_EQ(Mode->Value(), 0);  // no selection is pulled onto the first choice
  EXPECT_EQ(Start->Value(), 0);
  EXPECT_EQ(Folder->Value(), "/srv/data/");
  EXPECT_EQ(Folders->Value(), (TStringList{"/x/", "", "/y/"}));
  EXPECT_EQ(Color->Value(), RGB(0xC6, 0xF5, 0xC8));
  // In binding order; Start stays 0.
  EXPECT_EQ(Changes,
            (std::vector<std::string>{"Flag", "Free", "Mode", "Folder", "Folders", "Color"}));

  Changes.clear();
  View.ApplyAll();
  EXPECT_TRUE(Changes.empty());
}

TEST_F(PropertyViewTest, ResetShowsDefaultsOfTheCategoryAndOfItsSubCategoriesOnlyWhenRecursive) {
  Flag->SetValue(false);
  Lines->SetValue(40);  // clamped
  Mode->SetValue(5);    // the last choice
  Folder->SetValue("/opt");
  Folders->SetValue({"/z/"});
  Color->SetValue(RGB(7, 7, 7));
  Font->EditValue([](TFont& font) { font.Size = 20; });
  EXPECT_EQ(Lines->Value(), 32);
  EXPECT_EQ(Mode->Value(), 2);
  TPropertiesView fresh;
  fresh.BindCheckBox(*Flag, FlagBox);
  fresh.BindInteger(*Lines, LinesEdit);
  fresh.BindComboBox(*Mode, ModeList);
  fresh.BindEdit(*Folder, FolderEdit);
  fresh.BindMemo(*Folders, FoldersMemo);
  fresh.BindColor(*Color, ColorButton);
  fresh.BindFont(*Font, FontButton);
  EXPECT_EQ(LinesEdit.value(), 32);
  EXPECT_EQ(ModeList.currentIndex(), 2);

  fresh.ResetToDefaults(Root, false);
  EXPECT_TRUE(FlagBox.isChecked());
  EXPECT_EQ(LinesEdit.value(), 5);
  EXPECT_EQ(ModeList.currentIndex(), 1);
  EXPECT_EQ(FolderEdit.text(), "/tmp/");
  EXPECT_EQ(FoldersMemo.toPlainText(), "/home/");
  EXPECT_EQ(ColorButton.Color(), RGB(7, 7, 7));
  EXPECT_EQ(FontButton.Font().Size, 20);
  // The properties keep their values until applied.
  EXPECT_FALSE(Flag->Value());
  EXPECT_EQ(Color->Value(), RGB(7, 7, 7));

  fresh.ResetToDefaults(Root, true);
  EXPECT_EQ(ColorButton.Color(), RGB(1, 2, 3));
  EXPECT_EQ(FontButton.Font(), Font->Default());
  fresh.ApplyAll();
  EXPECT_TRUE(Flag->IsDefault() && Lines->IsDefault() && Mode->IsDefault() && Folder->IsDefault() &&
              Folders->IsDefault() && Color->IsDefault() && Font->IsDefault());
}

TEST_F(PropertyViewTest, ClearedBindingsWriteNothing) {
  View.ClearBindings();
  FlagBox.setChecked(false);
  View.ApplyAll();
  View.ResetToDefaults(Root, true);
  EXPECT_TRUE(Flag->Value());
  EXPECT_FALSE(FlagBox.isChecked());
  EXPECT_EQ(View.BindingCount(), 0);
}

TEST_F(PropertyViewTest, ThePickersChangeColourAndFontKeepingTheFontsColourAndCharset) {
  AnswerNextModal<QColorDialog>([](QColorDialog& dialog) {
    dialog.setCurrentColor(QColor(0x12, 0x34, 0x56));
    dialog.accept();
  });
  QTest::mouseClick(&ColorButton, Qt::LeftButton);
  EXPECT_EQ(ColorButton.Color(), RGB(0x12, 0x34, 0x56));

  AnswerNextModal<QFontDialog>([](QFontDialog& dialog) {
    EXPECT_TRUE(dialog.testOption(QFontDialog::ScalableFonts));
    QFont font(QStringLiteral("DejaVu Sans"), 14);
    font.setItalic(true);
    dialog.setCurrentFont(font);
    dialog.accept();
  });
  QTest::mouseClick(&FontButton, Qt::LeftButton);
  View.ApplyAll();
  EXPECT_EQ(Color->Value(), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(Font->Value().Size, 14);
  EXPECT_EQ(Font->Value().Style, fsItalic);
  EXPECT_EQ(Font->Value().Color, RGB(9, 9, 9));
  EXPECT_EQ(Font->Value().Charset, Font->Default().Charset);

  // A cancelled picker changes nothing.
  AnswerNextModal<QColorDialog>([](QColorDialog& dialog) {
    dialog.setCurrentColor(Qt::red);
    dialog.reject();
  });
  QTest::mouseClick(&ColorButton, Qt::LeftButton);
  EXPECT_EQ(ColorButton.Color(), RGB(0x12, 0x34, 0x56));
}

}  // namespace
}  // namespace mervanta::test
