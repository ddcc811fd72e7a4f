#pragma once

#include <QMetaType>
#include <QString>

#include <memory>

class ProcessHandle;

// One running application of the Task Manager list.
struct TaskManagerInfo {
    // The application's icon: a theme icon name or an absolute file path; empty for the generic
    // icon. The view turns it into an image.
    QString image;
    // The application's name: its desktop entry's Name, else the executable's name.
    QString name;
    qint32 pID = 0;
    // Not measured; kept at 0.
    float memSize = 0;
    // Ticked: "Close" ends this application.
    bool bIsSelected = false;
    // The desktop entry's identifier, else the systemd unit's application id or the window class.
    QString appId;
    // The systemd application unit the application runs in ("app-firefox-1234.scope"), empty
    // when it runs in none: its windows are those of every process of the unit.
    QByteArray unit;
    // The process, held since the list was built so that a reused identifier is never signalled.
    // Null when it could not be held; `handleError` then says why (an errno).
    std::shared_ptr<ProcessHandle> process;
    int handleError = 0;

    // The name as the list shows it: every ".app" removed ("Photo.apple.Tool" shows as
    // "Photole.Tool"); the record keeps its name.
    QString shownName() const { return QString(name).remove(QStringLiteral(".app")); }
};

Q_DECLARE_METATYPE(TaskManagerInfo)
