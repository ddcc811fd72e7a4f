#include "downloads/CleanUpViewController.h"

#include "common/SettingsStore.h"
#include "downloads/DownloadViewController.h"
#include "downloads/DownloadsTreeModel.h"
#include "kit/ImageButton.h"
#include "kit/StatusAttachedWindow.h"
#include "support/ConfirmationAnswer.h"
#include "support/Files.h"
#include "support/WidgetTestMain.h"
#include "trash/FullDiskAccessViewController.h"
#include "trash/TrashAction.h"

#include <QApplication>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

void whenReady(QObject* context, std::function<bool()> check)
{
    auto* poll = new QTimer(context);
    QObject::connect(poll, &QTimer::timeout, context, [poll, check = std::move(check)] {
        if (check())
            poll->deleteLater();
    });
    poll->start(10);
}

QString trash(const char* below)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/Trash/"_s +
           QLatin1StringView(below);
}

} // namespace

class CleanUpViewControllerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_page = std::make_unique<CleanUpViewController>();
        m_page->resize(480, 600);
        m_page->show();
    }

    void cleanup()
    {
        m_page.reset();
        QDir(DownloadViewController::downloadsFolder()).removeRecursively();
        QDir(trash("")).removeRecursively();
    }

    void downloadsWindowIsReusedAndEachOpeningScansAfresh()
    {
        // The page's first focus is on Clean Downloads, not on the button that empties the Trash.
        m_page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_page.get()));
        QCOMPARE(QApplication::focusWidget(), m_page->cleanDownloadBut());
        const QString downloads = DownloadViewController::downloadsFolder();
        QVERIFY(downloads.startsWith(QDir::homePath())); // the private home's
        QVERIFY(writeFile(downloads + u"/setup.exe"_s) && writeFile(downloads + u"/notes.txt"_s));
        QList<std::pair<DownloadViewController*, int>> openings;
        connect(m_page.get(), &CleanUpViewController::downloadWindowShown, this, [&] {
            DownloadViewController* view = m_page->downloadWC();
            openings.append({view, -1});
            whenReady(view, [view, &openings] {
                if (view->isShowingScanControls())
                    return false;
                openings.last().second = view->model()->rowCount();
                view->closeWindow();
                return true;
            });
        });
        for (int opening = 0; opening < 2; ++opening) {
            m_page->cleanDownload(); // returns when the window has closed
            QCOMPARE(m_page->downloadWC()->model()->rowCount(), 0);
        }
        const auto reused = std::pair(m_page->downloadWC(), 2);
        QCOMPARE(openings, QList({reused, reused}));
        QVERIFY(exists(downloads + u"/setup.exe"_s)); // nothing removed
    }

    void emptyTrashAsksFirstAndDisablesItsButtonUntilDone()
    {
        QVERIFY(writeFile(trash("files/old.iso"), QByteArray(2000, 'x')));
        // The action empties every trash of the user: go on only when the machine's are empty.
        for (const QString& folder : TrashCleaner::forCurrentUser().trashFolders()) {
            if (folder != trash("").chopped(1) &&
                !(entriesOf(folder + u"/files"_s) + entriesOf(folder + u"/info"_s)).isEmpty())
                QSKIP(qPrintable(u"emptying every trash would touch %1, not empty"_s.arg(folder)));
        }
        QVERIFY(SettingsStore::standard().setValue(u"ConfirmIrreversibleActions"_s, true));
        QSignalSpy finished(m_page->trashAction(), &TrashAction::finished);
        QSignalSpy prompted(m_page->trashAction(), &TrashAction::accessPromptNeeded);
        QSignalSpy progressShown(m_page.get(), &CleanUpViewController::trashProgressShown);
        for (const bool confirm : {false, true}) {
            const ConfirmationAnswer answer(confirm);
            m_page->closeTrashBut()->click();
            QVERIFY(!m_page->closeTrashBut()->isEnabled()); // measured, asked, then emptied
            QTRY_COMPARE(answer.asked(), 1);
            QVERIFY(answer.question().contains(u"1 item (2.00 KB apparent)"_s) &&
                    answer.cancelIsDefault());
            QTRY_VERIFY(m_page->closeTrashBut()->isEnabled());
            QCOMPARE(entriesOf(trash("files")),
                     confirm ? QStringList() : QStringList{u"old.iso"_s});
        }
        QCOMPARE(finished.count(), 1);
        QCOMPARE(progressShown.count(), 1); // for the emptying, closed at its end
        QCOMPARE(prompted.count(), 0);
        QVERIFY(SettingsStore::standard().setValue(u"ConfirmIrreversibleActions"_s, false));
    }

    void accessPromptIsModalAndRemovesNothing()
    {
        QVERIFY(writeFile(trash("files/old.iso")));
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
        QVERIFY(shown && wasModal);
        QCOMPARE(entriesOf(trash("files")), QStringList{u"old.iso"_s});
    }

private:
    std::unique_ptr<CleanUpViewController> m_page;
};

CORVELLA_WIDGET_TEST_MAIN(CleanUpViewControllerTest, false)

#include "CleanUpViewControllerTest.moc"
