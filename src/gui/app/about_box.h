#pragma once

#include <QDialog>

namespace mervanta {

// The program's title, what it is for, its version and its two web pages.
class TAboutBox final : public QDialog {
  Q_OBJECT

 public:
  TAboutBox(QWidget* parent, const QString& title);
};

// Where the "?" menu and the about box send people.
inline constexpr const char* kHomePage = "https://mervanta.example.org/";
inline constexpr const char* kForumPage = "https://mervanta.example.org/forum/";

}  // namespace mervanta
