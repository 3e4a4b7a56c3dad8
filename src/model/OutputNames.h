#pragma once

#include "model/BandTables.h"

#include <QString>

#include <array>

namespace bdx4 {

/// The names a station gives the box's outputs: what is wired to them ("4-square" on output 40,
/// "2 m amplifier" on AC1). They belong to the station, not to a map, and never reach the box.
class OutputNames {
public:
    /// The longest name, in characters of any script.
    static constexpr int kMaxLength = 24;

    enum class Fault {
        None,
        TooLong,       ///< more than kMaxLength characters
        LineCharacter, ///< a line break or another control character
    };
    /// Whether `name` can be given to an output (an empty name removes one).
    static Fault check(const QString& name);

    /// The name of output `output` (0-15); empty when it has none.
    QString name(int output) const { return names_[output]; }
    /// Names output `output` (blanks at both ends dropped); the name must pass `check`.
    void setName(int output, const QString& name) { names_[output] = name.trimmed(); }
    bool isEmpty() const;

    friend bool operator==(const OutputNames& a, const OutputNames& b) {
        return a.names_ == b.names_;
    }
    friend bool operator!=(const OutputNames& a, const OutputNames& b) { return !(a == b); }

private:
    std::array<QString, kOutputs> names_;
};

/// The output a caption stands for, as the grid's columns are captioned ("40" is 3, "AC1" 13);
/// -1 for none.
int outputCaptioned(const QString& caption);

} // namespace bdx4
