#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mervanta {

// What the desktop program was started with. Switches and keys match whatever the case of
// their letters; a parameter ending in ".csv", or a table's description file (".kx"), names
// the table to open, the last one winning.
// Relative file names are made absolute against the folder the program was started in.
struct TCommandLine {
  std::string Title = "Mervanta";
  // Empty: the settings file goes where the settings-location rule says.
  std::string OptionsFile;
  std::string TableFile;
  bool Read = false;
  bool Single = false;
  bool Simplest = false;
  bool Table = true;
  bool Options = true;
  bool Help = true;
  bool About = true;
  // The parameters it did not understand, each to be reported once.
  std::vector<std::string> Unknown;
};

// Reads the parameters after the program's name. `programFolder` (ending in "/") is where a
// bare "Options=" file name is looked for.
TCommandLine ParseCommandLine(std::span<const std::string> parameters,
                              std::string_view programFolder);

// The command line is read before the toolkit starts, which then takes its own arguments out of
// it: the parameters it took are no unknown ones.
void ForgetParametersTaken(TCommandLine& line, std::span<const std::string> remaining);

// "Unknown command line parameter "<parameter>"".
std::string UnknownParameterMessage(std::string_view parameter);

}  // namespace mervanta
