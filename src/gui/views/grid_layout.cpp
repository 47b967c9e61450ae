#include "views/grid_layout.h"

#include <algorithm>
#include <cmath>

namespace mervanta {

int HorzScrollMaximum(int columnsWidth, int gridWidth, int vertBarWidth) {
  return std::max(columnsWidth - gridWidth + vertBarWidth, 0);
}

THorzScrollPlace HorzScrollPlace(int gridWidth, int vertBarWidth) {
  const int left = gridWidth * 2 / 3;
  return {left, std::max(gridWidth - vertBarWidth - left, 0)};
}

int TopPaneHeight(double ratio, int clientHeight, int headHeight, int splitterHeight) {
  if (ratio == 0) ratio = 0.5;
  const int height = static_cast<int>(std::lround(clientHeight * ratio));
  const int largest = clientHeight - kMinPaneHeight - headHeight - splitterHeight;
  return std::max(std::min(height, largest), kMinPaneHeight);
}

}  // namespace mervanta
