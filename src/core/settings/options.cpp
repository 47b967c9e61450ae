#include "settings/options.h"

#include "settings/settings_location.h"
#include "support/msg_sender.h"
#include "support/progress.h"
#include "support/xml_file.h"

namespace mervanta {

TOptions::TOptions(const std::string& defaultWorkDir)
    : Main(AddCategory<TMainCategory>(defaultWorkDir)),
      Flip(AddCategory<TFlipCategory>()),
      Head(AddCategory<THeadCategory>()),
      Search(AddCategory<TSearchCategory>()),
      Card(AddCategory<TCardCategory>()),
      Export(AddCategory<TExportCategory>()),
      Print(AddCategory<TPrintCategory>()),
      Tools(AddCategory<TToolsCategory>()),
      Other(AddCategory<TOtherCategory>()) {}

void TOptions::Changed(TProperty& property) {
  TPropertiesCategory::Changed(property);
  if (&property == Other->ShowProgress && this == &Options()) {
    TProgress::SetWindowEnabled(Other->ShowProgress->Value());
  }
}

TOptions& Options() {
  static TOptions options(DefaultWorkDir());
  return options;
}

void LoadOptions(TXmlFile& document, TOptions& options) {
  options.LoadFromXml(*document.Root()->Child("Options"));
  TStringListProperty& tools = *options.Tools->Items;
  if (tools.Value().empty()) tools.SetValue(tools.Default());
  MsgSender().Send(&options, TMsgCode::OptionsChanged);
}

void SaveOptions(TXmlFile& document, const TOptions& options) {
  TXmlTag& root = *document.Root();
  if (!options.Search->StoreQuickSearchHistory->Value()) {
    root.Child("Session")->Child("SearchFastForm")->WriteString("History", "");
  }
  options.SaveToXml(*root.Child("Options"));
}

}  // namespace mervanta
