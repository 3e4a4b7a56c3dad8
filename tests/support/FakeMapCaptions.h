#pragma once

#include "platform/MapCaptions.h"

namespace bdx4::test {

/// Map captions that remember which one is visible.
class FakeMapCaptions : public MapCaptions {
public:
    void showOnly(int map) override {
        shown = map;
        ++calls;
    }
    /// The slot whose label is visible, -1 for none.
    int shown = -1;
    /// How many times the labels were set.
    int calls = 0;
};

} // namespace bdx4::test
