#pragma once

#include "io/SerialPorts.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace bdx4 {

class BoxConnection;

/// "Choose Adapter...": the serial ports present now, one row each (what the adapter calls itself
/// and its maker, serial number, USB vendor:product, device, state, stable name), with the row the
/// chosen port reaches marked and what keeps the user from a busy or closed port said in the
/// "Error Opening COM" message's words. The list follows adapters plugged in and pulled out while
/// the window is open, the selection staying on its device.
///
/// The user chooses a row (its stable name, else its device), types any other device path, or
/// lets "Find by plugging in" select the adapter that appears when plugged in again. Nothing is
/// opened and nothing is sent: the window reads only what the system says of its ports.
class PortChooserWindow : public QDialog {
    Q_OBJECT
public:
    PortChooserWindow(const SerialPortSource& source, Clock& clock, const BoxConnection& connection,
                      QWidget* parent = nullptr);

    /// The device the chosen port is to reach; empty until the user chose.
    QString choice() const { return choice_; }
    /// The list of ports: a row per port, its device in column `kDeviceColumn`.
    QTreeWidget* list() const { return list_; }

    static constexpr int kDeviceColumn = 4;

private:
    /// Where "Find by plugging in" stands.
    enum class Finding { Off, Pulling, Plugging };

    void buildList();
    void fitColumns();
    void orderTabs(QWidget* cancel);
    QLayout* buildFinder();
    QLayout* buildPathRow();
    void showRows();
    QTreeWidgetItem* addRow(const SerialPortRow& row, const QString& reached);
    void showNote();
    void useSelected();
    void usePath();
    void useDevice(const QString& device);
    void findNext();
    void endPlugging(const QList<SerialPortRow>& appeared);
    void say(const QString& text);

    const BoxConnection& connection_;
    SerialPortWatch watch_;
    QTreeWidget* list_ = nullptr;
    QLabel* note_ = nullptr;
    QLabel* finderText_ = nullptr;
    QPushButton* find_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* use_ = nullptr;
    QLineEdit* path_ = nullptr;
    QPushButton* usePath_ = nullptr;
    Finding finding_ = Finding::Off;
    /// The rows read with the adapter pulled out.
    QList<SerialPortRow> pulled_;
    /// Two or more ports appeared: only they are shown, for the user to pick.
    QStringList appeared_;
    QString choice_;
};

} // namespace bdx4
