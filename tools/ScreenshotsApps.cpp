// corvella-screenshots apps: the Applications and Startup Items tabs over a made-up catalogue in
// XDG folders of its own, each drawn on white.
#include "Screenshots.h"
#include "apps/ApplicationsViewController.h"
#include "startup/StartupItemsViewController.h"

#include <QApplication>
#include <QIcon>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool write(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray entry(const char* name, const char* icon, const QByteArray& more = {})
{
    return "[Desktop Entry]\nType=Application\nExec=true " + QByteArray(icon) +
           "\nName=" + QByteArray(name) + "\nIcon=" + icon + '\n' + more;
}

void makeFixture(const QString& root)
{
    const char* const apps[][2] = {{"Calculator", "accessories-calculator"},
                                   {"Text Editor", "accessories-text-editor"},
                                   {"Characters", "accessories-character-map"},
                                   {"Dictionary", "accessories-dictionary"},
                                   {"Screenshot", "applets-screenshooter"},
                                   {"Photo Booth", "camera-photo"},
                                   {"Photos", "camera-photo"},
                                   {"Help", "help-browser"},
                                   {"Music Player", "multimedia-player"},
                                   {"Fonts", "preferences-desktop-font"},
                                   {"Settings", "preferences-system"},
                                   {"Files", "system-file-manager"},
                                   {"Software", "system-software-install"},
                                   {"Contacts", "user-info"},
                                   {"Terminal", "utilities-terminal"},
                                   {"htop", "utilities-terminal"}};
    for (const auto& app : apps) {
        write(root + QStringLiteral("/share/applications/") +
                  QString::fromUtf8(app[0]).remove(u' ') + QStringLiteral(".desktop"),
              entry(app[0], app[1]));
    }
    write(root + QStringLiteral("/config/autostart/org.example.Files.desktop"),
          entry("Files", "system-file-manager"));
    write(root + QStringLiteral("/config/autostart/open-Projects.desktop"),
          "[Desktop Entry]\nType=Application\nName=Projects\nExec=xdg-open \"" +
              QFile::encodeName(root) + "/Projects\"\nIcon=folder\n");
    QDir().mkpath(root + QStringLiteral("/Projects"));
    write(root + QStringLiteral("/system/autostart/screenshot.desktop"),
          entry("Screenshot", "applets-screenshooter", "X-GNOME-Autostart-enabled=false\n"));
    write(root + QStringLiteral("/system/autostart/terminal.desktop"),
          entry("Terminal", "utilities-terminal"));
}

QImage onWhite(QWidget* page)
{
    QImage image(page->size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    page->render(&image);
    return image;
}

} // namespace

int Screenshots::apps(int& argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir root;
    if (!root.isValid())
        return 1;
    makeFixture(root.path());
    for (const auto& [name, folder] : {std::pair{"HOME", "/home"},
                                       {"XDG_DATA_HOME", "/data"},
                                       {"XDG_DATA_DIRS", "/share"},
                                       {"XDG_CONFIG_HOME", "/config"},
                                       {"XDG_CONFIG_DIRS", "/system"}})
        qputenv(name, QFile::encodeName(root.path() + QLatin1StringView(folder)));
    QApplication application(argc, argv);
    // The made-up data folders hide the system's icon themes.
    QIcon::setThemeSearchPaths(QIcon::themeSearchPaths() << QStringLiteral("/usr/share/icons"));
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == u"hicolor")
        QIcon::setThemeName(QStringLiteral("Adwaita"));

    ApplicationsViewController apps;
    apps.resize(480, 520);
    apps.show();
    QSignalSpy finished(&apps, &ApplicationsViewController::scanFinished);
    if (!finished.wait(10000))
        return 1;
    bool saved = m_canvas.saveBare(onWhite(&apps), QStringLiteral("apps-list.png"));
    QTest::keyClicks(apps.textField(), QStringLiteral("pho"));
    saved = m_canvas.saveBare(onWhite(&apps), QStringLiteral("apps-search.png")) && saved;

    StartupItemsViewController startup;
    startup.resize(480, 520);
    startup.show();
    QSignalSpy rebuilt(&startup, &StartupItemsViewController::listRebuilt);
    startup.updateLoginItemsList();
    if (!rebuilt.wait(10000))
        return 1;
    saved = m_canvas.saveBare(onWhite(&startup), QStringLiteral("startup-items.png")) && saved;
    return saved ? 0 : 1;
}
