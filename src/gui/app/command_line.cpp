#include "app/command_line.h"

#include <algorithm>
#include <filesystem>

#include "support/file_names.h"

namespace mervanta {

namespace {

char LowerLatin(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameWord(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerLatin(x) == LowerLatin(y);
         });
}

bool EndsWithCsv(std::string_view parameter) {
  return parameter.size() >= 4 && SameWord(parameter.substr(parameter.size() - 4), ".csv");
}

// One pair of surrounding double quotes removed.
std::string Dequoted(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

// Sets the switch the word names; false when it names none.
bool ApplySwitch(std::string_view word, TCommandLine& line) {
  struct TSwitch {
    std::string_view Name;
    bool TCommandLine::*Field;
    bool Value;
  };
  static constexpr TSwitch kSwitches[] = {
      {"NoTable", &TCommandLine::Table, false}, {"NoOptions", &TCommandLine::Options, false},
      {"NoHelp", &TCommandLine::Help, false},   {"NoAbout", &TCommandLine::About, false},
      {"Read", &TCommandLine::Read, true},      {"Single", &TCommandLine::Single, true}};
  if (SameWord(word, "Simplest")) {
    line.Read = line.Single = line.Simplest = true;
    return true;
  }
  for (const TSwitch& each : kSwitches) {
    if (SameWord(word, each.Name)) {
      line.*each.Field = each.Value;
      return true;
    }
  }
  return false;
}

// The program changes into the work directory once its window is built, so a relative name
// must be read against the folder it was started in.
std::string FromStartFolder(const std::string& name) {
  return std::filesystem::absolute(name).lexically_normal().string();
}

}  // namespace

TCommandLine ParseCommandLine(std::span<const std::string> parameters,
                              std::string_view programFolder) {
  TCommandLine line;
  for (const std::string& parameter : parameters) {
    if (EndsWithCsv(parameter)) {
      line.TableFile = FromStartFolder(parameter);
      continue;
    }
    // The desktop opens a description file with this program: the table is its data file.
    if (IsDescriptionFileName(parameter)) {
      line.TableFile = DataFileOfDescription(FromStartFolder(parameter));
      continue;
    }
    const std::size_t equals = parameter.find('=');
    if (equals == std::string::npos) {
      if (!ApplySwitch(parameter, line)) line.Unknown.push_back(parameter);
      continue;
    }
    const std::string_view key = std::string_view(parameter).substr(0, equals);
    const std::string value = Dequoted(std::string_view(parameter).substr(equals + 1));
    if (SameWord(key, "Options")) {
      line.OptionsFile = value.find('/') == std::string::npos ? std::string(programFolder) + value
                                                              : FromStartFolder(value);
    } else if (SameWord(key, "Title")) {
      line.Title = value;
    } else {
      line.Unknown.push_back(parameter);
    }
  }
  return line;
}

void ForgetParametersTaken(TCommandLine& line, std::span<const std::string> remaining) {
  std::erase_if(line.Unknown, [remaining](const std::string& parameter) {
    return std::find(remaining.begin(), remaining.end(), parameter) == remaining.end();
  });
}

std::string UnknownParameterMessage(std::string_view parameter) {
  return "Unknown command line parameter \"" + std::string(parameter) + "\"";
}

}  // namespace mervanta
