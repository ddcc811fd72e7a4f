// corvella-screenshots tasks: the Task Manager tab with several application windows (xmessage
// under desktop entries of their own) and both loads, as the tab shows them on its own white
// background. Needs an X server with a window manager (tests/env/desktop-test-env.sh).
#include "Screenshots.h"
#include "tasks/TaskManagerViewController.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace {

struct Application {
    const char* instance;
    const char* name;
    const char* icon;
};

} // namespace

int Screenshots::tasks(int& argc, char** argv)
{
    QApplication application(argc, argv);
    const QString xmessage = QStandardPaths::findExecutable(QStringLiteral("xmessage"));
    if (xmessage.isEmpty()) {
        std::fprintf(stderr, "corvella-screenshots: xmessage is needed for the windows\n");
        return 1;
    }
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    const QString icons = QStringLiteral("/usr/share/icons/Adwaita/48x48/legacy/");
    const Application applications[] = {
        {"texteditor", "Text Editor", "accessories-text-editor.png"},
        {"calculator", "Calculator", "accessories-calculator.png"},
        {"charactermap", "Characters", "accessories-character-map.png"},
        {"dictionary", "Dictionary", "accessories-dictionary.png"},
        {"screenshooter", "Screenshot", "applets-screenshooter.png"},
    };
    QDir().mkpath(data.filePath(QStringLiteral("applications")));
    std::vector<std::unique_ptr<QProcess>> windows;
    for (const Application& application : applications) {
        QFile entry(data.filePath(
            QStringLiteral("applications/%1.desktop").arg(QLatin1String(application.instance))));
        if (!entry.open(QIODevice::WriteOnly))
            return 1;
        entry.write("[Desktop Entry]\nType=Application\nName=" + QByteArray(application.name) +
                    "\nIcon=" + QFile::encodeName(icons) + application.icon +
                    "\nStartupWMClass=" + application.instance + "\nExec=true\n");
        entry.close();
        auto window = std::make_unique<QProcess>();
        window->start(xmessage, {QStringLiteral("-name"), QLatin1String(application.instance),
                                 QLatin1String(application.name)});
        windows.push_back(std::move(window));
    }

    TaskManagerViewController tab;
    tab.setStyleSheet(QStringLiteral("TaskManagerViewController { background: palette(window); }"));
    tab.setAttribute(Qt::WA_StyledBackground);
    tab.resize(460, 560);
    tab.show();
    if (!QTest::qWaitForWindowExposed(&tab))
        return 1;
    const auto complete = [&] {
        return std::all_of(windows.cbegin(), windows.cend(), [&](const auto& window) {
            const auto& records = tab.allApplications();
            return std::any_of(records.cbegin(), records.cend(), [&](const TaskManagerInfo& r) {
                return r.pID == window->processId();
            });
        });
    };
    const bool listed = QTest::qWaitFor(complete, 20000);
    // Two refreshes: the second covers a whole interval.
    QSignalSpy loads(&tab, &TaskManagerViewController::loadUpdated);
    const bool loaded = QTest::qWaitFor([&] { return loads.size() >= 2; }, 10000);
    // One application unticked, as a user would before pressing Close.
    tab.listTableView()->setCurrentIndex(tab.listTableView()->model()->index(1, 2));
    tab.changeCloseButtonState();
    tab.listTableView()->clearSelection();
    QTest::qWait(200);
    const bool saved = m_canvas.saveBare(tab.grab().toImage(), QStringLiteral("tasks-tab.png"));
    for (const auto& window : windows) {
        window->kill();
        window->waitForFinished(5000);
    }
    return saved && listed && loaded ? 0 : 1;
}
