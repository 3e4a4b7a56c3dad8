#include "ui/MainWindow.h"

namespace bdx4 {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Morvane BDX4 Configuration Utility, rev %1.%2.%3")
                       .arg(BDX4_VERSION_MAJOR)
                       .arg(BDX4_VERSION_MINOR)
                       .arg(BDX4_VERSION_REVISION));
}

} // namespace bdx4
