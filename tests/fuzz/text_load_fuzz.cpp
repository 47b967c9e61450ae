// Feeds arbitrary bytes to the data file's text loader, then sorts and saves what it read.
// Whatever loads must keep every record once and give each at least the field count, and
// read from a file in small blocks, the same bytes must load the same records.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/columns.h"
#include "model/data_text.h"
#include "model/records.h"
#include "settings/options.h"
#include "support/errors.h"
#include "support/file_io.h"
#include "support/user_interface.h"

namespace {

using namespace mervanta;

void Require(bool condition) {
  if (!condition) std::abort();
}

// Every field of every record, each field ended by 0x01 and each record by 0x02.
std::string Rows(const TRecords& list) {
  std::string rows;
  for (const TRecord* record : list.Items()) {
    for (int i = 0; i < record->Fields().Count(); ++i) {
      rows += record->Fields().Field(i);
      rows += '\x01';
    }
    rows += '\x02';
  }
  return rows;
}

// Answers the question about UTF-16 text as told.
class TAnsweringUserInterface final : public TUserInterface {
 public:
  TAnswer Answer = TAnswer::Yes;

  TCursor Cursor() const override { return TCursor::Default; }
  void SetCursor(TCursor) override {}
  void ShowProgress(int) override {}
  void SetProgressText(const std::string&) override {}
  void SetProgressPosition(int) override {}
  void CloseProgress() override {}
  TAnswer ShowMessage(const std::string&, const std::string&, TButtons, TIcon) override {
    return Answer;
  }
  void Beep() override {}
};

// The bytes in a file of their own, read in blocks of `blockSize` bytes into a list of their
// own; the rows as text, or nothing when the load fails.
std::optional<std::string> LoadedFromFile(TColumns& columns, std::string_view bytes, int minimum,
                                          std::size_t blockSize) {
  static const std::string path = [] {
    std::string name = "/tmp/text_load_fuzzXXXXXX";
    ::close(::mkstemp(name.data()));
    return name;
  }();
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
  Require(::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
  ::close(fd);
  TRecords all(columns);
  try {
    TDataText text(path, blockSize);
    all.LoadText(text, minimum);
  } catch (const EMervantaError&) {
    return std::nullopt;
  }
  return Rows(all);
}

// Every record once, however the sort went.
void RequirePermutation(const TRecords& list, std::vector<TRecord*> before) {
  std::vector<TRecord*> after(list.Items().begin(), list.Items().end());
  std::sort(before.begin(), before.end());
  std::sort(after.begin(), after.end());
  Require(before == after);
}

}  // namespace

// The first byte picks the separator option, the answer, the minimum field count and the
// size of the blocks the file is read in.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static TAnsweringUserInterface ui;
  static const int nowhere = ::open("/dev/null", O_WRONLY);
  InstallUserInterface(&ui);
  ui.Answer = (data[0] & 4) != 0 ? TAnswer::Yes : TAnswer::No;
  Options().Main->SeparatorIndex->SetValue(data[0] % 4);
  const int minimum = data[0] >> 3 & 7;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  TColumns columns;
  using enum TColumnStorage;
  for (TColumnStorage storage : {Stored, Stored, Virtual, Stored}) {
    TColumn& column = columns.Add(std::make_unique<TColumn>(storage));
    if (storage == Virtual) column.Formula->SetValue("UpperCase(#2)+#1");
  }
  TRecords all(columns);
  int fieldCount = 0;
  const std::size_t blockSize = 1 + (data[0] >> 6) * 2;
  try {
    TDataText text(bytes, "fuzz");
    fieldCount = all.LoadText(text, minimum);
  } catch (const EMervantaError&) {
    Require(all.Count() == 0);
    Require(!LoadedFromFile(columns, bytes, minimum, blockSize));
    return 0;
  }
  Require(LoadedFromFile(columns, bytes, minimum, blockSize) == Rows(all));
  Require(fieldCount >= minimum && fieldCount <= TFieldArray::kMaxFieldCount);
  for (const TRecord* record : all.Items()) Require(record->Fields().Count() >= fieldCount);

  const std::vector<TRecord*> loaded(all.Items().begin(), all.Items().end());
  all.Sort(columns[0], TSortKey::Only);
  all.Sort(columns[2], TSortKey::Added);
  all.Sort(columns[0], TSortKey::Only);
  RequirePermutation(all, loaded);
  all.Sort(columns[3], TSortKey::Only);
  RequirePermutation(all, loaded);

  TFileWriter out(nowhere, "/dev/null");
  all.SaveText(out);
  out.Flush();
  return 0;
}
