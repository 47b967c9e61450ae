#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <vector>

namespace mervanta::test {

// Takes the links the program opens instead of the desktop, for the lifetime of the object.
class TUrlCatcher : public QObject {
  Q_OBJECT

 public:
  TUrlCatcher() {
    for (const char* scheme : kSchemes) QDesktopServices::setUrlHandler(scheme, this, "Open");
  }
  ~TUrlCatcher() override {
    for (const char* scheme : kSchemes) QDesktopServices::unsetUrlHandler(scheme);
  }

  std::vector<QUrl> Opened;

 public slots:
  void Open(const QUrl& url) { Opened.push_back(url); }

 private:
  static constexpr const char* kSchemes[] = {"http", "https", "mailto", "file", "ftp"};
};

}  // namespace mervanta::test
