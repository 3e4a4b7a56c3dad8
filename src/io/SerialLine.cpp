#include "io/SerialLine.h"

#include <algorithm>

namespace bdx4 {

namespace {

// Speeds that every serial layer the program runs on accepts.
constexpr std::array<qint32, 11> kStandardSpeeds = {110,  300,   600,   1200,  2400,  4800,
                                                    9600, 19200, 38400, 57600, 115200};

} // namespace

bool isBoxSpeed(const QString& text) {
    return std::any_of(kBoxSpeeds.begin(), kBoxSpeeds.end(),
                       [&text](const char* speed) { return text == QLatin1String(speed); });
}

std::optional<qint32> standardSpeed(const QString& text) {
    bool ok = false;
    const qint32 speed = text.trimmed().toInt(&ok);
    if (!ok ||
        std::find(kStandardSpeeds.begin(), kStandardSpeeds.end(), speed) == kStandardSpeeds.end())
        return std::nullopt;
    return speed;
}

QString portName(int port) {
    return QStringLiteral("COM") + QString::number(port);
}

} // namespace bdx4
