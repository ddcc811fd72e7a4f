#include "downloads/DownloadViewController.h"

#include "app/ProgramOptions.h"
#include "common/SettingsStore.h"
#include "common/SizeModeSetting.h"
#include "downloads/Controller.h"
#include "downloads/DowndLoadOutLineView.h"
#include "downloads/DownloadsTreeModel.h"
#include "downloads/FileTree.h"
#include "downloads/Progress.h"
#include "kit/StatusAttachedWindow.h"
#include "support/ChildProcess.h"
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
    QModelIndex indexOf(const QString& name, const QModelIndex& parent = {}) const
    {
        const QModelIndex first = m_view->model()->index(0, DownloadsTreeModel::NameColumn, parent);
        return m_view->model()->match(first, Qt::DisplayRole, name, 1, Qt::MatchExactly).value(0);
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

    bool focusTheList()
    {
        m_window->activateWindow();
        const bool active = QTest::qWaitForWindowActive(m_window);
        m_view->outlineView()->setFocus();
        return active;
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
        m_window = StatusAttachedWindow::create(m_view, QPointF(-3, 0));
        m_view->setSuperDelegate(m_window);
        m_window->center();
        m_window->show();
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

    // An empty folder and a missing one each say why nothing is shown (a file where a folder
    // should be, and a folder that scans, without one: chosenFolder).
    void placeholderSaysWhyNothingIsShown()
    {
        scanToTheEnd();
        QCOMPARE(m_view->model()->rowCount(), 0);
        QCOMPARE(buttons(), std::pair(u"option_no"_s, false));
        const QString empty = m_view->placeholderText(), missing = m_build->qpath("Downloads");
        QVERIFY(empty.contains(m_folder->path()));
        // Missing: the scan never ends, but the window says why, and still does after Stop Scan.
        m_view->doScanWithPath(missing);
        const QString said = m_view->placeholderText();
        QVERIFY(said.contains(missing) && said != empty);
        QVERIFY(waitForPolls(300, 1) && m_view->isShowingScanControls());
        m_view->stopScanButtonAction();
        QCOMPARE(m_view->placeholderText(), said);
    }

    void theKeyboardMovesTicksAndOpens()
    {
        m_build->entries({"box/inner:300", "notes.txt:100"});
        scanToTheEnd();
        QCOMPARE(buttons(), std::pair(u"option_yes"_s, true));
        DowndLoadOutLineView* view = m_view->outlineView();
        QVERIFY(focusTheList());
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

    // Held by the engine, a click changes no box; paused by the window, the scan stays held,
    // boxes may change, and a removal ends the scan first.
    void removingWhilePausedEndsTheScanFirst()
    {
        QVERIFY(scanAndHoldAfterFirstEntry());
        QTRY_COMPARE(m_view->percentText(), u"33.3%"_s); // finished top-level entries
        QVERIFY(m_view->isScan() && !m_view->removalButtonsEnabled());
        DownloadsTreeModel* model = m_view->model();
        QTRY_VERIFY(model->rowCount() >= 1);
        DowndLoadOutLineView* view = m_view->outlineView();
        const QPersistentModelIndex first = model->index(0, DownloadsTreeModel::CheckBoxColumn);
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
        QVERIFY(waitForPolls(300, 2));
        QCOMPARE(m_view->percentText(), u"33.3%"_s);
        model->refresh();
        QStringList shown; // the finished folder, and the one being walked
        for (int row = 0; row < model->rowCount(); ++row)
            shown << model->index(row, DownloadsTreeModel::NameColumn).data().toString();
        m_view->setAllSelectOrNoSelect(); // the button shows "none" during a scan: ticks all
        QCOMPARE(imageOf(first), u"option_yes"_s);
        QTRY_VERIFY(m_view->removalButtonsEnabled());
        m_view->deleteFiles();
        QVERIFY(!m_view->isShowingScanControls() && !m_controller->isScanning());
        // A folder never reached stays; of the one walked, what it had not listed stays, listed.
        model->refresh();
        QVERIFY(model->rowCount() <= 1);
        for (const QString& name : {u"f1"_s, u"f2"_s, u"f3"_s})
            QVERIFY2(exists(m_folder->filePath(name)) ==
                         (!shown.contains(name) || indexOf(name).isValid()),
                     qPrintable(name));
    }

    void removingOneItemAsksFirstWithCancelTheDefault()
    {
        m_build->entries({"keep:10", "drop:20"});
        scanToTheEnd();
        m_controller->selectAllFileNode(false);
        QTRY_COMPARE(m_view->selectAllImage(), u"option_no"_s);
        m_view->model()->clickCheckBox(indexOf(u"drop"_s));
        QTRY_VERIFY(m_view->removalButtonsEnabled());
        // Cancelled, nothing goes. The keyboard was never on a removal button.
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
        QVERIFY(!m_view->isRemove() && exists(m_build->path("keep")));
        m_view->model()->refresh();
        QCOMPARE(m_view->model()->rowCount(), 1);
        QCOMPARE(buttons(), std::pair(u"option_no"_s, false));
    }

    // The window says what went, with the failures (their rows stay) one click away, keeps the
    // rows in sight where they were, and shows what the ticks come to.
    void afterARemovalTheWindowSaysWhatWasFreedAndStaysInPlace()
    {
        for (int size = 100; size < 160; ++size) // shown largest first: f159 on top
            m_build->file("f" + QByteArray::number(size), std::uint64_t(size));
        scanToTheEnd();
        m_controller->selectAllFileNode(false);
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
        QVERIFY(indexOf(vanishing).isValid());
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

    // The next opening scans afresh: CleanUpViewControllerTest.
    void closingStopsTheScan_data()
    {
        QTest::addColumn<bool>("escape"); // else the window manager; both as the close control
        QTest::newRow("Escape") << true;
        QTest::newRow("window manager") << false;
    }

    void closingStopsTheScan()
    {
        QFETCH(bool, escape);
        QVERIFY(scanAndHoldAfterFirstEntry());
        m_view->pauseButtonAction();
        QTRY_VERIFY(m_view->model()->rowCount() >= 1);
        if (escape) {
            QVERIFY(focusTheList()); // where the keyboard usually is
            QTest::keyClick(m_view->outlineView(), Qt::Key_Escape);
        } else {
            QVERIFY(m_window->close());
        }
        QVERIFY(!m_window->isVisible());
        QTRY_VERIFY(!m_controller->isScanning());
        QVERIFY(m_view->model()->rowCount() == 0 && m_view->pauseTitle() == u"Pause"_s);
        QCOMPARE(buttons(), std::pair(u"option_no"_s, false));
    }
    // A chosen folder (as the chooser, a drop and `corvella --scan` give it): the title names
    // what the kernel resolves; what cannot be scanned says why.
    void chosenFolder_data()
    {
        QTest::addColumn<QString>("given");    // relative to the fixture
        QTest::addColumn<QString>("resolved"); // what the title names, relative
        QTest::addColumn<int>("rows");         // -1: nothing scanned, the reason shown
        QTest::addRow("readable") << u"sub"_s << u"sub"_s << 2;
        QTest::addRow("link then ..") << u"link/.."_s << u"sub"_s << 2;
        QTest::addRow("unreadable") << u"locked"_s << u"locked"_s << -1;
        QTest::addRow("a file") << u"sub/a"_s << u"sub/a"_s << -1;
        QTest::addRow("missing") << u"gone"_s << u"gone"_s << -1;
    }
    void chosenFolder()
    {
        QFETCH(QString, given);
        QFETCH(QString, resolved);
        QFETCH(int, rows);
        if (given == u"locked"_s && ::geteuid() == 0)
            QSKIP("root reads any folder");
        m_build->entries({"sub/a:5000", "sub/inner/b:10", "locked/c:1", "link>sub/inner"});
        QVERIFY2(m_build->ok(), m_build->failure());
        QVERIFY(::chmod(m_build->path("locked").constData(), 0) == 0);
        const QString real = QDir(m_folder->path()).canonicalPath() + u'/' + resolved;
        m_view->scanChosenFolder(m_folder->filePath(given));
        QVERIFY2(m_view->windowTitle().startsWith(real), qPrintable(m_view->windowTitle()));
        QCOMPARE(m_window->windowTitle(), m_view->windowTitle());
        if (rows < 0) {
            QVERIFY(m_view->placeholderText().contains(real));
            QVERIFY(!m_view->isScan() && !m_controller->isScanning());
            QCOMPARE(m_view->model()->rowCount(), 0);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(!m_view->isScan(), 20000);
            QCOMPARE(m_view->model()->rowCount(), rows);
            QCOMPARE(m_view->placeholderText(), QString());
        }
        ::chmod(m_build->path("locked").constData(), 0700);
    }

    // Whatever folder is scanned, the run refuses what holds the home folder and removes the rest.
    void removalGuard()
    {
        m_build->entries({"users/me/keep:10", "junk/a:10"});
        QVERIFY2(m_build->ok(), m_build->failure());
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", m_build->path("users/me"));
        m_view->scanChosenFolder(m_folder->path());
        QTRY_VERIFY_WITH_TIMEOUT(!m_view->isScan(), 20000);
        m_view->deleteFiles(); // everything is ticked after a scan
        QTRY_VERIFY_WITH_TIMEOUT(!m_controller->isRemoving(), 20000);
        qputenv("HOME", home);
        QVERIFY(exists(m_build->path("users/me/keep")) && !exists(m_build->path("junk")));
        QVERIFY2(m_view->failureText().contains(u"could not be removed"_s),
                 qPrintable(m_view->failureText()));
    }

    void scanOption()
    {
        const QString absolute = QDir::currentPath() + u"/some folder"_s;
        const ProgramOptions::Outcome outcome =
            ProgramOptions::parse({u"corvella"_s, u"--scan"_s, u"some folder"_s});
        QCOMPARE(outcome.exitCode, -1);
        QCOMPARE(outcome.request.scanPath, absolute);
        QString error;
        const auto back =
            ProgramOptions::requestFor(ProgramOptions::activationFor(outcome.request), &error);
        QVERIFY2(back.has_value(), qPrintable(error));
        QCOMPARE(*back, outcome.request);
        QCOMPARE(back->tab, u"Cleanup"_s);
        QVERIFY(!ProgramOptions::requestFor({u"scan"_s, u"relative"_s, {}, {}}, &error));
    }

    // The Caches view lists the fixture home's caches; the cache of a running program is
    // unticked; a link in the cache folder is not listed; what is erased is exactly what is ticked.
    void cachesView()
    {
        const QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
        const QString home = qEnvironmentVariable("HOME");
        QVERIFY(cache.startsWith(home) && home.startsWith(QDir::tempPath()));
        QTemporaryDir outside;
        TreeBuilder build(cache);
        build.entries({"alpha-cache-fx/x:4096", "beta/y:9000", "ctl\x01name/z:1",
                       "outside>" + QFile::encodeName(outside.path())});
        TreeBuilder homeBuild(home);
        homeBuild.entries({"bin/", "bin/alpha-cache-fx>/bin/sleep", "data/Trash/files/old:20",
                           "data/Trash/info/"});
        QVERIFY2(build.ok() && homeBuild.ok(), build.ok() ? homeBuild.failure() : build.failure());
        // The kernel names the process after the link it was started through.
        ChildProcess running(homeBuild.qpath("bin/alpha-cache-fx"), {u"60"_s});
        QVERIFY(running.process.state() == QProcess::Running);

        QSignalSpy listed(m_view, &DownloadViewController::cachesListed);
        m_view->showCaches();
        QVERIFY(listed.wait(20000));
        QVERIFY(m_view->isShowingCaches());
        const QModelIndex inUse = indexOf(u"alpha-cache-fx (in use by alpha-cache-fx)"_s);
        const QModelIndex beta = indexOf(u"beta"_s);
        const QModelIndex control = indexOf(u"ctl\uFFFDname"_s);
        QVERIFY(inUse.isValid() && beta.isValid() && control.isValid());
        QVERIFY(indexOf(u"Trash"_s).isValid() && !indexOf(u"outside"_s).isValid());
        QCOMPARE(imageOf(inUse) + imageOf(beta), u"option_nooption_yes"_s);

        // Only rows of the private home are ticked: the machine's volumes may have trashes too.
        m_controller->selectAllFileNode(false);
        for (const QModelIndex& row : {beta, control})
            m_view->model()->clickCheckBox(row.siblingAtColumn(0));
        m_view->deleteFiles();
        QTRY_VERIFY_WITH_TIMEOUT(!m_controller->isRemoving(), 20000);
        QVERIFY(!exists(build.path("beta")) && !exists(build.path("ctl\x01name")));
        for (const char* kept : {"alpha-cache-fx/x", "outside"})
            QVERIFY2(exists(build.path(kept)), kept);
        QVERIFY(exists(homeBuild.path("data/Trash/files/old")));
    }
};

CORVELLA_WIDGET_TEST_MAIN(DownloadViewControllerTest, false)

#include "DownloadViewControllerTest.moc"
