#include "framework/record_printer.h"

#include <algorithm>
#include <cstring>
#include <ostream>

#include "model/column.h"
#include "settings/options.h"
#include "support/csv_field.h"

namespace mervanta {

namespace {

constexpr std::size_t kBlockSize = 1 << 16;
constexpr std::size_t kMaxTableWidth = 40;
constexpr std::string_view kCut = "...";
constexpr std::size_t kTableGapWidth = 2;

}  // namespace

TRecordPrinter::TRecordPrinter(const TCliContext& context, std::vector<const TColumn*> columns,
                               TRecordFormat format, bool header)
    : Context_(context),
      Columns_(std::move(columns)),
      Values_(Columns_),
      Format_(format),
      Header_(header),
      Separator_(format == TRecordFormat::Csv
                     ? FieldSeparator(mervanta::Options().Main->SeparatorIndex->Value())
                     : '\t'),
      QuoteAll_(mervanta::Options().Other->QuoteAllFields->Value()) {
  Buffer_.resize(2 * kBlockSize);
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
      if (c > 0) Put({&Separator_, 1});
      PutDelimited(Columns_[c]->Caption->Value());
    }
    EndLine(lineBreak);
  }
  for (const TRecord* record : records) {
    Values_.ForEachValue(*record, [this](std::size_t c, std::string_view value) {
      if (c > 0) Put({&Separator_, 1});
      PutDelimited(value);
    });
    EndLine(lineBreak);
  }
}

char* TRecordPrinter::Room(std::size_t bytes) {
  if (Used_ + bytes > Buffer_.size()) Buffer_.resize(std::max(2 * Buffer_.size(), Used_ + bytes));
  return Buffer_.data() + Used_;
}

void TRecordPrinter::Put(std::string_view bytes) {
  std::memcpy(Room(bytes.size()), bytes.data(), bytes.size());
  Used_ += bytes.size();
}

void TRecordPrinter::PutCellText(std::string_view cell, TCarriageReturns returns) {
  char* out = Room(cell.size() * TCellText::kMaxOutputPerByte);
  Used_ = static_cast<std::size_t>(Context_.Text().CopyOutput(out, cell, returns) - Buffer_.data());
}

void TRecordPrinter::PutDelimited(std::string_view cell) {
  if (Format_ == TRecordFormat::Tsv) {
    PutCellText(cell, TCarriageReturns::Drop);
    return;
  }
  PutCsvField(cell, CsvQuoting(cell, Separator_, QuoteAll_),
              [this](std::string_view piece) { PutCellText(piece, TCarriageReturns::Keep); });
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

void TRecordPrinter::PutTableCell(std::size_t column) {
  PutCellText(Clean_, TCarriageReturns::Keep);
  // The code page has one byte per character, so bytes measure the width.
  const std::size_t padding = Widths_[column] - Clean_.size() + kTableGapWidth;
  std::memset(Room(padding), ' ', padding);
  Used_ += padding;
}

void TRecordPrinter::PrintTable(std::span<TRecord* const> records) {
  // A first pass for the widths; only people read tables, so the second computation of
  // computed cells costs nobody much.
  Widths_.assign(Columns_.size(), 0);
  const auto widen = [this](std::size_t c) { Widths_[c] = std::max(Widths_[c], Clean_.size()); };
  if (Header_) {
    for (std::size_t c = 0; c < Columns_.size(); ++c) {
      CleanForTable(Columns_[c]->Caption->Value());
      widen(c);
    }
  }
  for (const TRecord* record : records) {
    Values_.ForEachValue(*record, [&](std::size_t c, std::string_view value) {
      CleanForTable(value);
      widen(c);
    });
  }
  if (Header_) {
    for (std::size_t c = 0; c < Columns_.size(); ++c) {
      CleanForTable(Columns_[c]->Caption->Value());
      PutTableCell(c);
    }
    EndLine("\n");
    for (std::size_t c = 0; c < Columns_.size(); ++c) {
      Clean_.assign(Widths_[c], '-');
      PutTableCell(c);
    }
    EndLine("\n");
  }
  for (const TRecord* record : records) {
    Values_.ForEachValue(*record, [this](std::size_t c, std::string_view value) {
      CleanForTable(value);
      PutTableCell(c);
    });
    EndLine("\n");
  }
}

void TRecordPrinter::EndLine(std::string_view lineBreak) {
  if (Format_ == TRecordFormat::Table) {
    while (Used_ > 0 && Buffer_[Used_ - 1] == ' ') --Used_;
  }
  Put(lineBreak);
  if (Used_ >= kBlockSize) Flush();
}

void TRecordPrinter::Flush() {
  Context_.Out().write(Buffer_.data(), static_cast<std::streamsize>(Used_));
  Used_ = 0;
}

}  // namespace mervanta
