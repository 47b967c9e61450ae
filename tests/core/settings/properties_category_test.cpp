#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/boolean_property.h"
#include "settings/color_property.h"
#include "settings/font_property.h"
#include "settings/integer_property.h"
#include "settings/properties_category.h"
#include "settings/string_list_property.h"
#include "support/errors.h"
#include "support/xml_file.h"

namespace mervanta {
namespace {

// Tree / Sub / Deep, with a property at every level.
struct TTree : TPropertiesCategory {
  TTree()
      : TPropertiesCategory("Tree", "Tree"),
        Sub(AddCategory<TPropertiesCategory>("Sub", "Sub")),
        Deep(Sub->AddCategory<TPropertiesCategory>("Deep", "Deep")),
        Count(AddProperty<TIntegerProperty>("Count", "Count", 3)),
        Color(Deep->AddProperty<TColorProperty>("Color", "Color", RGB(1, 2, 3))),
        Font(Sub->AddProperty<TFontProperty>("Font", "Font", "Calibri", 11, 0, 0)),
        Names(Sub->AddProperty<TStringListProperty>("Names", "Names", "")) {}

  TPropertiesCategory* const Sub;
  TPropertiesCategory* const Deep;
  TIntegerProperty* const Count;
  TColorProperty* const Color;
  TFontProperty* const Font;
  TStringListProperty* const Names;
};

// Who heard what: "category:property" per call.
struct THeard {
  void Listen(TPropertiesCategory& category) {
    category.OnChange = [this](TPropertiesCategory& sender, TProperty& property) {
      Calls.push_back(sender.Name() + ":" + property.Name());
    };
  }
  std::vector<std::string> Calls;
};

std::string Saved(const TPropertiesCategory& category) {
  TXmlFile document;
  document.Root()->Name = "Root";
  category.SaveToXml(*document.Root());
  return document.SaveToString();
}

TEST(PropertiesCategory, AChangeReachesEveryAncestorWithTheChangedProperty) {
  TTree tree;
  THeard heard;
  heard.Listen(tree);
  heard.Listen(*tree.Sub);
  heard.Listen(*tree.Deep);
  tree.Color->SetValue(RGB(9, 9, 9));
  EXPECT_EQ(heard.Calls, (std::vector<std::string>{"Deep:Color", "Sub:Color", "Tree:Color"}));
  tree.Count->SetValue(4);
  EXPECT_EQ(heard.Calls.back(), "Tree:Count");
  EXPECT_EQ(heard.Calls.size(), 4u);
}

TEST(PropertiesCategory, LoadingIsSilentInsideTheLoadedTreeOnly) {
  TTree tree;
  THeard heard;
  heard.Listen(tree);
  heard.Listen(*tree.Sub);
  heard.Listen(*tree.Deep);
  TXmlFile document;
  document.LoadFromString(
      "<Root><Tree><Count value=\"8\" />"
      "<Sub><Font Size=\"20\" /><Names value=\"a&#13;&#10;b\" /><Deep><Color value=\"#FF0000\" />"
      "</Deep></Sub></Tree></Root>");
  tree.LoadFromXml(*document.Root());
  EXPECT_EQ(tree.Count->Value(), 8);
  EXPECT_EQ(tree.Color->Value(), RGB(255, 0, 0));
  EXPECT_EQ(tree.Font->Value().Size, 20);
  EXPECT_EQ(tree.Names->Value(), (TStringList{"a", "b"}));
  EXPECT_TRUE(heard.Calls.empty());

  // Loading only the sub-category: its changes still reach the root, the colour's too, which
  // goes back to its default.
  document.LoadFromString("<Tree><Sub><Font Size=\"30\" /><Names value=\"c\" /></Sub></Tree>");
  tree.Sub->LoadFromXml(*document.Root());
  EXPECT_EQ(heard.Calls, (std::vector<std::string>{"Tree:Color", "Tree:Font", "Tree:Names"}));

  heard.Calls.clear();
  tree.Font->EditValue([](TFont& font) { font.Size = 9; });
  EXPECT_EQ(heard.Calls, (std::vector<std::string>{"Sub:Font", "Tree:Font"}))
      << "the handlers are back after loading";
}

TEST(PropertiesCategory, WhatTheElementDoesNotHoldIsLoadedAsItsDefault) {
  const char* documents[] = {
      "<Root><Tree><Count /><Sub><Font /><Names /><Deep><Color /></Deep></Sub></Tree></Root>",
      "<Root><Tree><Other value=\"1\" /></Tree></Root>",
      "<Root />",
      "",
  };
  for (const char* text : documents) {
    SCOPED_TRACE(text);
    TTree tree;
    tree.Count->SetValue(42);
    tree.Color->SetValue(RGB(9, 9, 9));
    tree.Font->EditValue([](TFont& font) { font.Size = 30; });
    tree.Names->SetValue({"a"});
    TXmlFile document;
    document.LoadFromString(text);
    tree.LoadFromXml(*document.Root());
    EXPECT_TRUE(tree.Count->IsDefault());
    EXPECT_TRUE(tree.Color->IsDefault());
    EXPECT_TRUE(tree.Font->IsDefault());
    EXPECT_TRUE(tree.Names->IsDefault());
  }
}

TEST(PropertiesCategory, AnAbsentAttributeIsLoadedAsItsDefault) {
  TPropertiesCategory category;
  auto* width = category.AddProperty<TIntegerProperty>("Width", "Width", 100);
  width->SetFlags(pfAttribute);
  width->SetValue(70);
  TXmlTag element("Column");
  category.LoadFromXml(element);
  EXPECT_EQ(width->Value(), 100);
}

TEST(PropertiesCategory, SavingWritesOnlyValuesOffTheirDefaultsSubCategoriesFirst) {
  TTree tree;
  EXPECT_EQ(Saved(tree), "<Root />\r\n") << "empty category elements are not written";

  tree.Count->SetValue(5);
  tree.Color->SetValue(RGB(0xAA, 0xBB, 0xCC));
  EXPECT_EQ(Saved(tree),
            "<Root>\r\n"
            "\t<Tree>\r\n"
            "\t\t<Sub>\r\n"
            "\t\t\t<Deep>\r\n"
            "\t\t\t\t<Color value=\"#AABBCC\" />\r\n"
            "\t\t\t</Deep>\r\n"
            "\t\t</Sub>\r\n"
            "\t\t<Count value=\"5\" />\r\n"
            "\t</Tree>\r\n"
            "</Root>\r\n");
}

TEST(PropertiesCategory, AValueBackAtItsDefaultIsRemovedFromTheElement) {
  TTree tree;
  TXmlTag root("Root");
  tree.Count->SetValue(5);
  tree.SaveToXml(root);
  ASSERT_NE(root.FindChild("Tree")->FindChild("Count"), nullptr);
  tree.Count->SetValue(3);
  tree.SaveToXml(root);
  EXPECT_EQ(root.FindChild("Tree")->FindChild("Count"), nullptr);
  EXPECT_NE(root.FindChild("Tree")->FindChild("Sub"), nullptr)
      << "the category's own element stays";
}

TEST(PropertiesCategory, AttributeAndStoreAlwaysFlags) {
  TPropertiesCategory category;  // no name: stored straight into the given element
  auto* width = category.AddProperty<TIntegerProperty>("Width", "Width", 100);
  auto* visible = category.AddProperty<TBooleanProperty>("Visible", "Visible", true);
  width->SetFlags(pfAttribute);
  visible->SetFlags(pfStoreAlways);
  TXmlTag element("Column");
  element.WriteString("Width", "70");
  category.LoadFromXml(element);
  EXPECT_EQ(width->Value(), 70);

  category.SaveToXml(element);
  EXPECT_EQ(element.Count(), 1) << "only the always-stored default has a child";
  EXPECT_EQ(element.FindChild("Visible")->ReadString("value"), "Y");
  EXPECT_EQ(element.ReadString("Width"), "70");
  width->SetValue(100);
  category.SaveToXml(element);
  EXPECT_FALSE(element.Exists("Width"));
}

TEST(PropertiesCategory, AssignCopiesATreeOfTheSameShape) {
  TTree source;
  TTree target;
  source.Count->SetValue(-1);
  source.Color->SetValue(RGB(7, 7, 7));
  source.Font->EditValue([](TFont& font) { font.Style = fsItalic; });
  source.Names->SetValue({"x", ""});
  THeard heard;
  heard.Listen(target);
  target.Assign(source);
  EXPECT_EQ(target.Count->Value(), -1);
  EXPECT_EQ(target.Color->Value(), RGB(7, 7, 7));
  EXPECT_EQ(target.Font->Value(), source.Font->Value());
  EXPECT_EQ(target.Names->Value(), source.Names->Value());
  EXPECT_EQ(heard.Calls,
            (std::vector<std::string>{"Tree:Color", "Tree:Font", "Tree:Names", "Tree:Count"}))
      << "sub-categories first, each change announced";

  heard.Calls.clear();
  target.Assign(source);
  EXPECT_TRUE(heard.Calls.empty());

  TPropertiesCategory other;
  EXPECT_THROW(target.Assign(other), EMervantaError);
}

TEST(PropertiesCategory, SettingTheParentMovesTheCategoryBetweenLists) {
  TTree tree;
  TPropertiesCategory* moved = tree.Deep;
  moved->SetParent(tree);
  EXPECT_EQ(tree.Sub->CategoryCount(), 0);
  ASSERT_EQ(tree.CategoryCount(), 2);
  EXPECT_EQ(&tree.CategoryAt(1), moved);
  EXPECT_EQ(moved->Parent(), &tree);

  THeard heard;
  heard.Listen(*tree.Sub);
  heard.Listen(tree);
  tree.Color->SetValue(0);
  EXPECT_EQ(heard.Calls, (std::vector<std::string>{"Tree:Color"}));

  EXPECT_THROW(tree.Sub->SetParent(*tree.Sub), EMervantaError);
}

TEST(PropertiesCategory, SettingTheCategoryMovesThePropertyBetweenLists) {
  TTree tree;
  tree.Font->SetCategory(tree);
  ASSERT_EQ(tree.Sub->PropertyCount(), 1);
  EXPECT_EQ(&tree.Sub->PropertyAt(0), tree.Names);
  ASSERT_EQ(tree.PropertyCount(), 2);
  EXPECT_EQ(&tree.PropertyAt(1), tree.Font);
  EXPECT_EQ(tree.Font->Category(), &tree);
  tree.Font->EditValue([](TFont& font) { font.Size = 1; });
  EXPECT_EQ(Saved(tree),
            "<Root>\r\n\t<Tree>\r\n"
            "\t\t<Font Name=\"Calibri\" Size=\"1\" Color=\"#000000\" Style=\"\" "
            "Charset=\"DEFAULT_CHARSET\" />\r\n"
            "\t</Tree>\r\n</Root>\r\n");
}

}  // namespace
}  // namespace mervanta
