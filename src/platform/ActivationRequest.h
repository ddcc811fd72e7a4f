#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>

#include <optional>

// What a start of the program, or the desktop, asks of the running copy: an action (empty:
// plain activation, as org.freedesktop.Application's Activate), an optional target for it, and
// the tokens that let the running copy raise its window (XDG_ACTIVATION_TOKEN on Wayland, the
// startup id on X11). The same record travels over D-Bus and over the single-instance socket.
// The names of the actions are the application's; this record does not interpret them.
// Plain value type.
class ActivationRequest {
public:
    QString action;
    QString target;
    QString activationToken;
    QString startupId;

    // The tokens of this process's own environment (XDG_ACTIVATION_TOKEN, DESKTOP_STARTUP_ID):
    // read them before the GUI toolkit starts, which takes them for its own first window.
    static ActivationRequest fromEnvironment(const QString& action = QString(),
                                             const QString& target = QString());

    // org.freedesktop.Application's platform_data: "activation-token", "desktop-startup-id".
    QVariantMap platformData() const;
    void takeTokens(const QVariantMap& platformData);

    // One line of JSON for the socket, ending in a newline; fromLine() reads it back, and takes
    // the bare "reopen" line of earlier versions as a plain activation. Anything else: nullopt.
    QByteArray toLine() const;
    static std::optional<ActivationRequest> fromLine(const QByteArray& line);

    bool operator==(const ActivationRequest&) const = default;
};
