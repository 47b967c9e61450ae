#include "views/picture_open_dialog.h"

#include <QAbstractItemView>
#include <QGridLayout>
#include <QImageReader>
#include <QItemSelectionModel>
#include <QLabel>

namespace mervanta {

namespace {

constexpr int kPreviewSize = 160;

}  // namespace

TPictureOpenDialog::TPictureOpenDialog(QWidget* parent)
    : QFileDialog(parent), Preview_(new QLabel(this)) {
  setObjectName(QStringLiteral("PictureOpenDialog"));
  // The preview needs the dialog's own widgets, which a native dialog would not give.
  setOption(QFileDialog::DontUseNativeDialog);
  setNameFilter(PictureFilter());
  Preview_->setObjectName(QStringLiteral("Preview"));
  Preview_->setFixedSize(kPreviewSize, kPreviewSize);
  Preview_->setAlignment(Qt::AlignCenter);
  Preview_->setFrameShape(QFrame::StyledPanel);
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    grid->addWidget(Preview_, 1, grid->columnCount(), grid->rowCount() - 1, 1);
  }
  // The selection rather than the current file: a file the dialog starts on is selected
  // without becoming current.
  for (auto* view : findChildren<QAbstractItemView*>()) {
    if (view->selectionModel() == nullptr) continue;
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { ShowPreview(selectedFiles().value(0)); });
  }
}

QString TPictureOpenDialog::PictureFilter() {
  QStringList patterns;
  for (const QByteArray& format : QImageReader::supportedImageFormats()) {
    patterns << QStringLiteral("*.") + QString::fromLatin1(format);
  }
  return tr("Pictures (%1)").arg(patterns.join(QLatin1Char(' '))) + QStringLiteral(";;") +
         tr("All files (*)");
}

void TPictureOpenDialog::ShowPreview(const QString& path) {
  QImageReader reader(path);
  const QSize size = reader.size();
  if (size.isValid() && (size.width() > kPreviewSize || size.height() > kPreviewSize)) {
    // Decoding at the preview's size keeps a large photograph quick.
    reader.setScaledSize(size.scaled(kPreviewSize, kPreviewSize, Qt::KeepAspectRatio));
  }
  const QImage image = reader.read();
  Preview_->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
}

}  // namespace mervanta
