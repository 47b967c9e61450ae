#pragma once

#include <vector>

#include "settings/property_view.h"

class QBoxLayout;
class QCheckBox;
class QWidget;

namespace mervanta {

class TBooleanProperty;
class TTableOptions;

// The five table options as check boxes bound to their properties, showing the values they
// had when made; the options change only when the boxes are written back.
class TTableOptionBoxes {
 public:
  TTableOptionBoxes(QWidget& parent, QBoxLayout& layout, TTableOptions& options);

  void Write();
  void SetEnabled(bool enabled) const;

 private:
  std::vector<QCheckBox*> Boxes_;
  TPropertiesView View_;
};

}  // namespace mervanta
