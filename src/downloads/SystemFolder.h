#pragma once

#include <QSet>
#include <QString>

// The shipped list of system paths ("SystemFile.plist", a dictionary whose keys are "0", "1", …
// and whose values are full paths) that may never be ticked for removal. Read once and kept.
// CORVELLA_SYSTEM_FILE_LIST names another list file (tests).
class SystemFolder {
public:
    SystemFolder() = delete;

    // Whether the path is on the list: an exact, case-sensitive match of the whole path.
    static bool isSystemFileWithFilePath(const QString& path);
    // The whole list, for callers that check many paths (empty as shipped).
    static QSet<QString> systemPaths();
    // Whether any listed path lies inside the folder.
    static bool holdsSystemFile(const QSet<QString>& paths, const QString& folder);
};
