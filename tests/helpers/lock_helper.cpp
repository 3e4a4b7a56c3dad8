// Usage: bdx4-lock-helper NAME [hold]
// Tries to become the only running copy under the lock NAME, as the program does at start-up.
// Prints "locked" (exit code 0) or "busy" (exit code 3). With "hold" it keeps the lock until its
// standard input is closed.
#include "store/SingleInstance.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    bdx4::SingleInstance instance(QString::fromLocal8Bit(argv[1]));
    if (!instance.tryAcquire()) {
        std::puts("busy");
        return 3;
    }
    std::puts("locked");
    std::fflush(stdout);
    if (argc > 2 && QByteArray(argv[2]) == "hold")
        while (std::getchar() != EOF) {
        }
    return 0;
}
