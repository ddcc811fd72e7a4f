// Completely Erase as the Downloads window runs it, for bench/scan: scans FOLDER into a tree,
// keeps everything ticked, erases what the scan listed, and prints the erase's own wall time in
// milliseconds (the scan before it is not counted):   listed-erase FOLDER
// Exit status 0 when the folder's contents are gone.
#include "downloads/Controller.h"
#include "downloads/EumeRoot.h"
#include "downloads/FileTree.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: listed-erase FOLDER\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    auto tree = std::make_shared<FileTree>(folder);
    Controller controller;
    controller.eumeAllRootFileNodeWithRootArr(tree, folder);
    controller.eumeRoot()->waitUntilDone();

    QElapsedTimer clock;
    clock.start();
    controller.deleteFilesWithDic();
    controller.waitForRemoval();
    std::printf("%.1f\n", double(clock.nsecsElapsed()) / 1e6);
    const bool emptied =
        QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (!emptied)
        std::fprintf(stderr, "listed-erase: %s is not empty afterwards\n", argv[1]);
    return emptied ? 0 : 1;
}
