#include <gtest/gtest.h>

#include <string>

#include "export_fixture.h"

namespace mervanta::test {
namespace {

// The cells of the page's rows, without the page around them.
std::string Rows(const std::string& page) {
  const std::size_t first = page.find("    <tr>");
  const std::size_t end = page.find("  </table>");
  return page.substr(first, end - first);
}

class THtmlExportTest : public testing::Test {
 protected:
  THtmlExportTest() : Table({"Picture", "Text"}, {{"pics/a b.jpg", "pics/a.jpg"}, {"", ""}}) {
    Table.Table.Column("Picture").SetColumnType(TColumnType::Picture);
    TColumn& computed = Table.Table.AddColumn("Computed", TColumnStorage::Virtual);
    computed.Formula->SetValue("#1");
  }

  TExportedTable Table;
  const TScopedSetting<TBooleanProperty> NoHeader{*Options().Print->ShowHead, false};
};

// Relative names start from the table's folder, which is not the current one here.
TEST_F(THtmlExportTest, PrintedPicturesAreImagesOfTheirFullPath) {
  const std::string folder = Table.Folder.Path();
  EXPECT_EQ(
      Rows(Table.Export(TExportFormat::Html, {.ForPrint = true})),
      "    <tr><td><img src=\"" + folder +
          "/pics/a b.jpg\" border=\"0\"></td><td>pics/a.jpg</td><td>pics/a b.jpg</td></tr>\r\n"
          "    <tr><td>&nbsp;</td><td>&nbsp;</td><td>&nbsp;</td></tr>\r\n");
  Table.Table.All.Item(0).Fields().SetField(0, "./pics/../b.jpg");
  Table.Table.All.Item(1).Fields().SetField(0, "/pics/./c.jpg");
  const std::string rows = Rows(Table.Export(TExportFormat::Html, {.ForPrint = true}));
  EXPECT_NE(rows.find("<img src=\"" + folder + "/b.jpg\""), std::string::npos) << rows;
  EXPECT_NE(rows.find("<img src=\"/pics/c.jpg\""), std::string::npos) << rows;
}

TEST_F(THtmlExportTest, PicturesStayTextWhenNotPrintedOrNotWanted) {
  const std::string text =
      "    <tr><td>pics/a b.jpg</td><td>pics/a.jpg</td><td>pics/a b.jpg</td></tr>\r\n"
      "    <tr><td>&nbsp;</td><td>&nbsp;</td><td>&nbsp;</td></tr>\r\n";
  const TScopedSetting noHeader(*Options().Export->ShowHeadHTML, false);
  EXPECT_EQ(Rows(Table.Export(TExportFormat::Html)), text);
  const TScopedSetting noPictures(*Options().Print->ShowPictures, false);
  EXPECT_EQ(Rows(Table.Export(TExportFormat::Html, {.ForPrint = true})), text);
}

TEST_F(THtmlExportTest, PictureNameIsEncodedInItsAttribute) {
  Table.Table.All.Item(0).Fields().SetField(0, "/x/\"q\" & <b>.jpg");
  EXPECT_NE(Table.Export(TExportFormat::Html, {.ForPrint = true})
                .find("<img src=\"/x/&quot;q&quot; &amp; &lt;b&gt;.jpg\" border=\"0\">"),
            std::string::npos);
}

TEST_F(THtmlExportTest, CodePageLineOnlyForACharsetWithACodePage) {
  TFont font = Options().Flip->Font->Value();
  font.Charset = 2;  // symbols
  {
    const TScopedSetting symbols(*Options().Flip->Font, font);
    EXPECT_EQ(Table.Export(TExportFormat::Html).find("<meta"), std::string::npos);
  }
  font.Charset = 255;
  const TScopedSetting oem(*Options().Flip->Font, font);
  EXPECT_NE(Table.Export(TExportFormat::Html).find("charset=windows-850\">\r\n"),
            std::string::npos);
}

TEST_F(THtmlExportTest, ExportTakesTheListFontAndPrintingItsOwnWithTheStyleBlock) {
  TFont font = Options().Flip->Font->Value();
  font.Charset = 204;
  const TScopedSetting listFont(*Options().Flip->Font, font);
  const std::string exported = Table.Export(TExportFormat::Html);
  EXPECT_NE(exported.find("charset=windows-1251"), std::string::npos);
  EXPECT_EQ(exported.find("<style>"), std::string::npos);
  const std::string printed = Table.Export(TExportFormat::Html, {.ForPrint = true});
  EXPECT_NE(printed.find("charset=windows-1252"), std::string::npos);
  EXPECT_NE(printed.find("  <style>\r\n    td {font-family: Calibri; font-size: 11pt; "),
            std::string::npos);
}

}  // namespace
}  // namespace mervanta::test
