#include "printing/PrintModule.h"

#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

extern "C" Q_DECL_EXPORT bdx4::PrintOutcome
bdx4PrintPage(QWidget* owner, const QString& name, int pageSizeId, const bdx4::DrawPage& draw) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::PageSizeId(pageSizeId)));
    printer.setDocName(name);
    QPrintDialog dialog(&printer, owner);
    if (dialog.exec() != QDialog::Accepted)
        return bdx4::PrintOutcome::Cancelled;
    QPainter painter;
    if (!painter.begin(&printer))
        return bdx4::PrintOutcome::PrinterFailed;
    draw(painter, printer);
    return bdx4::PrintOutcome::Printed;
}
