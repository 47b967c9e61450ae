#include "views/help_topics.h"

#include <algorithm>
#include <array>

namespace mervanta {

namespace {

constexpr std::array<std::string_view, 14> kTopics{
    "advancedsearch", "automatedtasks", "column",      "export",         "newtable",
    "normalsearch",   "options",        "password",    "print",          "quicksearch",
    "recordadd",      "recordedit",     "selecttable", "tableproperties"};

}  // namespace

std::span<const std::string_view> HelpTopics() {
  return kTopics;
}

bool IsHelpTopic(std::string_view topic) {
  return std::ranges::find(kTopics, topic) != kTopics.end();
}

}  // namespace mervanta
