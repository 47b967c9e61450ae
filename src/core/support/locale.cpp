#include "support/locale.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <cstring>

namespace mervanta {

namespace {

struct TLanguageCodePages {
  const char* Language;
  int Ansi;
  int Oem;
};

// The pair the desktop system these files come from uses for each language.
constexpr TLanguageCodePages kLanguageCodePages[] = {
    {"ru", 1251, 866}, {"uk", 1251, 866}, {"be", 1251, 866}, {"bg", 1251, 866}, {"sr", 1251, 866},
    {"mk", 1251, 866}, {"kk", 1251, 866}, {"ky", 1251, 866}, {"tt", 1251, 866}, {"mn", 1251, 866},
    {"cs", 1250, 852}, {"pl", 1250, 852}, {"hu", 1250, 852}, {"sk", 1250, 852}, {"sl", 1250, 852},
    {"hr", 1250, 852}, {"ro", 1250, 852}, {"sq", 1250, 852}, {"bs", 1250, 852}, {"el", 1253, 737},
    {"tr", 1254, 857}, {"az", 1254, 857}, {"he", 1255, 862}, {"yi", 1255, 862}, {"ar", 1256, 720},
    {"fa", 1256, 720}, {"ur", 1256, 720}, {"et", 1257, 775}, {"lv", 1257, 775}, {"lt", 1257, 775}};

int CodePageFromEnvironment(const char* name, int fallback) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return fallback;
  char* end = nullptr;
  long number = std::strtol(value, &end, 10);
  if (*end != '\0' || number <= 0 || number > 65535) return fallback;
  return TCodePage::IsSupported(static_cast<int>(number)) ? static_cast<int>(number) : fallback;
}

const char* LocaleNameFromEnvironment() {
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return "C";
}

char FirstSeparator(std::string_view picture, std::string_view letters, char fallback) {
  bool seenField = false;
  for (char c : picture) {
    if (letters.find(c) != std::string_view::npos) {
      seenField = true;
    } else if (seenField && c != ' ' && c != '\'') {
      return c;
    }
  }
  return fallback;
}

// The long time picture without its seconds field and the separator before it.
std::string ShortTimeFromLong(const std::string& longTime) {
  std::size_t s = longTime.find('s');
  if (s == std::string::npos) return longTime;
  std::size_t end = s;
  while (end < longTime.size() && longTime[end] == 's') ++end;
  std::size_t begin = s;
  while (begin > 0 && longTime[begin - 1] != 'm') --begin;
  return longTime.substr(0, begin) + longTime.substr(end);
}

// Characters the target cannot show become "?", and so do bytes that stand for none.
std::array<unsigned char, 256> RecodeTable(const TCodePage& from, const TCodePage& to) {
  std::array<unsigned char, 256> table{};
  for (int b = 0; b < 256; ++b) {
    const auto source = static_cast<unsigned char>(b);
    unsigned char byte;
    const bool fits = from.IsDefined(source) && to.FromUnicode(from.ToUnicode(source), byte) &&
                      to.IsDefined(byte);
    table[static_cast<std::size_t>(b)] = fits ? byte : '?';
  }
  return table;
}

std::unique_ptr<TLocale>& CurrentLocale() {
  static std::unique_ptr<TLocale> locale;
  return locale;
}

}  // namespace

std::pair<int, int> CodePagesOfLocaleName(std::string_view localeName) {
  std::string_view language = localeName.substr(0, localeName.find_first_of("_.@"));
  for (const auto& entry : kLanguageCodePages) {
    if (language == entry.Language) return {entry.Ansi, entry.Oem};
  }
  return {1252, 850};
}

std::string PictureFromStrftime(std::string_view pattern) {
  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%' || i + 1 >= pattern.size()) {
      out += pattern[i];
      continue;
    }
    char spec = pattern[++i];
    if (spec == 'E' || spec == 'O' || spec == '-' || spec == '_' || spec == '0') {
      if (i + 1 >= pattern.size()) break;
      spec = pattern[++i];
    }
    switch (spec) {
      case 'd':
        out += "dd";
        break;
      case 'e':
        out += "d";
        break;
      case 'm':
        out += "MM";
        break;
      case 'y':
        out += "yy";
        break;
      case 'Y':
        out += "yyyy";
        break;
      case 'H':
        out += "HH";
        break;
      case 'k':
        out += "H";
        break;
      case 'I':
        out += "hh";
        break;
      case 'l':
        out += "h";
        break;
      case 'M':
        out += "mm";
        break;
      case 'S':
        out += "ss";
        break;
      case 'p':
        out += "tt";
        break;
      case 'D':
        out += "MM/dd/yy";
        break;
      case 'F':
        out += "yyyy-MM-dd";
        break;
      case 'T':
        out += "HH:mm:ss";
        break;
      case 'R':
        out += "HH:mm";
        break;
      case 'r':
        out += "hh:mm:ss tt";
        break;
      case '%':
        out += '%';
        break;
      default:
        break;
    }
  }
  return out;
}

TLocaleSettings DetectLocaleSettings() {
  TLocaleSettings settings;
  auto [ansi, oem] = CodePagesOfLocaleName(LocaleNameFromEnvironment());
  settings.AnsiCodePage = CodePageFromEnvironment("MERVANTA_CODEPAGE", ansi);
  settings.OemCodePage = CodePageFromEnvironment("MERVANTA_OEMCP", oem);

  locale_t locale = newlocale(LC_ALL_MASK, "", nullptr);
  if (locale == nullptr) locale = newlocale(LC_ALL_MASK, "C", nullptr);
  if (locale == nullptr) return settings;
  const char* radix = nl_langinfo_l(RADIXCHAR, locale);
  if (radix != nullptr && radix[0] != '\0' && radix[1] == '\0') {
    settings.DecimalSeparator = radix[0];
  }
  const char* thousands = nl_langinfo_l(THOUSEP, locale);
  if (thousands != nullptr && thousands[0] != '\0' && thousands[1] == '\0') {
    settings.ThousandSeparator = thousands[0];
  } else {
    settings.ThousandSeparator = ' ';
  }
  std::string date = PictureFromStrftime(nl_langinfo_l(D_FMT, locale));
  if (!date.empty()) settings.ShortDateFormat = date;
  std::string time = PictureFromStrftime(nl_langinfo_l(T_FMT, locale));
  if (!time.empty()) settings.LongTimeFormat = time;
  settings.ShortTimeFormat = ShortTimeFromLong(settings.LongTimeFormat);
  const char* am = nl_langinfo_l(AM_STR, locale);
  const char* pm = nl_langinfo_l(PM_STR, locale);
  if (am != nullptr && *am != '\0') settings.TimeAMString = am;
  if (pm != nullptr && *pm != '\0') settings.TimePMString = pm;
  freelocale(locale);
  return settings;
}

TLocale::TLocale(TLocaleSettings settings)
    : Settings_(std::move(settings)),
      Ansi_(std::make_unique<TCodePage>(Settings_.AnsiCodePage)),
      Oem_(std::make_unique<TCodePage>(Settings_.OemCodePage)),
      DateSeparator_(FirstSeparator(Settings_.ShortDateFormat, "dMy", '/')),
      TimeSeparator_(FirstSeparator(Settings_.LongTimeFormat, "Hhms", ':')),
      AnsiToOem_(RecodeTable(*Ansi_, *Oem_)),
      OemToAnsi_(RecodeTable(*Oem_, *Ansi_)) {}

const TLocale& TLocale::Detect() {
  Install(DetectLocaleSettings());
  return *Current_;
}

void TLocale::Install(TLocaleSettings settings) {
  auto& owned = CurrentLocale();
  owned = std::make_unique<TLocale>(std::move(settings));
  Current_ = owned.get();
}

namespace {

std::string MapBytes(std::string_view text, const std::array<unsigned char, 256>& table) {
  std::string out(text);
  for (char& ch : out) ch = static_cast<char>(table[static_cast<unsigned char>(ch)]);
  return out;
}

}  // namespace

std::string AnsiToUtf8(std::string_view ansi) {
  return TLocale::Current().Ansi().ToUtf8(ansi);
}
std::string Utf8ToAnsi(std::string_view utf8) {
  return TLocale::Current().Ansi().FromUtf8(utf8);
}

std::string AnsiToOem(std::string_view ansi) {
  return MapBytes(ansi, TLocale::Current().AnsiToOemTable());
}

std::string OemToAnsi(std::string_view oem) {
  return MapBytes(oem, TLocale::Current().OemToAnsiTable());
}

std::string AnsiUpperCase(std::string_view text) {
  return MapBytes(text, TLocale::Current().Ansi().UpperTable());
}

std::string AnsiLowerCase(std::string_view text) {
  return MapBytes(text, TLocale::Current().Ansi().LowerTable());
}

}  // namespace mervanta
