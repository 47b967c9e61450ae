#include "framework/table_files.h"

#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "framework/password_input.h"
#include "model/protecter.h"
#include "support/errors.h"
#include "support/file_names.h"
#include "table/table.h"

namespace mervanta {

namespace {

constexpr auto kWrongPasswordDelay = std::chrono::milliseconds(200);

constexpr const char* kInUse =
    "The file you are trying to open is already in use by another application or is read-only.";
constexpr const char* kCannotEdit = "You will not be able to edit the table.";

// The table moves the current directory to its folder; the tool's other file arguments are
// relative to where the user started it.
class TKeptDirectory {
 public:
  TKeptDirectory() { Path_ = std::filesystem::current_path(Error_); }
  ~TKeptDirectory() {
    if (!Error_) std::filesystem::current_path(Path_, Error_);
  }
  TKeptDirectory(const TKeptDirectory&) = delete;
  TKeptDirectory& operator=(const TKeptDirectory&) = delete;

 private:
  std::filesystem::path Path_;
  std::error_code Error_;
};

std::string TypedPassword(const TCliContext& context, const std::string& fileName) {
  const TGlobalOptions& globals = context.Globals();
  if (globals.Password) return *globals.Password;
  if (globals.PasswordFile) return ReadPasswordFile(*globals.PasswordFile);
  if (const char* environment = ::getenv("MERVANTA_PASSWORD")) return environment;
  const std::string title = FileTitle(fileName);
  if (!context.Terminal().AskHidden) {
    throw EMervantaError("The table \"" + title +
                         "\" is protected: give its password with --password-file, "
                         "MERVANTA_PASSWORD or --password");
  }
  std::optional<std::string> typed =
      context.Terminal().AskHidden("Please enter password for \"" + title + "\": ");
  if (!typed) throw EOperationAborted();
  return *typed;
}

std::string Password(const TCliContext& context, const std::string& fileName) {
  if (!TProtecter::IsProtected(fileName)) return {};
  const std::string password = context.Text().Input(TypedPassword(context, fileName));
  if (!TProtecter::CheckPassword(fileName, password)) {
    // As slow as the desktop program, so that guessing is no faster here.
    std::this_thread::sleep_for(kWrongPasswordDelay);
    throw EMervantaError("Invalid password");
  }
  return password;
}

}  // namespace

std::unique_ptr<TTable> OpenTable(const TCliContext& context, const std::string& tableName,
                                  TTableAccess access) {
  const std::string fileName =
      IsDescriptionFileName(tableName) ? DataFileOfDescription(tableName) : tableName;
  const std::string password = Password(context, fileName);
  const bool readOnly = access == TTableAccess::Read;
  auto table = std::make_unique<TTable>();
  {
    TKeptDirectory kept;
    table->Open(fileName, password, readOnly);
  }
  const std::string damage = table->DataDamageNotice();
  if (readOnly) {
    if (!damage.empty()) context.Inform(damage);
  } else {
    if (table->ReadOnly()) {
      const std::string reason = damage.empty() ? kInUse : damage;
      throw EMervantaError(reason + " " + kCannotEdit + "\n" + table->FileName());
    }
    // The save writes the selection of "All" as the view state: keep the stored one.
    TTableSources& sources = table->Sources();
    sources.All.SetItemIndex(sources.SelIndex->Value());
  }
  return table;
}

void SaveTableAs(TTable& table, const std::string& fileName) {
  TKeptDirectory kept;
  table.SaveAs(fileName);
}

}  // namespace mervanta
