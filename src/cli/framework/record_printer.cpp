#include "framework/record_printer.h"

#include <algorithm>
#include <ostream>

#include "model/column.h"
#include "model/record.h"
#include "settings/options.h"

namespace mervanta {

namespace {

constexpr std::size_t kBlockSize = 1 << 16;
constexpr std::size_t kMaxTableWidth = 40;
constexpr std::string_view kCut = "...";
constexpr std::string_view kTableGap = "  ";

bool NeedsQuotes(std::string_view text, char separator) {
  if (!text.empty() && (text.front() == ' ' || text.back() == ' ')) return true;
  return text.find_first_of(std::string_view{"\"\r\n"}) != std::string_view::npos ||
         text.find(separator) != std::string_view::npos;
}

}  // namespace

TRecordPrinter::TRecordPrinter(const TCliContext& context, std::vector<const TColumn*> columns,
                               TRecordFormat format, bool header)
    : Context_(context),
      Columns_(std::move(columns)),
      Format_(format),
      Header_(header),
      Separator_(format == TRecordFormat::Csv
                     ? FieldSeparator(mervanta::Options().Main->SeparatorIndex->Value())
                     : '\t'),
      QuoteAll_(mervanta::Options().Other->QuoteAllFields->Value()) {
  Buffer_.reserve(kBlockSize + kBlockSize / 2);
}

void TRecordPrinter::Print(std::span<TRecord* const> records) {
  if (Format_ == TRecordFormat::Table) {
    PrintTable(records);
  } else {
    PrintDelimited(records);
  }
  Flush();
}

void TRecordPrinter::PrintDelimited(std::span<TRecord* const> records) {
  // The data file's lines end in CR LF; tab text goes to Unix tools.
  const std::string_view lineBreak = Format_ == TRecordFormat::Csv ? "\r\n" : "\n";
  if (Header_) {
    for (std::size_t c = 0; c < Columns_.size(); ++c) {
      if (c > 0) Buffer_ += Separator_;
      AppendDelimited(Columns_[c]->Caption->Value());
    }
    EndLine(lineBreak);
  }
  for (const TRecord* record : records) {
    for (std::size_t c = 0; c < Columns_.size(); ++c) {
      if (c > 0) Buffer_ += Separator_;
      AppendDelimited(record->Value(*Columns_[c], Cell_));
    }
    EndLine(lineBreak);
  }
}

void TRecordPrinter::AppendDelimited(std::string_view cell) {
  const TCellText& text = Context_.Text();
  if (Format_ == TRecordFormat::Tsv) {
    for (std::size_t cr = cell.find('\r'); cr != std::string_view::npos; cr = cell.find('\r')) {
      text.AppendOutput(Buffer_, cell.substr(0, cr));
      cell.remove_prefix(cr + 1);
    }
    text.AppendOutput(Buffer_, cell);
    return;
  }
  if (!QuoteAll_ && !NeedsQuotes(cell, Separator_)) {
    text.AppendOutput(Buffer_, cell);
    return;
  }
  Buffer_ += '"';
  for (std::size_t quote = cell.find('"'); quote != std::string_view::npos;
       quote = cell.find('"')) {
    text.AppendOutput(Buffer_, cell.substr(0, quote + 1));
    Buffer_ += '"';
    cell.remove_prefix(quote + 1);
  }
  text.AppendOutput(Buffer_, cell);
  Buffer_ += '"';
}

void TRecordPrinter::CleanForTable(std::string_view cell) {
  Clean_.clear();
  for (const char c : cell) {
    if (c == '\r') continue;
    Clean_ += c == '\n' || c == '\t' ? ' ' : c;
  }
  if (Clean_.size() > kMaxTableWidth) {
    Clean_.resize(kMaxTableWidth - kCut.size());
    Clean_ += kCut;
  }
}

void TRecordPrinter::AppendTableCell(std::size_t column) {
  // The code page has one byte per character, so bytes measure the width.
  Context_.Text().AppendOutput(Buffer_, Clean_);
  Buffer_.append(Widths_[column] - Clean_.size(), ' ');
  Buffer_ += kTableGap;
}

void TRecordPrinter::PrintTable(std::span<TRecord* const> records) {
  // A first pass for the widths; only people read tables, so the second computation of
  // computed cells costs nobody much.
  Widths_.assign(Columns_.size(), 0);
  const auto widen = [this](std::size_t c) { Widths_[c] = std::max(Widths_[c], Clean_.size()); };
  for (std::size_t c = 0; c < Columns_.size(); ++c) {
    if (Header_) {
      CleanForTable(Columns_[c]->Caption->Value());
      widen(c);
    }
    for (const TRecord* record : records) {
      CleanForTable(record->Value(*Columns_[c], Cell_));
      widen(c);
    }
  }
  if (Header_) {
    for (std::size_t c = 0; c < Columns_.size(); ++c) {
      CleanForTable(Columns_[c]->Caption->Value());
      AppendTableCell(c);
    }
    EndLine("\n");
    for (std::size_t c = 0; c < Columns_.size(); ++c) {
      Clean_.assign(Widths_[c], '-');
      AppendTableCell(c);
    }
    EndLine("\n");
  }
  for (const TRecord* record : records) {
    for (std::size_t c = 0; c < Columns_.size(); ++c) {
      CleanForTable(record->Value(*Columns_[c], Cell_));
      AppendTableCell(c);
    }
    EndLine("\n");
  }
}

void TRecordPrinter::EndLine(std::string_view lineBreak) {
  if (Format_ == TRecordFormat::Table) {
    while (!Buffer_.empty() && Buffer_.back() == ' ') Buffer_.pop_back();
  }
  Buffer_ += lineBreak;
  if (Buffer_.size() >= kBlockSize) Flush();
}

void TRecordPrinter::Flush() {
  Context_.Out().write(Buffer_.data(), static_cast<std::streamsize>(Buffer_.size()));
  Buffer_.clear();
}

}  // namespace mervanta
