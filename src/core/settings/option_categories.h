#pragma once

#include <array>
#include <string>
#include <string_view>

#include "settings/boolean_property.h"
#include "settings/color_property.h"
#include "settings/font_property.h"
#include "settings/integer_property.h"
#include "settings/item_index_property.h"
#include "settings/properties_category.h"
#include "settings/string_list_property.h"
#include "settings/string_property.h"

namespace mervanta {

// The main window's commands on a fresh toolbar; an empty name stands for a separator.
inline constexpr std::array<std::string_view, 14> kStandardToolList{
    "f_New",    "f_Open",     "f_WorkDir", "f_Save",  "f_Close",   "", "r_Add",
    "r_Delete", "r_FindFast", "",          "s_Table", "s_Options", "", "h_Help"};

// The application options' categories. Each property is a field named after its key, in
// the order in which it is stored and copied.

class TMainCategory : public TPropertiesCategory {
 public:
  // The folder offered when no work folder is stored, with its trailing delimiter.
  explicit TMainCategory(const std::string& defaultWorkDir);

  TStringListProperty* const WorkDir;
  TItemIndexProperty* const StartMode;
  TItemIndexProperty* const SeparatorIndex;
  TBooleanProperty* const UseChoice;

  // Trimmed, blank ones dropped, each ending in the delimiter, and never none at all (the
  // default then). Folders that do not exist are kept.
  TStringList CleanWorkDir(TStringList folders) const;
  // Cleans the loaded work folders.
  void LoadFromXml(TXmlTag& element) override;
};

class TFlipExactCategory : public TPropertiesCategory {
 public:
  TFlipExactCategory();

  TColorProperty* const BkColor;
  TColorProperty* const RowColor;
  TColorProperty* const OddColor;
  TColorProperty* const LinesColor;
  TColorProperty* const SortColor;
  TColorProperty* const SelColor;
  TColorProperty* const SelInactColor;
  TColorProperty* const FontColor;
  TColorProperty* const SelFontColor;
  TColorProperty* const FoundColor;
  TColorProperty* const SelFoundColor;
  TColorProperty* const SubStrColor;
  TColorProperty* const ChoicedFontColor;
  TColorProperty* const LinkColor;
  TColorProperty* const CaretColor;
  TIntegerProperty* const HorzSpace;
  TIntegerProperty* const VertSpace;
  TIntegerProperty* const PictureSpace;
};

class TFlipCategory : public TPropertiesCategory {
 public:
  TFlipCategory();

  TFlipExactCategory* const Exact;
  TFontProperty* const Font;
  TBooleanProperty* const ShowPictures;
  TBooleanProperty* const Icons;
  TBooleanProperty* const ShowHints;
  TBooleanProperty* const HorzLines;
  TBooleanProperty* const VertLines;
  TBooleanProperty* const HighlightOdd;
  TBooleanProperty* const HighlightSorted;
  TBooleanProperty* const AcceptWeb;
  TBooleanProperty* const AcceptEmails;
  TBooleanProperty* const FoundBk;
  TBooleanProperty* const FoundSubStr;
  TBooleanProperty* const ChoicedFont;
};

class THeadCategory : public TPropertiesCategory {
 public:
  THeadCategory();

  TFontProperty* const Font;
  TBooleanProperty* const Grouped;
  TBooleanProperty* const WordWrap;
  TBooleanProperty* const ShowHints;
  TBooleanProperty* const ShowSort;
  TBooleanProperty* const Center;
};

class TSearchCategory : public TPropertiesCategory {
 public:
  TSearchCategory();

  TBooleanProperty* const OpenFoundPage;
  TBooleanProperty* const StoreHistory;
  TBooleanProperty* const StoreQuickSearchHistory;
  TBooleanProperty* const InformEmpty;
  TBooleanProperty* const InformCount;
  TBooleanProperty* const Reset;
  TBooleanProperty* const UseBlind;
};

class TCardCategory : public TPropertiesCategory {
 public:
  TCardCategory();

  TFontProperty* const Font;
  TBooleanProperty* const AddingMode;
  TBooleanProperty* const HideButtons;
  TBooleanProperty* const AutoDropDown;
  TBooleanProperty* const ShowVirtuals;
  TBooleanProperty* const RelativeFilePath;
  TIntegerProperty* const Lines;
};

class TExportCategory : public TPropertiesCategory {
 public:
  TExportCategory();

  TStringProperty* const FileNameMacros;
  TItemIndexProperty* const SeparatorCSV;
  TBooleanProperty* const MakeKX;
  TBooleanProperty* const ShowHeadCSV;
  TBooleanProperty* const ShowHeadTXT;
  TBooleanProperty* const ShowHeadHTML;
  TBooleanProperty* const ShowHeadOffice;
  TBooleanProperty* const ViewCOM;
};

class TPrintCategory : public TPropertiesCategory {
 public:
  TPrintCategory();

  TFontProperty* const Font;
  TBooleanProperty* const ShowPictures;
  TBooleanProperty* const ShowGrid;
  TBooleanProperty* const ShowHead;
  TBooleanProperty* const CardMode;
};

class TToolsCategory : public TPropertiesCategory {
 public:
  TToolsCategory();

  TStringListProperty* const Items;
  TItemIndexProperty* const Captions;
};

class TOtherCategory : public TPropertiesCategory {
 public:
  TOtherCategory();

  TBooleanProperty* const SaveSelection;
  TBooleanProperty* const InformReadOnly;
  TBooleanProperty* const QuoteAllFields;
  TBooleanProperty* const ShowProgress;
  TBooleanProperty* const MenuImages;
  TBooleanProperty* const WizardsWelcome;
  TBooleanProperty* const AddFieldsToEmail;
};

}  // namespace mervanta
