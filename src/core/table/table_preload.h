#pragma once

#include <exception>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "support/msg_sender.h"

namespace mervanta {

class TTable;

// A table opened on a thread of its own while the program starts, so that reading a large file
// and the start of the windows overlap. Nothing that thread does reaches the user: it talks
// through a front end and announces through a hub of its own. The user's thread takes the table
// over, listeners and all, when it comes to open that file.
class TTablePreload {
 public:
  // Starts opening the file as TTable::Open does; a protected file is for the user's thread,
  // which asks for its password.
  TTablePreload(std::string fileName, bool readOnly);
  // A table never taken is stopped and let go.
  ~TTablePreload();
  TTablePreload(const TTablePreload&) = delete;
  TTablePreload& operator=(const TTablePreload&) = delete;

  const std::string& FileName() const { return FileName_; }

  // Waits for the opening with the wait cursor, shows its progress window through the calling
  // thread's front end once it has turned out long, and hands the table to the calling thread,
  // whose current folder becomes the table's. Throws what the opening threw. Answers nullptr
  // when the opening had something to tell or ask the user, so that the caller opens the file
  // itself in the user's sight, and on every call after the first.
  std::unique_ptr<TTable> Take();

 private:
  class TFrontEnd;

  void Run();
  void WaitShowingProgress();

  std::string FileName_;
  bool ReadOnly_;
  std::unique_ptr<TFrontEnd> FrontEnd_;
  std::unique_ptr<TTable> Table_;
  std::vector<TMsgListener> Listeners_;
  std::exception_ptr Error_;
  std::future<void> Done_;
  bool Taken_ = false;
};

}  // namespace mervanta
