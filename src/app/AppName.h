#pragma once

#include <QString>

namespace bdx4 {

/// The name the program's settings go by: its executable's name without the extension
/// ("bdx4-2.1.7" keeps its settings under "bdx4-2.1").
QString applicationNameFor(const QString& executablePath);

} // namespace bdx4
