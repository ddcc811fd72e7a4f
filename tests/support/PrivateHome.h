#pragma once

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

// For the main() of a widget test: a private, empty home and XDG folders and no shipped
// settings, so nothing of the user's is read or written; and the offscreen platform when there is
// no display. Create it before the QApplication.
class PrivateHome {
public:
    PrivateHome()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
            qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (!m_home.isValid()) {
            std::fprintf(stderr, "Cannot create a temporary home folder: %s\n",
                         qUtf8Printable(m_home.errorString()));
            return;
        }
        // The X server may want the cookie of the real home.
        if (qEnvironmentVariableIsEmpty("XAUTHORITY") && !qEnvironmentVariableIsEmpty("HOME"))
            qputenv("XAUTHORITY", qgetenv("HOME") + "/.Xauthority");
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path("config")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(path("data")));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(path("cache")));
        qputenv("CORVELLA_SHIPPED_SETTINGS", QFile::encodeName(path("none.plist")));
    }

    bool isValid() const { return m_home.isValid(); }
    QString path(const char* relative = "") const
    {
        return m_home.path() + u'/' + QString::fromLatin1(relative);
    }

private:
    QTemporaryDir m_home;
};
