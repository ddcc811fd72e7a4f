#include "startup/StartAtLogin.h"

#include "platform/xdg/DesktopEntry.h"
#include "platform/xdg/DesktopExec.h"

#include <QCoreApplication>
#include <QFileInfo>

const QString StartAtLogin::kFileName = QStringLiteral("com.brimwick.corvella.desktop");
const QString StartAtLogin::kEarlierFileName = QStringLiteral("corvella.desktop");

namespace {

QString programBesideThisOne()
{
    if (QCoreApplication::instance()) {
        const QFileInfo beside(QCoreApplication::applicationDirPath() +
                               QStringLiteral("/corvella"));
        if (beside.isFile() && beside.isExecutable())
            return beside.absoluteFilePath();
    }
    return QStringLiteral("corvella");
}

bool isOurs(const ASLoginStartItem& item)
{
    return item.fileNames.contains(StartAtLogin::kFileName) ||
           item.fileNames.contains(StartAtLogin::kEarlierFileName);
}

} // namespace

StartAtLogin::StartAtLogin(XdgBaseFolders folders, QString program)
    : m_list(std::move(folders)),
      m_program(program.isEmpty() ? programBesideThisOne() : std::move(program))
{}

QByteArray StartAtLogin::entry() const
{
    const QString exec = DesktopExec::quote(m_program) + QStringLiteral(" --background");
    return "[Desktop Entry]\nType=Application\nName=Corvella\n"
           "Comment=The system utility in the tray, started at login without its panel\n"
           "Exec=" +
           DesktopEntry::escape(exec).toUtf8() +
           "\nIcon=com.brimwick.corvella\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
}

bool StartAtLogin::isOn() const
{
    for (const ASLoginStartItem& item : m_list.items()) {
        if (isOurs(item) && item.enabled)
            return true;
    }
    return false;
}

LoginItemList::Result StartAtLogin::setOn(bool on) const
{
    if (on) {
        if (LoginItemList::Result written = m_list.write(kFileName, entry()); !written.succeeded())
            return written;
    }
    // Turning on drops the earlier name; turning off drops both (a system copy is shadowed).
    for (const ASLoginStartItem& item : m_list.items()) {
        if (!isOurs(item))
            continue;
        for (const QString& fileName : item.fileNames) {
            if (fileName != kEarlierFileName && (on || fileName != kFileName))
                continue;
            if (LoginItemList::Result removed = m_list.remove(fileName); !removed.succeeded())
                return removed;
        }
    }
    return {};
}
