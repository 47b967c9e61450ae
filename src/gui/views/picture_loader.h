#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <string>

namespace mervanta {

struct TLoadedPicture {
  QImage Image;
  // The picture's own size, before any reduction.
  QSize FullSize;
};

// Reads the picture a cell names, never larger than needed to draw it at `drawnAtMost` (an
// empty size asks for the full picture): a JPEG file is scaled down by its decoder, which then
// decodes only an eighth, a quarter or half of the pixels; other formats go through Qt's image
// readers. Anything that cannot be read whole (a missing file, a folder, a truncated or
// damaged picture, a text file with a picture's extension, a picture too large to hold) gives
// a null image, for which the list shows its placeholder.
TLoadedPicture LoadPicture(const std::string& path, QSize drawnAtMost);
// The same for a picture's bytes.
TLoadedPicture LoadPictureBytes(const QByteArray& bytes, QSize drawnAtMost);

}  // namespace mervanta
