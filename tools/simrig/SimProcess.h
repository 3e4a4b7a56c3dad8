#pragma once

// A bdx4-sim process on a pseudo-terminal, as the end-to-end tests and the benchmarks start it.

#include <QDeadlineTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace bdx4::simrig {

/// The simulator built beside the program.
inline QString simulatorPath() {
    return QStringLiteral(BDX4_SIM_PATH);
}

/// One bdx4-sim process. It is stopped (and its link removed by it) when this object goes.
class SimProcess {
public:
    SimProcess() = default;
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;
    ~SimProcess() { stop(); }

    /// Starts the box with the given options and reads the device it prints first. Returns
    /// an empty text or why it did not start.
    QString start(const QStringList& arguments) {
        process_.setProgram(simulatorPath());
        process_.setArguments(arguments);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.start();
        if (!process_.waitForStarted(5000))
            return QStringLiteral("bdx4-sim did not start: ") + process_.errorString();
        const QDeadlineTimer deadline(5000);
        while (!process_.canReadLine()) {
            if (deadline.hasExpired() || process_.state() != QProcess::Running)
                return QStringLiteral("bdx4-sim printed no device: ") +
                       QString::fromLocal8Bit(process_.readAllStandardError());
            process_.waitForReadyRead(100);
        }
        device_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
        return device_.startsWith(QLatin1Char('/'))
                   ? QString()
                   : QStringLiteral("bdx4-sim printed \"%1\", not a device").arg(device_);
    }

    /// Ends the box as the user would (SIGTERM), killing it if it does not go.
    void stop() {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }

    QString device() const { return device_; }
    QProcess& process() { return process_; }

private:
    QProcess process_;
    QString device_;
};

/// One test's scratch folder: the box's link and its JSON report live there.
class BoxFolder {
public:
    bool isValid() const { return dir_.isValid(); }
    QString linkPath() const { return dir_.filePath(QStringLiteral("bdx4-box")); }
    QString reportPath() const { return dir_.filePath(QStringLiteral("box.json")); }
    /// Starts `box` on this folder's link, reporting into it; false, with a warning that says
    /// why, when it did not start.
    bool startBox(SimProcess& box, const QStringList& options) const {
        const QString why = box.start(QStringList{QStringLiteral("--link"), linkPath(),
                                                  QStringLiteral("--json"), reportPath()} +
                                      options);
        if (!why.isEmpty())
            qWarning("%s", qPrintable(why));
        return why.isEmpty();
    }

private:
    QTemporaryDir dir_;
};

/// The JSON report the box last wrote, or an empty object.
inline QJsonObject readReport(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

} // namespace bdx4::simrig
