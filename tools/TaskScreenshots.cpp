// The Task Manager tab for the documentation and its benchmark, under an X server with a window
// manager (tests/env/desktop-test-env.sh):
//   task-screenshots OUTPUT.png       several application windows (xmessage under desktop entries
//                                     of their own) and both loads, as the tab shows them
//   task-screenshots --rebuild N      N rebuilds of the list as the tab makes them; prints the
//                                     processor time of each (thread CPU time), median and worst
#include "kit/TextImageButton.h"
#include "platform/ProcProcesses.h"
#include "tasks/TaskListBuilder.h"
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
#include <ctime>

namespace {

double threadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

int benchmarkRebuilds(int count)
{
    TaskListBuilder::Options options;
    options.includeOwnProcess = true;
    TaskListBuilder builder(options, TaskListBuilder::createWindowSource());
    builder.getAllProcess(); // the desktop entry index is read once per run
    QList<double> costs;
    qsizetype rows = 0;
    for (int round = 0; round < count; ++round) {
        const double before = threadCpuMilliseconds();
        rows = builder.getAllProcess().size();
        costs.append(threadCpuMilliseconds() - before);
    }
    std::sort(costs.begin(), costs.end());
    std::printf(
        "rows %lld, processes %lld, rebuild CPU ms: median %.3f, worst %.3f\n",
        static_cast<long long>(rows),
        static_cast<long long>(
            QDir(QStringLiteral("/proc")).entryList({QStringLiteral("[1-9]*")}, QDir::Dirs).size()),
        costs.at(costs.size() / 2), costs.last());
    return 0;
}

struct Application {
    const char* instance;
    const char* name;
    const char* icon;
};

int screenshot(const QString& output)
{
    const QString xmessage = QStandardPaths::findExecutable(QStringLiteral("xmessage"));
    if (xmessage.isEmpty()) {
        std::fprintf(stderr, "task-screenshots: xmessage is needed for the windows\n");
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
    tab.setStyleSheet(QStringLiteral("TaskManagerViewController { background: white; }"));
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
    const bool saved = tab.grab().save(output);
    for (const auto& window : windows) {
        window->kill();
        window->waitForFinished(5000);
    }
    if (!saved) {
        std::fprintf(stderr, "task-screenshots: could not write %s\n", qPrintable(output));
        return 1;
    }
    return listed && loaded ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && QByteArray(argv[1]) == "--rebuild") {
        QCoreApplication application(argc, argv);
        return benchmarkRebuilds(std::max(1, std::atoi(argv[2])));
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: task-screenshots OUTPUT.png | --rebuild N\n");
        return 2;
    }
    QApplication application(argc, argv);
    return screenshot(QFile::decodeName(argv[1]));
}
