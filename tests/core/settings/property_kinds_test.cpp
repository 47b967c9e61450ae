#include <gtest/gtest.h>

#include <vector>

#include "settings/boolean_property.h"
#include "settings/color_property.h"
#include "settings/font_property.h"
#include "settings/integer_property.h"
#include "settings/item_index_property.h"
#include "settings/properties_category.h"
#include "settings/string_list_property.h"
#include "settings/string_property.h"
#include "support/errors.h"
#include "support/xml_tag.h"

namespace mervanta {
namespace {

constexpr const char* kAbsent = nullptr;

// Reads a property from an element whose "value" holds `stored` (or nothing for kAbsent).
void ReadStored(TProperty& property, const char* stored) {
  TXmlTag element("E");
  if (stored != kAbsent) element.WriteString("value", stored);
  property.ReadValue(element, "value");
}

std::string Written(const TProperty& property) {
  TXmlTag element("E");
  property.WriteValue(element, "value");
  return element.Param(element.IndexOf("value")).second;
}

// A category that counts the changes of its properties.
class TKindsTest : public testing::Test {
 protected:
  TKindsTest() {
    Category.OnChange = [this](TPropertiesCategory&, TProperty& property) {
      Notified.push_back(&property);
    };
  }

  TPropertiesCategory Category{"Test", "Test"};
  std::vector<const TProperty*> Notified;
};

TEST_F(TKindsTest, BooleanReadsOnlyCapitalYAsTrue) {
  struct TCase {
    bool Default;
    const char* Stored;
    bool Expected;
  } cases[] = {{false, "Y", true},   {true, "N", false},    {true, "y", false},
               {true, "yes", false}, {true, "1", false},    {true, "", true},
               {false, "", false},   {true, kAbsent, true}, {false, kAbsent, false}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Stored == kAbsent ? "(absent)" : c.Stored);
    auto* property = Category.AddProperty<TBooleanProperty>("B", "B", c.Default);
    Notified.clear();
    ReadStored(*property, c.Stored);
    EXPECT_EQ(property->Value(), c.Expected);
    EXPECT_EQ(Written(*property), c.Expected ? "Y" : "N");
    EXPECT_EQ(Notified.size(), c.Expected != c.Default ? 1u : 0u)
        << "a read that changes the value announces it, as the setter does";
  }
}

TEST_F(TKindsTest, IntegerReadFallsBackOutsideTheRange) {
  struct TCase {
    int Min, Max, Default;
    const char* Stored;
    int Expected;
  } cases[] = {{2, 32, 5, "40", 5},        {2, 32, 5, "32", 32},   {2, 32, 5, "2", 2},
               {2, 32, 5, "1", 5},         {2, 32, 5, "abc", 5},   {2, 32, 5, "", 5},
               {2, 32, 5, kAbsent, 5},     {0, 0, 0, "40", 40},    {0, 0, 0, "-7", -7},
               {0, 0, 3, "2147483648", 3}, {7, 7, 7, "-100", -100}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Stored == kAbsent ? "(absent)" : c.Stored);
    auto* property = Category.AddProperty<TIntegerProperty>("I", "I", c.Default, c.Min, c.Max);
    ReadStored(*property, c.Stored);
    EXPECT_EQ(property->Value(), c.Expected);
    EXPECT_EQ(Written(*property), std::to_string(c.Expected));
  }
}

TEST_F(TKindsTest, IntegerSetterClampsIntoTheRangeAndNotifiesRealChanges) {
  struct TCase {
    int Min, Max;
    int Set;
    int Expected;
  } cases[] = {{2, 32, 40, 32}, {2, 32, -1, 2},           {2, 32, 5, 5},
               {0, 0, 40, 40},  {0, 0, -100000, -100000}, {7, 7, 100, 100}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Set);
    Notified.clear();
    auto* property = Category.AddProperty<TIntegerProperty>("I", "I", 5, c.Min, c.Max);
    property->SetValue(c.Set);
    EXPECT_EQ(property->Value(), c.Expected);
    EXPECT_EQ(Notified.size(), c.Expected == 5 ? 0u : 1u);
    EXPECT_EQ(property->IsDefault(), c.Expected == 5);
  }
}

TEST(NormaliseText, AppliesTheFlagsInOrder) {
  struct TCase {
    TPropertyFlags Flags;
    const char* Text;
    const char* Expected;
  } cases[] = {
      {0, "  a b  ", "  a b  "},
      {pfTrimLeft, " \t a b  ", "a b  "},
      {pfTrimRight, "  a b \r\n", "  a b"},
      {pfTrimLeft | pfTrimRight, "  a b  ", "a b"},
      {pfDirectory, "/data", "/data/"},
      {pfDirectory, "/data/", "/data/"},
      {pfDirectory, "", ""},
      {pfDirectory, "dir ", "dir /"},
      {pfTrimLeft | pfTrimRight | pfDirectory, " \t/data \r\n", "/data/"},
      {pfTrimLeft | pfTrimRight | pfDirectory, "   ", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(NormaliseText(c.Text, c.Flags), c.Expected);
  }
}

TEST_F(TKindsTest, StringSetterNormalisesBeforeComparing) {
  auto* property = Category.AddProperty<TStringProperty>("S", "S", "Export");
  property->SetFlags(pfTrimLeft | pfTrimRight);
  property->SetValue("  Export ");
  EXPECT_TRUE(Notified.empty()) << "equal once trimmed";
  property->SetValue("export");
  EXPECT_EQ(property->Value(), "export");
  EXPECT_FALSE(property->IsDefault()) << "compared case-sensitively";
  EXPECT_EQ(Notified.size(), 1u);
}

TEST_F(TKindsTest, StringReadGivesTheDefaultForEmptyText) {
  struct TCase {
    const char* Stored;
    const char* Expected;
  } cases[] = {{"", "/export/"}, {kAbsent, "/export/"}, {"  /mine", "/mine/"}, {"x y", "x y/"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Stored == kAbsent ? "(absent)" : c.Stored);
    // The default is kept as given; reading normalises whatever it ends with.
    auto* property = Category.AddProperty<TStringProperty>("S", "S", "  /export");
    property->SetFlags(pfTrimLeft | pfDirectory);
    ReadStored(*property, c.Stored);
    EXPECT_EQ(property->Value(), c.Expected);
    EXPECT_EQ(Written(*property), c.Expected);
  }
}

TEST_F(TKindsTest, ColorReadsOnlyCapitalHexDigits) {
  constexpr TColor kDefault = RGB(1, 2, 3);
  struct TCase {
    const char* Stored;
    TColor Expected;
  } cases[] = {{"#C6F5C8", RGB(0xC6, 0xF5, 0xC8)},
               {"#c6f5c8", kDefault},
               {"#C6F5C", kDefault},
               {"#C6F5C8A", kDefault},
               {"C6F5C8", kDefault},
               {"#00G000", kDefault},
               {"", kDefault},
               {kAbsent, kDefault}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Stored == kAbsent ? "(absent)" : c.Stored);
    auto* property = Category.AddProperty<TColorProperty>("C", "C", kDefault);
    ReadStored(*property, c.Stored);
    EXPECT_EQ(property->Value(), c.Expected);
  }
}

TEST_F(TKindsTest, ColorWritesRedGreenBlueInCapitals) {
  auto* property = Category.AddProperty<TColorProperty>("C", "C", RGB(0x12, 0xAB, 0x5C));
  EXPECT_EQ(Written(*property), "#12AB5C");
  property->SetValue(SystemColor(5));  // the window background: white
  EXPECT_EQ(Written(*property), "#FFFFFF");
  property->SetValue(SystemColor(5));
  EXPECT_EQ(Notified.size(), 1u);
}

TEST_F(TKindsTest, FontIsWrittenAsFiveAttributesOfTheElementItself) {
  struct TCase {
    TFontStyles Style;
    int Charset;
    const char* StyleText;
    const char* CharsetText;  // nullptr: not written
  } cases[] = {{fsBold | fsStrikeOut, kDefaultCharset, "B", "DEFAULT_CHARSET"},
               {fsUnderline | fsItalic, kOemCharset, "IU", "OEM_CHARSET"},
               {0, 3, "", nullptr}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.StyleText);
    auto* property = Category.AddProperty<TFontProperty>("Font", "Font", "Calibri", 11, c.Style,
                                                         RGB(0, 0x80, 0xFF));
    property->EditValue([&](TFont& font) { font.Charset = c.Charset; });
    TXmlTag element("Font");
    property->WriteValue(element, "ignored");
    EXPECT_FALSE(element.Exists("ignored"));
    EXPECT_EQ(element.ReadString("Name"), "Calibri");
    EXPECT_EQ(element.ReadString("Size"), "11");
    EXPECT_EQ(element.ReadString("Color"), "#0080FF");
    EXPECT_EQ(element.Param(element.IndexOf("Style")).second, c.StyleText);
    if (c.CharsetText != nullptr) {
      EXPECT_EQ(element.ReadString("Charset"), c.CharsetText);
    } else {
      EXPECT_FALSE(element.Exists("Charset"));
    }
  }
}

TEST_F(TKindsTest, FontReadTakesMissingPartsFromTheDefaultAndAnnouncesTheChange) {
  auto* property = Category.AddProperty<TFontProperty>("Font", "Font", "Calibri", 11, 0, 0);
  property->EditValue([](TFont& font) {
    font.Name = "Arial";
    font.Color = 5;
    font.Charset = kOemCharset;
  });
  Notified.clear();
  TXmlTag element("Font");
  element.WriteString("Size", "14");
  element.WriteString("Style", "UB");
  property->ReadValue(element, "value");
  const TFont& font = property->Value();
  EXPECT_EQ(font.Name, "Calibri");
  EXPECT_EQ(font.Size, 14);
  EXPECT_EQ(font.Style, fsBold | fsUnderline);
  EXPECT_EQ(font.Color, 0u);
  EXPECT_EQ(font.Charset, kDefaultCharset) << "a missing character set is the default one";
  EXPECT_EQ(Notified.size(), 1u);

  element.WriteString("Charset", "NO_SUCH_CHARSET");
  property->ReadValue(element, "value");
  EXPECT_EQ(property->Value().Charset, kDefaultCharset);
  EXPECT_EQ(Notified.size(), 1u) << "nothing changed";
}

TEST_F(TKindsTest, FontIsDefaultOnlyWhenEveryPartMatches) {
  using TEdit = void (*)(TFont&);
  TEdit edits[] = {[](TFont& f) { f.Name = "calibri"; }, [](TFont& f) { f.Size = 12; },
                   [](TFont& f) { f.Style = fsStrikeOut; }, [](TFont& f) { f.Color = 1; },
                   [](TFont& f) { f.Charset = kAnsiCharset; }};
  for (TEdit edit : edits) {
    auto* property = Category.AddProperty<TFontProperty>("Font", "Font", "Calibri", 11, 0, 0);
    EXPECT_TRUE(property->IsDefault());
    property->EditValue(edit);
    EXPECT_FALSE(property->IsDefault());
  }
  EXPECT_EQ(Notified.size(), std::size(edits));
}

TEST_F(TKindsTest, StringListIsStoredAsCommaTextOrLines) {
  const TStringList list{"a b", "", "c"};
  struct TCase {
    TPropertyFlags Flags;
    const char* Text;
  } cases[] = {{pfCommaText, "\"a b\",\"\",c"}, {0, "a b\r\n\r\nc\r\n"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    auto* property = Category.AddProperty<TStringListProperty>("L", "L", "x\r\ny");
    property->SetFlags(c.Flags);
    EXPECT_EQ(property->Value(), (TStringList{"x", "y"}));
    property->SetValue(list);
    EXPECT_EQ(Written(*property), c.Text);
    ReadStored(*property, kAbsent);
    EXPECT_TRUE(property->Value().empty()) << "absent reads as an empty list";
    ReadStored(*property, c.Text);
    EXPECT_EQ(property->Value(), list);
  }
}

TEST_F(TKindsTest, StringListIsDefaultWithTheSameStringsInOrder) {
  auto* property = Category.AddProperty<TStringListProperty>("L", "L", "");
  EXPECT_TRUE(property->IsDefault()) << "value and default both start empty";
  property->SetDefault({"a", "b"});
  struct TCase {
    TStringList Value;
    bool IsDefault;
  } cases[] = {
      {{"a", "b"}, true}, {{"b", "a"}, false}, {{"a", "b", ""}, false}, {{"A", "b"}, false}};
  for (const TCase& c : cases) {
    property->SetValue(c.Value);
    EXPECT_EQ(property->IsDefault(), c.IsDefault) << testing::PrintToString(c.Value);
  }
  Notified.clear();
  property->EditValue([](TStringList& list) { list.push_back("z"); });
  property->EditValue([](TStringList&) {});
  EXPECT_EQ(Notified.size(), 1u) << "an edit that changes nothing is not a change";
}

TEST_F(TKindsTest, ItemIndexReadAcceptsOnlyAnExistingChoice) {
  struct TCase {
    const char* Items;
    int Default;
    const char* Stored;
    int Expected;
  } cases[] = {{"a\r\nb\r\nc", 1, "5", 1},  {"a\r\nb\r\nc", 1, "2", 2}, {"a\r\nb\r\nc", 1, "0", 0},
               {"a\r\nb\r\nc", 1, "-1", 1}, {"a\r\nb\r\nc", 1, "x", 1}, {"a\r\nb\r\nc", 1, "", 1},
               {"only", 0, "7", 0},         {"only", 0, "0", 0}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Stored);
    auto* property = Category.AddProperty<TItemIndexProperty>("X", "X", c.Items, c.Default);
    ReadStored(*property, c.Stored);
    EXPECT_EQ(property->Value(), c.Expected);
    EXPECT_EQ(Written(*property), std::to_string(c.Expected));
  }
}

TEST_F(TKindsTest, ItemIndexSetterPullsOntoTheNearestChoice) {
  struct TCase {
    const char* Items;
    int Set;
    int Expected;
  } cases[] = {{"a\r\nb\r\nc", 5, 2},
               {"a\r\nb\r\nc", -3, 0},
               {"a\r\nb\r\nc", 1, 1},
               {"", 4, -1},
               {"", -2, -1}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Set);
    auto* property = Category.AddProperty<TItemIndexProperty>("X", "X", c.Items, 1);
    property->SetValue(c.Set);
    EXPECT_EQ(property->Value(), c.Expected);
  }
}

TEST_F(TKindsTest, AssignGoesThroughTheTargetsSetter) {
  auto* source = Category.AddProperty<TIntegerProperty>("I", "I", 100);
  auto* target = Category.AddProperty<TIntegerProperty>("J", "J", 5, 2, 32);
  target->Assign(*source);
  EXPECT_EQ(target->Value(), 32);
  ASSERT_EQ(Notified.size(), 1u);
  EXPECT_EQ(Notified[0], target);

  auto* font = Category.AddProperty<TFontProperty>("F", "F", "Calibri", 11, fsBold, 0);
  auto* copy = Category.AddProperty<TFontProperty>("G", "G", "Tahoma", 8, 0, 0);
  copy->Assign(*font);
  EXPECT_EQ(copy->Value(), font->Value());
  EXPECT_THROW(copy->Assign(*source), EMervantaError);
}

}  // namespace
}  // namespace mervanta
