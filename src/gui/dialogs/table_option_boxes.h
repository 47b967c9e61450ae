#pragma once

#include <utility>
#include <vector>

class QBoxLayout;
class QCheckBox;
class QWidget;

namespace mervanta {

class TBooleanProperty;
class TTableOptions;

// The five table options as check boxes captioned by their properties, showing the values
// they had when made; the options change only when the boxes are written back.
class TTableOptionBoxes {
 public:
  TTableOptionBoxes(QWidget& parent, QBoxLayout& layout, TTableOptions& options);

  void Write() const;
  void SetEnabled(bool enabled) const;

 private:
  std::vector<std::pair<QCheckBox*, TBooleanProperty*>> Boxes_;
};

}  // namespace mervanta
