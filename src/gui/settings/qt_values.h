#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <string>
#include <string_view>

#include "support/color.h"
#include "support/font.h"
#include "support/string_list.h"

namespace mervanta {

// Cell texts are 8-bit in the table's code page. Every byte becomes exactly one UTF-16 unit,
// so a position that counts bytes (found and mark ranges, carets, links) is the same position
// in what is drawn.
QString DisplayText(std::string_view bytes);
// What the user typed, in the table's code page; text the code page cannot hold throws.
std::string AnsiText(const QString& text);

// Lists of such texts as the lines of a multi-line edit, and back; a final line break starts
// no further line.
QString DisplayLines(const TStringList& lines);
TStringList AnsiLines(const QString& text);

// The settings' plain values as Qt's.
QColor ToQColor(TColor color);
QFont ToQFont(const TFont& font);
// Back again. Qt's font has no colour and no character set: they come with it.
TColor FromQColor(const QColor& color);
TFont FromQFont(const QFont& font, TColor color, int charset);

}  // namespace mervanta
