#include "ui/MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    bdx4::MainWindow window;
    window.show();
    return app.exec();
}
