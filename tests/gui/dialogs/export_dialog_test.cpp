#include "dialogs/export_dialog.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <optional>
#include <sstream>

#include "application/cli_application.h"
#include "core/table/table_fixture.h"
#include "dialogs/columns_view.h"
#include "dialogs/temporary_files.h"
#include "exchange/records_exporter.h"
#include "settings/option_categories.h"
#include "settings/options.h"
#include "support/file_io.h"
#include "support/xml_tag.h"
#include "table/table.h"
#include "test_support/recording_user_interface.h"
#include "test_support/scoped_environment.h"
#include "test_support/scoped_options.h"
#include "views/desktop_services.h"
#include "widget_picture.h"

namespace mervanta::test {
namespace {

// A table of two stored columns and a computed one over three records; the save dialog is
// answered by SaveAnswer and records what it was offered.
class ExportDialogTest : public testing::Test {
 protected:
  ExportDialogTest() {
    AddColumn(Table, "Name");
    AddColumn(Table, "Colour");
    AddColumn(Table, "Upper", TColumnStorage::Virtual).Formula->SetValue("UpperCase(#1)");
    AddRecord(Table, {"rose", "red"});
    AddRecord(Table, {"tulip", "yellow \"bright\""});
    AddRecord(Table, {"lily", "white;pale"});
    Table.SetModified(false);
  }

  TExportForm& Open(TTable& table) {
    Form = std::make_unique<TExportForm>(nullptr, table, Kept);
    Form->SetSaveFilePrompt(
        [this](QWidget&, const QString& name, const QString& filter, const QString& suffix) {
          Offered = {name.toStdString(), filter.toStdString(), suffix.toStdString()};
          ++SaveAsked;
          return SaveAnswer;
        });
    Form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    return *Form;
  }
  QTreeWidget& Formats() const { return *Form->findChild<QTreeWidget*>(QStringLiteral("Formats")); }
  int SelectedFormat() const { return Formats().indexOfTopLevelItem(Formats().currentItem()); }
  void ChooseFormat(TExportFormat format) const {
    Formats().setCurrentItem(Formats().topLevelItem(static_cast<int>(format)));
  }
  void Uncheck(const char* caption) const {
    auto& view = *Form->findChild<TColumnsView*>(QStringLiteral("ColumnsView"));
    view.findItems(QString::fromLatin1(caption), Qt::MatchExactly)
        .front()
        ->setCheckState(0, Qt::Unchecked);
  }
  void ClickExport() const { Form->findChild<QPushButton*>(QStringLiteral("Export"))->click(); }
  bool Exports(const char* caption) const {
    return Table.Columns().FindByCaption(caption)->ToExport->Value();
  }

  TScopedDefaultOptions Defaults;
  TTableFolder Folder;
  TRecordingUserInterface Ui;
  TTable Table;
  TTemporaryFiles Kept;
  std::unique_ptr<TExportForm> Form;
  QString SaveAnswer;
  std::vector<std::string> Offered;
  int SaveAsked = 0;
};

// The command-line tool's export of the saved table, run in-process.
std::string CliExport(const std::string& table, const char* format, const std::string& output) {
  const TScopedDefaultOptions options;
  std::ostringstream out, err;
  TCliApplication cli(out, err, {});
  const std::vector<std::string> words{"--options", "/nonexistent/Mervanta.xml",
                                       "export",    table,
                                       "--format",  format,
                                       "--columns", "Name,Upper",
                                       "--output",  output};
  EXPECT_EQ(cli.Run(words), 0) << err.str();
  return ReadWholeFile(output);
}

TEST_F(ExportDialogTest, EveryFileFormatWritesWhatTheCommandLineToolWritesForTheSameChoice) {
  const std::string saved = Folder.File("plants.csv");
  Table.SaveAs(saved);
  struct TCase {
    TExportFormat Format;
    const char* CliName;
  };
  for (const TCase& each : {TCase{TExportFormat::Csv, "csv"}, TCase{TExportFormat::Txt, "txt"},
                            TCase{TExportFormat::Html, "html"}, TCase{TExportFormat::Excel, "xls"},
                            TCase{TExportFormat::Ini, "ini"}, TCase{TExportFormat::Xml, "xml"},
                            TCase{TExportFormat::Dbf, "dbf"}}) {
    const std::string extension = TRecordsExporter::FormatExtension(each.Format);
    SCOPED_TRACE(extension);
    for (const auto& column : Table.Columns()) column->ToExport->SetValue(true);
    Open(Table);
    ChooseFormat(each.Format);
    Uncheck("Colour");
    SaveAnswer = QString::fromStdString(Folder.File("dialog." + extension));
    ClickExport();
    EXPECT_EQ(Form->result(), QDialog::Accepted);

    const std::string written = ReadWholeFile(SaveAnswer.toStdString());
    EXPECT_FALSE(written.empty());
    EXPECT_EQ(written, CliExport(saved, each.CliName, Folder.File("cli." + extension)));
    EXPECT_EQ(written.find("yellow"), std::string::npos) << "the unchecked column is left out";
  }
}

TEST_F(ExportDialogTest, TheSaveDialogProposesTheExpandedMacroNameWithTheFormatsExtension) {
  Options().Export->FileNameMacros->SetValue("plants $Year$ <new>?");
  Open(Table);
  ChooseFormat(TExportFormat::Xml);
  ClickExport();
  const std::string year = std::to_string(QDate::currentDate().year());
  ASSERT_EQ(Offered.size(), 3u);
  EXPECT_EQ(Offered[0], "plants " + year + " new.xml");
  EXPECT_EQ(Offered[1], "XML (*.xml);;All files (*)");
  EXPECT_EQ(Offered[2], "xml");
}

TEST_F(ExportDialogTest, TheStoredFormatIsSelectedNextTimeWithinTheFormatsPresent) {
  Open(Table);
  ASSERT_EQ(Formats().topLevelItemCount(), kExportFormatCount);
  EXPECT_EQ(Formats().topLevelItem(2)->text(0), "HTML");
  SaveAnswer = QString::fromStdString(Folder.File("plants.ini"));
  const QRect ini =
      Formats().visualItemRect(Formats().topLevelItem(static_cast<int>(TExportFormat::Ini)));
  // What the window system sends for a double click.
  QTest::mouseClick(Formats().viewport(), Qt::LeftButton, {}, ini.center());
  QTest::mouseDClick(Formats().viewport(), Qt::LeftButton, {}, ini.center());
  ASSERT_EQ(Form->result(), QDialog::Accepted);
  Open(Table);
  EXPECT_EQ(SelectedFormat(), static_cast<int>(TExportFormat::Ini));

  // A stored index out of range selects the nearest entry.
  for (const auto& [stored, selected] : {std::pair{42, kExportFormatCount - 1}, {-3, 0}}) {
    DesktopServices().SessionElement("ExportForm").WriteInteger("Format", stored);
    Open(Table);
    EXPECT_EQ(SelectedFormat(), selected) << stored;
  }
}

TEST_F(ExportDialogTest, TheColumnFlagsAreWrittenOnlyWhenTheExportRuns) {
  Open(Table);
  ChooseFormat(TExportFormat::Csv);
  Uncheck("Colour");
  EXPECT_TRUE(Exports("Colour"));

  ClickExport();  // cancelled at the save dialog
  EXPECT_EQ(SaveAsked, 1);
  EXPECT_TRUE(Form->isVisible());
  EXPECT_TRUE(Exports("Colour"));
  EXPECT_FALSE(Table.Modified());

  SaveAnswer = QString::fromStdString(Folder.File("plants.csv"));
  ClickExport();
  EXPECT_FALSE(Exports("Colour"));
  EXPECT_TRUE(Exports("Name"));
  EXPECT_TRUE(Table.Modified());
  EXPECT_EQ(Form->result(), QDialog::Accepted);
  EXPECT_TRUE(Ui.Messages().empty());
}

TEST_F(ExportDialogTest, WhatCannotBeExportedIsToldAndTheDialogStaysOpen) {
  TScopedEnvironment noOffice("PATH", Folder.Path().c_str());
  TTable empty;
  AddColumn(empty, "Name");
  const std::string garden = Folder.Write("garden.csv", "rose;red\r\n");
  TTable onDisk;
  onDisk.Open(garden, {}, false);
  struct TCase {
    TTable* Table;
    TExportFormat Format;
    std::string Target;
    std::string Message;
  };
  const TCase cases[] = {
      {&empty, TExportFormat::Csv, "empty.csv", "Mervanta: The source is empty."},
      {&Table, TExportFormat::ExcelCom, "",
       "Mervanta: The format \"Excel (COM)\" needs an office suite: the program \"soffice\" "
       "was not found."},
      {&Table, TExportFormat::Csv, "missing/plants.csv", "Mervanta: "},
      {&onDisk, TExportFormat::Txt, "garden.csv",
       "Mervanta: Cannot export over the table's own file"},
  };
  for (const TCase& each : cases) {
    SCOPED_TRACE(each.Target);
    Ui.Events.clear();
    Ui.Icons.clear();
    Open(*each.Table);
    ChooseFormat(each.Format);
    SaveAnswer = each.Target.empty() ? QString() : QString::fromStdString(Folder.File(each.Target));
    ClickExport();
    ASSERT_EQ(Ui.Messages().size(), 1u);
    EXPECT_TRUE(Ui.Messages()[0].starts_with(each.Message)) << Ui.Messages()[0];
    EXPECT_EQ(Ui.Icons.back(), TIcon::Error);
    EXPECT_TRUE(Form->isVisible());
    EXPECT_NE(Form->result(), QDialog::Accepted);
  }
  EXPECT_EQ(ReadWholeFile(garden), "rose;red\r\n");
}

// A stand-in for the office suite first on PATH: it logs its arguments, one run per line, and
// converts a file by writing "converted " and the file's bytes; told to, it hangs instead.
class OfficeExportTest : public ExportDialogTest {
 protected:
  OfficeExportTest() {
    const std::string bin = Folder.File("bin");
    std::filesystem::create_directory(bin);
    const std::string script = Folder.Write("bin/soffice", R"(#!/bin/sh
echo "$*" >> "$OFFICE_LOG"
[ -n "$OFFICE_HANG" ] && exec sleep 30
while [ $# -gt 0 ]; do
  case "$1" in
    --convert-to) format=$2; shift ;;
    --outdir) outdir=$2; shift ;;
    *) input=$1 ;;
  esac
  shift
done
if [ -n "$format" ]; then
  base=$(basename "$input"); base=${base%.*}
  { printf 'converted '; cat "$input"; } > "$outdir/$base.$format"
fi
)");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    Path.emplace("PATH", (bin + ":" + ::getenv("PATH")).c_str());
  }

  // The runs logged, once `count` have come: the suite is started detached.
  std::vector<std::string> Runs(std::size_t count) const {
    std::vector<std::string> runs;
    (void)QTest::qWaitFor(
        [&] {
          runs.clear();
          if (!std::filesystem::exists(Log)) return false;
          std::istringstream log(ReadWholeFile(Log));
          for (std::string line; std::getline(log, line);) runs.push_back(line);
          return runs.size() >= count;
        },
        10000);
    return runs;
  }
  std::string CoreExport(TExportFormat format) const {
    const std::string path = Folder.File("core." + TRecordsExporter::FormatExtension(format));
    TRecordsExporter(Table.Sources().All, Table.Folder())
        .Export(format, path, {.Title = Table.DisplayName()});
    return ReadWholeFile(path);
  }

  std::string Log = Folder.File("office.log");
  TScopedEnvironment LogVariable{"OFFICE_LOG", Log.c_str()};
  TScopedEnvironment TemporaryFolder{"TMPDIR", Folder.Path().c_str()};
  std::optional<TScopedEnvironment> Path;
};

TEST_F(OfficeExportTest, TheSuiteOpensTheWrittenFileOrANewDocumentMadeFromIt) {
  struct TCase {
    TExportFormat Format;
    bool View;                      // no file: a new document in the suite
    std::vector<std::string> Runs;  // the start of each run's arguments, after the first's
    std::string Content;
  };
  const std::string sheet = CoreExport(TExportFormat::Excel);
  const std::string page = CoreExport(TExportFormat::Html);
  const std::string target = Folder.File("plants.office");
  const TCase cases[] = {
      {TExportFormat::ExcelCom, false, {"--calc " + target}, sheet},
      {TExportFormat::ExcelCom, true, {"--calc -n " + Folder.Path()}, sheet},
      {TExportFormat::WordCom,
       false,
       {"-env:UserInstallation=file://", "--writer " + target},
       "converted " + page},
      {TExportFormat::WordCom, true, {"--writer -n " + Folder.Path()}, page},
  };
  for (const TCase& each : cases) {
    SCOPED_TRACE(each.Runs.back());
    std::filesystem::remove(Log);
    std::filesystem::remove(target);
    Options().Export->ViewCOM->SetValue(each.View);
    SaveAsked = 0;
    Open(Table);
    ChooseFormat(each.Format);
    SaveAnswer = QString::fromStdString(target);
    ClickExport();
    ASSERT_EQ(Form->result(), QDialog::Accepted) << (Ui.Messages().empty() ? "" : Ui.Messages()[0]);
    EXPECT_EQ(SaveAsked, each.View ? 0 : 1);
    const std::vector<std::string> runs = Runs(each.Runs.size());
    ASSERT_EQ(runs.size(), each.Runs.size());
    for (std::size_t run = 0; run < runs.size(); ++run) {
      EXPECT_TRUE(runs[run].starts_with(each.Runs[run])) << runs[run];
    }
    if (runs.size() == 2) {
      EXPECT_NE(runs[0].find(" --headless --convert-to doc --outdir " + Folder.Path() + " " +
                             Folder.Path() + "/QRV"),
                std::string::npos)
          << runs[0];
    }
    // The file opened is the last argument.
    const std::string opened = runs.back().substr(runs.back().rfind(' ') + 1);
    EXPECT_EQ(ReadWholeFile(opened), each.Content);
    if (each.View) {
      EXPECT_NE(std::find(Kept.Paths().begin(), Kept.Paths().end(), opened), Kept.Paths().end());
    }
  }
}

TEST_F(OfficeExportTest, AConversionThatDoesNotEndIsStoppedAndTold) {
  const TScopedEnvironment hang("OFFICE_HANG", "1");
  Open(Table);
  Form->Office().ConversionSeconds = 1;
  ChooseFormat(TExportFormat::WordCom);
  const std::string target = Folder.File("plants.doc");
  SaveAnswer = QString::fromStdString(target);
  ClickExport();
  EXPECT_EQ(Ui.Messages(), std::vector<std::string>{
                               "Mervanta: LibreOffice did not convert the file within 1 seconds."});
  EXPECT_TRUE(Form->isVisible());
  EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(ExportDialogTest, WithoutACheckedColumnNothingHappens) {
  Open(Table);
  for (const char* caption : {"Name", "Colour", "Upper"}) Uncheck(caption);
  ClickExport();
  EXPECT_EQ(SaveAsked, 0);
  EXPECT_TRUE(Ui.Messages().empty());
  EXPECT_TRUE(Form->isVisible());
}

TEST_F(ExportDialogTest, Picture) {
  Open(Table);
  ChooseFormat(TExportFormat::Html);
  SaveWidgetPicture(*Form, "export_dialog");
}

}  // namespace
}  // namespace mervanta::test
