// Delimited and tab text, and the description file that makes delimited text a table.
#include <cstring>
#include <string>
#include <string_view>

#include "exchange/export_writers.h"
#include "model/column.h"
#include "model/records.h"
#include "support/file_io.h"
#include "support/progress.h"
#include "support/xml_file.h"

namespace mervanta {

namespace {

void WriteQuoted(TFileWriter& out, std::string_view text, char separator, bool quoteAll) {
  bool hasQuote = false;
  bool special = false;
  for (const char c : text) {
    if (c == '"') {
      hasQuote = true;
    } else if (c == separator || c == '\r' || c == '\n') {
      special = true;
    }
  }
  const bool edgeBlank = !text.empty() && (text.front() == ' ' || text.back() == ' ');
  const bool quoted = quoteAll || hasQuote || special || edgeBlank;
  if (quoted) out.Write('"');
  if (hasQuote) {
    for (const char c : text) {
      out.Write(c);
      if (c == '"') out.Write('"');
    }
  } else {
    out.Write(text);
  }
  if (quoted) out.Write('"');
}

}  // namespace

void WriteWithoutCr(TFileWriter& out, std::string_view text) {
  for (std::size_t cr = text.find('\r'); cr != std::string_view::npos; cr = text.find('\r')) {
    out.Write(text.substr(0, cr));
    text.remove_prefix(cr + 1);
  }
  out.Write(text);
}

void WriteDelimited(const TExportJob& job, TFileWriter& out, const TDelimitedStyle& style) {
  auto writeCell = [&](std::string_view text) {
    if (style.Quote) {
      WriteQuoted(out, text, style.Separator, style.QuoteAll);
    } else {
      WriteWithoutCr(out, text);
    }
  };
  if (style.Header) {
    for (std::size_t c = 0; c < job.Columns.size(); ++c) {
      if (c > 0) out.Write(style.Separator);
      writeCell(job.Columns[c]->Caption->Value());
    }
    out.Write("\r\n");
  }
  std::string buffer;
  for (const TRecord* record : job.Source.Items()) {
    for (std::size_t c = 0; c < job.Columns.size(); ++c) {
      if (c > 0) out.Write(style.Separator);
      writeCell(record->Value(*job.Columns[c], buffer));
    }
    out.Write("\r\n");
    TProgress::Step();
  }
}

void WriteExportDescription(std::span<const TColumn* const> columns, const std::string& path) {
  TXmlFile document;
  TXmlTag& root = *document.Root();
  root.Name = "Table";
  TXmlTag& elements = *root.AddChild("Columns");
  for (const TColumn* column : columns) {
    TXmlTag& element = *elements.AddChild("Column");
    column->SaveToXml(element);
    // A computed column's results are text in the exported file, so it comes back as a
    // stored column: declared as computed, it would hold no field, and every later column
    // would read its neighbour's values.
    element.DeleteChild("Formula");
    column->EnsureWritten(element);
  }
  document.SaveToFile(path);
}

}  // namespace mervanta
