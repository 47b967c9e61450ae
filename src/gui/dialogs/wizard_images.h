#pragma once

#include <QPixmap>

namespace mervanta {

// The program's own wizard pictures: a table sheet with a step arrow, large for the band of
// half pages and small for the title band of head pages. Transparent around the drawing.
QPixmap WizardHalfImage();
QPixmap WizardHeadImage();

}  // namespace mervanta
