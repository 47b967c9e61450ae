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

const TFormatInfo& Format(TExportFormat format) {
  const int index = static_cast<int>(format);
  if (index < 0 || index >= kExportFormatCount) {
    throw EMervantaError("Unknown export format " + std::to_string(index));
  }
  return kFormats[static_cast<std::size_t>(index)];
}

bool IsOfficeFormat(TExportFormat format) {
  return format == TExportFormat::ExcelCom || format == TExportFormat::WordCom;
}

}  // namespace

std::string TRecordsExporter::FormatName(TExportFormat format) {
  const std::string_view name = Format(format).Name;
  if (format != TExportFormat::Csv) return std::string(name);
  const TItemIndexProperty& separator = *Options().Export->SeparatorCSV;
  const std::string& item = separator.Items()[static_cast<std::size_t>(separator.Value())];
  std::string text(name);
  return text.replace(text.find("%s"), 2, item);
}

std::string TRecordsExporter::FormatFilter(TExportFormat format) {
  return std::string(Format(format).Filter);
}

std::string TRecordsExporter::FormatExtension(TExportFormat format) {
  return std::string(Format(format).Extension);
}

bool TRecordsExporter::FormatNeedsFile(TExportFormat format) {
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

void TRecordsExporter::Export(TExportFormat format, const std::string& fileName,
                              const TExportPage& page) {
  if (IsOfficeFormat(format)) {
    throw EMervantaError("The format \"" + FormatName(format) + "\" is not available here");
  }
  Format(format);
  SelectColumns(page.ForPrint);
  TProgressScope progress(Source_.Count());
  WriteFile(format, fileName, page);
}

void TRecordsExporter::WriteFile(TExportFormat format, const std::string& fileName,
                                 const TExportPage& page) const {
  const TOptions& options = Options();
  const TExportCategory& exportOptions = *options.Export;
  const TExportJob job{Source_, SelectedColumns_};
  auto replace = [&fileName](const auto& write) { ReplaceFileAtomically(fileName, write); };

  switch (format) {
    case TExportFormat::Csv: {
      const TDelimitedStyle style{.Separator = FieldSeparator(exportOptions.SeparatorCSV->Value()),
                                  .Header = exportOptions.ShowHeadCSV->Value(),
                                  .Quote = true,
                                  .QuoteAll = options.Other->QuoteAllFields->Value()};
      replace([&](TFileWriter& out) { WriteDelimited(job, out, style); });
      if (exportOptions.MakeKX->Value()) {
        WriteExportDescription(SelectedColumns_, DescriptionFileName(fileName));
      }
      break;
    }
    case TExportFormat::Txt: {
      const TDelimitedStyle style{
          .Separator = '\t', .Header = exportOptions.ShowHeadTXT->Value(), .Quote = false};
      replace([&](TFileWriter& out) { WriteDelimited(job, out, style); });
      break;
    }
    case TExportFormat::Html: {
      const TPrintCategory& print = *options.Print;
      const bool forPrint = page.ForPrint;
      THtmlPage html;
      html.Title = page.Title;
      html.Folder = TableFolder_;
      html.Font = forPrint ? print.Font->Value() : options.Flip->Font->Value();
      html.CardLayout = page.CardLayout;
      html.ForPrint = forPrint;
      html.Header = forPrint ? print.ShowHead->Value() : exportOptions.ShowHeadHTML->Value();
      html.Grid = !forPrint || print.ShowGrid->Value();
      html.Pictures = forPrint && print.ShowPictures->Value();
      replace([&](TFileWriter& out) { WriteHtml(job, out, html); });
      break;
    }
    case TExportFormat::Excel:
      replace(
          [&](TFileWriter& out) { WriteBiff(job, out, exportOptions.ShowHeadOffice->Value()); });
      break;
    case TExportFormat::Ini:
      replace([&](TFileWriter& out) { WriteIni(job, out); });
      break;
    case TExportFormat::Xml:
      replace([&](TFileWriter& out) { WriteXml(job, out); });
      break;
    case TExportFormat::Dbf: {
      const TDateTime date = Date_.value_or(Now());
      replace([&](TFileWriter& out) { WriteDbf(job, out, date); });
      break;
    }
    case TExportFormat::ExcelCom:
    case TExportFormat::WordCom:
      break;  // refused by Export: the desktop program writes them
  }
}

}  // namespace mervanta
