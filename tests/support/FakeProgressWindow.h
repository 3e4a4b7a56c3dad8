#pragma once

#include "platform/ProgressWindow.h"

#include <QList>

namespace bdx4::test {

/// The "Seeking BDX4" window as a record of what was done to it.
class FakeProgressWindow : public ProgressWindow {
public:
    void open() override {
        ++opened;
        isOpen = true;
        value = 0;
    }
    void setValue(int v) override {
        value = v;
        values << v;
    }
    void close() override {
        ++closed;
        isOpen = false;
    }

    bool isOpen = false;
    int opened = 0;
    int closed = 0;
    int value = 0;
    /// Every bar value set, in order.
    QList<int> values;
};

} // namespace bdx4::test
