#pragma once

namespace bdx4 {

/// The small "Seeking BDX4" window with its progress bar (scale 0 to 11) shown during the box
/// search.
class ProgressWindow {
public:
    virtual ~ProgressWindow() = default;
    /// Shows the window without blocking, owned by the main window, bar at 0.
    virtual void open() = 0;
    /// Moves the bar.
    virtual void setValue(int value) = 0;
    /// Closes the window.
    virtual void close() = 0;
};

} // namespace bdx4
