#include "app/ProgramOptions.h"
#include "downloads/Controller.h"
#include "downloads/DownloadViewController.h"
#include "downloads/DownloadsTreeModel.h"
#include "kit/StatusAttachedWindow.h"
#include "support/ChildProcess.h"
#include "support/TreeBuilder.h"
#include "support/WidgetTestMain.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The Downloads window as a space finder: a chosen folder (as the chooser, a drop and
// `corvella --scan` give it) and the Caches view, over real folders and a real process.
class SpaceFinderTest : public QObject {
    Q_OBJECT
    QModelIndex rowNamed(const QString& label) const
    {
        DownloadsTreeModel* model = m_view->model();
        return model
            ->match(model->index(0, DownloadsTreeModel::NameColumn), Qt::DisplayRole, label, 1,
                    Qt::MatchExactly)
            .value(0);
    }
    static QString imageOf(const QModelIndex& index)
    {
        return index.siblingAtColumn(0).data(DownloadsTreeModel::ImageNameRole).toString();
    }

private Q_SLOTS:
    void init()
    {
        m_controller = std::make_unique<Controller>();
        m_view = new DownloadViewController(m_controller.get());
        m_window = StatusAttachedWindow::create(m_view, QPointF(-3, 0));
        m_view->setSuperDelegate(m_window);
        m_window->show();
    }
    void cleanup()
    {
        delete m_window;
        m_controller.reset();
    }

    void chosenFolder_data()
    {
        QTest::addColumn<QByteArray>("given");    // relative to the fixture
        QTest::addColumn<QByteArray>("resolved"); // what the title names, relative
        QTest::addColumn<int>("rows");            // -1: nothing scanned, the reason shown
        QTest::addRow("readable") << "sub"_ba
                                  << "sub"_ba << 2;
        QTest::addRow("link then ..") << "link/.."_ba
                                      << "sub"_ba << 2;
        QTest::addRow("unreadable") << "locked"_ba
                                    << "locked"_ba << -1;
        QTest::addRow("a file") << "sub/a"_ba
                                << "sub/a"_ba << -1;
        QTest::addRow("missing") << "gone"_ba
                                 << "gone"_ba << -1;
    }
    void chosenFolder()
    {
        QFETCH(QByteArray, given);
        QFETCH(QByteArray, resolved);
        QFETCH(int, rows);
        if (given == "locked" && ::geteuid() == 0)
            QSKIP("root reads any folder");
        QTemporaryDir folder;
        TreeBuilder build(folder.path());
        build.entries({"sub/a:5000", "sub/inner/b:10", "locked/c:1", "link>sub/inner"});
        QVERIFY2(build.ok(), build.failure());
        QVERIFY(::chmod(build.path("locked").constData(), 0) == 0);
        const QString real =
            QDir(folder.path()).canonicalPath() + u'/' + QFile::decodeName(resolved);

        m_view->scanChosenFolder(build.qpath(given));
        QVERIFY2(m_view->windowTitle().startsWith(real), qPrintable(m_view->windowTitle()));
        QCOMPARE(m_window->windowTitle(), m_view->windowTitle());
        if (rows < 0) {
            QVERIFY(!m_view->placeholderText().isEmpty());
            QVERIFY(m_view->placeholderText().contains(real));
            QVERIFY(!m_view->isScan() && !m_controller->isScanning());
            QCOMPARE(m_view->model()->rowCount(), 0);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(!m_view->isScan(), 20000);
            QCOMPARE(m_view->model()->rowCount(), rows);
            QCOMPARE(m_view->placeholderText(), QString());
        }
        ::chmod(build.path("locked").constData(), 0700);
    }

    // Whatever folder is scanned, the run refuses what holds the home folder and removes the rest.
    void removalGuard()
    {
        QTemporaryDir folder;
        TreeBuilder build(folder.path());
        build.entries({"users/me/keep:10", "junk/a:10"});
        QVERIFY2(build.ok(), build.failure());
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", build.path("users/me"));
        m_view->scanChosenFolder(folder.path());
        QTRY_VERIFY_WITH_TIMEOUT(!m_view->isScan(), 20000);
        m_view->deleteFiles(); // everything is ticked after a scan
        QTRY_VERIFY_WITH_TIMEOUT(!m_controller->isRemoving(), 20000);
        qputenv("HOME", home);
        QVERIFY(QFileInfo::exists(build.qpath("users/me/keep")));
        QVERIFY(!QFileInfo::exists(build.qpath("junk")));
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
        QCOMPARE(
            ProgramOptions::parse({u"corvella"_s, u"--scan"_s, u"x"_s, u"--toggle"_s}).exitCode, 2);
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
        build.entries({"alpha-cache-fx/x:4096", "beta/y:9000", "thumbnails/normal/t.png:100",
                       "ctl\x01name/z:1", "loose:5",
                       "outside>" + QFile::encodeName(outside.path())});
        TreeBuilder homeBuild(home);
        homeBuild.entries({"core.42:300", "bin/", "bin/alpha-cache-fx>/bin/sleep",
                           "data/Trash/files/old:20", "data/Trash/info/"});
        QVERIFY2(build.ok() && homeBuild.ok(), build.ok() ? homeBuild.failure() : build.failure());
        // The kernel names the process after the link it was started through.
        ChildProcess running(homeBuild.qpath("bin/alpha-cache-fx"), {u"60"_s});
        QVERIFY(running.process.state() == QProcess::Running);

        QSignalSpy listed(m_view, &DownloadViewController::cachesListed);
        m_view->showCaches();
        QVERIFY(listed.wait(20000));
        QVERIFY(m_view->isShowingCaches());
        const QModelIndex inUse = rowNamed(u"alpha-cache-fx (in use by alpha-cache-fx)"_s);
        const QModelIndex beta = rowNamed(u"beta"_s);
        const QModelIndex thumbnails = rowNamed(u"Thumbnails"_s);
        const QModelIndex core = rowNamed(u"Core dump core.42"_s);
        const QModelIndex trash = rowNamed(u"Trash"_s);
        const QModelIndex control = rowNamed(u"ctl\uFFFDname"_s);
        for (const QModelIndex& row : {inUse, beta, thumbnails, core, trash, control})
            QVERIFY(row.isValid());
        QCOMPARE(imageOf(inUse), u"option_no"_s);
        QCOMPARE(imageOf(beta), u"option_yes"_s);
        QVERIFY(!rowNamed(u"outside"_s).isValid() && !rowNamed(u"loose"_s).isValid());

        // Only rows of the private home are ticked: the machine's volumes may have trashes too.
        m_controller->selectAllFileNode(false);
        for (const QModelIndex& row : {beta, core, control})
            m_view->model()->clickCheckBox(row.siblingAtColumn(0));
        m_view->deleteFiles();
        QTRY_VERIFY_WITH_TIMEOUT(!m_controller->isRemoving(), 20000);
        for (const char* gone : {"beta", "ctl\x01name"})
            QVERIFY2(!QFileInfo::exists(build.qpath(gone)), gone);
        QVERIFY(!QFileInfo::exists(homeBuild.qpath("core.42")));
        for (const char* kept : {"alpha-cache-fx/x", "thumbnails/normal/t.png", "outside"})
            QVERIFY2(QFileInfo(build.qpath(kept)).exists(), kept);
        QVERIFY(QFileInfo::exists(homeBuild.qpath("data/Trash/files/old")));
    }

private:
    std::unique_ptr<Controller> m_controller;
    DownloadViewController* m_view = nullptr;
    StatusAttachedWindow* m_window = nullptr;
};

CORVELLA_WIDGET_TEST_MAIN(SpaceFinderTest, false)

#include "SpaceFinderTest.moc"
