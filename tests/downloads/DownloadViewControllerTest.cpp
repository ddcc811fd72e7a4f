#include "downloads/DownloadViewController.h"

#include "common/SettingsStore.h"
#include "common/SizeModeSetting.h"
#include "downloads/Controller.h"
#include "downloads/DowndLoadOutLineView.h"
#include "downloads/DownloadsTreeModel.h"
#include "downloads/FileTree.h"
#include "downloads/Progress.h"
#include "kit/StatusAttachedWindow.h"
#include "support/ConfirmationAnswer.h"
#include "support/Files.h"
#include "support/SizeFixture.h"
#include "support/TreeBuilder.h"
#include "support/WidgetTestMain.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class DownloadViewControllerTest : public QObject {
    Q_OBJECT
private:
    static QString imageOf(const QModelIndex& index)
    {
        return index.siblingAtColumn(0).data(DownloadsTreeModel::ImageNameRole).toString();
    }
    void show()
    {
        m_window = StatusAttachedWindow::create(m_view, QPointF(-3, 0));
        m_view->setSuperDelegate(m_window);
        m_window->center();
        m_window->show();
    }

    QModelIndex indexOf(const QString& name, const QModelIndex& parent = {}) const
    {
        DownloadsTreeModel* model = m_view->model();
        return model
            ->match(model->index(0, DownloadsTreeModel::NameColumn, parent), Qt::DisplayRole, name,
                    1, Qt::MatchExactly)
            .value(0);
    }

    std::pair<QString, bool> buttons() const
    {
        return {m_view->selectAllImage(), m_view->removalButtonsEnabled()};
    }

    void buildFolders(int folders, int files)
    {
        for (int folder = 1; folder <= folders; ++folder) {
            const QByteArray name = "f" + QByteArray::number(folder);
            m_build->folder(name);
            for (int file = 0; file < files; ++file)
                m_build->file(name + "/" + QByteArray::number(file), std::uint64_t(folder));
        }
    }

    // Holds the engine (not the window) after the first of three top-level folders.
    bool scanAndHoldAfterFirstEntry()
    {
        if (m_build->ok() && !exists(m_build->path("f3")))
            buildFolders(3, 6000);
        // Without giving the window a turn; again when a busy machine ran past the first entry.
        for (int attempt = 0; m_build->ok() && attempt < 5; ++attempt) {
            m_view->doScanWithPath(m_folder->path());
            const QDeadlineTimer deadline(20000);
            while (m_controller->getProgress() == 0.0f && !deadline.hasExpired()) {
            }
            Progress::isPause(true);
            if (m_controller->eumeRoot()->eumeFileCount() == 1)
                return true;
        }
        return false;
    }

    // Waits (ten seconds at most) until the window's timer of `interval` ms has fired `count`
    // times.
    bool waitForPolls(int interval, int count) const
    {
        for (QTimer* timer : m_view->findChildren<QTimer*>()) {
            if (timer->interval() == interval && timer->isActive()) {
                const QPointer<QTimer> alive(timer);
                QSignalSpy fired(timer, &QTimer::timeout);
                // A timer that its own poll deleted (the scan ended) has fired too.
                return QTest::qWaitFor([&] { return fired.count() >= count || !alive; }, 10000);
            }
        }
        return false;
    }

    void scanToTheEnd()
    {
        QVERIFY2(m_build->ok(), m_build->failure());
        m_view->doScanWithPath(m_folder->path());
        QTRY_VERIFY_WITH_TIMEOUT(!m_view->isShowingScanControls(), 20000);
    }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<TreeBuilder> m_build;
    std::unique_ptr<Controller> m_controller;
    DownloadViewController* m_view = nullptr;
    StatusAttachedWindow* m_window = nullptr;

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<QTemporaryDir>();
        m_build = std::make_unique<TreeBuilder>(m_folder->path());
        m_controller = std::make_unique<Controller>();
        m_view = new DownloadViewController(m_controller.get());
        show();
    }

    void cleanup()
    {
        m_controller->stopScan();
        m_controller->stopRemove();
        delete m_window; // and the view in it
        m_controller.reset();
        Progress::isPause(false);
        SizeModeSetting::store(SizeMode::Apparent);
    }

    // The switch is reached by the keyboard, remembered, and scans again in the mode chosen.
    void theSizeSwitchScansAgainInTheChosenModeAndIsRemembered()
    {
        const QString image = m_folder->filePath(u"image.iso"_s);
        QVERIFY(sizefixture::put(QFile::encodeName(image), "iso", 10'000'000));
        scanToTheEnd();
        const auto shown = [this] {
            return indexOf(u"image.iso"_s).data(DownloadsTreeModel::SizeRole).toLongLong();
        };
        QCOMPARE(shown(), 10'000'000);
        QComboBox* sizes = m_view->sizeModeSwitch();
        QVERIFY((sizes->focusPolicy() & Qt::TabFocus) && !sizes->accessibleName().isEmpty());
        sizes->setFocus();
        QTest::keyClick(sizes, Qt::Key_Down);
        QCOMPARE(sizes->currentText(), SizeModeSetting::title(SizeMode::DiskUsage));
        QCOMPARE(SizeModeSetting::load(), SizeMode::DiskUsage);
        QTRY_VERIFY_WITH_TIMEOUT(!m_view->isShowingScanControls(), 20000);
        QTRY_COMPARE(shown(), sizefixture::du(image, SizeMode::DiskUsage));
        QCOMPARE(DownloadViewController(m_controller.get()).sizeMode(), SizeMode::DiskUsage);
    }

    void placeholderSaysWhyNothingIsShown()
    {
        m_view->doScanWithPath(m_folder->path());
        QTRY_VERIFY(!m_view->isShowingScanControls());
        QCOMPARE(m_view->model()->rowCount(), 0);
        QCOMPARE(buttons(), std::pair(u"option_no"_s, false));
        QStringList said{m_view->placeholderText()};

        // Missing: the scan never ends, but the window says why, and still does after Stop Scan.
        const QString missing = m_build->qpath("Downloads");
        m_view->doScanWithPath(missing);
        said << m_view->placeholderText();
        QVERIFY(waitForPolls(300, 1));
        QVERIFY(m_view->isShowingScanControls());
        QCOMPARE(m_view->percentText(), u"0.0%"_s);
        m_view->stopScanButtonAction();
        QCOMPARE(m_view->placeholderText(), said.last());
        m_build->file("Downloads", 10); // a file where the folder should be
        m_view->doScanWithPath(missing);
        said << m_view->placeholderText();
        m_view->stopScanButtonAction();
        QVERIFY(said[0].contains(m_folder->path()) && said[1].contains(missing) &&
                said[2].contains(missing) && QSet(said.begin(), said.end()).size() == 3);
        QVERIFY(QFile::remove(missing));
        m_build->entries({"Downloads/setup.exe:10"});
        QVERIFY2(m_build->ok(), m_build->failure());
        m_view->doScanWithPath(missing);
        QVERIFY(m_view->placeholderText().isEmpty());
        QTRY_VERIFY(!m_view->isShowingScanControls());
        QVERIFY(m_view->placeholderText().isEmpty());
        QCOMPARE(m_view->model()->rowCount(), 1);
    }

    void theKeyboardMovesTicksAndOpens()
    {
        m_build->entries({"box/inner:300", "notes.txt:100"});
        scanToTheEnd();
        QCOMPARE(buttons(), std::pair(u"option_yes"_s, true));
        DowndLoadOutLineView* view = m_view->outlineView();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        view->setFocus();
        view->setCurrentIndex(m_view->model()->index(0, 0)); // "box", the larger
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Space);
        QCOMPARE(imageOf(indexOf(u"notes.txt"_s)) + m_view->selectAllImage(),
                 u"option_nooption_a"_s);
        for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Space, Qt::Key_Right})
            QTest::keyClick(view, key);
        const QModelIndex box = indexOf(u"box"_s).siblingAtColumn(0);
        QVERIFY(view->isExpanded(box));
        QCOMPARE(imageOf(box) + imageOf(indexOf(u"inner"_s, box)), u"option_nooption_no"_s);
        QCOMPARE(buttons(), std::pair(u"option_no"_s, false));
    }

    void pauseHoldsTheScanAndLetsBoxesChange()
    {
        QVERIFY(scanAndHoldAfterFirstEntry());
        QTRY_COMPARE(m_view->percentText(), u"33.3%"_s); // finished top-level entries
        QVERIFY(m_view->isScan() && !m_view->removalButtonsEnabled());
        DownloadsTreeModel* model = m_view->model();
        QTRY_VERIFY(model->rowCount() >= 1);
        const QModelIndex first = model->index(0, DownloadsTreeModel::CheckBoxColumn);
        DowndLoadOutLineView* view = m_view->outlineView();
        const auto click = [view, first] {
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->visualRect(first).center());
        };
        click();
        QCOMPARE(imageOf(first), u"option_yes"_s);
        m_view->pauseButtonAction();
        QVERIFY(m_view->pauseTitle() == u"Continue"_s && !m_view->isScan());
        click();
        QCOMPARE(imageOf(first), u"option_no"_s);
        m_view->setAllSelectOrNoSelect();
        QCOMPARE(imageOf(first), u"option_yes"_s);
        QCOMPARE(buttons(), std::pair(u"option_yes"_s, true));
        QVERIFY(waitForPolls(300, 2));
        QCOMPARE(m_view->percentText(), u"33.3%"_s);
        m_view->pauseButtonAction();
        QCOMPARE(m_view->pauseTitle(), u"Pause"_s);
        QTRY_VERIFY_WITH_TIMEOUT(!m_view->isShowingScanControls(), 20000);
        QVERIFY(model->rowCount() == 3 && indexOf(u"f3"_s).row() == 0);
    }

    void expansionAndScrollingSurviveTheReloads()
    {
        QVERIFY(scanAndHoldAfterFirstEntry());
        DowndLoadOutLineView* view = m_view->outlineView();
        DownloadsTreeModel* model = m_view->model();
        QTRY_VERIFY(model->rowCount() >= 1);
        QStringList opened; // the finished folder, and the one being walked
        for (int row = 0; row < model->rowCount(); ++row) {
            view->expand(model->index(row, 0));
            opened << model->index(row, DownloadsTreeModel::NameColumn).data().toString();
        }
        QScrollBar* bar = view->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 100);
        bar->setValue(100);
        QVERIFY(waitForPolls(500, 2)); // two reloads while held, then the end puts f3 on top
        Progress::isPause(false);
        QTRY_VERIFY_WITH_TIMEOUT(!m_view->isShowingScanControls(), 20000);
        QVERIFY(indexOf(u"f3"_s).row() == 0 && bar->value() == 100);
        for (const QString& name : std::as_const(opened)) {
            const QModelIndex folder = indexOf(name).siblingAtColumn(0);
            QVERIFY2(view->isExpanded(folder) && model->rowCount(folder) == 6000, qPrintable(name));
        }
    }

    void stopScanKeepsAPartialTree()
    {
        QVERIFY(scanAndHoldAfterFirstEntry());
        m_view->stopScanButtonAction();
        QVERIFY(!m_view->isShowingScanControls() && !m_view->isScan());
        QTRY_VERIFY(!m_controller->isScanning()); // the stop wakes the held engine
        // The finished folder and (unless held before it) the one cut short stay, chosen.
        DownloadsTreeModel* model = m_view->model();
        model->refresh();
        const int rows = model->rowCount();
        QVERIFY(rows == 1 || rows == 2);
        int files = 0;
        for (int row = 0; row < rows; ++row) {
            QCOMPARE(imageOf(model->index(row, 0)), u"option_yes"_s);
            files += model->rowCount(model->index(row, 0));
        }
        QVERIFY(files >= 6000 && files < 12000);
        QCOMPARE(buttons(), std::pair(u"option_no"_s, false)); // as during the scan
        // No reload or poll after the stop.
        QVERIFY(!QTest::qWaitFor([&] { return model->rowCount() != rows; }, 600));
    }

    void removingWhilePausedEndsTheScanFirst()
    {
        QVERIFY(scanAndHoldAfterFirstEntry());
        m_view->pauseButtonAction(); // the window's pause: boxes may change, removal may start
        m_view->model()->refresh();
        QStringList shown; // the finished folder, and the one being walked
        for (int row = 0; row < m_view->model()->rowCount(); ++row)
            shown << m_view->model()->index(row, DownloadsTreeModel::NameColumn).data().toString();
        m_view->setAllSelectOrNoSelect(); // the button shows "none" during a scan: ticks all
        QTRY_VERIFY(m_view->removalButtonsEnabled());
        m_view->deleteFiles();
        QVERIFY(!m_view->isShowingScanControls() && !m_controller->isScanning());
        // A folder never reached stays; of the one walked, what it had not listed stays, listed.
        m_view->model()->refresh();
        QVERIFY(m_view->model()->rowCount() <= 1);
        for (const QString& name : {u"f1"_s, u"f2"_s, u"f3"_s})
            QVERIFY2(exists(m_folder->filePath(name)) ==
                         (!shown.contains(name) || indexOf(name).isValid()),
                     qPrintable(name));
    }

    void removingOneItemAsksShowsThirtyThenCloses()
    {
        m_build->entries({"keep:10", "drop:20"});
        scanToTheEnd();
        m_controller->selectAllFileNode(false);
        QTRY_COMPARE(m_view->selectAllImage(), u"option_no"_s);
        m_view->model()->clickCheckBox(indexOf(u"drop"_s));
        QTRY_VERIFY(m_view->removalButtonsEnabled());
        QStringList shown; // what the progress window is told, while it is open
        connect(m_view, &DownloadViewController::removalWindowShown, this, [this, &shown] {
            ProgressViewController* progress = m_view->progressView();
            connect(progress, &ProgressViewController::progressChanged, this,
                    [progress, &shown](int, const QString& path) {
                        QVERIFY(progress->superDelegate()->isVisible());
                        shown << progress->percentText() + u' ' + QFileInfo(path).fileName();
                    });
        });
        // Asked first, Cancel the default; cancelled, nothing goes. The keyboard was never on
        // a removal button.
        QVERIFY(SettingsStore::standard().setValue(u"ConfirmIrreversibleActions"_s, true));
        QCOMPARE(m_window->focusWidget(), m_view->outlineView());
        for (const bool confirm : {false, true}) {
            const ConfirmationAnswer answer(confirm);
            m_view->deleteFiles(); // returns when the progress window has closed
            QCOMPARE(answer.asked(), 1);
            QVERIFY(answer.question().contains(u"erase 1 item (20 byte apparent)"_s));
            QVERIFY(answer.cancelIsDefault());
            QVERIFY(exists(m_build->path("drop")) != confirm);
        }
        QVERIFY(SettingsStore::standard().setValue(u"ConfirmIrreversibleActions"_s, false));
        QVERIFY(!m_view->isRemove() && !exists(m_build->path("drop")));
        QCOMPARE(shown, QStringList({u"30% drop"_s, u"100% drop"_s}));
        m_view->model()->refresh();
        QCOMPARE(m_view->model()->rowCount(), 1);
        QCOMPARE(buttons(), std::pair(u"option_no"_s, false));
    }

    void failedRemovalStaysVisibleWithItsReason()
    {
        m_build->entries({"vanishing:10", "other:5"});
        scanToTheEnd();
        QVERIFY(QFile::remove(m_build->qpath("vanishing")));
        m_view->deleteFiles();
        QTRY_VERIFY(m_view->failureText().contains(u"1 item"_s));
        QVERIFY(m_view->failureDetails().value(0).contains(m_build->qpath("vanishing")));
        m_view->model()->refresh();
        QCOMPARE(m_view->model()->rowCount(), 1);
        QVERIFY(indexOf(u"vanishing"_s).isValid());
    }

    // The window says what went, with the failures one click away, keeps the rows in sight where
    // they were, and shows what the ticks come to.
    void afterARemovalTheWindowSaysWhatWasFreedAndStaysInPlace()
    {
        for (int size = 100; size < 160; ++size) // shown largest first: f159 on top
            m_build->file("f" + QByteArray::number(size), std::uint64_t(size));
        scanToTheEnd();
        QVERIFY(
            m_view->chosenTotalText().contains(u"60 item"_s) &&
            m_view->chosenTotalText().endsWith(SizeModeSetting::figure(7770, SizeMode::Apparent)));
        m_controller->selectAllFileNode(false);
        QTRY_COMPARE(m_view->chosenTotalText(), QString());

        DowndLoadOutLineView* outline = m_view->outlineView();
        QScrollBar* bar = outline->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum() / 2);
        const int top = outline->indexAt(QPoint(1, 1)).row();
        const auto nameAt = [this](int row) {
            return m_view->model()->index(row, DownloadsTreeModel::NameColumn).data().toString();
        };
        // Above the rows in sight, the top one, and one that vanishes behind the cleaner's back.
        const QString staysOnTop = nameAt(top + 1), vanishing = nameAt(top + 5);
        for (const int row : {top - 3, top, top + 5})
            m_view->model()->clickCheckBox(m_view->model()->index(row, 0));
        QTRY_VERIFY(m_view->chosenTotalText().contains(u"3 item"_s));
        const QString freed = SizeModeSetting::figure(
            nameAt(top - 3).mid(1).toInt() + nameAt(top).mid(1).toInt(), SizeMode::Apparent);
        QVERIFY(QFile::remove(m_build->qpath(vanishing.toUtf8())));
        m_view->deleteFiles(); // returns when the progress window has closed
        QTRY_VERIFY(!m_view->failureText().isEmpty());
        QVERIFY(m_view->failureText().startsWith(u"Freed "_s + freed + u"; 1 item"_s));
        QCOMPARE(nameAt(outline->indexAt(QPoint(1, 1)).row()), staysOnTop);

        // Announced with its link; the link lists each failure with its reason, in the window.
        QLabel* said = nullptr;
        for (QLabel* label : m_view->findChildren<QLabel*>())
            if (label->isVisible() &&
                label->accessibleName() == m_view->failureText() + u" Details…"_s)
                said = label;
        QVERIFY(said);
        Q_EMIT said->linkActivated(u"details"_s);
        auto* list = m_view->findChild<QListWidget*>(u"removalFailures"_s);
        QVERIFY(list && list->isVisible() && list->count() == 1);
        QVERIFY(list->item(0)->text().contains(m_build->qpath(vanishing.toUtf8())));
        list->window()->close();

        // All gone: only what was freed.
        m_view->model()->clickCheckBox(m_view->model()->index(0, 0));
        m_view->deleteFiles();
        QTRY_COMPARE(m_view->failureText(),
                     u"Freed "_s + SizeModeSetting::figure(159, SizeMode::Apparent));
    }

    void closingTheProgressWindowStopsTheRun()
    {
        buildFolders(60, 150);
        scanToTheEnd();
        connect(m_view, &DownloadViewController::removalWindowShown, this, [this] {
            ProgressViewController* progress = m_view->progressView();
            connect(progress, &ProgressViewController::progressChanged, this,
                    [progress](int percent) {
                        if (percent < 100)
                            progress->superDelegate()->close();
                    });
        });
        m_view->deleteFiles();
        QTRY_VERIFY(!m_controller->isRemoving() && !m_view->isRemove());
        const int left = int(entriesOf(m_folder->path()).size());
        QVERIFY2(left > 0, "the run went on to the end");
        m_view->model()->refresh();
        QCOMPARE(m_view->model()->rowCount(), left);
    }

    void closingStopsTheScanAndTheNextOpeningStartsFresh_data()
    {
        QTest::addColumn<bool>("escape"); // else the window manager; both as the close control
        QTest::newRow("Escape") << true;
        QTest::newRow("window manager") << false;
    }

    void closingStopsTheScanAndTheNextOpeningStartsFresh()
    {
        QFETCH(bool, escape);
        QVERIFY(scanAndHoldAfterFirstEntry());
        m_view->pauseButtonAction();
        QTRY_VERIFY(m_view->model()->rowCount() >= 1);
        if (escape) {
            m_window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_window));
            m_view->outlineView()->setFocus(); // where the keyboard usually is
            QTest::keyClick(m_view->outlineView(), Qt::Key_Escape);
        } else {
            QVERIFY(m_window->close());
        }
        QVERIFY(!m_window->isVisible());
        QTRY_VERIFY(!m_controller->isScanning());
        QVERIFY(m_view->model()->rowCount() == 0 && m_view->pauseTitle() == u"Pause"_s);
        QCOMPARE(buttons(), std::pair(u"option_no"_s, false));
        Progress::isPause(false);
        m_view->setParent(nullptr);
        delete m_window;
        show();
        m_view->doScanWithPath(m_folder->path());
        QVERIFY(m_view->isShowingScanControls());
        QTRY_VERIFY_WITH_TIMEOUT(!m_view->isScan(), 20000);
        QCOMPARE(m_view->model()->rowCount(), 3);
    }
};

CORVELLA_WIDGET_TEST_MAIN(DownloadViewControllerTest, false)

#include "DownloadViewControllerTest.moc"
