#include "views/macros_menu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>

namespace mervanta {
namespace {

QStringList Captions(const QMenu& menu) {
  QStringList captions;
  for (const QAction* action : menu.actions()) captions.push_back(action->text());
  return captions;
}

TEST(MacrosMenu, OffersTheEightMacrosAndReplacesTheSelection) {
  QLineEdit edit(QStringLiteral("report-XXXX.csv"));
  OfferMacros(edit);
  ASSERT_NE(edit.findChild<QAction*>(QStringLiteral("MacrosAction")), nullptr);
  QMenu& menu = MacrosMenu(edit);
  EXPECT_EQ(&MacrosMenu(edit), &menu) << "made once";
  EXPECT_EQ(Captions(menu), (QStringList{"$Date$", "$Time$", "$Year$", "$Month$", "$Day$", "$Hour$",
                                         "$Minute$", "$Second$"}));
  edit.setSelection(7, 4);
  menu.actions()[2]->trigger();
  EXPECT_EQ(edit.text(), "report-$Year$.csv");
}

}  // namespace
}  // namespace mervanta
