#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "settings/options.h"
#include "settings/settings_location.h"
#include "support/file_io.h"
#include "support/msg_sender.h"
#include "support/progress.h"
#include "support/xml_file.h"
#include "test_support/temp_dir.h"

namespace mervanta {
namespace {

constexpr const char* kProgramFolder = "/opt/mervanta/";

const TStringList kStandardTools{"f_New",   "f_Open",    "f_WorkDir", "f_Save",     "f_Close",
                                 "",        "r_Add",     "r_Delete",  "r_FindFast", "",
                                 "s_Table", "s_Options", "",          "h_Help"};

void ForEachProperty(TPropertiesCategory& category, const std::function<void(TProperty&)>& visit) {
  for (int i = 0; i < category.CategoryCount(); ++i) ForEachProperty(category.CategoryAt(i), visit);
  for (int i = 0; i < category.PropertyCount(); ++i) visit(category.PropertyAt(i));
}

std::string PathOf(const TProperty& property) {
  std::string path = property.Name();
  for (const TPropertiesCategory* c = property.Category(); c != nullptr; c = c->Parent()) {
    if (!c->Name().empty()) path = c->Name() + "/" + path;
  }
  return path;
}

// Moves a value off its default to one that every kind can store and read back.
void ChangeFromDefault(TProperty& property) {
  switch (property.Kind()) {
    case TPropertyKind::Boolean: {
      auto& p = static_cast<TBooleanProperty&>(property);
      p.SetValue(!p.Default());
      break;
    }
    case TPropertyKind::Integer: {
      auto& p = static_cast<TIntegerProperty&>(property);
      p.SetValue(p.HasRange() && p.Default() == p.Max() ? p.Default() - 1 : p.Default() + 1);
      break;
    }
    case TPropertyKind::String: {
      auto& p = static_cast<TStringProperty&>(property);
      p.SetValue(p.Default() + " & <\"more\">");
      break;
    }
    case TPropertyKind::Color: {
      auto& p = static_cast<TColorProperty&>(property);
      p.SetValue(p.Default() ^ 0x00A5A5A5u);
      break;
    }
    case TPropertyKind::Font:
      static_cast<TFontProperty&>(property).EditValue([](TFont& font) {
        font.Name += " Light";
        font.Size += 1;
        font.Style ^= fsBold | fsItalic;
        font.Color ^= 0x00123456u;
        font.Charset = font.Charset == kOemCharset ? kAnsiCharset : kOemCharset;
      });
      break;
    case TPropertyKind::StringList:
      static_cast<TStringListProperty&>(property).EditValue(
          [](TStringList& list) { list.push_back("/srv/tables, \"shared\"/"); });
      break;
    case TPropertyKind::ItemIndex: {
      auto& p = static_cast<TItemIndexProperty&>(property);
      p.SetValue((p.Default() + 1) % p.ItemCount());
      break;
    }
  }
}

template <class TKind>
bool SameValue(const TProperty& a, const TProperty& b) {
  return static_cast<const TKind&>(a).Value() == static_cast<const TKind&>(b).Value();
}

bool SameValue(const TProperty& a, const TProperty& b) {
  switch (a.Kind()) {
    case TPropertyKind::Boolean:
      return SameValue<TBooleanProperty>(a, b);
    case TPropertyKind::Integer:
      return SameValue<TIntegerProperty>(a, b);
    case TPropertyKind::String:
      return SameValue<TStringProperty>(a, b);
    case TPropertyKind::Color:
      return SameValue<TColorProperty>(a, b);
    case TPropertyKind::Font:
      return SameValue<TFontProperty>(a, b);
    case TPropertyKind::StringList:
      return SameValue<TStringListProperty>(a, b);
    case TPropertyKind::ItemIndex:
      return SameValue<TItemIndexProperty>(a, b);
  }
  return false;
}

std::vector<TProperty*> AllProperties(TPropertiesCategory& category) {
  std::vector<TProperty*> all;
  ForEachProperty(category, [&](TProperty& property) { all.push_back(&property); });
  return all;
}

void ExpectAllDefaults(TOptions& options) {
  ForEachProperty(
      options, [](TProperty& property) { EXPECT_TRUE(property.IsDefault()) << PathOf(property); });
  EXPECT_EQ(options.Main->WorkDir->Value(), TStringList{kProgramFolder});
  EXPECT_EQ(options.Tools->Items->Value(), kStandardTools);
}

// Reads a settings text the way the program does at start.
void LoadText(TOptions& options, std::string_view text) {
  TXmlFile document;
  document.LoadFromString(text);
  LoadOptions(document, options);
}

std::string SavedText(const TOptions& options) {
  TXmlFile document;
  document.Root()->Name = kSettingsRootName;
  SaveOptions(document, options);
  return document.SaveToString();
}

TEST(Options, NineCategoriesInOrder) {
  TOptions options(kProgramFolder);
  struct TExpected {
    const char* Name;
    const char* Caption;
  } expected[] = {{"Main", "General"},  {"Flip", "Lists"},  {"Head", "Column Headings"},
                  {"Search", "Search"}, {"Card", "Card"},   {"Export", "Export"},
                  {"Print", "Print"},   {"Tools", "Tools"}, {"Other", "Other"}};
  ASSERT_EQ(options.CategoryCount(), static_cast<int>(std::size(expected)));
  EXPECT_TRUE(options.Name().empty());
  for (int i = 0; i < options.CategoryCount(); ++i) {
    EXPECT_EQ(options.CategoryAt(i).Name(), expected[i].Name);
    EXPECT_EQ(options.CategoryAt(i).Caption(), expected[i].Caption);
  }
  ASSERT_EQ(options.Flip->CategoryCount(), 1);
  EXPECT_EQ(&options.Flip->CategoryAt(0), options.Flip->Exact);
  EXPECT_EQ(options.Flip->Exact->Caption(), "Colors and Spaces");
}

TEST(Options, ExportHeaderSwitchesAreNamedAfterTheirFormat) {
  TOptions options(kProgramFolder);
  const TExportCategory& e = *options.Export;
  const TBooleanProperty* switches[] = {e.ShowHeadCSV, e.ShowHeadTXT, e.ShowHeadHTML,
                                        e.ShowHeadOffice};
  const char* formats[] = {"CSV", "TXT", "HTML", "Office"};
  for (std::size_t i = 0; i < std::size(formats); ++i) {
    EXPECT_EQ(switches[i]->Name(), std::string("ShowHead") + formats[i]);
    EXPECT_EQ(switches[i]->Caption(), std::string("Show headers (") + formats[i] + ")");
  }
}

TEST(Options, AFreshTreeHoldsEveryDefault) {
  TOptions options(kProgramFolder);
  ExpectAllDefaults(options);
  EXPECT_EQ(options.Main->WorkDir->Flags(), pfCommaText);
  EXPECT_EQ(options.Tools->Items->Flags(), pfCommaText);
  EXPECT_EQ(options.Print->Font->Flags(), pfPrinterFont);
}

TEST(Options, AnUnreadableSettingsFileGivesTheDefaults) {
  std::mt19937 random(20240611);
  std::string noise(4096, '\0');
  for (char& byte : noise) byte = static_cast<char>(random());
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string_view("no settings here")) utf16 += {c, '\0'};
  utf16.append("\x00\xD8\x41", 3);  // a lone surrogate and an odd byte
  struct TCase {
    const char* Name;
    std::string Bytes;
    bool Exists;
  } cases[] = {
      {"missing file", "", false},
      {"empty file", "", true},
      {"random bytes", noise, true},
      {"cut inside a value",
       "<Mervanta>\r\n\t<Options>\r\n\t\t<Flip>\r\n\t\t\t<Exact>\r\n\t\t\t\t<BkColor value=\"#12",
       true},
      {"cut inside a name", "<Mervanta><Options><Main><StartMo", true},
      {"UTF-16 text", utf16, true},
      {"stray end tags", "</Options></Mervanta><<>>=\"\"/", true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    test::TTempDir folder;
    std::string path = c.Exists ? folder.Write("Mervanta.xml", c.Bytes) : folder.File("none.xml");
    TXmlFile document;
    LoadSettingsDocument(document, path);
    EXPECT_EQ(document.Root()->Name, "Mervanta");
    TOptions options(kProgramFolder);
    LoadOptions(document, options);
    ExpectAllDefaults(options);
  }
}

TEST(Options, EveryChangedOptionSurvivesSavingAndLoading) {
  TOptions changed(kProgramFolder);
  ForEachProperty(changed, ChangeFromDefault);
  ForEachProperty(changed, [](TProperty& property) {
    EXPECT_FALSE(property.IsDefault()) << PathOf(property) << " did not change";
  });

  test::TTempDir folder;
  const std::string path = folder.File("Mervanta.xml");
  TXmlFile saved;
  LoadSettingsDocument(saved, path);
  SaveOptions(saved, changed);
  ASSERT_TRUE(SaveSettingsDocument(saved, path));
  EXPECT_EQ(ReadWholeFile(path), ReadWholeFile(test::DataFile("settings/every_option_changed.xml")))
      << "the stored form of every key";

  TXmlFile loaded;
  LoadSettingsDocument(loaded, path);
  TOptions reloaded(kProgramFolder);
  LoadOptions(loaded, reloaded);
  std::vector<TProperty*> before = AllProperties(changed);
  std::vector<TProperty*> after = AllProperties(reloaded);
  ASSERT_EQ(before.size(), after.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    EXPECT_TRUE(SameValue(*before[i], *after[i])) << PathOf(*before[i]);
  }
}

TEST(Options, EverySettingAFileLacksIsLoadedAsItsDefault) {
  const std::string everyOptionChanged =
      ReadWholeFile(test::DataFile("settings/every_option_changed.xml"));
  for (const char* text :
       {"", "<Mervanta />", "<Mervanta><Options><Main /></Options></Mervanta>"}) {
    SCOPED_TRACE(text);
    TOptions options(kProgramFolder);
    LoadText(options, everyOptionChanged);
    EXPECT_FALSE(options.Card->Font->IsDefault());
    LoadText(options, text);
    ExpectAllDefaults(options);
  }
}

TEST(Options, DefaultsSaveAsTheBareRoot) {
  TXmlFile document;
  LoadSettingsDocument(document, "/nonexistent/Mervanta.xml");
  TOptions options(kProgramFolder);
  LoadOptions(document, options);
  SaveOptions(document, options);
  EXPECT_EQ(document.SaveToString(), "<Mervanta />\r\n");
}

TEST(Options, OneChangedColorWritesOnlyItsOwnElement) {
  TOptions options(kProgramFolder);
  options.Flip->Exact->FoundColor->SetValue(RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(SavedText(options),
            "<Mervanta>\r\n"
            "\t<Options>\r\n"
            "\t\t<Flip>\r\n"
            "\t\t\t<Exact>\r\n"
            "\t\t\t\t<FoundColor value=\"#123456\" />\r\n"
            "\t\t\t</Exact>\r\n"
            "\t\t</Flip>\r\n"
            "\t</Options>\r\n"
            "</Mervanta>\r\n");
}

TEST(Options, StoredValuesAreCheckedAndCleaned) {
  struct TCase {
    const char* Name;
    const char* Text;
    std::function<void(const TOptions&)> Check;
  } cases[] = {
      {"space beyond its range", "<M><Options><Flip><Exact><HorzSpace value=\"65\" />",
       [](const TOptions& o) { EXPECT_EQ(o.Flip->Exact->HorzSpace->Value(), 5); }},
      {"start mode beyond its choices", "<M><Options><Main><StartMode value=\"3\" />",
       [](const TOptions& o) { EXPECT_EQ(o.Main->StartMode->Value(), 2); }},
      {"blank work folders", "<M><Options><Main><WorkDir value=\"&quot; &quot;,&quot;&quot;\" />",
       [](const TOptions& o) { EXPECT_EQ(o.Main->WorkDir->Value(), TStringList{kProgramFolder}); }},
      {"untidy work folders",
       "<M><Options><Main><WorkDir value=\"&quot; /a &quot;,,/b/,/no/such/folder\" />",
       [](const TOptions& o) {
         EXPECT_EQ(o.Main->WorkDir->Value(), (TStringList{"/a/", "/b/", "/no/such/folder/"}));
       }},
      {"an empty tool list", "<M><Options><Tools><Items value=\"\" />",
       [](const TOptions& o) { EXPECT_EQ(o.Tools->Items->Value(), kStandardTools); }},
      {"a tool list of one separator", "<M><Options><Tools><Items value=\"&quot;&quot;\" />",
       [](const TOptions& o) { EXPECT_EQ(o.Tools->Items->Value(), TStringList{""}); }},
      {"a chosen tool list", "<M><Options><Tools><Items value=\"f_Open,&quot;&quot;,h_Help\" />",
       [](const TOptions& o) {
         EXPECT_EQ(o.Tools->Items->Value(), (TStringList{"f_Open", "", "h_Help"}));
       }},
      {"a text cleared by the user", "<M><Options><Export><FileNameMacros value=\"\" />",
       [](const TOptions& o) { EXPECT_EQ(o.Export->FileNameMacros->Value(), "Export"); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TOptions options(kProgramFolder);
    LoadText(options, c.Text);
    c.Check(options);
  }
}

TEST(Options, ARootOfAnotherNameIsReadAndSavedAsMervanta) {
  test::TTempDir folder;
  const std::string path =
      folder.Write("Mervanta.xml",
                   "<Settings>\r\n\t<Options>\r\n\t\t<Card>\r\n\t\t\t<Lines value=\"9\" />\r\n"
                   "\t\t</Card>\r\n\t</Options>\r\n</Settings>\r\n");
  TXmlFile document;
  LoadSettingsDocument(document, path);
  TOptions options(kProgramFolder);
  LoadOptions(document, options);
  EXPECT_EQ(options.Card->Lines->Value(), 9);
  SaveOptions(document, options);
  ASSERT_TRUE(SaveSettingsDocument(document, path));
  EXPECT_EQ(ReadWholeFile(path),
            "<Mervanta>\r\n\t<Options>\r\n\t\t<Card>\r\n\t\t\t<Lines value=\"9\" />\r\n"
            "\t\t</Card>\r\n\t</Options>\r\n</Mervanta>\r\n");
}

struct TNoticeRecorder {
  void Receive(const TMsg& msg) { Messages.push_back(msg); }
  std::vector<TMsg> Messages;
};

TEST(Options, LoadingAnnouncesTheChangeOnce) {
  TNoticeRecorder recorder;
  TMsgSubscription subscription(BindListener<&TNoticeRecorder::Receive>(&recorder));
  TOptions options(kProgramFolder);
  int heard = 0;
  options.OnChange = [&](TPropertiesCategory&, TProperty&) { ++heard; };
  LoadText(options, "<M><Options><Other><ShowProgress value=\"N\" />");
  EXPECT_FALSE(options.Other->ShowProgress->Value());
  EXPECT_EQ(heard, 0);
  ASSERT_EQ(recorder.Messages.size(), 1u);
  EXPECT_EQ(recorder.Messages[0].Sender, &options);
  EXPECT_EQ(recorder.Messages[0].Code, TMsgCode::OptionsChanged);
  EXPECT_EQ(recorder.Messages[0].Param1, 0);
  EXPECT_EQ(recorder.Messages[0].Param2, 0);
}

TEST(Options, QuickSearchHistoryIsDroppedWhenItShouldNotBeKept) {
  for (bool keep : {true, false}) {
    SCOPED_TRACE(keep);
    TXmlFile document;
    document.LoadFromString(
        "<Mervanta><Session><SearchFastForm Left=\"5\" History=\"one,two\" /></Session>"
        "</Mervanta>");
    TOptions options(kProgramFolder);
    options.Search->StoreQuickSearchHistory->SetValue(keep);
    SaveOptions(document, options);
    const TXmlTag* form = document.Root()->FindChild("Session")->FindChild("SearchFastForm");
    EXPECT_EQ(form->ReadString("History"), keep ? "one,two" : "");
    EXPECT_TRUE(form->Exists("History"));
    EXPECT_EQ(form->ReadString("Left"), "5");
  }
}

TEST(Options, TheProgramsShowProgressSwitchesTheProgressWindow) {
  TOptions& options = Options();
  options.Other->ShowProgress->SetValue(false);
  EXPECT_FALSE(TProgress::WindowEnabled());
  // Another tree, as a dialog edits, leaves the program's progress alone.
  TOptions copy(kProgramFolder);
  copy.Other->ShowProgress->SetValue(true);
  EXPECT_FALSE(TProgress::WindowEnabled());
  options.Other->ShowProgress->SetValue(true);
  EXPECT_TRUE(TProgress::WindowEnabled());
}

TEST(Options, LoadingTheProgramsOptionsSwitchesTheProgressWindow) {
  LoadText(Options(), "<M><Options><Other><ShowProgress value=\"N\" />");
  EXPECT_FALSE(TProgress::WindowEnabled());
  LoadText(Options(), "");
  EXPECT_TRUE(TProgress::WindowEnabled());
}

TEST(Options, TheProgramHasOneTreeWithItsOwnWorkFolder) {
  EXPECT_EQ(&Options(), &Options());
  EXPECT_EQ(Options().Main->WorkDir->Default(), TStringList{DefaultWorkDir()});
}

}  // namespace
}  // namespace mervanta
