#pragma once

#include <QAction>
#include <QKeySequence>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace mervanta {

// Every command of the main window as a named action: its caption, image and keys, and the
// rules that say when it is offered and when it may run. The states are recomputed in one
// place, Update, on the notices that can change them.
class TCommands {
 public:
  using TRule = std::function<bool()>;

  struct TEntry {
    std::string_view Name;
    std::string_view Caption;
    QList<QKeySequence> Keys;
    // A freedesktop icon name; empty for none.
    std::string_view Icon;
  };

  explicit TCommands(QObject* owner);

  QAction& Add(const TEntry& entry, std::function<void()> run);
  // Null for a name no command has.
  QAction* Find(std::string_view name) const;
  QAction& operator[](std::string_view name) const;

  // May run only when `rule` holds (always when none is given).
  void SetEnabledRule(std::string_view name, TRule rule);
  // Offered only when `rule` holds.
  void SetVisibleRule(std::string_view name, TRule rule);
  // Never offered: a switch of the command line took it away.
  void Withdraw(std::string_view name);
  // No command answers its keys any more.
  void SuspendKeys();

  void Update();
  const std::vector<std::string>& Names() const { return Order_; }

 private:
  struct TCommand {
    QAction* Action = nullptr;
    TRule Enabled;
    TRule Visible;
    bool Withdrawn = false;
  };

  QObject* Owner_;
  std::map<std::string, TCommand, std::less<>> Commands_;
  std::vector<std::string> Order_;
};

}  // namespace mervanta
