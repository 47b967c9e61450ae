// XML text without an encoding declaration: the bytes are the program's 8-bit text.
#include <string>
#include <string_view>

#include "exchange/export_writers.h"
#include "model/column.h"
#include "model/records.h"
#include "model/value_reader.h"
#include "support/file_io.h"
#include "support/progress.h"
#include "support/xml_entities.h"

namespace mervanta {

namespace {

// "<c1>text</c1>" on its own line after the indentation, with the text encoded.
void Element(TFileWriter& out, std::string_view indent, char letter, std::size_t number,
             std::string_view text, std::string& encoded) {
  const std::string name = letter + std::to_string(number);
  encoded.clear();
  AppendEncodedEntities(encoded, text);
  out.Write(indent);
  out.Write('<');
  out.Write(name);
  out.Write('>');
  out.Write(encoded);
  out.Write("</");
  out.Write(name);
  out.Write(">\r\n");
}

}  // namespace

void WriteXml(const TExportJob& job, TFileWriter& out) {
  std::string encoded;
  out.Write("<?xml version=\"1.0\"?>\r\n<table>\r\n\t<columns>\r\n");
  for (std::size_t c = 0; c < job.Columns.size(); ++c) {
    Element(out, "\t\t", 'c', c + 1, job.Columns[c]->Caption->Value(), encoded);
  }
  out.Write("\t</columns>\r\n\t<records>\r\n");
  TValueReader values(job.Columns);
  for (const TRecord* record : job.Source.Items()) {
    out.Write("\t\t<r>\r\n");
    values.ForEachValue(*record, [&](std::size_t c, std::string_view value) {
      Element(out, "\t\t\t", 'i', c + 1, value, encoded);
    });
    out.Write("\t\t</r>\r\n");
    TProgress::Step();
  }
  out.Write("\t</records>\r\n</table>\r\n");
}

}  // namespace mervanta
