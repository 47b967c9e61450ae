#include "views/picture_loader.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <string>

#include "test_support/temp_dir.h"

namespace mervanta::test {
namespace {

// A picture with something in it, saved in the format, and its bytes.
QByteArray PictureBytes(int width, int height, const char* format) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(40, 120, 200));
  QPainter painter(&image);
  painter.fillRect(0, 0, width / 2, height / 2, QColor(250, 200, 20));
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, format));
  return bytes;
}

std::string Write(const TTempDir& folder, const std::string& name, const QByteArray& bytes) {
  return folder.Write(name,
                      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

TEST(PictureLoader, AJpegIsDecodedNoLargerThanItIsDrawn) {
  const TTempDir folder;
  const std::string path = Write(folder, "a.jpg", PictureBytes(800, 400, "JPG"));
  struct TCase {
    QSize DrawnAtMost;
    QSize Decoded;
  };
  const TCase cases[] = {
      {{}, {800, 400}},          // the full picture
      {{100, 50}, {100, 50}},    // an eighth
      {{150, 50}, {200, 100}},   // a quarter: an eighth would be narrower than drawn
      {{400, 200}, {400, 200}},  // half
      {{401, 10}, {800, 400}},   // no reduction keeps it wide enough
      {{2000, 2000}, {800, 400}},
  };
  for (const TCase& c : cases) {
    const TLoadedPicture picture = LoadPicture(path, c.DrawnAtMost);
    EXPECT_EQ(picture.Image.size(), c.Decoded)
        << c.DrawnAtMost.width() << "x" << c.DrawnAtMost.height();
    EXPECT_EQ(picture.FullSize, QSize(800, 400));
  }
  // Decoded colours, not a grey fill: the top-left quarter is yellow.
  const QColor corner = LoadPicture(path, {}).Image.pixelColor(10, 10);
  EXPECT_GT(corner.red(), 200);
  EXPECT_LT(corner.blue(), 80);
}

TEST(PictureLoader, OtherFormatsAreReadByQtsReadersByTheirContent) {
  const TTempDir folder;
  const std::string png = Write(folder, "b.png", PictureBytes(60, 30, "PNG"));
  EXPECT_EQ(LoadPicture(png, {}).Image.size(), QSize(60, 30));
  EXPECT_EQ(LoadPicture(png, {}).FullSize, QSize(60, 30));
  // A picture named unlike its format is read by its content.
  const std::string misnamed = Write(folder, "c.jpg", PictureBytes(20, 10, "PNG"));
  EXPECT_EQ(LoadPicture(misnamed, {}).Image.size(), QSize(20, 10));
}

TEST(PictureLoader, WhatCannotBeReadWholeGivesNoPicture) {
  const TTempDir folder;
  const QByteArray jpeg = PictureBytes(400, 300, "JPG");
  // A JPEG header declaring 20000 × 20000 pixels, with no data after it.
  QByteArray huge = jpeg.left(jpeg.indexOf(QByteArray("\xFF\xDA", 2)));
  const int frame = static_cast<int>(huge.indexOf(QByteArray("\xFF\xC0", 2)));
  ASSERT_GT(frame, 0);
  huge[frame + 5] = static_cast<char>(20000 >> 8),
               huge[frame + 6] = static_cast<char>(20000 & 0xFF);
  huge[frame + 7] = static_cast<char>(20000 >> 8),
               huge[frame + 8] = static_cast<char>(20000 & 0xFF);
  struct TCase {
    const char* Name;
    std::string Path;
  };
  const TCase cases[] = {
      {"truncated JPEG", Write(folder, "cut.jpg", jpeg.left(jpeg.size() / 2))},
      {"zero bytes", folder.Write("empty.jpg", "")},
      {"text named .jpg", folder.Write("text.jpg", "not a picture at all\r\n")},
      {"declared 20000 x 20000", Write(folder, "huge.jpg", huge)},
      {"missing file", folder.File("missing.jpg")},
      {"a folder", folder.Path()},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_TRUE(LoadPicture(c.Path, {100, 100}).Image.isNull());
    EXPECT_TRUE(LoadPicture(c.Path, {}).Image.isNull());
  }
}

TEST(PictureLoader, TheExampleTablesPicturesReadAllButTheBrokenOne) {
  const std::string folder = MERVANTA_EXAMPLES "/pictures/";
  for (const char* name : {"rose.jpg", "sunflower.jpg", "lavender.png", "daisy.jpg"}) {
    EXPECT_FALSE(LoadPicture(folder + name, {120, 120}).Image.isNull()) << name;
  }
  EXPECT_TRUE(LoadPicture(folder + "broken.jpg", {120, 120}).Image.isNull());
}

}  // namespace
}  // namespace mervanta::test
