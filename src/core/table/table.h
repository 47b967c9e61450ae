#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "model/table_options.h"
#include "model/table_sources.h"
#include "report/table_facts.h"
#include "search/search_manager.h"
#include "support/msg_sender.h"
#include "table/file_pair.h"

namespace mervanta {

class TXmlFile;

// What in a data file's content keeps its table read-only, so that a save cannot lose it.
enum class TDataDamage : std::uint8_t {
  None,
  // The text ends at a zero byte (see TTable::TextEnd): a save would drop what follows.
  ZeroByte,
  // The file starts like a protected one but was read as text: a save would make it plain
  // text, and the records it holds would be lost for good.
  LooksProtected,
};

// One open table: its columns and record lists, its options, and the pair of files it lives
// in, the data file and the description file beside it (same name, extension ".kx"). While
// open for writing the table holds the data file locked, so that another copy of the program
// opens it read-only. The two files change together: a save cut short is completed or undone
// when the table is next opened, and a reader never sees one file's new content beside the
// other's old one.
//
// The table keeps derived state right by listening: column and "All" changes make it
// modified; each update of "Search Results" and "Chosen" renews the records' Found and Chosen
// marks and ends with MarksChanged from "All"; the option UseChoice enables "Chosen". A change
// of Modified is announced as ModifiedChanged with the table as sender.
class TTable {
 public:
  TTable();
  TTable(const TTable&) = delete;
  TTable& operator=(const TTable&) = delete;

  // Opens the data file for writing, or read-only when asked to or when that is not possible
  // (another copy holds it, or it is write-protected); then reads the description, where any
  // failure leaves the defaults, and the records. The folder of the file becomes the current
  // directory. `password` protects the data file; the caller has checked it against the
  // file's verifier. A failure leaves the table without its file; anything but a regular file
  // is refused.
  void Open(const std::string& fileName, const std::string& password, bool readOnly);
  // A table made in the new-table dialog: at least three columns and modified, but no file
  // until it is saved as.
  void New();
  // Replaces both files all or nothing, keeping what the user gave them (mode, owner, links,
  // extended attributes). A failure leaves the table modified and names the file and the
  // reason; the files then hold the old pair, or the new one once the table is next opened.
  // A read-only table cannot be saved, nor one whose data file has the description's name.
  void Save();
  // The new data file becomes the table's, locked; the old files stay as they are.
  void SaveAs(const std::string& fileName);

  const std::string& FileName() const { return FileName_; }
  // The data file's name with the extension ".kx".
  std::string DescriptionFileName() const;
  // The data file's folder, from which the relative file names in its cells start; empty
  // while the table has no file.
  std::string Folder() const;
  // With the option SaveSelection, writes the view state into the existing description file,
  // even when the changes were not saved or the table is read-only: the front end calls it
  // when the user closes the table. Nothing is written while another program holds the table.
  void SaveSession();

  // The file name without folder and extension, or "(Untitled)".
  std::string DisplayName() const;

  bool Modified() const { return Modified_; }
  // A read-only table never becomes modified.
  void SetModified(bool modified);
  bool ReadOnly() const { return ReadOnly_; }
  // Why the data file's content made the table read-only, besides the file itself being
  // write-protected or in use.
  TDataDamage DataDamage() const { return DataDamage_; }
  // Where the text ended at a zero byte, in bytes from the file's start; the records are those
  // of the text before it.
  std::optional<std::uint64_t> TextEnd() const { return TextEnd_; }
  // The data damage told to the user, one sentence; empty when there is none.
  std::string DataDamageNotice() const;

  const std::string& Password() const { return Password_; }
  // Takes effect at the next save; an empty password saves the data file as plain text.
  void SetPassword(std::string password);

  TTableSources& Sources() const { return *Sources_; }
  TColumns& Columns() const { return Sources_->Columns(); }
  TTableOptions& Options() const { return *Options_; }
  TSearchManager& SearchManager() const { return *SearchManager_; }

  // What the table report tells of the table.
  TTableFacts Facts() const;

 private:
  void Heard(const TMsg& msg);
  void ApplyUseChoice();
  void OptionsChanged();
  void LoadDescription(const std::optional<std::string>& text);
  // Loads the records from the open data file and notes what damage it shows.
  int LoadData(int fd);
  // The existing description with this table's columns, options and view state.
  void BuildDescription(TXmlFile& document);
  void WriteData(TFileWriter& out) const;

  std::string FileName_;
  std::string Password_;
  bool Modified_ = false;
  bool ReadOnly_ = false;
  TDataDamage DataDamage_ = TDataDamage::None;
  std::optional<std::uint64_t> TextEnd_;
  // Declared in the reverse order of freeing: the files go first, then the search manager,
  // made on the sources, then the sources, then the options.
  std::unique_ptr<TTableOptions> Options_;
  std::unique_ptr<TTableSources> Sources_;
  std::unique_ptr<TSearchManager> SearchManager_;
  TFilePair Files_;
  TMsgSubscription Subscription_;
};

}  // namespace mervanta
