#include "support/xml_file.h"

#include <cstdint>
#include <unordered_map>

#include "support/atomic_file.h"
#include "support/file_io.h"
#include "support/utf16.h"
#include "support/xml_entities.h"

namespace mervanta {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// A name that the writer can put down and the reader take back as the same name: not empty,
// and free of what ends a name or a token (blanks, "=", "/", ">", quotes), of "<" and of NUL,
// which documents never hold.
bool IsWritableName(std::string_view name) {
  constexpr std::string_view kForbidden(" \t\r\n=\"/<>\0", 11);
  return !name.empty() && name.find_first_of(kForbidden) == std::string_view::npos;
}

// Elements may have no name at all: the reader gives them none back.
bool IsWritableElementName(std::string_view name) {
  return name.empty() || IsWritableName(name);
}

struct TStartTag {
  std::string Name;
  std::vector<TXmlTag::TParam> Params;
  bool SelfClosed = false;
};

// Whether a start tag takes its name from the text, or is named already.
enum class TTagName : std::uint8_t { Read, Given };

// Reads one start tag from just after "<". Attributes whose names could not be written back
// are left out.
TStartTag ParseStartTag(std::string_view text, std::size_t& pos, TTagName name) {
  TStartTag tag;
  bool named = name == TTagName::Given;
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
      if (!named && equals == std::string_view::npos) {
        tag.Name = token;
        named = true;
      } else if (equals != std::string_view::npos && IsWritableName(token.substr(0, equals))) {
        std::string_view value = token.substr(equals + 1);
        if (!value.empty() && value.front() == '"' && value.back() == '"') {
          value = value.size() >= 2 ? value.substr(1, value.size() - 2) : std::string_view();
        }
        tag.Params.emplace_back(token.substr(0, equals), DecodeEntities(value));
      }
    }
    if (pos >= size) break;
    const char stop = text[pos++];
    if (stop == '/') tag.SelfClosed = true;
    if (stop == '>') break;
  }
  return tag;
}

struct TOpenElement {
  TXmlTag* Tag;
  std::string EndTag;
};

void Parse(std::string_view text, TXmlTag& root) {
  std::size_t pos = text.find('<');
  if (pos == std::string_view::npos) return;
  ++pos;
  TStartTag start = ParseStartTag(text, pos, root.Name.empty() ? TTagName::Read : TTagName::Given);
  // The root's end tag is the file's own, even under a name that cannot be kept.
  std::string endTag = "</" + (root.Name.empty() ? start.Name : root.Name) + ">";
  if (root.Name.empty() && IsWritableName(start.Name)) root.Name = std::move(start.Name);
  root.SetParams(std::move(start.Params));
  if (start.SelfClosed) return;
  // Elements named so that they could not be written back are read into this one, so that
  // what they enclose stays out of the document too.
  TXmlTag dropped;
  // An explicit stack: a comment or a stray start tag absorbs everything after it, so
  // hostile files nest as deep as they are long.
  std::vector<TOpenElement> open;
  open.push_back({&root, std::move(endTag)});
  while (!open.empty()) {
    std::size_t next = text.find('<', pos);
    if (next == std::string_view::npos) return;
    if (text.compare(next, open.back().EndTag.size(), open.back().EndTag) == 0) {
      pos = next + open.back().EndTag.size();
      open.pop_back();
      continue;
    }
    pos = next + 1;
    start = ParseStartTag(text, pos, TTagName::Read);
    TXmlTag& parent = IsWritableElementName(start.Name) ? *open.back().Tag : dropped;
    TXmlTag* child = parent.AddChild(start.Name);
    child->SetParams(std::move(start.Params));
    if (!start.SelfClosed) open.push_back({child, "</" + child->Name + ">"});
  }
}

bool HasWritableParam(const TXmlTag& tag) {
  for (int i = 0; i < tag.ParamCount(); ++i) {
    if (IsWritableName(tag.Param(i).first)) return true;
  }
  return false;
}

// Every element that is written, with whether it has written children: the root, and each
// element with a writable name that holds a writable attribute itself or in a written child.
// What is written is then exactly what the reader gives back.
std::unordered_map<const TXmlTag*, bool> WrittenElements(const TXmlTag& root) {
  std::vector<std::pair<const TXmlTag*, std::size_t>> order;  // element, index of its parent
  order.emplace_back(&root, 0);
  for (std::size_t i = 0; i < order.size(); ++i) {
    const TXmlTag* tag = order[i].first;
    for (int c = 0; c < tag->Count(); ++c) order.emplace_back(tag->ChildAt(c), i);
  }
  std::vector<bool> hasWrittenChild(order.size(), false);
  std::unordered_map<const TXmlTag*, bool> written;
  for (std::size_t i = order.size(); i-- > 0;) {
    const TXmlTag& tag = *order[i].first;
    if (i > 0 &&
        !(IsWritableElementName(tag.Name) && (hasWrittenChild[i] || HasWritableParam(tag)))) {
      continue;
    }
    written.emplace(&tag, hasWrittenChild[i]);
    if (i > 0) hasWrittenChild[order[i].second] = true;
  }
  return written;
}

// The root may carry a name given by code that the reader would not take back.
std::string_view WrittenName(const TXmlTag& tag) {
  return IsWritableElementName(tag.Name) ? std::string_view(tag.Name) : std::string_view();
}

std::string StartLine(const TXmlTag& tag, int depth, bool hasWrittenChildren) {
  std::string line(static_cast<std::size_t>(depth), '\t');
  line += '<';
  line += WrittenName(tag);
  for (int i = 0; i < tag.ParamCount(); ++i) {
    const auto& [name, value] = tag.Param(i);
    if (!IsWritableName(name)) continue;
    line += ' ';
    line += name;
    line += "=\"";
    AppendEncodedEntities(line, value);
    line += '"';
  }
  line += hasWrittenChildren ? ">" : " />";
  return line;
}

}  // namespace

void TXmlFile::LoadFromFile(const std::string& path) {
  LoadFromString(ReadRegularFile(path));
}

void TXmlFile::LoadFromString(std::string_view text) {
  Root_->ClearParams();
  Root_->ClearChildren();
  std::string converted;
  if (IsUtf16Text(text)) {
    converted = Utf16ToAnsi(text);
    text = converted;
  }
  // A written document holds no NUL, so that it is never taken for UTF-16 text; it is no
  // part of what is read either.
  if (text.find('\0') != std::string_view::npos) {
    if (converted.empty()) converted = text;
    std::erase(converted, '\0');
    text = converted;
  }
  Parse(text, *Root_);
}

void TXmlFile::SaveToStrings(std::vector<std::string>& lines) const {
  const auto written = WrittenElements(*Root_);
  struct TFrame {
    const TXmlTag* Tag;
    int Depth;
    int NextChild;
  };
  std::vector<TFrame> stack;
  auto start = [&](const TXmlTag& tag, int depth) {
    const bool hasWrittenChildren = written.at(&tag);
    lines.push_back(StartLine(tag, depth, hasWrittenChildren));
    if (hasWrittenChildren) stack.push_back({&tag, depth, 0});
  };
  start(*Root_, 0);
  while (!stack.empty()) {
    TFrame& frame = stack.back();
    if (frame.NextChild == frame.Tag->Count()) {
      std::string line(static_cast<std::size_t>(frame.Depth), '\t');
      line += "</";
      line += WrittenName(*frame.Tag);
      line += '>';
      lines.push_back(std::move(line));
      stack.pop_back();
      continue;
    }
    const TXmlTag* child = frame.Tag->ChildAt(frame.NextChild++);
    if (written.contains(child)) start(*child, frame.Depth + 1);
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
