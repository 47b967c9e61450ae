// The HTML page of an export, and the page the print dialog prints: a list of rows, or one
// small table per record.
#include <cstdio>
#include <string>
#include <string_view>

#include "exchange/export_writers.h"
#include "model/column.h"
#include "model/records.h"
#include "model/value_reader.h"
#include "support/charsets.h"
#include "support/file_io.h"
#include "support/file_names.h"
#include "support/progress.h"
#include "support/xml_entities.h"

namespace mervanta {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

void Line(TFileWriter& out, std::string_view text) {
  out.Write(text);
  out.Write(kLineEnd);
}

std::string StyleDeclarations(const TFont& font) {
  const TColor color = ColorToRGB(font.Color);
  char rgb[8];
  std::snprintf(rgb, sizeof rgb, "#%.2x%.2x%.2x", color & 0xFF, (color >> 8) & 0xFF,
                (color >> 16) & 0xFF);
  std::string text = "font-family: " + font.Name + "; font-size: " + std::to_string(font.Size) +
                     "pt; color: " + rgb + "; ";
  if (font.Style & fsBold) text += "font-weight: bold; ";
  if (font.Style & fsItalic) text += "font-style: italic; ";
  if (font.Style & fsUnderline) text += "text-decoration: underline; ";
  return text;
}

void WriteHead(TFileWriter& out, const THtmlPage& page) {
  Line(out, "<html>");
  Line(out, "<head>");
  Line(out, "  <title>" + page.Title + "</title>");
  int codePage = 0;
  if (CodePageOfCharset(page.Font.Charset, codePage)) {
    Line(out, "  <meta http-equiv=Content-Type content=\"text/html; charset=windows-" +
                  std::to_string(codePage) + "\">");
  }
  if (page.ForPrint) {
    Line(out, "  <style>");
    Line(out, "    td {" + StyleDeclarations(page.Font) + "}");
    Line(out, "  </style>");
  }
  Line(out, "</head>");
  Line(out, "<body>");
}

class THtmlWriter {
 public:
  THtmlWriter(const TExportJob& job, TFileWriter& out, const THtmlPage& page)
      : Job_(job), Out_(out), Page_(page), Values_(job.Columns) {
    TableOpening_ = std::string("  <table border=\"") + (Page_.Grid ? "1" : "0") +
                    "\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">";
  }

  void Write() {
    WriteHead(Out_, Page_);
    if (Page_.CardLayout) {
      WriteCards();
    } else {
      WriteList();
    }
    Line(Out_, "</body>");
    Out_.Write("</html>");
  }

 private:
  void WriteList() {
    Line(Out_, TableOpening_);
    if (Page_.Header) {
      Out_.Write("    <tr>");
      for (const TColumn* column : Job_.Columns) WriteHeaderCell(*column);
      Line(Out_, "</tr>");
    }
    for (const TRecord* record : Job_.Source.Items()) {
      Out_.Write("    <tr>");
      Values_.ForEachValue(*record, [this](std::size_t c, std::string_view value) {
        WriteValueCell(*Job_.Columns[c], value);
      });
      Line(Out_, "</tr>");
      TProgress::Step();
    }
    Line(Out_, "  </table>");
  }

  void WriteCards() {
    for (const TRecord* record : Job_.Source.Items()) {
      Line(Out_, TableOpening_);
      Values_.ForEachValue(*record, [this](std::size_t c, std::string_view value) {
        Out_.Write("    <tr>");
        if (Page_.Header) WriteHeaderCell(*Job_.Columns[c]);
        WriteValueCell(*Job_.Columns[c], value);
        Line(Out_, "</tr>");
      });
      Line(Out_, "  </table>");
      Out_.Write(kLineEnd);
      Line(Out_, "<br>");
      TProgress::Step();
    }
  }

  void WriteHeaderCell(const TColumn& column) {
    Out_.Write("<td><b>");
    WriteEncoded(column.Caption->Value());
    Out_.Write("</b></td>");
  }

  void WriteValueCell(const TColumn& column, std::string_view value) {
    Out_.Write("<td>");
    if (value.empty()) {
      Out_.Write("&nbsp;");
    } else if (Page_.Pictures && column.ColumnType() == TColumnType::Picture) {
      // The file name is encoded like any attribute text: a quote in it would otherwise end
      // the attribute and spill the rest of the name into the page.
      Out_.Write("<img src=\"");
      WriteEncoded(FullPath(value, Page_.Folder));
      Out_.Write("\" border=\"0\">");
    } else {
      WriteEncoded(value);
    }
    Out_.Write("</td>");
  }

  void WriteEncoded(std::string_view text) {
    Encoded_.clear();
    AppendEncodedEntities(Encoded_, text);
    Out_.Write(Encoded_);
  }

  const TExportJob& Job_;
  TFileWriter& Out_;
  const THtmlPage& Page_;
  std::string TableOpening_;
  TValueReader Values_;
  std::string Encoded_;
};

}  // namespace

void WriteHtml(const TExportJob& job, TFileWriter& out, const THtmlPage& page) {
  THtmlWriter(job, out, page).Write();
}

}  // namespace mervanta
