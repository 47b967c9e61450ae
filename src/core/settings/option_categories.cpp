#include "settings/option_categories.h"

#include <cstdio>

namespace mervanta {

namespace {

constexpr const char* kSeparatorChoices = ";\r\n,\r\nTab\r\n|";
constexpr TColor kBlack = RGB(0, 0, 0);
constexpr TColor kWhite = RGB(255, 255, 255);

TBooleanProperty* AddSwitch(TPropertiesCategory& category, const char* name, const char* caption,
                            bool defaultValue) {
  return category.AddProperty<TBooleanProperty>(name, caption, defaultValue);
}

TColorProperty* AddColor(TPropertiesCategory& category, const char* name, const char* caption,
                         TColor defaultValue) {
  return category.AddProperty<TColorProperty>(name, caption, defaultValue);
}

TIntegerProperty* AddSpace(TPropertiesCategory& category, const char* name, const char* caption,
                           int defaultValue) {
  return category.AddProperty<TIntegerProperty>(name, caption, defaultValue, 0, 64);
}

TFontProperty* AddFont(TPropertiesCategory& category, const char* face, int size) {
  return category.AddProperty<TFontProperty>("Font", "Font", face, size, TFontStyles{0}, kBlack);
}

TStringListProperty* AddCommaTextList(TPropertiesCategory& category, const char* name,
                                      const char* caption, TStringList defaultValue) {
  auto* property = category.AddProperty<TStringListProperty>(name, caption, std::string_view());
  property->SetFlags(pfCommaText);
  property->SetDefault(defaultValue);
  property->SetValue(std::move(defaultValue));
  return property;
}

// One export format's header switch, named and captioned after the format's word.
TBooleanProperty* AddShowHead(TPropertiesCategory& category, std::string_view format,
                              bool defaultValue) {
  char caption[64];
  std::snprintf(caption, sizeof caption, "Show headers (%.*s)", static_cast<int>(format.size()),
                format.data());
  return category.AddProperty<TBooleanProperty>("ShowHead" + std::string(format), caption,
                                                defaultValue);
}

}  // namespace

TMainCategory::TMainCategory(const std::string& defaultWorkDir)
    : TPropertiesCategory("Main", "General"),
      WorkDir(AddCommaTextList(*this, "WorkDir", "Directories", {defaultWorkDir})),
      StartMode(AddProperty<TItemIndexProperty>("StartMode", "Open table on start-up",
                                                "Ask\r\nRemember last\r\nDo not open", 2)),
      SeparatorIndex(
          AddProperty<TItemIndexProperty>("SeparatorIndex", "Separator", kSeparatorChoices, 0)),
      UseChoice(AddSwitch(*this, "UseChoice", "Use choice and show Chosen list", true)) {}

TStringList TMainCategory::CleanWorkDir(TStringList folders) const {
  for (std::string& folder : folders) {
    folder = NormaliseText(folder, pfTrimLeft | pfTrimRight | pfDirectory);
  }
  std::erase_if(folders, [](const std::string& folder) { return folder.empty(); });
  if (folders.empty()) folders = WorkDir->Default();
  return folders;
}

void TMainCategory::LoadFromXml(TXmlTag& element) {
  TPropertiesCategory::LoadFromXml(element);
  WorkDir->SetValue(CleanWorkDir(WorkDir->Value()));
}

TFlipExactCategory::TFlipExactCategory()
    : TPropertiesCategory("Exact", "Colors and Spaces"),
      BkColor(AddColor(*this, "BkColor", "Background", kWhite)),
      RowColor(AddColor(*this, "RowColor", "Rows", kWhite)),
      OddColor(AddColor(*this, "OddColor", "Bands", RGB(0xE7, 0xE7, 0xE7))),
      LinesColor(AddColor(*this, "LinesColor", "Lines", RGB(0xE7, 0xE7, 0xE7))),
      SortColor(AddColor(*this, "SortColor", "Sorted column", RGB(0xE0, 0xE0, 0xE0))),
      SelColor(AddColor(*this, "SelColor", "Selection", RGB(0x00, 0x00, 0x80))),
      SelInactColor(AddColor(*this, "SelInactColor", "Inactive selection", RGB(0x80, 0x80, 0x80))),
      FontColor(AddColor(*this, "FontColor", "Font", kBlack)),
      SelFontColor(AddColor(*this, "SelFontColor", "Selection font", kWhite)),
      FoundColor(AddColor(*this, "FoundColor", "Found rows", RGB(0xC6, 0xF5, 0xC8))),
      SelFoundColor(AddColor(*this, "SelFoundColor", "Selected found row", RGB(0x00, 0x62, 0x00))),
      SubStrColor(AddColor(*this, "SubStrColor", "Found substring", RGB(0xFF, 0xB4, 0xB4))),
      ChoicedFontColor(AddColor(*this, "ChoicedFontColor", "Chosen font", RGB(0xC0, 0xC0, 0xC0))),
      LinkColor(AddColor(*this, "LinkColor", "Links", RGB(0x00, 0x00, 0xFF))),
      CaretColor(AddColor(*this, "CaretColor", "Automated tasks marker", RGB(0xFF, 0x00, 0x00))),
      HorzSpace(AddSpace(*this, "HorzSpace", "Cell horizontal space", 5)),
      VertSpace(AddSpace(*this, "VertSpace", "Cell vertical space", 1)),
      PictureSpace(AddSpace(*this, "PictureSpace", "Pictures space", 1)) {}

TFlipCategory::TFlipCategory()
    : TPropertiesCategory("Flip", "Lists"),
      Exact(AddCategory<TFlipExactCategory>()),
      Font(AddFont(*this, "Calibri", 11)),
      ShowPictures(AddSwitch(*this, "ShowPictures", "Show pictures", true)),
      Icons(AddSwitch(*this, "Icons", "Show icons instead of \"+\" and \"-\"", true)),
      ShowHints(AddSwitch(*this, "ShowHints", "Show hints", true)),
      HorzLines(AddSwitch(*this, "HorzLines", "Horizontal lines", true)),
      VertLines(AddSwitch(*this, "VertLines", "Vertical lines", true)),
      HighlightOdd(AddSwitch(*this, "HighlightOdd", "Show bands", false)),
      HighlightSorted(AddSwitch(*this, "HighlightSorted", "Highlight sorted column", false)),
      AcceptWeb(AddSwitch(*this, "AcceptWeb", "Accept web links", true)),
      AcceptEmails(AddSwitch(*this, "AcceptEmails", "Accept e-mail links", true)),
      FoundBk(AddSwitch(*this, "FoundBk", "Show found background color", true)),
      FoundSubStr(AddSwitch(*this, "FoundSubStr", "Show found substring", true)),
      ChoicedFont(AddSwitch(*this, "ChoicedFont", "Show chosen items", true)) {}

THeadCategory::THeadCategory()
    : TPropertiesCategory("Head", "Column Headings"),
      Font(AddFont(*this, "Calibri", 11)),
      Grouped(AddSwitch(*this, "Grouped", "Group columns", true)),
      WordWrap(AddSwitch(*this, "WordWrap", "Word wrap", true)),
      ShowHints(AddSwitch(*this, "ShowHints", "Show hints", true)),
      ShowSort(AddSwitch(*this, "ShowSort", "Show \"sort\" icon", true)),
      Center(AddSwitch(*this, "Center", "Center captions", true)) {}

TSearchCategory::TSearchCategory()
    : TPropertiesCategory("Search", "Search"),
      OpenFoundPage(AddSwitch(*this, "OpenFoundPage",
                              "Go to Search Results page after search completion", false)),
      StoreHistory(AddSwitch(*this, "StoreHistory", "Enable results history", true)),
      StoreQuickSearchHistory(
          AddSwitch(*this, "StoreQuickSearchHistory", "Enable Quick Search queries history", true)),
      InformEmpty(AddSwitch(*this, "InformEmpty", "Notify when no results are found", true)),
      InformCount(AddSwitch(*this, "InformCount", "Inform about found results", true)),
      Reset(AddSwitch(*this, "Reset", "Reset previous search conditions", false)),
      UseBlind(AddSwitch(*this, "UseBlind", "Use blind search", true)) {}

TCardCategory::TCardCategory()
    : TPropertiesCategory("Card", "Card"),
      Font(AddFont(*this, "Tahoma", 8)),
      AddingMode(AddSwitch(*this, "AddingMode", "Addition of records in one window", true)),
      HideButtons(AddSwitch(*this, "HideButtons", "Hide buttons", false)),
      AutoDropDown(AddSwitch(*this, "AutoDropDown", "Open lists at typing", false)),
      ShowVirtuals(AddSwitch(*this, "ShowVirtuals", "Show virtual columns", true)),
      RelativeFilePath(AddSwitch(*this, "RelativeFilePath", "Relative file names", true)),
      Lines(AddProperty<TIntegerProperty>("Lines", "Visible line count in multiline fields", 5, 2,
                                          32)) {}

TExportCategory::TExportCategory()
    : TPropertiesCategory("Export", "Export"),
      FileNameMacros(AddProperty<TStringProperty>("FileNameMacros", "Default file name", "Export")),
      SeparatorCSV(
          AddProperty<TItemIndexProperty>("SeparatorCSV", "Separator (CSV)", kSeparatorChoices, 0)),
      MakeKX(AddSwitch(*this, "MakeKX", "Create KX-file when export to CSV", false)),
      ShowHeadCSV(AddShowHead(*this, "CSV", false)),
      ShowHeadTXT(AddShowHead(*this, "TXT", false)),
      ShowHeadHTML(AddShowHead(*this, "HTML", true)),
      ShowHeadOffice(AddShowHead(*this, "Office", true)),
      ViewCOM(AddSwitch(*this, "ViewCOM", "Don't create files when COM export", false)) {}

TPrintCategory::TPrintCategory()
    : TPropertiesCategory("Print", "Print"),
      Font(AddFont(*this, "Calibri", 11)),
      ShowPictures(AddSwitch(*this, "ShowPictures", "Print pictures", true)),
      ShowGrid(AddSwitch(*this, "ShowGrid", "Print grid", true)),
      ShowHead(AddSwitch(*this, "ShowHead", "Print column headings", true)),
      CardMode(AddSwitch(*this, "CardMode", "Print cards mode", false)) {
  Font->SetFlags(pfPrinterFont);
}

TToolsCategory::TToolsCategory()
    : TPropertiesCategory("Tools", "Tools"),
      Items(AddCommaTextList(*this, "Items", "Selected tools",
                             TStringList(kStandardToolList.begin(), kStandardToolList.end()))),
      Captions(AddProperty<TItemIndexProperty>(
          "Captions", "Button captions", "Do not show\r\nOn the right\r\nAt the bottom", 2)) {}

TOtherCategory::TOtherCategory()
    : TPropertiesCategory("Other", "Other"),
      SaveSelection(AddSwitch(*this, "SaveSelection", "Remember selection in tables", true)),
      InformReadOnly(AddSwitch(*this, "InformReadOnly", "View-mode report", true)),
      QuoteAllFields(AddSwitch(*this, "QuoteAllFields", "Cover all fields in quotes", false)),
      ShowProgress(AddSwitch(*this, "ShowProgress", "Show progress on long operations", true)),
      MenuImages(AddSwitch(*this, "MenuImages", "Show menu icons", true)),
      WizardsWelcome(AddSwitch(*this, "WizardsWelcome", "Show welcome page in wizards", true)),
      AddFieldsToEmail(AddSwitch(*this, "AddFieldsToEmail", "Add records to e-mail", true)) {}

}  // namespace mervanta
