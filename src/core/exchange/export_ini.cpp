// INI text: one section per record, numbered from 1, with one "caption=value" line per column.
#include <string>
#include <string_view>

#include "exchange/export_writers.h"
#include "model/column.h"
#include "model/records.h"
#include "support/file_io.h"
#include "support/progress.h"

namespace mervanta {

void WriteIni(const TExportJob& job, TFileWriter& out) {
  std::string buffer;
  int number = 0;
  for (const TRecord* record : job.Source.Items()) {
    out.Write('[');
    out.Write(std::to_string(++number));
    out.Write("]\r\n");
    for (const TColumn* column : job.Columns) {
      out.Write(column->Caption->Value());
      out.Write('=');
      WriteWithoutCr(out, record->Value(*column, buffer));
      out.Write("\r\n");
    }
    out.Write("\r\n");
    TProgress::Step();
  }
}

}  // namespace mervanta
