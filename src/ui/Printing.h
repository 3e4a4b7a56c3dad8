#pragma once

#include "printing/PrintModule.h"

#include <QPageSize>

#include <optional>

namespace bdx4 {

/// Prints a page through the print module, loaded the first time: Qt's print dialog over
/// `owner`, then `draw` on the printer the user chose. Nothing, with the reason in `error`, when
/// the module cannot be loaded.
std::optional<PrintOutcome> printPage(QWidget* owner, const QString& name,
                                      QPageSize::PageSizeId paper, const DrawPage& draw,
                                      QString* error);

} // namespace bdx4
