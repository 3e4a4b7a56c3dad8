#include "ui/CommMenu.h"

#include "io/SettingsStore.h"
#include "jobs/BoxConnection.h"

#include <QActionGroup>

namespace bdx4 {

namespace {

/// "COM3" with its mnemonic: the port's digit for COM1-COM10; COM11-COM16 share the letters of
/// "COM", since the menu's twenty entries have only seventeen characters to choose from.
QString portCaption(int port) {
    const QString name = portName(port);
    if (port <= 9)
        return name.left(3) + QLatin1Char('&') + name.mid(3);
    if (port == 10)
        return QStringLiteral("COM1&0");
    const int letter = (port - 11) % 3;
    return name.left(letter) + QLatin1Char('&') + name.mid(letter);
}

} // namespace

CommMenu::CommMenu(BoxConnection& connection, SettingsStore& settings, QWidget* parent)
    : QMenu(tr("&COMM"), parent), connection_(connection), settings_(settings) {
    setToolTipsVisible(true);
    auto* ports = new QActionGroup(this);
    for (int port = kFirstPort; port <= kLastPort; ++port) {
        QAction* item =
            addAction(portCaption(port), this, [this, port] { connection_.setPort(port); });
        item->setCheckable(true);
        ports->addAction(item);
        ports_[port - kFirstPort] = item;
    }
    addSeparator();
    // A remembered speed that is none of the box's marks no item.
    auto* speeds = new QActionGroup(this);
    speeds->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const QString captions[] = {tr("  4800 &BAUD"), tr("  9600 B&AUD"), tr("19200 BA&UD"),
                                tr("38400 BAU&D")};
    for (std::size_t i = 0; i < kBoxSpeeds.size(); ++i) {
        QAction* item = addAction(
            captions[i], this, [this, i] { connection_.setSpeed(QLatin1String(kBoxSpeeds[i])); });
        item->setCheckable(true);
        speeds->addAction(item);
        speeds_[i] = item;
    }
    addSeparator();
    addAction(tr("Choose Ada&pter..."), this, &CommMenu::adapterChooserRequested);
    // The device each port number reaches, read when the menu opens (adapters come and go).
    connect(this, &QMenu::aboutToShow, this, [this] {
        for (int port = kFirstPort; port <= kLastPort; ++port)
            ports_[port - kFirstPort]->setToolTip(connection_.deviceName(port));
    });
    connect(&connection_, &BoxConnection::linkChanged, this, &CommMenu::showChoice);
}

void CommMenu::loadChoice() {
    connection_.setStartPort(portFromSetting(settings_.value(kOptionsSection, kComPortKey, "1")));
    connection_.setSpeed(settings_.value(kOptionsSection, kBaudRateKey, QStringLiteral("4800")));
}

void CommMenu::saveChoice() {
    settings_.setValue(kOptionsSection, kComPortKey, QString::number(connection_.port()));
    settings_.setValue(kOptionsSection, kBaudRateKey, connection_.speed());
}

bool CommMenu::tieDevice(const QString& device) {
    settings_.setValue(kPortsSection, portName(connection_.port()), device);
    const bool kept = settings_.sync();
    connection_.deviceChosen();
    return kept;
}

void CommMenu::showChoice() {
    ports_[connection_.port() - kFirstPort]->setChecked(true);
    for (std::size_t i = 0; i < kBoxSpeeds.size(); ++i)
        speeds_[i]->setChecked(connection_.speed() == QLatin1String(kBoxSpeeds[i]));
}

} // namespace bdx4
