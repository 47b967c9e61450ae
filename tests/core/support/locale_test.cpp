#include "support/locale.h"

#include <gtest/gtest.h>

#include "test_support/scoped_environment.h"

namespace mervanta {
namespace {

TEST(Locale, LanguageChoosesTheCodePagePair) {
  struct TCase {
    const char* Name;
    int Ansi;
    int Oem;
  } cases[] = {{"ru_RU.UTF-8", 1251, 866}, {"uk_UA", 1251, 866},   {"pl_PL.UTF-8", 1250, 852},
               {"el_GR", 1253, 737},       {"tr_TR", 1254, 857},   {"he_IL", 1255, 862},
               {"ar_EG.UTF-8", 1256, 720}, {"lt_LT", 1257, 775},   {"de_DE.UTF-8", 1252, 850},
               {"C", 1252, 850},           {"C.UTF-8", 1252, 850}, {"", 1252, 850}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(CodePagesOfLocaleName(c.Name), std::make_pair(c.Ansi, c.Oem));
  }
}

TEST(Locale, StrftimePatternsBecomePictures) {
  struct TCase {
    const char* Pattern;
    const char* Picture;
  } cases[] = {{"%d.%m.%Y", "dd.MM.yyyy"}, {"%m/%d/%y", "MM/dd/yy"},
               {"%Y-%m-%d", "yyyy-MM-dd"}, {"%H:%M:%S", "HH:mm:ss"},
               {"%r", "hh:mm:ss tt"},      {"%T", "HH:mm:ss"},
               {"%e.%m.%Y", "d.MM.yyyy"},  {"%Ey", "yy"},
               {"100%%", "100%"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Pattern);
    EXPECT_EQ(PictureFromStrftime(c.Pattern), c.Picture);
  }
}

TEST(Locale, EnvironmentOverridesTheCodePages) {
  test::TScopedEnvironment language("LC_ALL", "C");
  {
    test::TScopedEnvironment ansi("MERVANTA_CODEPAGE", "1251");
    test::TScopedEnvironment oem("MERVANTA_OEMCP", "866");
    TLocaleSettings settings = DetectLocaleSettings();
    EXPECT_EQ(settings.AnsiCodePage, 1251);
    EXPECT_EQ(settings.OemCodePage, 866);
  }
  for (const char* bad : {"abc", "0", "99999", "4242", ""}) {
    SCOPED_TRACE(bad);
    test::TScopedEnvironment ansi("MERVANTA_CODEPAGE", bad);
    EXPECT_EQ(DetectLocaleSettings().AnsiCodePage, 1252);
  }
}

TEST(Locale, SeparatorsComeFromThePictures) {
  TLocaleSettings settings;
  settings.ShortDateFormat = "yyyy-MM-dd";
  settings.LongTimeFormat = "H.mm.ss";
  TLocale locale(settings);
  EXPECT_EQ(locale.DateSeparator(), '-');
  EXPECT_EQ(locale.TimeSeparator(), '.');
}

}  // namespace
}  // namespace mervanta
