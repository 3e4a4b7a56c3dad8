#include "bandmap/MatrixGrid.h"

namespace bdx4 {

MatrixGrid::MatrixGrid() {
    for (auto& row : visible_)
        for (bool& v : row)
            v = true;
}

void MatrixGrid::setCell(int row, int output, int value) {
    if (value_[row][output] == value)
        return;
    value_[row][output] = value;
    ++notifications_;
    notifyChanged(row, output);
}

void MatrixGrid::click(int row, int output) {
    if (!visible_[row][output])
        return;
    setCell(row, output, value_[row][output] == 1 ? 0 : 1);
}

} // namespace bdx4
