#pragma once

#include <QDBusConnection>
#include <QString>
#include <QStringList>

#include <optional>

// The display backlights the kernel offers: the entries of sys/class/backlight under a root
// folder ("/" on a running system, a fixture tree in tests), in name order. A brightness is the
// fraction `brightness` / `max_brightness`, 0.0 to 1.0.
//
// A new value is written to the `brightness` file when this process may write it, and otherwise
// through systemd-logind's Session.SetBrightness for the caller's session (which lets the user of
// an active session change the backlight without root). With Writer::Logind every write goes
// through logind.
//
// Every call reads or writes anew and blocks the calling thread (file access and a D-Bus call of
// up to a few seconds): keep it off the GUI thread. Safe on any thread.
class Backlight {
public:
    enum class Writer { Automatic, Logind };

    explicit Backlight(QString rootPath = QStringLiteral("/"),
                       const QDBusConnection& bus = QDBusConnection::systemBus(),
                       Writer writer = Writer::Automatic);

    QStringList displays() const;
    // The display's brightness, or nothing when its files cannot be read or make no sense.
    std::optional<double> brightnessOf(const QString& display) const;
    // Sets one display; answers an error sentence, empty on success.
    QString setBrightnessOf(const QString& display, double fraction) const;

    // The brightness of the first display that reports one, or -1.0 when none does.
    float get_brightness() const;
    // Sets every display that reports a brightness to the same value (clamped to 0.0 to 1.0);
    // displays that fail do not stop the others. Answers the errors, one sentence per display,
    // joined by newlines; empty when all succeeded. With no display at all, says so.
    QString set_brightness(float fraction) const;

private:
    QString folder(const QString& display) const;
    std::optional<qint64> readNumber(const QString& path) const;
    QString writeThroughLogind(const QString& display, quint32 value) const;

    QString m_rootPath;
    QDBusConnection m_bus;
    Writer m_writer;
};
