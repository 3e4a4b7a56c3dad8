#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace bdx4 {

/// An error from the platform's serial or file layer: a number and a description for the user.
struct PlatformError {
    int number = 0;
    QString description;
};

/// Empty on success.
using Failure = std::optional<PlatformError>;

/// The serial control: one port, opened by number at a settings text such as "9600,n,8,1".
/// Received text is taken with `input()`; the receive handler is called on the program's own
/// thread whenever characters have arrived.
class SerialLine {
public:
    virtual ~SerialLine() = default;
    /// Whether the port is open.
    virtual bool portOpen() const = 0;
    /// Opens (true) or closes (false) the port last named by `setCommPort`.
    virtual Failure setPortOpen(bool open) = 0;
    /// Names the port to open, 1-16 in the program's own numbering.
    virtual Failure setCommPort(int port) = 0;
    /// Speed, parity, data bits and stop bits, e.g. "4800,n,8,1".
    virtual Failure setSettings(const QString& settings) = 0;
    /// Sends the text exactly as given.
    virtual Failure output(const QByteArray& text) = 0;
    /// Takes everything received so far out of the port's buffer.
    virtual QByteArray input() = 0;
    /// The device that port number `port` reaches on this computer, for the user's eyes.
    virtual QString deviceName(int port) const = 0;

    using ReceiveHandler = std::function<void()>;
    /// Called, on the program's thread, when characters have arrived.
    void setReceiveHandler(ReceiveHandler handler) { received_ = std::move(handler); }

protected:
    void notifyReceived() {
        if (received_)
            received_();
    }

private:
    ReceiveHandler received_;
};

} // namespace bdx4
