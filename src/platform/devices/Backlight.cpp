#include "platform/devices/Backlight.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <unistd.h>

namespace {

const QString loginService = QStringLiteral("org.freedesktop.login1");
const QString managerPath = QStringLiteral("/org/freedesktop/login1");
const QString managerInterface = QStringLiteral("org.freedesktop.login1.Manager");
const QString sessionInterface = QStringLiteral("org.freedesktop.login1.Session");
// logind's name for the session of the caller, for a caller it cannot find by its process.
const QString callerSessionPath = QStringLiteral("/org/freedesktop/login1/session/auto");
constexpr int callTimeoutMs = 5000;

} // namespace

Backlight::Backlight(QString rootPath, const QDBusConnection& bus, Writer writer)
    : m_rootPath(std::move(rootPath)), m_bus(bus), m_writer(writer)
{}

QString Backlight::folder(const QString& display) const
{
    return QDir(m_rootPath).filePath(QStringLiteral("sys/class/backlight/") + display);
}

QStringList Backlight::displays() const
{
    // The entries are symbolic links into the device tree, so links are followed.
    const QDir backlights(QDir(m_rootPath).filePath(QStringLiteral("sys/class/backlight")));
    return backlights.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

std::optional<qint64> Backlight::readNumber(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    bool isNumber = false;
    const qint64 value = file.read(64).trimmed().toLongLong(&isNumber);
    if (!isNumber || value < 0)
        return std::nullopt;
    return value;
}

std::optional<double> Backlight::brightnessOf(const QString& display) const
{
    const QString base = folder(display);
    const auto maximum = readNumber(base + QStringLiteral("/max_brightness"));
    const auto current = readNumber(base + QStringLiteral("/brightness"));
    if (!maximum || !current || *maximum <= 0)
        return std::nullopt;
    return std::min(1.0, double(*current) / double(*maximum));
}

QString Backlight::setBrightnessOf(const QString& display, double fraction) const
{
    const QString base = folder(display);
    const auto maximum = readNumber(base + QStringLiteral("/max_brightness"));
    if (!maximum || *maximum <= 0)
        return QCoreApplication::translate("Backlight",
                                           "The brightness of display “%1” cannot be read.")
            .arg(display);
    const auto value = quint32(std::lround(std::clamp(fraction, 0.0, 1.0) * double(*maximum)));
    const QString path = base + QStringLiteral("/brightness");
    if (m_writer == Writer::Automatic && QFileInfo(path).isWritable()) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.write(QByteArray::number(value)) > 0 &&
            file.flush())
            return {};
        return QCoreApplication::translate("Backlight",
                                           "Failed to set brightness of display “%1”: %2")
            .arg(display, file.errorString());
    }
    return writeThroughLogind(display, value);
}

QString Backlight::writeThroughLogind(const QString& display, quint32 value) const
{
    QDBusMessage lookup = QDBusMessage::createMethodCall(
        loginService, managerPath, managerInterface, QStringLiteral("GetSessionByPID"));
    lookup << static_cast<uint>(::getpid());
    const QDBusMessage found = m_bus.call(lookup, QDBus::Block, callTimeoutMs);
    QString sessionPath = callerSessionPath;
    if (found.type() == QDBusMessage::ReplyMessage && !found.arguments().isEmpty()) {
        const QString path = qvariant_cast<QDBusObjectPath>(found.arguments().constFirst()).path();
        if (!path.isEmpty())
            sessionPath = path;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(loginService, sessionPath, sessionInterface,
                                                       QStringLiteral("SetBrightness"));
    call << QStringLiteral("backlight") << display << value;
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, callTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return {};
    return QCoreApplication::translate(
               "Backlight",
               "Failed to set brightness of display “%1” through the login manager: %2")
        .arg(display, reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage());
}

float Backlight::get_brightness() const
{
    for (const QString& display : displays()) {
        if (const auto brightness = brightnessOf(display))
            return float(*brightness);
        qWarning("failed to get brightness of display %s", qUtf8Printable(display));
    }
    return -1.0f;
}

QString Backlight::set_brightness(float fraction) const
{
    const QStringList names = displays();
    if (names.isEmpty())
        return QCoreApplication::translate(
            "Backlight", "This machine has no display whose brightness can be set.");
    QStringList errors;
    for (const QString& display : names) {
        if (!brightnessOf(display)) {
            qWarning("failed to get brightness of display %s", qUtf8Printable(display));
            errors << QCoreApplication::translate("Backlight",
                                                  "The brightness of display “%1” cannot be read.")
                          .arg(display);
            continue;
        }
        const QString error = setBrightnessOf(display, double(fraction));
        if (!error.isEmpty()) {
            qWarning().noquote() << error;
            errors << error;
        }
    }
    return errors.join(u'\n');
}
