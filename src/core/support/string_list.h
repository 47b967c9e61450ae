#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mervanta {

// Lists of names stored as one text, as settings keep them.
using TStringList = std::vector<std::string>;

// Items joined by CR LF, each followed by it.
std::string ListToText(const TStringList& list);
// Lines split at CR LF, CR or LF; a final line break does not start another line.
TStringList TextToList(std::string_view text);

// Items separated by commas; an item that is empty or holds a blank, a control character, a
// comma or a double quote is written in double quotes with its quotes doubled.
std::string ListToCommaText(const TStringList& list);
// Reads that form back; unquoted items also end at blanks.
TStringList CommaTextToList(std::string_view text);

// The n-th line (from 0) of a text whose lines end in CR LF; empty when there is none.
std::string LineOfText(std::string_view text, int index);

}  // namespace mervanta
