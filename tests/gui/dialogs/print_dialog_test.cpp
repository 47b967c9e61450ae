#include "dialogs/print_dialog.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "core/table/table_fixture.h"
#include "dialogs/columns_view.h"
#include "dialogs/sources_view.h"
#include "dialogs/temporary_files.h"
#include "exchange/records_exporter.h"
#include "model/table_sources.h"
#include "settings/option_categories.h"
#include "settings/options.h"
#include "support/file_io.h"
#include "table/table.h"
#include "test_support/recording_user_interface.h"
#include "test_support/scoped_environment.h"
#include "test_support/scoped_options.h"
#include "widget_picture.h"

namespace mervanta::test {
namespace {

// What a tool prints about a file, by its arguments.
std::string Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000)) return "(" + program.toStdString() + " did not finish)";
  return process.readAllStandardOutput().toStdString();
}

std::string PdfText(const std::string& pdf) {
  return Run(QStringLiteral("pdftotext"), {QString::fromStdString(pdf), QStringLiteral("-")});
}

// The images a PDF file shows: the lines of "pdfimages -list" after its two heading lines.
long PdfImageCount(const std::string& pdf) {
  const std::string list =
      Run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), QString::fromStdString(pdf)});
  return std::max(0L, static_cast<long>(std::count(list.begin(), list.end(), '\n')) - 2);
}

// A table of two stored columns, a computed one and a picture column over three records; the
// print dialog of the system is answered by printing into Pdf, or cancelled when it is empty.
class PrintDialogTest : public testing::Test {
 protected:
  PrintDialogTest() {
    AddColumn(Table, "Name");
    AddColumn(Table, "Colour");
    AddColumn(Table, "Upper", TColumnStorage::Virtual).Formula->SetValue("UpperCase(#1)");
    AddColumn(Table, "Photo").SetColumnType(TColumnType::Picture);
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    Photo = Folder.File("rose.png");
    picture.save(QString::fromStdString(Photo));
    AddRecord(Table, {"rose", "red", Photo});
    AddRecord(Table, {"tulip", "yellow"});
    AddRecord(Table, {"lily", "white"});
    Table.Sources().All.SetItemIndex(1);
    Table.SetModified(false);
  }

  TPrintForm& Open(TRecord* record = nullptr) {
    Form = record != nullptr ? std::make_unique<TPrintForm>(nullptr, Table, *record, Pages)
                             : std::make_unique<TPrintForm>(nullptr, Table, Pages);
    Form->SetPrinterPrompt([this](QWidget&, QPrinter& printer) {
      ++PrinterAsked;
      if (Pdf.empty()) return false;
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(Pdf));
      return true;
    });
    Form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    return *Form;
  }
  void Uncheck(const char* caption) const {
    auto& view = *Form->findChild<TColumnsView*>(QStringLiteral("ColumnsView"));
    view.findItems(QString::fromLatin1(caption), Qt::MatchExactly)
        .front()
        ->setCheckState(0, Qt::Unchecked);
  }
  void ClickPrint() const { Form->findChild<QPushButton*>(QStringLiteral("Print"))->click(); }
  bool Prints(const char* caption) const {
    return Table.Columns().FindByCaption(caption)->ToPrint->Value();
  }
  // The page the exporter writes for the list with the same choice.
  std::string CorePage(const TRecords& list, bool card) const {
    const std::string path = Folder.File("core.html");
    TRecordsExporter(list, Table.Folder())
        .Export(TExportFormat::Html, path,
                {.CardLayout = card, .ForPrint = true, .Title = Table.DisplayName()});
    return ReadWholeFile(path);
  }

  TScopedDefaultOptions Defaults;
  TTableFolder Folder;
  TScopedEnvironment TemporaryFolder{"TMPDIR", Folder.Path().c_str()};
  TRecordingUserInterface Ui;
  TTable Table;
  std::string Photo;
  TTemporaryFiles Pages;
  std::unique_ptr<TPrintForm> Form;
  std::string Pdf;
  int PrinterAsked = 0;
};

TEST_F(PrintDialogTest, TheChosenListIsPrintedWithTheCheckedColumnsAsTheExporterWritesIt) {
  for (const bool cardMode : {false, true}) {
    SCOPED_TRACE(cardMode);
    Options().Print->CardMode->SetValue(cardMode);
    Open();
    Uncheck("Colour");
    Pdf = Folder.File(cardMode ? "cards.pdf" : "list.pdf");
    ClickPrint();
    ASSERT_EQ(Form->result(), QDialog::Accepted);
    EXPECT_TRUE(Ui.Messages().empty());
    EXPECT_FALSE(Prints("Colour"));
    EXPECT_TRUE(Table.Modified());

    ASSERT_FALSE(Pages.Paths().empty());
    EXPECT_EQ(ReadWholeFile(Pages.Paths().back()), CorePage(Table.Sources().All, cardMode));
    const std::string text = PdfText(Pdf);
    for (const char* shown : {"Name", "rose", "tulip", "lily", "TULIP"}) {
      EXPECT_NE(text.find(shown), std::string::npos) << shown << " in " << text;
    }
    EXPECT_EQ(text.find("yellow"), std::string::npos) << "the unchecked column is left out";
    EXPECT_EQ(PdfImageCount(Pdf), 1) << "the picture of the first record";
  }
}

TEST_F(PrintDialogTest, OneRecordIsPrintedAsACardWhateverTheCardModeSays) {
  Options().Print->CardMode->SetValue(false);
  TRecord& tulip = Table.Sources().All.Item(1);
  Open(&tulip);
  EXPECT_EQ(Form->findChild<QPlainTextEdit*>(QStringLiteral("RecordValues"))->toPlainText(),
            "tulip\nyellow\nTULIP\n");
  Pdf = Folder.File("tulip.pdf");
  ClickPrint();
  ASSERT_EQ(Form->result(), QDialog::Accepted);

  TRecords single(Table.Columns(), &Table.Sources().All);
  single.Add(tulip);
  ASSERT_EQ(Pages.Paths().size(), 1u);
  EXPECT_EQ(ReadWholeFile(Pages.Paths()[0]), CorePage(single, true));
  const std::string text = PdfText(Pdf);
  EXPECT_NE(text.find("tulip"), std::string::npos) << text;
  EXPECT_EQ(text.find("rose"), std::string::npos) << text;
  EXPECT_EQ(Table.Sources().All.Count(), 3);
  EXPECT_EQ(&Table.Sources().All.Item(1), &tulip);
}

TEST_F(PrintDialogTest, CancellingThePrintDialogLeavesTheFlagsAndWritesNoPage) {
  Open();
  Uncheck("Colour");
  ClickPrint();
  EXPECT_EQ(PrinterAsked, 1);
  EXPECT_TRUE(Form->isVisible());
  EXPECT_TRUE(Prints("Colour"));
  EXPECT_FALSE(Table.Modified());
  EXPECT_TRUE(Pages.Paths().empty());
  EXPECT_TRUE(Ui.Messages().empty());
}

TEST_F(PrintDialogTest, WithoutACheckedColumnNothingHappens) {
  Open();
  for (const char* caption : {"Name", "Colour", "Upper", "Photo"}) Uncheck(caption);
  ClickPrint();
  EXPECT_EQ(PrinterAsked, 0);
  EXPECT_TRUE(Ui.Messages().empty());
  EXPECT_TRUE(Form->isVisible());
}

TEST_F(PrintDialogTest, ThePrintedPageIsKeptUntilItsKeeperGoes) {
  auto pages = std::make_unique<TTemporaryFiles>();
  for (const char* name : {"first.pdf", "second.pdf"}) {
    TPrintForm form(nullptr, Table, *pages);
    form.SetPrinterPrompt([&](QWidget&, QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(Folder.File(name)));
      return true;
    });
    form.findChild<QPushButton*>(QStringLiteral("Print"))->click();
  }
  ASSERT_EQ(pages->Paths().size(), 2u);
  const std::vector<std::string> kept = pages->Paths();
  EXPECT_NE(kept[0], kept[1]);
  for (const std::string& page : kept) {
    EXPECT_EQ(std::filesystem::path(page).parent_path(), std::filesystem::path(Folder.Path()));
    EXPECT_TRUE(std::filesystem::path(page).filename().string().starts_with("QRV")) << page;
    EXPECT_NE(ReadWholeFile(page).find("tulip"), std::string::npos) << "written after its dialog";
  }
  pages.reset();
  for (const std::string& page : kept) EXPECT_FALSE(std::filesystem::exists(page)) << page;
}

TEST_F(PrintDialogTest, WhatCannotBePrintedIsToldAndTheDialogStaysOpen) {
  struct TCase {
    int Source;
    std::string Pdf;
    std::string Message;
  };
  const TCase cases[] = {
      {TTableSources::kSearchResultsIndex, Folder.File("empty.pdf"),
       "Mervanta: The source is empty."},
      {TTableSources::kAllIndex, Folder.File("missing/list.pdf"), "Mervanta: Print error (3)"},
  };
  for (const TCase& each : cases) {
    SCOPED_TRACE(each.Source);
    Ui.Events.clear();
    Open();
    auto& sources = *Form->findChild<TSourcesView*>();
    for (int row = 0; row < sources.topLevelItemCount(); ++row) {
      if (sources.topLevelItem(row)->data(0, Qt::UserRole).toInt() == each.Source) {
        sources.setCurrentItem(sources.topLevelItem(row));
      }
    }
    ASSERT_EQ(sources.SelectedSource(), each.Source);
    Pdf = each.Pdf;
    ClickPrint();
    ASSERT_EQ(Ui.Messages().size(), 1u);
    EXPECT_EQ(Ui.Messages()[0], each.Message);
    EXPECT_TRUE(Form->isVisible());
    EXPECT_NE(Form->result(), QDialog::Accepted);
  }
}

TEST_F(PrintDialogTest, Pictures) {
  Open();
  SaveWidgetPicture(*Form, "print_dialog");
  Open(&Table.Sources().All.Item(0));
  SaveWidgetPicture(*Form, "print_dialog_record");
}

}  // namespace
}  // namespace mervanta::test
