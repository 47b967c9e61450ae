#include "support/charsets.h"

#include "support/locale.h"

namespace mervanta {

namespace {

struct TCharsetEntry {
  int Charset;
  const char* Name;
  int CodePage;  // 0: the current ANSI code page, -1: the OEM one, -2: none
};

constexpr TCharsetEntry kCharsets[] = {
    {0, "ANSI_CHARSET", 1252},         {1, "DEFAULT_CHARSET", 0},
    {2, "SYMBOL_CHARSET", -2},         {77, "MAC_CHARSET", 10000},
    {128, "SHIFTJIS_CHARSET", 932},    {129, "HANGEUL_CHARSET", 949},
    {130, "JOHAB_CHARSET", 1361},      {134, "GB2312_CHARSET", 936},
    {136, "CHINESEBIG5_CHARSET", 950}, {161, "GREEK_CHARSET", 1253},
    {162, "TURKISH_CHARSET", 1254},    {163, "VIETNAMESE_CHARSET", 1258},
    {177, "HEBREW_CHARSET", 1255},     {178, "ARABIC_CHARSET", 1256},
    {186, "BALTIC_CHARSET", 1257},     {204, "RUSSIAN_CHARSET", 1251},
    {222, "THAI_CHARSET", 874},        {238, "EASTEUROPE_CHARSET", 1250},
    {255, "OEM_CHARSET", -1}};

const TCharsetEntry* Find(int charset) {
  for (const auto& entry : kCharsets) {
    if (entry.Charset == charset) return &entry;
  }
  return nullptr;
}

}  // namespace

std::string CharsetName(int charset) {
  const TCharsetEntry* entry = Find(charset);
  return entry != nullptr ? entry->Name : std::string();
}

bool TryCharsetFromName(std::string_view name, int& charset) {
  for (const auto& entry : kCharsets) {
    if (name == entry.Name) {
      charset = entry.Charset;
      return true;
    }
  }
  return false;
}

bool CodePageOfCharset(int charset, int& codePage) {
  const TCharsetEntry* entry = Find(charset);
  if (entry == nullptr || entry->CodePage == -2) return false;
  if (entry->CodePage == 0) {
    codePage = TLocale::Current().Settings().AnsiCodePage;
  } else if (entry->CodePage == -1) {
    codePage = TLocale::Current().Settings().OemCodePage;
  } else {
    codePage = entry->CodePage;
  }
  return true;
}

}  // namespace mervanta
