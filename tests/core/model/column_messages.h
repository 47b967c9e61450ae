#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "model/column.h"
#include "model/columns.h"
#include "support/msg_sender.h"

namespace mervanta::test {

// One notification of a column list, with the column named by its caption as it was when
// the notification arrived (a removed column may be gone by the time the test looks).
struct TColumnMsg {
  TColumnMsg(TMsgCode code, std::intptr_t param1 = 0, std::string column = {})
      : Code(code), Param1(param1), Column(std::move(column)) {}

  TMsgCode Code;
  std::intptr_t Param1;
  std::string Column;

  bool operator==(const TColumnMsg&) const = default;
  friend void PrintTo(const TColumnMsg& msg, std::ostream* out) {
    *out << "{" << static_cast<int>(msg.Code) << ", " << msg.Param1 << ", \"" << msg.Column
         << "\"}";
  }
};

// Records every notification sent while it lives; one from any other sender than the list
// it watches is recorded with the column "<other sender>".
class TColumnMessages {
 public:
  explicit TColumnMessages(const TColumns& columns) : Columns_(&columns) {}

  std::vector<TColumnMsg> Seen;

 private:
  void Heard(const TMsg& msg) {
    std::string column;
    if (msg.Sender != Columns_) {
      column = "<other sender>";
    } else if (msg.Param2 != 0) {
      column = reinterpret_cast<const TColumn*>(msg.Param2)->Caption->Value();
    }
    Seen.push_back({msg.Code, msg.Param1, std::move(column)});
  }

  const TColumns* Columns_;
  TMsgSubscription Subscription_{BindListener<&TColumnMessages::Heard>(this)};
};

}  // namespace mervanta::test
