#pragma once

#include <string>

#include "dialogs/program_launcher.h"

namespace mervanta {

class TRecords;
class TTemporaryFiles;
enum class TExportFormat : int;

// The office-suite export formats through LibreOffice: the spreadsheet is the binary one
// opened in Calc, the document is the HTML page converted for Writer. Every program is
// started detached, and a conversion that does not end within the time limit is stopped,
// so the program never hangs on the suite.
class TOfficeSuite {
 public:
  TProgramLauncher Launcher;
  int ConversionSeconds = 120;

  // The suite's program for the format; raises EMervantaError naming what is missing.
  QString Program(TExportFormat format) const;

  // Writes the records into fileName and opens it in the suite; with no file name the suite
  // shows them in a new, unsaved document. Files the suite reads later go to `kept`.
  void Export(const TRecords& source, const std::string& tableFolder, TExportFormat format,
              const std::string& fileName, const std::string& title, TTemporaryFiles& kept) const;

 private:
  // Converts the file into the format (an extension) beside it; answers the converted
  // file's name.
  std::string Convert(const QString& office, const std::string& file, const char* format) const;
};

}  // namespace mervanta
