// corvella-screenshots trash: the Trash window listing items from the home trash and two volumes.
// The volumes are folders named in a fixture mount table; nothing of the user's is read.
#include "Screenshots.h"
#include "app/MyNSApplication.h"
#include "kit/StatusAttachedWindow.h"
#include "trash/TrashListModel.h"
#include "trash/TrashViewController.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QUrl>

#include <unistd.h>

namespace {

bool write(const QString& path, qint64 size, const QByteArray& content = {})
{
    QDir().mkpath(path.left(path.lastIndexOf(u'/')));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(content.isEmpty() ? QByteArray(size, 'x') : content) >= 0;
}

// One trashed item: its content in "files" (a folder when files > 0) and its record.
void trashed(const QString& trash, const QString& name, const QString& recorded, const char* date,
             qint64 size, int files = 0)
{
    const QString item = trash + u"/files/" + name;
    if (files == 0)
        write(item, size);
    for (int index = 0; index < files; ++index)
        write(item + QStringLiteral("/part-%1.bin").arg(index), size / files);
    write(trash + u"/info/" + name + u".trashinfo", 0,
          "[Trash Info]\nPath=" + QUrl::toPercentEncoding(recorded, "/") +
              "\nDeletionDate=" + date + '\n');
}

} // namespace

int Screenshots::trash(int& argc, char** argv)
{
    MyNSApplication app(argc, argv);
    QTemporaryDir root(QDir::tempPath() + QStringLiteral("/trash-shots-XXXXXX"));
    const QString top = root.path();
    const QString uid = QString::number(::geteuid());
    const QString home = top + u"/Trash";
    trashed(home, QStringLiteral("quarterly report.odt"),
            QStringLiteral("/home/user/Documents/quarterly report.odt"), "2026-12-01T09:14:02",
            182000);
    trashed(home, QStringLiteral("holiday 2026"),
            QStringLiteral("/home/user/Pictures/holiday 2026"), "2026-11-28T18:40:55", 3400000, 6);
    trashed(home, QStringLiteral("debian-12.5.0-amd64-netinst.iso"),
            QStringLiteral("/home/user/Downloads/debian-12.5.0-amd64-netinst.iso"),
            "2026-12-05T21:03:10", 6200000);
    trashed(home, QStringLiteral("notes.txt"), QStringLiteral("/home/user/notes.txt"),
            "2026-12-06T08:00:41", 5300);
    const QString backup = top + u"/BACKUP";
    trashed(backup + u"/.Trash-" + uid, QStringLiteral("old-backup-2025.tar.gz"),
            QStringLiteral("archives/old-backup-2025.tar.gz"), "2026-10-12T12:30:00", 4800000);
    trashed(backup + u"/.Trash-" + uid, QStringLiteral("node_modules"),
            QStringLiteral("projects/site/node_modules"), "2026-12-02T16:22:19", 2100000, 24);
    const QString stick = top + u"/USB STICK";
    trashed(stick + u"/.Trash-" + uid, QStringLiteral("IMG_0042.jpg"),
            QStringLiteral("DCIM/IMG_0042.jpg"), "2026-12-04T10:11:12", 3900000);
    trashed(stick + u"/.Trash-" + uid, QStringLiteral("draft.md"), QStringLiteral("draft.md"),
            "2026-12-06T07:45:00", 2300);
    QByteArray table;
    int id = 50;
    for (const QString& volume : {backup, stick})
        table += QByteArray::number(++id) + " 1 8:1 / " +
                 QFile::encodeName(volume).replace(" ", "\\040") + " rw - ext4 /dev/sdz rw\n";
    write(top + u"/mountinfo", 0, table);

    auto* view = new TrashViewController(TrashCleaner(home, top + u"/mountinfo", ::geteuid()));
    StatusAttachedWindow* window = showCentred(view);
    (void)QTest::qWaitFor([view] { return view->model()->isLoaded() && !view->model()->isBusy(); },
                          10000);
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        const QString name = view->model()->item(row).displayName();
        if (name == u"node_modules" || name == u"old-backup-2025.tar.gz" || name == u"draft.md")
            view->model()->setData(view->model()->index(row, 0), Qt::Checked, Qt::CheckStateRole);
    }
    QTest::qWait(100);
    if (!m_canvas.save(window, QStringLiteral("trash-window.png")))
        return 1;
    view->listView()->sortByColumn(TrashListModel::SizeColumn, Qt::DescendingOrder);
    QTest::qWait(50);
    const bool saved = m_canvas.save(window, QStringLiteral("trash-window-by-size.png"));
    delete window;
    return saved ? 0 : 1;
}
