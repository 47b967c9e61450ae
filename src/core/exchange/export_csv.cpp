// Delimited and tab text, and the description file that makes delimited text a table.
#include <cstring>
#include <string>
#include <string_view>

#include "exchange/export_writers.h"
#include "model/column.h"
#include "model/records.h"
#include "model/value_reader.h"
#include "support/csv_field.h"
#include "support/file_io.h"
#include "support/progress.h"
#include "support/xml_file.h"

namespace mervanta {

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
      PutCsvField(text, CsvQuoting(text, style.Separator, style.QuoteAll),
                  [&out](std::string_view piece) { out.Write(piece); });
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
  TValueReader values(job.Columns);
  for (const TRecord* record : job.Source.Items()) {
    values.ForEachValue(*record, [&](std::size_t c, std::string_view value) {
      if (c > 0) out.Write(style.Separator);
      writeCell(value);
    });
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
