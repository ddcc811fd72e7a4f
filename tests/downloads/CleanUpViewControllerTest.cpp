// The Cleanup tab's two actions, in a private home: the Downloads window opened twice, and the
// Trash emptied or the access prompt shown.
#include "downloads/CleanUpViewController.h"

#include "kit/StatusAttachedWindow.h"
#include "downloads/DownloadViewController.h"
#include "downloads/DownloadsTreeModel.h"
#include "downloads/FullDiskAccessViewController.h"
#include "downloads/TrashAction.h"
#include "kit/ImageButton.h"
#include "support/PrivateHome.h"

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// Calls `check` on every turn of the event loop until it returns true, then stops.
void whenReady(QObject* context, std::function<bool()> check)
{
    auto* poll = new QTimer(context);
    QObject::connect(poll, &QTimer::timeout, context, [poll, check = std::move(check)] {
        if (check())
            poll->deleteLater();
    });
    poll->start(10);
}

} // namespace

class CleanUpViewControllerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void downloadsWindowIsReusedAndEachOpeningScansAfresh();
    void emptyTrashEmptiesEveryTrashFolderWithoutAsking();
    void accessPromptIsModalAndRemovesNothing();

private:
    QString trash() const
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
               QStringLiteral("/Trash");
    }

    std::unique_ptr<CleanUpViewController> m_page;
};

void CleanUpViewControllerTest::init()
{
    m_page = std::make_unique<CleanUpViewController>();
    m_page->resize(480, 600);
    m_page->show();
}

void CleanUpViewControllerTest::cleanup()
{
    m_page.reset();
    QDir(DownloadViewController::downloadsFolder()).removeRecursively();
    QDir(trash()).removeRecursively();
}

void CleanUpViewControllerTest::downloadsWindowIsReusedAndEachOpeningScansAfresh()
{
    const QString downloads = DownloadViewController::downloadsFolder();
    QVERIFY(downloads.startsWith(QDir::homePath())); // the private home's
    writeFile(downloads + QStringLiteral("/setup.exe"), QByteArray(3000, 'x'));
    writeFile(downloads + QStringLiteral("/notes.txt"), QByteArray(10, 'x'));

    struct Opening {
        DownloadViewController* view = nullptr;
        QString pauseTitle;
        bool scanning = false;
        int rows = -1;
    };
    QList<Opening> openings;
    connect(m_page.get(), &CleanUpViewController::downloadWindowShown, this, [&] {
        DownloadViewController* view = m_page->downloadWC();
        openings.append({view, view->pauseTitle(), view->isShowingScanControls(), -1});
        // Once the scan is over, note the rows and close the window as the user would.
        whenReady(view, [view, &openings] {
            if (view->isShowingScanControls())
                return false;
            openings.last().rows = view->model()->rowCount();
            view->closeWindow();
            return true;
        });
    });

    m_page->cleanDownload(); // returns when the window has closed
    DownloadViewController* first = m_page->downloadWC();
    QCOMPARE(first->model()->rowCount(), 0); // emptied by its close
    // The second opening: the same view, paused before it is closed this time.
    connect(m_page.get(), &CleanUpViewController::downloadWindowShown, this,
            [&] { m_page->downloadWC()->pauseButtonAction(); });
    m_page->cleanDownload();

    QCOMPARE(openings.size(), 2);
    QCOMPARE(openings[0].view, first);
    QCOMPARE(openings[1].view, first);
    for (const Opening& opening : std::as_const(openings)) {
        QCOMPARE(opening.pauseTitle, QStringLiteral("Pause"));
        QVERIFY(opening.scanning);
        QCOMPARE(opening.rows, 2);
    }
    QCOMPARE(first->pauseTitle(), QStringLiteral("Pause"));               // set back by the close
    QVERIFY(QFileInfo::exists(downloads + QStringLiteral("/setup.exe"))); // nothing removed
}

void CleanUpViewControllerTest::emptyTrashEmptiesEveryTrashFolderWithoutAsking()
{
    QTemporaryDir outside;
    writeFile(outside.filePath(QStringLiteral("keep.txt")), "not in the trash");
    writeFile(trash() + QStringLiteral("/files/old.iso"), QByteArray(4096, 'x'));
    writeFile(trash() + QStringLiteral("/info/old.iso.trashinfo"),
              "[Trash Info]\nPath=/home/someone/old.iso\nDeletionDate=2026-01-02T03:04:05\n");
    writeFile(trash() + QStringLiteral("/files/folder/inner.txt"), "inner");
    writeFile(trash() + QStringLiteral("/info/folder.trashinfo"),
              "[Trash Info]\nPath=/home/someone/folder\nDeletionDate=2026-01-02T03:04:05\n");
    QVERIFY(QFile::link(outside.path(), trash() + QStringLiteral("/files/link")));

    // The action empties every trash of this user, the volumes' too: go on only when those of
    // this machine hold nothing, so that no trash but the private home's is touched.
    for (const QString& folder : TrashCleaner::forCurrentUser().trashFolders()) {
        if (folder != trash() && (!entriesOf(folder + QStringLiteral("/files")).isEmpty() ||
                                  !entriesOf(folder + QStringLiteral("/info")).isEmpty()))
            QSKIP(qPrintable(QStringLiteral("the trash folder %1 of this machine is not empty; "
                                            "emptying every trash would touch it")
                                 .arg(folder)));
    }
    QSignalSpy finished(m_page->trashAction(), &TrashAction::finished);
    QSignalSpy prompted(m_page->trashAction(), &TrashAction::accessPromptNeeded);
    m_page->closeTrashBut()->click();
    QVERIFY(!m_page->closeTrashBut()->isEnabled()); // until the worker is done
    QVERIFY(finished.wait(20000));
    QVERIFY(m_page->closeTrashBut()->isEnabled());
    QCOMPARE(prompted.count(), 0);
    const auto result = finished.first().first().value<TrashCleaner::Result>();
    QCOMPARE(result.failures, 0);
    QCOMPARE(result.itemsRemoved, 3);
    QVERIFY(result.bytesFreed >= 4096);
    // The folders stay, empty; what the link pointed to is untouched.
    QCOMPARE(entriesOf(trash() + QStringLiteral("/files")), QStringList());
    QCOMPARE(entriesOf(trash() + QStringLiteral("/info")), QStringList());
    QVERIFY(QFileInfo::exists(outside.filePath(QStringLiteral("keep.txt"))));
}

void CleanUpViewControllerTest::accessPromptIsModalAndRemovesNothing()
{
    writeFile(trash() + QStringLiteral("/files/old.iso"), QByteArray(10, 'x'));
    // What a sandbox without access makes the action say: the page answers with the prompt, in a
    // modal window of its own, and nothing is removed.
    FullDiskAccessViewController* shown = nullptr;
    bool wasModal = false;
    whenReady(this, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* prompt = window->findChild<FullDiskAccessViewController*>();
            if (prompt && window->isVisible()) {
                shown = prompt;
                wasModal = QApplication::activeModalWidget() == window;
                prompt->closeWindow();
                return true;
            }
        }
        return false;
    });
    Q_EMIT m_page->trashAction()->accessPromptNeeded(); // returns when the prompt has closed
    QVERIFY(shown);
    QVERIFY(wasModal);
    QCOMPARE(entriesOf(trash() + QStringLiteral("/files")),
             QStringList({QStringLiteral("old.iso")}));
}

int main(int argc, char** argv)
{
    const PrivateHome home;
    if (!home.isValid())
        return 1;
    QApplication application(argc, argv);
    CleanUpViewControllerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CleanUpViewControllerTest.moc"
