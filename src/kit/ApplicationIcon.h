#pragma once

#include <QIcon>
#include <QString>

// The icon of an application from its desktop entry's Icon key (a theme icon name or an absolute
// file), as the Applications list, the Task Manager and Startup Items show it: an absolute path
// is loaded as a file, any other name is looked up in the icon theme. GUI thread only.
class ApplicationIcon {
public:
    ApplicationIcon() = delete;

    // The icon `image` names, or `fallback` when it is empty or names nothing.
    static QIcon of(const QString& image, const QIcon& fallback);
    // The same with the generic application icon as the fallback: the theme's
    // "application-x-executable", else the kit's own.
    static QIcon of(const QString& image);
};
