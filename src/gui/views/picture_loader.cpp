#include "views/picture_loader.h"

#include <jpeglib.h>
#include <setjmp.h>
#include <stdio.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QString>
#include <cstdint>

namespace mervanta {

namespace {

// Pictures beyond this many pixels after scaling are not held: 8192 × 8192.
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 26;

struct TJpegErrors {
  jpeg_error_mgr Manager;
  jmp_buf Exit;
};

extern "C" void LeaveOnError(j_common_ptr info) {
  longjmp(reinterpret_cast<TJpegErrors*>(info->err)->Exit, 1);
}

// Warnings, such as data ending early, count as failures: a picture is shown whole or not.
extern "C" void CountWarning(j_common_ptr info, int level) {
  if (level < 0) ++info->err->num_warnings;
}

// The largest reduction the decoder offers that keeps the picture at least as large as it is
// drawn.
unsigned Reduction(JDIMENSION width, JDIMENSION height, QSize drawnAtMost) {
  if (drawnAtMost.isEmpty()) return 1;
  unsigned denominator = 1;
  while (denominator < 8 &&
         width / (2 * denominator) >= static_cast<unsigned>(drawnAtMost.width()) &&
         height / (2 * denominator) >= static_cast<unsigned>(drawnAtMost.height())) {
    denominator *= 2;
  }
  return denominator;
}

enum class TJpegResult { Decoded, Damaged, OtherColours };

// The decoding itself, free of objects with destructors, since an error leaves it by longjmp.
TJpegResult DecodeJpeg(const unsigned char* bytes, unsigned long size, QSize drawnAtMost,
                       TLoadedPicture& picture) {
  jpeg_decompress_struct info;
  TJpegErrors errors;
  info.err = jpeg_std_error(&errors.Manager);
  errors.Manager.error_exit = &LeaveOnError;
  errors.Manager.emit_message = &CountWarning;
  if (setjmp(errors.Exit) != 0) {
    jpeg_destroy_decompress(&info);
    return TJpegResult::Damaged;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes, size);
  jpeg_read_header(&info, TRUE);
  if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
    jpeg_destroy_decompress(&info);
    return TJpegResult::OtherColours;
  }
  picture.FullSize = QSize(static_cast<int>(info.image_width), static_cast<int>(info.image_height));
  info.out_color_space = JCS_EXT_RGBX;
  info.scale_num = 1;
  info.scale_denom = Reduction(info.image_width, info.image_height, drawnAtMost);
  if (info.scale_denom > 1) {
    // A reduced picture shows no difference the slower, finer methods would make.
    info.dct_method = JDCT_IFAST;
    info.do_fancy_upsampling = FALSE;
  }
  jpeg_calc_output_dimensions(&info);
  if (std::uint64_t{info.output_width} * info.output_height > kMaxPixels ||
      info.output_width == 0 || info.output_height == 0) {
    jpeg_destroy_decompress(&info);
    return TJpegResult::Damaged;
  }
  QImage& image = picture.Image;
  image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                 QImage::Format_RGBX8888);
  if (image.isNull()) {
    jpeg_destroy_decompress(&info);
    return TJpegResult::Damaged;
  }
  jpeg_start_decompress(&info);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  const bool whole = errors.Manager.num_warnings == 0;
  jpeg_destroy_decompress(&info);
  return whole ? TJpegResult::Decoded : TJpegResult::Damaged;
}

bool IsJpeg(const QByteArray& bytes) {
  return bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
         static_cast<unsigned char>(bytes[1]) == 0xD8 &&
         static_cast<unsigned char>(bytes[2]) == 0xFF;
}

TLoadedPicture ReadWithQt(const QByteArray& bytes, QSize drawnAtMost) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setDecideFormatFromContent(true);
  const QSize size = reader.size();
  if (size.isValid() && static_cast<std::uint64_t>(size.width()) * size.height() > kMaxPixels &&
      !reader.supportsOption(QImageIOHandler::ScaledSize)) {
    return {};
  }
  if (size.isValid() && !drawnAtMost.isEmpty() &&
      reader.supportsOption(QImageIOHandler::ScaledSize) &&
      (size.width() > drawnAtMost.width() || size.height() > drawnAtMost.height())) {
    reader.setScaledSize(size.scaled(drawnAtMost, Qt::KeepAspectRatio));
  }
  TLoadedPicture picture;
  picture.Image = reader.read();
  picture.FullSize = size.isValid() ? size : picture.Image.size();
  return picture;
}

}  // namespace

TLoadedPicture LoadPicture(const std::string& path, QSize drawnAtMost) {
  const QString name = QString::fromStdString(path);
  if (!QFileInfo(name).isFile()) return {};
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return LoadPictureBytes(file.readAll(), drawnAtMost);
}

TLoadedPicture LoadPictureBytes(const QByteArray& bytes, QSize drawnAtMost) {
  if (IsJpeg(bytes)) {
    TLoadedPicture picture;
    switch (DecodeJpeg(reinterpret_cast<const unsigned char*>(bytes.constData()),
                       static_cast<unsigned long>(bytes.size()), drawnAtMost, picture)) {
      case TJpegResult::Decoded:
        return picture;
      case TJpegResult::Damaged:
        return {};
      case TJpegResult::OtherColours:
        break;  // CMYK: Qt's reader converts it
    }
  }
  return ReadWithQt(bytes, drawnAtMost);
}

}  // namespace mervanta
