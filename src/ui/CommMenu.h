#pragma once

#include "io/SerialLine.h"

#include <QMenu>

#include <array>

namespace bdx4 {

class BoxConnection;
class SettingsStore;

/// The COMM menu: COM1 … COM16, a separator, the box's four speeds and the adapter chooser. A
/// choice counts from the next opening of the port. The checked port is always the one the
/// connection will use, also after an opening fell back to the start-up port. Reads the remembered
/// port and speed from the settings and writes them back, in one place.
class CommMenu : public QMenu {
    Q_OBJECT
public:
    CommMenu(BoxConnection& connection, SettingsStore& settings, QWidget* parent = nullptr);

    /// The remembered port and speed become the connection's, and the start-up port.
    void loadChoice();
    /// Remembers the port and speed in use (at the end of a run in which the port opened).
    void saveChoice();
    /// Ties the chosen port to `device` ([Ports] COMn=device) and keeps that in the settings
    /// file at once; false when the file could not be written (the tie holds for this run).
    bool tieDevice(const QString& device);

signals:
    /// "Choose Adapter...": the window that lists the adapters present is to open.
    void adapterChooserRequested();

private:
    void showChoice();

    BoxConnection& connection_;
    SettingsStore& settings_;
    std::array<QAction*, kLastPort> ports_ = {};
    std::array<QAction*, kBoxSpeeds.size()> speeds_ = {};
};

} // namespace bdx4
