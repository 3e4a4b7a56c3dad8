#pragma once

#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;
class QWidget;

namespace bdx4 {

/// What the print module offers the windows. Qt's printer and print dialog pull a library and
/// the printing system's into the program, so they live in a module loaded only when the user
/// first prints, not at every start.

/// Draws the page on the printer, once the painter has begun on it.
using DrawPage = std::function<void(QPainter& painter, QPagedPaintDevice& printer)>;

enum class PrintOutcome {
    Printed,
    Cancelled,     ///< the user closed the print dialog
    PrinterFailed, ///< the printer could not be started
};

/// The module's one function: shows the print dialog over `owner` for a document named `name`
/// on paper `pageSizeId` (a QPageSize::PageSizeId) and, when the user prints, draws the page.
using PrintFunction = PrintOutcome (*)(QWidget* owner, const QString& name, int pageSizeId,
                                       const DrawPage& draw);
/// The name the module exports it by.
inline constexpr char kPrintFunctionName[] = "bdx4PrintPage";

} // namespace bdx4
