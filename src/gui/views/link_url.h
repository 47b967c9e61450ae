#pragma once

#include <QUrl>
#include <string>
#include <string_view>

namespace mervanta {

class TColumns;
class TRecord;

// Every byte but the letters A-Z, a-z and the digits becomes "%" and two capital hex digits.
std::string PercentEncoded(std::string_view bytes);

// The body of a mail sent from a record: a line "caption: value" for every column of the
// table, hidden ones too, each percent-encoded.
std::string MailBody(const TColumns& columns, const TRecord& record);

// What opening a link hands to the desktop: an e-mail address as "mailto:" with the body
// when one is given, a file by its path (a relative one from the table's folder), any other
// link as it stands, "www." ones on the web.
QUrl LinkUrl(std::string_view link, std::string_view tableFolder, std::string_view mailBody);

}  // namespace mervanta
