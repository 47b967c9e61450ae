// Random bytes as a picture file: the loader answers a picture or none, never crashes, hangs
// or holds more than its pixel limit.
#include <stdlib.h>

#include <QCoreApplication>
#include <cstddef>
#include <cstdint>

#include "views/picture_loader.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static QCoreApplication application(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  for (const QSize drawn : {QSize(), QSize(40, 30)}) {
    const mervanta::TLoadedPicture picture = mervanta::LoadPictureBytes(bytes, drawn);
    if (picture.Image.isNull()) continue;
    if (std::int64_t{picture.Image.width()} * picture.Image.height() > (std::int64_t{1} << 26)) {
      abort();
    }
  }
  return 0;
}
