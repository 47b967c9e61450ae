#include "app/commands.h"

#include <QIcon>
#include <stdexcept>

namespace mervanta {

TCommands::TCommands(QObject* owner) : Owner_(owner) {}

QAction& TCommands::Add(const TEntry& entry, std::function<void()> run) {
  auto* action = new QAction(
      QString::fromUtf8(entry.Caption.data(), static_cast<qsizetype>(entry.Caption.size())),
      Owner_);
  action->setObjectName(
      QString::fromUtf8(entry.Name.data(), static_cast<qsizetype>(entry.Name.size())));
  action->setShortcuts(entry.Keys);
  if (!entry.Icon.empty()) {
    action->setIcon(QIcon::fromTheme(
        QString::fromUtf8(entry.Icon.data(), static_cast<qsizetype>(entry.Icon.size()))));
  }
  QObject::connect(action, &QAction::triggered, Owner_, [run = std::move(run)] { run(); });
  Commands_.emplace(std::string(entry.Name), TCommand{action, {}, {}, false});
  Order_.emplace_back(entry.Name);
  return *action;
}

QAction* TCommands::Find(std::string_view name) const {
  const auto found = Commands_.find(name);
  return found != Commands_.end() ? found->second.Action : nullptr;
}

QAction& TCommands::operator[](std::string_view name) const {
  QAction* action = Find(name);
  if (action == nullptr) throw std::logic_error("no command " + std::string(name));
  return *action;
}

void TCommands::SetEnabledRule(std::string_view name, TRule rule) {
  Commands_.find(name)->second.Enabled = std::move(rule);
}

void TCommands::SetVisibleRule(std::string_view name, TRule rule) {
  Commands_.find(name)->second.Visible = std::move(rule);
}

void TCommands::Withdraw(std::string_view name) {
  Commands_.find(name)->second.Withdrawn = true;
}

void TCommands::SuspendKeys() {
  for (auto& [name, command] : Commands_) command.Action->setShortcuts({});
}

void TCommands::Update() {
  for (auto& [name, command] : Commands_) {
    const bool visible = !command.Withdrawn && (!command.Visible || command.Visible());
    const bool enabled = visible && (!command.Enabled || command.Enabled());
    command.Action->setVisible(visible);
    command.Action->setEnabled(enabled);
  }
}

}  // namespace mervanta
