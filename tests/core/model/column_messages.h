#pragma once

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "model/column.h"
#include "model/columns.h"
#include "model/notices.h"
#include "support/msg_sender.h"

namespace mervanta::test {

// One notification of a column list, with the column named by its caption as it was when
// the notification arrived (a removed column may be gone by the time the test looks).
struct TColumnMsg {
  TColumnMsg(TMsgCode code, int formerField = 0, std::string column = {})
      : Code(code), FormerField(formerField), Column(std::move(column)) {}

  TMsgCode Code;
  int FormerField;
  std::string Column;

  bool operator==(const TColumnMsg&) const = default;
  friend void PrintTo(const TColumnMsg& msg, std::ostream* out) {
    *out << "{" << static_cast<int>(msg.Code) << ", " << msg.FormerField << ", \"" << msg.Column
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
      Seen.push_back({msg.Code, 0, std::move(column)});
      return;
    }
    const TColumnNotice notice = TColumnNotice::Of(msg);
    if (notice.Column != nullptr) column = notice.Column->Caption->Value();
    Seen.push_back({msg.Code, notice.FormerField, std::move(column)});
  }

  const TColumns* Columns_;
  TMsgSubscription Subscription_{BindListener<&TColumnMessages::Heard>(this)};
};

}  // namespace mervanta::test
