#include "dialogs/office_suite.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProgressDialog>
#include <QStandardPaths>
#include <cstdio>

#include "dialogs/temporary_files.h"
#include "exchange/records_exporter.h"
#include "support/atomic_file.h"
#include "support/errors.h"
#include "support/file_io.h"
#include "support/file_names.h"

namespace mervanta {

namespace {

constexpr const char* kOfficeProgram = "soffice";

// A new temporary file with the extension the suite reads its kind from.
std::string KeptFile(TTemporaryFiles& kept, const char* extension) {
  const std::string plain = TemporaryFileName();
  const std::string named = plain + extension;
  if (std::rename(plain.c_str(), named.c_str()) != 0) {
    std::remove(plain.c_str());
    throw EMervantaError("Cannot create the temporary file " + named);
  }
  kept.Keep(named);
  return named;
}

// A profile of the program's own, so that a conversion never hands its work to a suite the
// user has open, which would answer before the file is written.
QString ProfileArgument() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                         QStringLiteral("/office-profile");
  return QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(folder).toString();
}

}  // namespace

QString TOfficeSuite::Program(TExportFormat format) const {
  const QString office = Launcher.FindProgram(QString::fromLatin1(kOfficeProgram));
  if (office.isEmpty()) {
    throw EMervantaError("The format \"" + TRecordsExporter::FormatName(format) +
                         "\" needs an office suite: the program \"" + kOfficeProgram +
                         "\" was not found");
  }
  return office;
}

void TOfficeSuite::Export(const TRecords& source, const std::string& tableFolder,
                          TExportFormat format, const std::string& fileName,
                          const std::string& title, TTemporaryFiles& kept) const {
  const bool sheet = format == TExportFormat::ExcelCom;
  const QString office = Program(format);
  TRecordsExporter exporter(source, tableFolder);
  std::string opened;
  if (sheet) {
    opened = fileName.empty() ? KeptFile(kept, ".xls") : fileName;
    exporter.Export(TExportFormat::Excel, opened);
  } else {
    const std::string page = KeptFile(kept, ".html");
    exporter.Export(TExportFormat::Html, page, {.Title = title});
    opened = page;
    if (!fileName.empty()) {
      const std::string converted = Convert(office, page, "doc");
      kept.Keep(converted);
      ReplaceFileAtomically(fileName, ReadWholeFile(converted));
      opened = fileName;
    }
  }
  QStringList arguments{sheet ? QStringLiteral("--calc") : QStringLiteral("--writer")};
  // Without a file the suite shows a new document made from the written one.
  if (fileName.empty()) arguments << QStringLiteral("-n");
  arguments << QFile::decodeName(opened.c_str());
  if (!Launcher.StartDetached(office, arguments)) {
    throw EMervantaError(std::string(sheet ? "LibreOffice Calc" : "LibreOffice Writer") + " (" +
                         office.toStdString() + ") could not be started");
  }
}

std::string TOfficeSuite::Convert(const QString& office, const std::string& file,
                                  const char* format) const {
  const QFileInfo input(QFile::decodeName(file.c_str()));
  const QString folder = input.absolutePath();
  QProcess process;
  process.start(office, {ProfileArgument(), QStringLiteral("--headless"),
                         QStringLiteral("--convert-to"), QString::fromLatin1(format),
                         QStringLiteral("--outdir"), folder, input.absoluteFilePath()});
  QProgressDialog progress(QStringLiteral("Converting with LibreOffice..."),
                           QStringLiteral("Cancel"), 0, 0, QApplication::activeWindow());
  progress.setWindowTitle(QStringLiteral("Export"));
  progress.setMinimumDuration(500);
  QElapsedTimer elapsed;
  elapsed.start();
  while (!process.waitForFinished(50)) {
    if (process.state() == QProcess::NotRunning) break;
    QApplication::processEvents();
    if (progress.wasCanceled() || elapsed.elapsed() > ConversionSeconds * 1000LL) {
      process.kill();
      process.waitForFinished(5000);
      throw EMervantaError(progress.wasCanceled()
                               ? "The conversion by LibreOffice was cancelled"
                               : "LibreOffice did not convert the file within " +
                                     std::to_string(ConversionSeconds) + " seconds");
    }
  }
  const QString converted =
      folder + '/' + input.completeBaseName() + '.' + QString::fromLatin1(format);
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 ||
      !QFileInfo::exists(converted)) {
    throw EMervantaError("LibreOffice (" + office.toStdString() + ") could not convert the file");
  }
  return converted.toStdString();
}

}  // namespace mervanta
