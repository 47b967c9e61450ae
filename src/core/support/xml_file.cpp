#include "support/xml_file.h"

#include <unordered_set>

#include "support/atomic_file.h"
#include "support/file_io.h"
#include "support/utf16.h"
#include "support/xml_entities.h"

namespace mervanta {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Reads one start tag from just after "<": its name and attributes. Returns true when the
// tag closed itself with "/".
bool ParseStartTag(std::string_view text, std::size_t& pos, TXmlTag& tag) {
  bool selfClosed = false;
  const std::size_t size = text.size();
  while (true) {
    while (pos < size && IsBlank(text[pos])) ++pos;
    if (pos >= size) break;
    const std::size_t start = pos;
    bool quoted = false;
    while (pos < size) {
      char c = text[pos];
      if (c == '"') {
        quoted = !quoted;
      } else if (!quoted && (IsBlank(c) || c == '/' || c == '>')) {
        break;
      }
      ++pos;
    }
    std::string_view token = text.substr(start, pos - start);
    if (!token.empty()) {
      std::size_t equals = token.find('=');
      if (tag.Name.empty() && equals == std::string_view::npos) {
        tag.Name = token;
      } else if (equals != std::string_view::npos && equals > 0) {
        std::string_view value = token.substr(equals + 1);
        if (!value.empty() && value.front() == '"' && value.back() == '"') {
          value = value.size() >= 2 ? value.substr(1, value.size() - 2) : std::string_view();
        }
        tag.WriteString(token.substr(0, equals), DecodeEntities(value));
      }
    }
    if (pos >= size) break;
    const char stop = text[pos++];
    if (stop == '/') selfClosed = true;
    if (stop == '>') break;
  }
  return selfClosed;
}

struct TOpenElement {
  TXmlTag* Tag;
  std::string EndTag;
};

void Parse(std::string_view text, TXmlTag& root) {
  std::size_t pos = text.find('<');
  if (pos == std::string_view::npos) return;
  ++pos;
  if (ParseStartTag(text, pos, root)) return;
  // An explicit stack: a comment or a stray start tag absorbs everything after it, so
  // hostile files nest as deep as they are long.
  std::vector<TOpenElement> open;
  open.push_back({&root, "</" + root.Name + ">"});
  while (!open.empty()) {
    std::size_t next = text.find('<', pos);
    if (next == std::string_view::npos) return;
    const std::string& endTag = open.back().EndTag;
    if (text.compare(next, endTag.size(), endTag) == 0) {
      pos = next + endTag.size();
      open.pop_back();
      continue;
    }
    TXmlTag* child = open.back().Tag->AddChild({});
    pos = next + 1;
    if (!ParseStartTag(text, pos, *child)) open.push_back({child, "</" + child->Name + ">"});
  }
}

// The elements that hold at least one attribute somewhere below or in themselves.
std::unordered_set<const TXmlTag*> NonEmptyElements(const TXmlTag& root) {
  std::vector<std::pair<const TXmlTag*, std::size_t>> order;  // element, index of its parent
  order.emplace_back(&root, 0);
  for (std::size_t i = 0; i < order.size(); ++i) {
    const TXmlTag* tag = order[i].first;
    for (int c = 0; c < tag->Count(); ++c) order.emplace_back(tag->ChildAt(c), i);
  }
  std::vector<bool> nonEmpty(order.size(), false);
  for (std::size_t i = order.size(); i-- > 0;) {
    if (order[i].first->HasParams()) nonEmpty[i] = true;
    if (nonEmpty[i] && i > 0) nonEmpty[order[i].second] = true;
  }
  std::unordered_set<const TXmlTag*> result;
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (nonEmpty[i]) result.insert(order[i].first);
  }
  return result;
}

std::string StartLine(const TXmlTag& tag, int depth) {
  std::string line(static_cast<std::size_t>(depth), '\t');
  line += '<';
  line += tag.Name;
  for (int i = 0; i < tag.ParamCount(); ++i) {
    const auto& [name, value] = tag.Param(i);
    if (name.empty()) continue;
    line += ' ';
    line += name;
    line += "=\"";
    AppendEncodedEntities(line, value);
    line += '"';
  }
  line += tag.HasChildren() ? ">" : " />";
  return line;
}

}  // namespace

void TXmlFile::LoadFromFile(const std::string& path) {
  LoadFromString(ReadRegularFile(path));
}

void TXmlFile::LoadFromString(std::string_view text) {
  Root_->ClearParams();
  Root_->ClearChildren();
  if (IsUtf16Text(text)) {
    Parse(Utf16ToAnsi(text), *Root_);
  } else {
    Parse(text, *Root_);
  }
}

void TXmlFile::SaveToStrings(std::vector<std::string>& lines) const {
  const auto nonEmpty = NonEmptyElements(*Root_);
  struct TFrame {
    const TXmlTag* Tag;
    int Depth;
    int NextChild;
  };
  std::vector<TFrame> stack;
  lines.push_back(StartLine(*Root_, 0));
  if (Root_->HasChildren()) stack.push_back({Root_.get(), 0, 0});
  while (!stack.empty()) {
    TFrame& frame = stack.back();
    if (frame.NextChild == frame.Tag->Count()) {
      lines.push_back(std::string(static_cast<std::size_t>(frame.Depth), '\t') + "</" +
                      frame.Tag->Name + ">");
      stack.pop_back();
      continue;
    }
    const TXmlTag* child = frame.Tag->ChildAt(frame.NextChild++);
    if (!nonEmpty.contains(child)) continue;
    const int depth = frame.Depth + 1;
    lines.push_back(StartLine(*child, depth));
    if (child->HasChildren()) stack.push_back({child, depth, 0});
  }
}

std::string TXmlFile::SaveToString() const {
  std::vector<std::string> lines;
  SaveToStrings(lines);
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void TXmlFile::SaveToFile(const std::string& path) const {
  ReplaceFileAtomically(path, SaveToString());
}

}  // namespace mervanta
