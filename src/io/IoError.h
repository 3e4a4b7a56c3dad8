#pragma once

#include <QString>

#include <optional>

namespace bdx4 {

/// A failure of the file or serial layer: the layer's own error number and a description the
/// user can read.
struct IoError {
    int code = 0;
    QString description;
};

/// The outcome of an operation that can fail: empty when it went through.
using IoResult = std::optional<IoError>;

} // namespace bdx4
