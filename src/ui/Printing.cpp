#include "ui/Printing.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace bdx4 {

namespace {

PrintFunction loadPrintFunction(QString* error) {
    static PrintFunction print = nullptr;
    if (print)
        return print;
    const QString here = QCoreApplication::applicationDirPath();
    QStringList tried;
    for (const QString& folder :
         {here, QDir(here).filePath(QStringLiteral(BDX4_PRINT_MODULE_FROM_BIN)),
          QStringLiteral(BDX4_PRINT_MODULE_BUILD_DIR)}) {
        QLibrary module(QDir(folder).filePath(QStringLiteral("bdx4print")));
        print = reinterpret_cast<PrintFunction>(module.resolve(kPrintFunctionName));
        if (print)
            return print; // the module stays loaded for the rest of the run
        tried << module.errorString();
    }
    *error = tried.first();
    return nullptr;
}

} // namespace

std::optional<PrintOutcome> printPage(QWidget* owner, const QString& name,
                                      QPageSize::PageSizeId paper, const DrawPage& draw,
                                      QString* error) {
    const PrintFunction print = loadPrintFunction(error);
    if (!print)
        return std::nullopt;
    return print(owner, name, int(paper), draw);
}

} // namespace bdx4
