#pragma once

#include <string>

#include "settings/option_categories.h"

namespace mervanta {

class TXmlFile;

// The application options: nine categories stored directly inside the element they are
// given, read live by every part that has a setting, e.g. Options().Flip->Exact->FoundColor.
class TOptions : public TPropertiesCategory {
 public:
  // The work folder offered when none is stored.
  explicit TOptions(const std::string& defaultWorkDir);

  TMainCategory* const Main;
  TFlipCategory* const Flip;
  THeadCategory* const Head;
  TSearchCategory* const Search;
  TCardCategory* const Card;
  TExportCategory* const Export;
  TPrintCategory* const Print;
  TToolsCategory* const Tools;
  TOtherCategory* const Other;

  // The program's options also steer the progress window (ShowProgress).
  void Changed(TProperty& property) override;
};

// The one options tree of the program, created on first use.
TOptions& Options();

// Reads the options from the root's "Options" element (created when missing), gives an empty
// tool list the standard tools, and announces OptionsChanged with the options as sender.
void LoadOptions(TXmlFile& document, TOptions& options = Options());
// Writes the options into the root's "Options" element. Without the quick search history
// option, the history the quick search keeps in the session is emptied first.
void SaveOptions(TXmlFile& document, const TOptions& options = Options());

}  // namespace mervanta
