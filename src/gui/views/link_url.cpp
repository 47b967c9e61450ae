#include "views/link_url.h"

#include <QDir>
#include <QFileInfo>

#include "model/columns.h"
#include "model/record.h"
#include "support/links.h"
#include "support/locale.h"
#include "settings/qt_values.h"

namespace mervanta {

namespace {

bool KeptAsItIs(unsigned char byte) {
  return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
         (byte >= '0' && byte <= '9');
}

}  // namespace

std::string PercentEncoded(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(bytes.size() * 3);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (KeptAsItIs(byte)) {
      encoded += c;
    } else {
      encoded += '%';
      encoded += kDigits[byte >> 4];
      encoded += kDigits[byte & 0x0F];
    }
  }
  return encoded;
}

std::string MailBody(const TColumns& columns, const TRecord& record) {
  std::string body;
  std::string line;
  std::string buffer;
  for (const auto& column : columns) {
    line.assign(column->Caption->Value());
    line += ": ";
    line += record.Value(*column, buffer);
    line += "\r\n";
    body += PercentEncoded(line);
  }
  return body;
}

QUrl LinkUrl(std::string_view link, std::string_view tableFolder, std::string_view mailBody) {
  if (link.find('@') != std::string_view::npos) {
    std::string encoded = "mailto:";
    encoded += link;
    if (!mailBody.empty()) {
      encoded += "?Body=";
      encoded += mailBody;
    }
    return QUrl::fromEncoded(QByteArray::fromStdString(encoded), QUrl::TolerantMode);
  }
  const QString text = DisplayText(link);
  if (IsURL(AnsiLowerCase(link))) return QUrl::fromUserInput(text);
  const QFileInfo file(QDir(DisplayText(tableFolder)), text);
  return QUrl::fromLocalFile(file.absoluteFilePath());
}

}  // namespace mervanta
