#include "support/csv_field.h"

#include <gtest/gtest.h>

#include <string>

namespace mervanta {
namespace {

std::string Written(std::string_view text, char separator, bool quoteAll) {
  const TCsvQuoting quoting = CsvQuoting(text, separator, quoteAll);
  std::string written;
  PutCsvField(text, quoting, [&written](std::string_view piece) { written += piece; });
  EXPECT_EQ(written.size(), quoting.WrittenSize(text.size()));
  return written;
}

TEST(CsvField, QuotesOnlyWhatWouldNotReadBackTheSame) {
  struct TCase {
    const char* Text;
    char Separator;
    bool QuoteAll;
    const char* Written;
  } cases[] = {
      {"plain text", ';', false, "plain text"},
      {"", ';', false, ""},
      {"", ';', true, "\"\""},
      {"plain", ',', true, "\"plain\""},
      {"a;b", ';', false, "\"a;b\""},
      {"a;b", ',', false, "a;b"},
      {"a\tb", '\t', false, "\"a\tb\""},
      {"two\r\nlines", ';', false, "\"two\r\nlines\""},
      {"x\"y", ';', false, "\"x\"\"y\""},
      {"\"\"", ';', false, "\"\"\"\"\"\""},
      {" lead", ';', false, "\" lead\""},
      {"trail ", ';', false, "\"trail \""},
      {"in ner", ';', false, "in ner"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(Written(c.Text, c.Separator, c.QuoteAll), c.Written);
  }
}

}  // namespace
}  // namespace mervanta
