#pragma once

#include <QFileDialog>

class QLabel;

namespace mervanta {

// A file-open dialog for pictures that shows the picture under the cursor beside the list.
class TPictureOpenDialog : public QFileDialog {
  Q_OBJECT

 public:
  explicit TPictureOpenDialog(QWidget* parent);

  // Every picture format Qt reads, then "|" and all files.
  static QString PictureFilter();

 private:
  void ShowPreview(const QString& path);

  QLabel* Preview_;
};

}  // namespace mervanta
