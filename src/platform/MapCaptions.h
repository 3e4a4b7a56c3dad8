#pragma once

namespace bdx4 {

/// The three labels "MAP1 Displayed", "MAP2 Displayed", "MAP3 Displayed" beside the grid, which
/// tell which stored map the grid shows. At most one of them is visible.
class MapCaptions {
public:
    virtual ~MapCaptions() = default;
    /// Shows the label of map slot `map` (0-2) and hides the other two; -1 hides all three.
    virtual void showOnly(int map) = 0;
};

} // namespace bdx4
