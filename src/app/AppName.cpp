#include "AppName.h"

#include <QFileInfo>

namespace bdx4 {

QString applicationNameFor(const QString& executablePath) {
    return QFileInfo(executablePath).completeBaseName();
}

} // namespace bdx4
