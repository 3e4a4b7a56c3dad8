#pragma once

#include "io/IoError.h"
#include "model/Configuration.h"
#include "model/OutputNames.h"

#include <QCoreApplication>
#include <QDate>
#include <QLocale>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QRectF>
#include <QString>

class QPainter;

namespace bdx4 {

/// One printed page of a configuration, for the windows' printer and for bdx4ctl's PDF: which
/// map and which ACn mode, the map as a table of the bands by the outputs with an X where an
/// output switches on (the AC1-AC3 columns only while they are band outputs), the three voltage
/// tables in volts, the program's version, the date and, when known, the box's firmware; under
/// each column the name the station gave its output. Black on white, readable without colour.
class ConfigSheet {
    Q_DECLARE_TR_FUNCTIONS(ConfigSheet)
public:
    /// `mapName` says where the map comes from: "MAP2", or the name of a configuration file.
    ConfigSheet(const Configuration& configuration, const QString& mapName)
        : configuration_(configuration), mapName_(mapName) {}

    /// The firmware of the box that answered in this run; none by default.
    void setFirmware(const QString& firmware) { firmware_ = firmware; }
    /// The outputs' names, each under its column; none by default.
    void setNames(const OutputNames& names) { names_ = names; }
    /// The day the sheet shows; today by default.
    void setDate(const QDate& date) { date_ = date; }

    /// Draws the page within `area`, in the painter's coordinates (device pixels), centred
    /// across it and from its top. Sizes follow the device's resolution; an area smaller than A4
    /// or Letter inside 15 mm margins shrinks the sheet to fit.
    void draw(QPainter& painter, const QRectF& area) const;
    /// Draws the page on a printer or PDF writer that `painter` is active on: 15 mm from every
    /// edge of the paper, or as far as the device's page layout says it cannot print nearer.
    void draw(QPainter& painter, const QPagedPaintDevice& device) const;
    /// Writes the sheet as a one-page PDF of the locale's paper size, whole or not at all: an
    /// earlier file of that name stays as it was when the new one cannot be written.
    IoResult writePdf(const QString& path, const QLocale& locale = QLocale()) const;

    /// Letter where the locale measures in US units, else A4.
    static QPageSize::PageSizeId paperFor(const QLocale& locale);

private:
    Configuration configuration_;
    QString mapName_;
    QString firmware_;
    OutputNames names_;
    QDate date_ = QDate::currentDate();
};

} // namespace bdx4
