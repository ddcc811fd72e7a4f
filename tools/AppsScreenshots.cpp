// The Applications and Startup Items tabs over a made-up catalogue, and the catalogue's timings:
//   apps-screenshots OUTPUT_FOLDER   writes apps-list.png, apps-search.png, startup-items.png
//   apps-screenshots --bench RUNS    prints, as JSON, the milliseconds of RUNS catalogue scans of
//                                    the environment's XDG folders and of filling the tab once
#include "apps/ApplicationsViewController.h"
#include "apps/RelatedAppFilesScanner.h"
#include "platform/DesktopEntry.h"
#include "startup/StartupItemsViewController.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>

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

bool grab(QWidget* page, const QString& path)
{
    QImage image(page->size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    page->render(&image);
    if (image.save(path))
        return true;
    std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
    return false;
}

int bench(int runs)
{
    const QStringList locales = DesktopEntry::preferredLocales();
    QList<double> scans;
    qsizetype count = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        RelatedAppFilesScanner scanner{XdgBaseFolders(), locales};
        count = scanner.getApplications().size();
        scans.append(timer.nsecsElapsed() / 1e6);
    }
    QElapsedTimer timer;
    timer.start();
    ApplicationsViewController page;
    QSignalSpy finished(&page, &ApplicationsViewController::scanFinished);
    finished.wait(30000);
    const double tab = timer.nsecsElapsed() / 1e6;
    QString list;
    for (double scan : std::as_const(scans))
        list += (list.isEmpty() ? QString() : QStringLiteral(", ")) + QString::number(scan, 'f', 2);
    std::printf("{\"entries\": %lld, \"scan_ms\": [%s], \"tab_ms\": %.2f, \"tab_rows\": %lld}\n",
                static_cast<long long>(count), qPrintable(list), tab,
                static_cast<long long>(page.allApplications().size()));
    return finished.isEmpty() ? 1 : 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QByteArray first = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    QTemporaryDir root;
    if (first != "--bench") {
        if (argc != 2 || !root.isValid())
            return 2;
        makeFixture(root.path());
        for (const auto& [name, folder] : {std::pair{"HOME", "/home"},
                                           {"XDG_DATA_HOME", "/data"},
                                           {"XDG_DATA_DIRS", "/share"},
                                           {"XDG_CONFIG_HOME", "/config"},
                                           {"XDG_CONFIG_DIRS", "/system"}})
            qputenv(name, QFile::encodeName(root.path() + QLatin1StringView(folder)));
    }
    QApplication application(argc, argv);
    // The made-up data folders hide the system's icon themes.
    QIcon::setThemeSearchPaths(QIcon::themeSearchPaths() << QStringLiteral("/usr/share/icons"));
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == u"hicolor")
        QIcon::setThemeName(QStringLiteral("Adwaita"));
    if (first == "--bench")
        return bench(argc > 2 ? std::max(1, atoi(argv[2])) : 5);

    const QString folder = QFile::decodeName(argv[1]);
    ApplicationsViewController apps;
    apps.resize(480, 520);
    apps.show();
    QSignalSpy finished(&apps, &ApplicationsViewController::scanFinished);
    if (!finished.wait(10000))
        return 1;
    bool saved = grab(&apps, folder + QStringLiteral("/apps-list.png"));
    QTest::keyClicks(apps.textField(), QStringLiteral("pho"));
    saved = grab(&apps, folder + QStringLiteral("/apps-search.png")) && saved;

    StartupItemsViewController startup;
    startup.resize(480, 520);
    startup.show();
    QSignalSpy rebuilt(&startup, &StartupItemsViewController::listRebuilt);
    startup.updateLoginItemsList();
    if (!rebuilt.wait(10000))
        return 1;
    saved = grab(&startup, folder + QStringLiteral("/startup-items.png")) && saved;
    return saved ? 0 : 1;
}
