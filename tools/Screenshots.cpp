#include "Screenshots.h"

#include "common/Translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

namespace {

// Every sub-command's application speaks the language of its environment (English plural forms
// in the test desktop's C locale, German for `german`).
void installTranslations()
{
    Translations::install();
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installTranslations)

Screenshots::Screenshots(const QString& folder) : m_canvas(folder) {}

QString Screenshots::useHomeIn(const QString& folder)
{
    const QString home = folder + u"/home";
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home + u"/.cache"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home + u"/.local/share"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + u"/.config"));
    return home;
}

const QList<Screenshots::Command>& Screenshots::commands()
{
    static const QList<Command> table{
        {"panel", &Screenshots::panel,
         "panel-TAB.png for each tab, downloads-*.png (the Downloads window's stages)"},
        {"scaled", &Screenshots::scaled,
         "panel-scale-2.png (the panel at scale factor 2, where it sits on the screen)"},
        {"german", &Screenshots::german, "panel-de.png (the panel under LANGUAGE=de)"},
        {"dark", &Screenshots::dark,
         "panel-dark.png, downloads-dark.png (the dark colour scheme the desktop asks for)"},
        {"apps", &Screenshots::apps,
         "apps-list.png, apps-search.png, startup-items.png (a made-up catalogue)"},
        {"disks", &Screenshots::disks,
         "disks-*.png (fixture volumes: the tab, rename, format and its end)"},
        {"system", &Screenshots::system,
         "system-*.png (the system tool's views), update-*.png (each update outcome)"},
        {"tasks", &Screenshots::tasks, "tasks-tab.png (xmessage windows as applications)"},
        {"trash", &Screenshots::trash, "trash-window*.png (the home trash and two volumes)"},
        {"finder", &Screenshots::finder,
         "finder-*.png (a chosen folder by size on disk, the Caches view of a made-up home)"},
        {"progress", &Screenshots::progress,
         "progress-within-item.png (Completely Erase part way through one large folder)"},
    };
    return table;
}

void Screenshots::answerTheNextQuestionDestructively()
{
    QTimer::singleShot(300, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            for (QAbstractButton* button : box->buttons()) {
                if (box->buttonRole(button) == QMessageBox::DestructiveRole)
                    button->click();
            }
        }
    });
}

void Screenshots::printUsage(std::FILE* stream)
{
    std::fprintf(stream, "usage: corvella-screenshots COMMAND OUTPUT_FOLDER\n"
                         "Writes PNGs of one tool's windows to OUTPUT_FOLDER, over fixtures of its "
                         "own; run it inside\ntests/env/desktop-test-env.sh. Commands:\n");
    for (const Command& command : commands())
        std::fprintf(stream, "  %-8s %s\n", command.name, command.pictures);
}

int Screenshots::run(int argc, char** argv)
{
    if (argc == 2 && (qstrcmp(argv[1], "--help") == 0 || qstrcmp(argv[1], "-h") == 0)) {
        printUsage(stdout);
        return 0;
    }
    const Command* chosen = nullptr;
    for (const Command& command : commands()) {
        if (argc == 3 && qstrcmp(argv[1], command.name) == 0)
            chosen = &command;
    }
    if (!chosen) {
        if (argc == 3)
            std::fprintf(stderr, "corvella-screenshots: no command %s\n", argv[1]);
        printUsage(stderr);
        return 2;
    }
    Screenshots screenshots(QString::fromLocal8Bit(argv[2]));
    // QApplication keeps a reference to its argc: it must outlive the handler's application.
    int applicationArgc = 1;
    return (screenshots.*chosen->handler)(applicationArgc, argv);
}
