#include <gtest/gtest.h>

#include "support/errors.h"
#include "support/xml_entities.h"
#include "support/xml_file.h"
#include "support/xml_helpers.h"
#include "test_support/temp_dir.h"

namespace mervanta {
namespace {

// The document as nested names and attributes, for comparing parse results.
std::string Outline(const TXmlTag& tag) {
  std::string text = tag.Name;
  for (int i = 0; i < tag.ParamCount(); ++i) {
    text += " " + tag.Param(i).first + "=" + tag.Param(i).second;
  }
  if (tag.HasChildren()) {
    text += "(";
    for (int i = 0; i < tag.Count(); ++i) text += (i ? "," : "") + Outline(*tag.ChildAt(i));
    text += ")";
  }
  return text;
}

TEST(XmlEntities, EncodeAndDecode) {
  struct TCase {
    const char* Plain;
    const char* Encoded;
  } cases[] = {{"a<b>c", "a&lt;b&gt;c"},
               {"\"x\" & 'y'", "&quot;x&quot; &amp; &apos;y&apos;"},
               {"line\r\nbreak\ttab", "line&#13;&#10;break&#9;tab"},
               {"\xE9\x80", "\xE9\x80"}};
  for (const TCase& c : cases) {
    EXPECT_EQ(EncodeEntities(c.Plain), c.Encoded);
    EXPECT_EQ(DecodeEntities(c.Encoded), c.Plain);
  }
}

TEST(XmlEntities, DecodingKeepsWhatItDoesNotKnow) {
  struct TCase {
    const char* Encoded;
    const char* Plain;
  } cases[] = {{"a<br>b", "a\r\nb"},
               {"&pos;", "'"},
               {"&#0;&#256;&#x41;&#;", "&#0;&#256;&#x41;&#;"},
               {"&#65;&#065;", "AA"},
               {"&AMP; &nbsp;", "&AMP; &nbsp;"},
               {"&amp;lt;", "&lt;"},
               {"a & b", "a & b"},
               {"& then &amp;", "& then &"},
               {"&&&", "&&&"}};
  for (const TCase& c : cases) EXPECT_EQ(DecodeEntities(c.Encoded), c.Plain) << c.Encoded;
}

TEST(XmlParams, TypedReadsFallBackToTheDefault) {
  TXmlTag tag;
  tag.WriteString("Text", "abc");
  tag.WriteString("Empty", "");
  tag.WriteString("Int", "42");
  tag.WriteString("Hex", "$1F");
  tag.WriteString("Bad", "12a");
  tag.WriteString("YesLower", "y");
  tag.WriteString("Yes", "Y");
  tag.WriteString("Upper", "#C6F5C8");
  tag.WriteString("Lower", "#c6f5c8");
  tag.WriteString("Float", "2.5");
  EXPECT_EQ(tag.ReadString("Text", "d"), "abc");
  EXPECT_EQ(tag.ReadString("Empty", "d"), "d");
  EXPECT_EQ(tag.ReadString("Absent", "d"), "d");
  EXPECT_EQ(tag.ReadInteger("Int", 7), 42);
  EXPECT_EQ(tag.ReadInteger("Hex", 7), 31);
  EXPECT_EQ(tag.ReadInteger("Bad", 7), 7);
  EXPECT_EQ(tag.ReadInteger("Int", 7, 40, 0), 7) << "outside the range";
  EXPECT_EQ(tag.ReadInteger("Int", 7, 42, 42), 42) << "equal bounds mean no range";
  EXPECT_FALSE(tag.ReadBool("YesLower", true));
  EXPECT_TRUE(tag.ReadBool("Yes", false));
  EXPECT_TRUE(tag.ReadBool("Absent", true));
  EXPECT_EQ(tag.ReadColor("Upper", 1), RGB(0xC6, 0xF5, 0xC8));
  EXPECT_EQ(tag.ReadColor("Lower", 1), 1u);
  EXPECT_EQ(tag.ReadFloat("Float", 0), 2.5L);
  EXPECT_EQ(tag.ReadFloat("Text", 9), 9.0L);
}

TEST(XmlParams, WritingReplacesInPlaceAndDeletingFreesTheList) {
  TXmlTag tag("E");
  tag.WriteInteger("A", 1);
  tag.WriteBool("B", true);
  tag.WriteInteger("A", 2);
  tag.WriteColor("C", RGB(255, 0, 16));
  tag.WriteFloat("D", 0.1L);
  ASSERT_EQ(tag.ParamCount(), 4);
  EXPECT_EQ(tag.Param(0), std::make_pair(std::string("A"), std::string("2")));
  EXPECT_EQ(tag.Param(1).second, "Y");
  EXPECT_EQ(tag.Param(2).second, "#FF0010");
  EXPECT_EQ(tag.Param(3).second, "0.1");
  for (const char* name : {"A", "B", "C", "D", "none"}) tag.DeleteParam(name);
  EXPECT_FALSE(tag.HasParams());
  EXPECT_TRUE(tag.IsEmpty());
}

TEST(XmlParams, TakingAWholeListIsWritingItOneByOne) {
  using TList = std::vector<TXmlTag::TParam>;
  const TList lists[] = {
      {},
      {{"a", "1"}},
      {{"a", "1"}, {"b", "2"}, {"a", "3"}, {"c", "4"}, {"b", "5"}, {"a", "6"}},
      {{"x", "long enough to live outside the string itself"}, {"x", ""}},
  };
  for (const TList& list : lists) {
    TXmlTag whole("E");
    whole.WriteString("old", "replaced");
    whole.SetParams(list);
    TXmlTag oneByOne("E");
    for (const auto& [name, value] : list) oneByOne.WriteString(name, value);
    EXPECT_EQ(Outline(whole), Outline(oneByOne));
  }
}

TEST(XmlTag, DeletingChildrenByNameTakesEveryOneOfThem) {
  TXmlFile file;
  file.LoadFromString("<R><A/><B x=\"1\"/><A y=\"2\"><C/></A><C/><A/></R>");
  file.Root()->DeleteChildren("A");
  EXPECT_EQ(Outline(*file.Root()), "R(B x=1,C)");
  file.Root()->DeleteChildren("B");
  file.Root()->DeleteChildren("C");
  EXPECT_FALSE(file.Root()->HasChildren());
}

TEST(XmlFile, WritesTabsSelfClosingTagsAndOmitsEmptyElements) {
  TXmlFile file;
  file.Root()->Name = "Mervanta";
  TXmlTag* options = file.Root()->Child("Options");
  options->Child("Main");                  // empty: omitted
  options->Child("Flip")->Child("Exact");  // empty all the way down: omitted
  TXmlTag* found = options->Child("Head")->Child("Font");
  found->WriteString("Name", "A \"b\"");
  file.Root()->Child("Session")->WriteBool("Maximized", false);
  EXPECT_EQ(file.SaveToString(),
            "<Mervanta>\r\n"
            "\t<Options>\r\n"
            "\t\t<Head>\r\n"
            "\t\t\t<Font Name=\"A &quot;b&quot;\" />\r\n"
            "\t\t</Head>\r\n"
            "\t</Options>\r\n"
            "\t<Session Maximized=\"N\" />\r\n"
            "</Mervanta>\r\n");
}

TEST(XmlFile, AnEmptyRootIsStillWritten) {
  TXmlFile file;
  file.Root()->Name = "Table";
  EXPECT_EQ(file.SaveToString(), "<Table />\r\n");
  // Only written children open an element: the text is the same as if they were not there.
  file.Root()->Child("Columns")->AddChild("Column");
  EXPECT_EQ(file.SaveToString(), "<Table />\r\n");
}

TEST(XmlFile, NamesTheReaderWouldNotTakeBackAreNotWritten) {
  const std::string names[] = {
      "a b", "a\tb", "a=b", "a\"b", "\"", "a/b", "a>b", "a<b", std::string("a\0b", 3)};
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    TXmlFile file;
    file.Root()->Name = "R";
    file.Root()->WriteString(name, "1");
    file.Root()->WriteString("ok", "2");
    TXmlTag* child = file.Root()->AddChild(name);
    child->WriteString("lost", "3");
    child->AddChild("C")->WriteString("lost", "4");
    EXPECT_EQ(file.SaveToString(), "<R ok=\"2\" />\r\n");
    file.Root()->Name = name;
    EXPECT_EQ(file.SaveToString(), "< ok=\"2\" />\r\n") << "the root is written without it";
  }
  TXmlFile file;
  file.Root()->Name = "R";
  file.Root()->WriteString("", "nameless attributes are not written");
  file.Root()->AddChild("")->WriteString("a", "1");
  EXPECT_EQ(file.SaveToString(), "<R>\r\n\t< a=\"1\" />\r\n</R>\r\n")
      << "a nameless element reads back as one";
}

TEST(XmlFile, ValuesSurviveWriteAndRead) {
  const std::string value = "first line\r\nsecond \"quoted\" <b> & 'x' \xE9\x01";
  TXmlFile file;
  file.Root()->Name = "R";
  file.Root()->Child("E")->WriteString("v", value);
  TXmlFile loaded;
  loaded.LoadFromString(file.SaveToString());
  ASSERT_NE(loaded.Root()->FindChild("E"), nullptr);
  EXPECT_EQ(loaded.Root()->FindChild("E")->ReadString("v"), value);
}

TEST(XmlFile, ParsesWhatItCanOfAnyText) {
  struct TCase {
    const char* Text;
    const char* Outline;
  } cases[] = {
      {"<R a=\"1\" b=2><C x=\"y z\"/><D/></R>", "R a=1 b=2(C x=y z,D)"},
      {"  text <R>between<C />elements</R> after", "R(C)"},
      {"<R><!-- note --><C/></R>", "R(!--(C,R))"},
      {"<?xml version=\"1.0\"?><R><C/></R>", "?xml version=\"1.0\"?(R(C))"},
      {"<R></X><C/></R>", "R(X,C)"},
      {"<R><C></R>", "R(C(R))"},
      {"<R a='1' =\"x\" b=\"2\" c=\"3\"d/>", "R a='1' b=2 c=\"3\"d"},
      {"<R v=\"a/b>c\" w=\"\"/>", "R v=a/b>c w="},
      {"<R a=\"1\" a=\"2\"/>", "R a=2"},
      {"<R a=\"1\" b=\"2\" a=\"3\" c=\"4\" b=\"5\"/>", "R a=3 b=5 c=4"},
      {"<R><C>", "R(C)"},
      {"<R", "R"},
      {"no elements at all", ""},
      {"", ""},
  };
  for (const TCase& c : cases) {
    TXmlFile file;
    file.LoadFromString(c.Text);
    EXPECT_EQ(Outline(*file.Root()), c.Outline) << c.Text;
  }
}

// Read, written and read again, a document loses only its empty elements, and it writes the
// same text the second time.
TEST(XmlFile, WhatItWritesReadsBackAsTheSameDocument) {
  std::string nulPairs;
  for (int i = 0; i < 50; ++i) nulPairs += std::string("\0a", 2);
  struct TCase {
    std::string Text;
    std::string Read;
    std::string ReadBack;
  } cases[] = {
      {"<Table><Extra \"=\" /><Columns><Column><Caption value=\"A\" /></Column></Columns>"
       "</Table>",
       "Table(Extra,Columns(Column(Caption value=A)))", "Table(Columns(Column(Caption value=A)))"},
      {"<R a\"b=\"1\"\" c=\"2\"/>", "R c=2", "R c=2"},
      {"<R \"a b\"=\"1\" \"/\"=\"2\" a<b=\"3\" ok=\"4\"/>", "R ok=4", "R ok=4"},
      {"<R><a\"b\" x=\"1\"><C y=\"2\"/></a\"b\"><D z=\"3\"/></R>", "R(D z=3)", "R(D z=3)"},
      {"<a\"b\" x=\"1\"><C y=\"2\"/></a\"b\">", " x=1(C y=2)", " x=1(C y=2)"},
      {"<R>< a=\"1\"/><><C b=\"2\"/></></R>", "R( a=1,(C b=2))", "R( a=1,(C b=2))"},
      {"<R><!-- c --><C a=\"1\"/></R>", "R(!--(C a=1,R))", "R(!--(C a=1))"},
      {"<R></X a=\"1\"><C/></R>", "R(X a=1,C)", "R(X a=1)"},
      {std::string("<R v=\"a\0b\"><C/></R>", 20), "R v=ab(C)", "R v=ab"},
      // Without its NULs, the written text would be taken for UTF-16.
      {std::string(120, ' ') + "<R v=\"" + nulPairs + "\" />", "R v=" + std::string(50, 'a'),
       "R v=" + std::string(50, 'a')},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    TXmlFile first;
    first.LoadFromString(c.Text);
    EXPECT_EQ(Outline(*first.Root()), c.Read);
    const std::string written = first.SaveToString();
    TXmlFile second;
    second.LoadFromString(written);
    EXPECT_EQ(Outline(*second.Root()), c.ReadBack) << written;
    EXPECT_EQ(second.SaveToString(), written);
  }
}

TEST(XmlFile, ReloadingReplacesTheContentButKeepsTheRootName) {
  TXmlFile file;
  file.LoadFromString("<First a=\"1\"><C/></First>");
  EXPECT_EQ(Outline(*file.Root()), "First a=1(C)");
  file.Root()->Name = "Mervanta";
  file.LoadFromString("<Second b=\"2\"><D/></Second>");
  // The old name's end tag never comes, so the file's own one reads as a stray element.
  EXPECT_EQ(Outline(*file.Root()), "Mervanta b=2(D,Second)");
}

TEST(XmlFile, ReadsUtf16Documents) {
  const std::u16string text = u"<R v=\"\u00E9\"><C/></R>";
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  TXmlFile file;
  file.LoadFromString(bytes);
  EXPECT_EQ(Outline(*file.Root()), "R v=\xE9(C)");
}

TEST(XmlFile, SurvivesDeepNesting) {
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "<a x=\"1\">";
  TXmlFile file;
  file.LoadFromString(text);
  int depth = 0;
  for (const TXmlTag* tag = file.Root(); tag->HasChildren(); tag = tag->ChildAt(0)) ++depth;
  EXPECT_EQ(depth, 199999);
  TXmlFile shallow;
  shallow.Root()->Name = "R";
  for (int i = 0; i < 5000; ++i) shallow.Root()->Child("E")->AddChild("F")->AddChild("G");
  EXPECT_FALSE(shallow.SaveToString().empty());
}

TEST(XmlFile, SavesAndLoadsFiles) {
  test::TTempDir dir;
  TXmlFile file;
  file.Root()->Name = "R";
  file.Root()->Child("E")->WriteInteger("n", 5);
  const std::string path = dir.File("doc.xml");
  file.SaveToFile(path);
  TXmlFile loaded;
  loaded.LoadFromFile(path);
  EXPECT_EQ(Outline(*loaded.Root()), "R(E n=5)");
  try {
    loaded.LoadFromFile(dir.File("missing.xml"));
    FAIL() << "a missing file must raise";
  } catch (const EMervantaError& error) {
    EXPECT_NE(std::string(error.what()).find("missing.xml"), std::string::npos);
  }
}

TEST(XmlHelpers, FontsKeepWhatIsMissingAndDropStrikeOut) {
  TXmlTag tag;
  const TFont font{"Calibri", 11, fsBold | fsUnderline | fsStrikeOut, RGB(1, 2, 3), 204};
  WriteFont(tag, font);
  EXPECT_EQ(tag.ReadString("Style"), "BU");
  EXPECT_EQ(tag.ReadString("Charset"), "RUSSIAN_CHARSET");
  EXPECT_EQ(tag.ReadString("Color"), "#010203");
  TFont read{"Tahoma", 8, fsItalic, 0, 0};
  ReadFont(tag, read);
  EXPECT_EQ(read, (TFont{"Calibri", 11, fsBold | fsUnderline, RGB(1, 2, 3), 204}));

  TXmlTag partial;
  partial.WriteString("Size", "14");
  partial.WriteString("Style", "xIy");
  partial.WriteString("Charset", "NO_SUCH_CHARSET");
  ReadFont(partial, read);
  EXPECT_EQ(read, (TFont{"Calibri", 14, fsItalic, RGB(1, 2, 3), kDefaultCharset}));

  TXmlTag unnamed;
  WriteFont(unnamed, TFont{"X", 9, 0, 0, 99});
  EXPECT_FALSE(unnamed.Exists("Charset"));
}

TEST(XmlHelpers, PlacementIsClampedOntoTheScreen) {
  struct TCase {
    int Left, Top;
    int ExpectedLeft, ExpectedTop;
  } cases[] = {{100, 50, 100, 50}, {5000, 3000, 1920 - 400, 1080 - 300}, {-20, -5, 0, 0}};
  for (const TCase& c : cases) {
    TXmlTag tag;
    WritePlacement(tag, {true, true, false, false, c.Left, c.Top, 400, 300});
    TWindowPlacement placement;
    ReadPlacement(tag, placement, 1920, 1080);
    EXPECT_FALSE(placement.AutoPosition);
    EXPECT_EQ(placement.Left, c.ExpectedLeft);
    EXPECT_EQ(placement.Top, c.ExpectedTop);
    EXPECT_EQ(placement.Width, 400);
  }
  TWindowPlacement tooWide;
  TXmlTag tag;
  WritePlacement(tag, {true, true, false, false, 10, 10, 3000, 300});
  ReadPlacement(tag, tooWide, 1920, 1080);
  EXPECT_EQ(tooWide.Left, 0) << "never below 0";
}

TEST(XmlHelpers, MaximizedWindowsStoreNothingElse) {
  TXmlTag tag;
  WritePlacement(tag, {true, true, true, false, 10, 20, 400, 300});
  EXPECT_EQ(tag.ParamCount(), 1);
  TWindowPlacement placement;
  ReadPlacement(tag, placement, 1920, 1080);
  EXPECT_TRUE(placement.Maximized);
  EXPECT_TRUE(placement.AutoPosition);

  TXmlTag fixed;
  WritePlacement(fixed, {false, false, false, false, 10, 20, 400, 300});
  EXPECT_EQ(Outline(fixed), " Left=10 Top=20") << "fixed-size dialogs keep their size";
  TWindowPlacement dialog{false, false, false, true, 0, 0, 200, 100};
  ReadPlacement(fixed, dialog, 1920, 1080);
  EXPECT_EQ(dialog.Width, 200);
  EXPECT_EQ(dialog.Left, 10);
}

}  // namespace
}  // namespace mervanta
