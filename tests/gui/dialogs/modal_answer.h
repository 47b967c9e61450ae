#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <functional>

namespace mervanta::test {

// Answers the modal dialog of that class that the code under test shows next, once its event
// loop runs, so that a test never waits on it.
template <class TDialog>
void AnswerNextModal(std::function<void(TDialog&)> answer) {
  QTimer::singleShot(0, [answer = std::move(answer)] {
    auto* dialog = qobject_cast<TDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    answer(*dialog);
  });
}

}  // namespace mervanta::test
