// The main window's record commands: adding, editing and deleting through the card, the
// chosen list, and moving records by keys.
#include <QApplication>

#include "app/main_window.h"
#include "model/records.h"
#include "search/search_manager.h"
#include "settings/options.h"
#include "support/numbers.h"
#include "support/user_interface.h"
#include "table/record_deletion.h"
#include "table/table.h"
#include "views/card_form.h"
#include "views/grid.h"

namespace mervanta {

namespace {

QList<QKeySequence> Keys(std::initializer_list<QKeySequence> keys) {
  return QList<QKeySequence>(keys);
}

}  // namespace

void TMainWindow::AddRecordCommands() {
  TCommands& c = Commands_;
  // Shift starts from the current record, Alt inserts at it: held while choosing the menu
  // item, or with F5.
  c.Add({"r_Add", "&Add...", Keys({Qt::Key_F5}), "list-add"}, [this] {
    const Qt::KeyboardModifiers held = QApplication::keyboardModifiers();
    AddRecords(held.testFlag(Qt::ShiftModifier), held.testFlag(Qt::AltModifier));
  });
  struct TAddKey {
    const char* Name;
    QKeyCombination Keys;
    bool Pattern;
    bool AtCurrent;
  };
  for (const TAddKey& add :
       {TAddKey{"x_AddFromCurrent", Qt::SHIFT | Qt::Key_F5, true, false},
        TAddKey{"x_AddHere", Qt::ALT | Qt::Key_F5, false, true},
        TAddKey{"x_AddFromCurrentHere", Qt::SHIFT | Qt::ALT | Qt::Key_F5, true, true}}) {
    c.Add({add.Name, add.Name, Keys({QKeySequence(add.Keys)}), {}},
          [this, add] { AddRecords(add.Pattern, add.AtCurrent); });
  }
  c.Add({"r_Edit", "&Edit...", {}, "document-properties"}, [this] { EditRecord(); });
  c.Add({"r_Delete", "&Delete", Keys({Qt::Key_Delete}), "list-remove"}, [this] { DeleteRecord(); });
  c.Add({"r_FindFast", "&Quick Search...", Keys({Qt::Key_F3}), "edit-find"},
        [this] { Guarded([this] { Table_->SearchManager().QuickSearch(); }); });
  c.Add({"r_Find", "&Normal Search...", Keys({Qt::CTRL | Qt::Key_F}), "system-search"},
        [this] { Guarded([this] { Table_->SearchManager().NormalSearch(); }); });
  c.Add({"r_FindEx", "&Advanced Search...", Keys({Qt::CTRL | Qt::Key_W}), {}},
        [this] { Guarded([this] { Table_->SearchManager().AdvancedSearch(); }); });
  c.Add({"aw_Choice", "Choose/&Return", Keys({Qt::Key_Insert}), {}}, [this] { ChooseOrReturn(); });
  c.Add({"a_ChoiceAll", "Choose &All", Keys({Qt::SHIFT | Qt::Key_Insert}), {}},
        [this] { Table_->Sources().Chosen.AddUnique(Table_->Sources().All); });
  c.Add({"w_ChoiceAll", "Choose &All", Keys({Qt::SHIFT | Qt::CTRL | Qt::Key_Insert}), {}},
        [this] { Table_->Sources().Chosen.AddUnique(Table_->Sources().SearchResults); });
  const auto invert = [this](TRecords& list) {
    // The records of "All" that were not in the list, in the order of "All".
    TRecords rest(list.Columns(), &Table_->Sources().All);
    rest.Assign(Table_->Sources().All);
    rest.RemoveList(list);
    list.Assign(rest);
  };
  c.Add({"w_Invert", "&Invert List", {}, {}},
        [this, invert] { invert(Table_->Sources().SearchResults); });
  c.Add({"w_Clear", "&Clear List", Keys({Qt::CTRL | Qt::Key_L}), "edit-clear"},
        [this] { Table_->Sources().SearchResults.Clear(); });
  c.Add({"c_Return", "&Return", Keys({Qt::Key_Insert}), {}}, [this] {
    TRecords& chosen = Table_->Sources().Chosen;
    chosen.Delete(chosen.ItemIndex());
  });
  c.Add({"c_ReturnAll", "Return &All", Keys({Qt::CTRL | Qt::Key_Insert}), {}},
        [this] { Table_->Sources().Chosen.Clear(); });
  c.Add({"c_Invert", "&Invert List", {}, {}}, [this, invert] { invert(Table_->Sources().Chosen); });
  c.Add({"c_DeleteAll", "&Delete All", {}, {}}, [this] { DeleteChosen(); });
  c.Add({"wc_Show", "&Show", Keys({Qt::CTRL | Qt::Key_G}), {}}, [this] { ShowInAll(); });
}

void TMainWindow::AddKeys() {
  TCommands& c = Commands_;
  struct TMoveKey {
    const char* Name;
    int Key;
    TMove Move;
    bool Chosen;
  };
  static constexpr TMoveKey kMoves[] = {{"x_MoveUp", Qt::Key_Up, TMove::Up, false},
                                        {"x_MoveDown", Qt::Key_Down, TMove::Down, false},
                                        {"x_MoveFirst", Qt::Key_Home, TMove::ToFirst, false},
                                        {"x_MoveLast", Qt::Key_End, TMove::ToLast, false},
                                        {"x_MoveChosenUp", Qt::Key_Up, TMove::Up, true},
                                        {"x_MoveChosenDown", Qt::Key_Down, TMove::Down, true},
                                        {"x_MoveChosenFirst", Qt::Key_Home, TMove::ToFirst, true},
                                        {"x_MoveChosenLast", Qt::Key_End, TMove::ToLast, true}};
  for (const TMoveKey& move : kMoves) {
    Qt::KeyboardModifiers held = Qt::ControlModifier | Qt::ShiftModifier;
    if (move.Chosen) held |= Qt::AltModifier;
    const QKeyCombination keys(held, static_cast<Qt::Key>(move.Key));
    c.Add({move.Name, move.Name, Keys({QKeySequence(keys)}), {}}, [this, move] {
      TRecords* list = CurrentList();
      if (list == nullptr) return;
      Guarded([&] { move.Chosen ? list->MoveChosen(move.Move) : list->MoveCurrent(move.Move); });
    });
  }
  c.Add({"x_ArrangeByMarks", "x_ArrangeByMarks", Keys({Qt::CTRL | Qt::SHIFT | Qt::Key_S}), {}},
        [this] {
          if (TRecords* list = CurrentList()) list->ArrangeByMarks();
        });
  c.Add({"x_BestFit", "x_BestFit", Keys({Qt::CTRL | Qt::SHIFT | Qt::Key_A}), {}},
        [this] { Guarded([this] { Grid_->BestFitAll(); }); });
  c.Add({"x_SearchBack", "x_SearchBack", Keys({Qt::CTRL | Qt::SHIFT | Qt::Key_B}), {}},
        [this] { Guarded([this] { Table_->SearchManager().GoBack(); }); });
  c.Add({"x_SearchForward", "x_SearchForward", Keys({Qt::CTRL | Qt::SHIFT | Qt::Key_N}), {}},
        [this] { Guarded([this] { Table_->SearchManager().GoForward(); }); });
}

void TMainWindow::AddRecords(bool pattern, bool atCurrent) {
  TTableSources& sources = Table_->Sources();
  const TRecord* patternRecord = pattern ? CurrentRecord() : nullptr;
  const int insertIndex = atCurrent && sources.CurrentIndex() == TTableSources::kAllIndex
                              ? sources.All.ItemIndex()
                              : -1;
  int added = 0;
  Guarded([&] {
    added = mervanta::AddRecords(this, Table_->Options(), sources.All, patternRecord, insertIndex);
  });
  if (added > 0) sources.SetCurrentIndex(TTableSources::kAllIndex);
}

void TMainWindow::EditRecord() {
  TRecords* list = CurrentList();
  TRecord* record = CurrentRecord();
  if (list == nullptr || record == nullptr) return;
  Guarded(
      [&] { mervanta::EditRecord(this, Table_->Options(), *list, *record, Table_->ReadOnly()); });
}

void TMainWindow::DeleteRecord() {
  TRecord* record = CurrentRecord();
  if (record == nullptr) return;
  const TAnswer answer =
      UserInterface().ShowMessage("Delete record?\r\n\r\n" + record->Caption(), "Confirmation",
                                  TButtons::OkCancel, TIcon::Warning);
  if (answer != TAnswer::Ok) return;
  Guarded([&] { mervanta::DeleteRecord(*Table_, *record); });
}

void TMainWindow::ChooseOrReturn() {
  TRecords* list = CurrentList();
  TRecord* record = CurrentRecord();
  if (list == nullptr || record == nullptr) return;
  Table_->Sources().Chosen.Flip(*record);
  list->SetItemIndex(list->ItemIndex() + 1);
}

void TMainWindow::DeleteChosen() {
  const int count = Table_->Sources().Chosen.Count();
  const TAnswer answer = UserInterface().ShowMessage(
      "Are you sure you want to delete all chosen records from the table (" + GroupedCount(count) +
          ")?",
      "Confirmation", TButtons::YesNo, TIcon::Warning);
  if (answer != TAnswer::Yes) return;
  Guarded([this] { DeleteChosenRecords(*Table_); });
}

void TMainWindow::ShowInAll() {
  TRecord* record = CurrentRecord();
  if (record == nullptr) return;
  TTableSources& sources = Table_->Sources();
  sources.All.SetItemIndex(sources.All.IndexOf(*record));
  sources.SetCurrentIndex(TTableSources::kAllIndex);
}

}  // namespace mervanta
