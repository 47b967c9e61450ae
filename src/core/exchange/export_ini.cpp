// INI text: one section per record, numbered from 1, with one "caption=value" line per column.
#include <string>
#include <string_view>

#include "exchange/export_writers.h"
#include "model/column.h"
#include "model/records.h"
#include "model/value_reader.h"
#include "support/file_io.h"
#include "support/progress.h"

namespace mervanta {

void WriteIni(const TExportJob& job, TFileWriter& out) {
  TValueReader values(job.Columns);
  int number = 0;
  for (const TRecord* record : job.Source.Items()) {
    out.Write('[');
    out.Write(std::to_string(++number));
    out.Write("]\r\n");
    values.ForEachValue(*record, [&](std::size_t c, std::string_view value) {
      out.Write(job.Columns[c]->Caption->Value());
      out.Write('=');
      WriteWithoutCr(out, value);
      out.Write("\r\n");
    });
    out.Write("\r\n");
    TProgress::Step();
  }
}

}  // namespace mervanta
