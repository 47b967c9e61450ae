#include "exchange/records_exporter.h"

#include <array>
#include <string_view>

#include "exchange/export_writers.h"
#include "model/columns.h"
#include "model/record.h"
#include "model/records.h"
#include "settings/options.h"
#include "support/atomic_file.h"
#include "support/errors.h"
#include "support/file_names.h"
#include "support/progress.h"

namespace mervanta {

namespace {

struct TFormatInfo {
  std::string_view Name;
  std::string_view Filter;
  std::string_view Extension;
};

constexpr std::array<TFormatInfo, kExportFormatCount> kFormats{{
    {"CSV (%s)", "CSV (*.csv)|*.csv", "csv"},
    {"TXT (Tab)", "TXT (*.txt)|*.txt", "txt"},
    {"HTML", "HTML, HTM (*.html, *.htm)|*.html;*.htm", "html"},
    {"Excel", "Excel (*.xls)|*.xls", "xls"},
    {"Excel (COM)", "Excel (*.xls)|*.xls", "xls"},
    {"INI", "INI (*.ini)|*.ini", "ini"},
    {"XML", "XML (*.xml)|*.xml", "xml"},
    {"Word (COM)", "Word (*.doc)|*.doc", "doc"},
    {"DBF", "DBF (*.dbf)|*.dbf", "dbf"},
}};

const TFormatInfo& Format(int format) {
  if (format < 0 || format >= kExportFormatCount) {
    throw EMervantaError("Unknown export format " + std::to_string(format));
  }
  return kFormats[static_cast<std::size_t>(format)];
}

bool IsOfficeFormat(int format) {
  return format == efExcelCom || format == efWordCom;
}

}  // namespace

std::string TRecordsExporter::FormatName(int format) {
  const std::string_view name = Format(format).Name;
  if (format != efCsv) return std::string(name);
  const TItemIndexProperty& separator = *Options().Export->SeparatorCSV;
  const std::string& item = separator.Items()[static_cast<std::size_t>(separator.Value())];
  std::string text(name);
  return text.replace(text.find("%s"), 2, item);
}

std::string TRecordsExporter::FormatFilter(int format) {
  return std::string(Format(format).Filter);
}

std::string TRecordsExporter::FormatExtension(int format) {
  return std::string(Format(format).Extension);
}

bool TRecordsExporter::FormatNeedsFile(int format) {
  Format(format);
  return !IsOfficeFormat(format) || !Options().Export->ViewCOM->Value();
}

void TRecordsExporter::SelectColumns(bool forPrint) {
  SelectedColumns_.clear();
  for (const auto& column : Source_.Columns()) {
    const TBooleanProperty& flag = forPrint ? *column->ToPrint : *column->ToExport;
    if (flag.Value()) SelectedColumns_.push_back(column.get());
  }
}

void TRecordsExporter::Export(int format, const std::string& fileName, bool cardLayout,
                              bool forPrint, const std::string& title) {
  if (IsOfficeFormat(format)) {
    throw EMervantaError("The format \"" + FormatName(format) + "\" is not available here");
  }
  Format(format);
  SelectColumns(forPrint);
  TProgressScope progress(Source_.Count());
  WriteFile(format, fileName, cardLayout, forPrint, title);
}

void TRecordsExporter::WriteFile(int format, const std::string& fileName, bool cardLayout,
                                 bool forPrint, const std::string& title) const {
  const TOptions& options = Options();
  const TExportCategory& exportOptions = *options.Export;
  const TExportJob job{Source_, SelectedColumns_};
  auto replace = [&fileName](const auto& write) { ReplaceFileAtomically(fileName, write); };

  switch (format) {
    case efCsv: {
      const TDelimitedStyle style{FieldSeparator(exportOptions.SeparatorCSV->Value()),
                                  exportOptions.ShowHeadCSV->Value(), true,
                                  options.Other->QuoteAllFields->Value()};
      replace([&](TFileWriter& out) { WriteDelimited(job, out, style); });
      if (exportOptions.MakeKX->Value()) {
        WriteExportDescription(SelectedColumns_, DescriptionFileName(fileName));
      }
      break;
    }
    case efTxt: {
      const TDelimitedStyle style{'\t', exportOptions.ShowHeadTXT->Value(), false, false};
      replace([&](TFileWriter& out) { WriteDelimited(job, out, style); });
      break;
    }
    case efHtml: {
      const TPrintCategory& print = *options.Print;
      THtmlPage page;
      page.Title = title;
      page.Folder = TableFolder_;
      page.Font = forPrint ? print.Font->Value() : options.Flip->Font->Value();
      page.CardLayout = cardLayout;
      page.ForPrint = forPrint;
      page.Header = forPrint ? print.ShowHead->Value() : exportOptions.ShowHeadHTML->Value();
      page.Grid = !forPrint || print.ShowGrid->Value();
      page.Pictures = forPrint && print.ShowPictures->Value();
      replace([&](TFileWriter& out) { WriteHtml(job, out, page); });
      break;
    }
    case efExcel:
      replace(
          [&](TFileWriter& out) { WriteBiff(job, out, exportOptions.ShowHeadOffice->Value()); });
      break;
    case efIni:
      replace([&](TFileWriter& out) { WriteIni(job, out); });
      break;
    case efXml:
      replace([&](TFileWriter& out) { WriteXml(job, out); });
      break;
    case efDbf: {
      const TDateTime date = Date_.value_or(Now());
      replace([&](TFileWriter& out) { WriteDbf(job, out, date); });
      break;
    }
  }
}

}  // namespace mervanta
