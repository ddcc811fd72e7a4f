#pragma once

#include "platform/xdg/XdgBaseFolders.h"
#include "startup/LoginItemList.h"

#include <QByteArray>
#include <QString>

// Corvella's own login item: the autostart entry com.brimwick.corvella.desktop that starts
// `corvella --background` (the tray icon, no panel). Written only when the user asks for it (the
// tray menu's "Start at Login", `corvella-cli settings login on`), through LoginItemList, the
// one writer of the autostart folder.
//
// Earlier versions added "corvella.desktop" at the first start: it counts as the same item, is
// replaced when the item is turned on and removed when it is turned off.
//
// Every call reads the folders anew and may block on the disk: keep it off the GUI thread.
// Plain value type.
class StartAtLogin {
public:
    static const QString kFileName;
    static const QString kEarlierFileName;

    // program: the `corvella` to start; empty: the one beside this process's program when there
    // is one, else "corvella" from PATH.
    explicit StartAtLogin(XdgBaseFolders folders = XdgBaseFolders(), QString program = QString());

    // Whether one of Corvella's entries starts at login on this desktop.
    bool isOn() const;
    LoginItemList::Result setOn(bool on) const;
    // The entry that setOn(true) writes.
    QByteArray entry() const;

private:
    LoginItemList m_list;
    QString m_program;
};
