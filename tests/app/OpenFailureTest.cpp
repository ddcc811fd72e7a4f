// Every action that hands something to the desktop's opener says so when it fails: on a desktop
// where xdg-open finds no handler (a stand-in that answers as xdg-open does then), each action
// shows what could not be opened and why.
#include "ShellTests.h"
#include "common/SettingsStore.h"
#include "downloads/Controller.h"
#include "downloads/DowndLoadOutLineView.h"
#include "kit/IconATextButton.h"
#include "support/ScopedEnvironmentVariable.h"
#include "system/HotUtilitiesViewController.h"
#include "system/QuickVisitViewController.h"

#include <QDir>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class OpenFailureTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    // The stand-in xdg-open below first on the PATH, and no desktop of xdg-open's own.
    const ScopedEnvironmentVariable m_path{"PATH", QFile::encodeName(m_root.filePath(u"bin"_s)) +
                                                       ":/usr/bin:/bin"};
    const ScopedEnvironmentVariable m_desktop{"XDG_CURRENT_DESKTOP", std::nullopt};

    QString asked() const
    {
        QFile record(m_root.filePath(u"asked"_s));
        return record.open(QIODevice::ReadOnly) ? QString::fromUtf8(record.readAll()) : QString();
    }
    // Waits for the action's notice and checks that it names what was opened and why it failed.
    static bool failedVisibly(const std::function<QString()>& notice, const QString& what)
    {
        const bool shown = QTest::qWaitFor([&] { return !notice().isEmpty(); }, 15000);
        const QString text = notice();
        if (shown && text.contains(what) &&
            text.contains(u"no application on this desktop is set to open it"_s))
            return true;
        qWarning("notice about %s: %s", qUtf8Printable(what), qUtf8Printable(text));
        return false;
    }

private Q_SLOTS:
    void initTestCase()
    {
        // xdg-open as it answers on a desktop without handlers: the message, status 3.
        const QString opener = m_root.filePath(u"bin/xdg-open"_s);
        QVERIFY(writeFile(opener, "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" +
                                      QFile::encodeName(m_root.filePath(u"asked"_s)) +
                                      "'\necho \"xdg-open: no method available for opening '$1'\" "
                                      ">&2\nexit 3\n"));
        QVERIFY(QFile::setPermissions(opener, QFile::ReadOwner | QFile::ExeOwner));
        // The folder of installed applications that Quick Visit's row opens.
        QVERIFY(QDir().mkpath(qEnvironmentVariable("XDG_DATA_DIRS").section(u':', 0, 0) +
                              u"/applications"_s));
    }
    void init() { QFile::remove(m_root.filePath(u"asked"_s)); }

    void everyFailedOpenIsShown_data()
    {
        QTest::addColumn<QString>("action");
        for (const char* action :
             {"desktop background", "quick visit applications", "hot utilities", "online help",
              "support", "about box link", "install update", "downloads reveal"})
            QTest::newRow(action) << QString::fromLatin1(action);
    }
    void everyFailedOpenIsShown()
    {
        QFETCH(QString, action);
        if (action == u"desktop background") {
            const std::unique_ptr<QWidget> shown(panelWindows().at(u"panel"_s)());
            auto* panel = static_cast<MainViewController*>(shown.get());
            panel->show();
            panel->openChangeDesktopBg();
            QVERIFY(failedVisibly([&] { return panel->notice(); }, u"background"_s));
            QVERIFY(panel->notice().contains(asked().trimmed()) && !asked().isEmpty());
        } else if (action == u"quick visit applications") {
            QuickVisitViewController tab;
            tab.show();
            QTest::mouseClick(tab.row(u"Applications"_s), Qt::LeftButton);
            QVERIFY(failedVisibly([&] { return tab.notice(); }, u"/applications"_s));
        } else if (action == u"hot utilities") {
            const QList<HotUtilityLink> links{
                {u"Guides"_s, u"ic_hot"_s, QUrl(u"https://guides.example.org/a b"_s)},
                {u"Forum"_s, u"ic_hot"_s, QUrl(u"https://forum.example.org/?q=1&x=%22"_s)}};
            HotUtilitiesViewController tab(links, nullptr);
            tab.show();
            QVERIFY(!tab.linkButtons().isEmpty());
            for (qsizetype index = 0; index < tab.linkButtons().size(); ++index) {
                QTest::mouseClick(tab.linkButtons().at(index), Qt::LeftButton);
                QVERIFY(tab.notice().isEmpty()); // the previous link's notice goes at a click
                const QString address = tab.links().at(index).url.toString(QUrl::FullyEncoded);
                QVERIFY(failedVisibly([&] { return tab.notice(); }, address));
            }
        } else if (action == u"online help" || action == u"support") {
            TestDelegate delegate;
            const QList<QAction*> items = delegate.applicationMenu()->actions();
            const auto item = std::find_if(items.cbegin(), items.cend(), [&](QAction* each) {
                return each->text().compare(action, Qt::CaseInsensitive) == 0;
            });
            QVERIFY(item != items.cend());
            (*item)->trigger();
            // The panel was closed: it opens to say what failed.
            QVERIFY(failedVisibly(
                [&] { return delegate.mainWC() ? delegate.mainWC()->notice() : QString(); },
                u"https://"_s));
            QVERIFY(delegate.panelShown());
            delegate.closeWindow();
        } else if (action == u"about box link") {
            AboutViewController about;
            about.show();
            about.linkButtonAction();
            QVERIFY(about.notice().contains(u"IniURL"_s)); // the test's settings have no address
            QVERIFY(SettingsStore::standard().setValue(u"IniURL"_s,
                                                       u"https://corvella.example.org/"_s));
            about.linkButtonAction();
            QVERIFY(
                failedVisibly([&] { return about.notice(); }, u"https://corvella.example.org/"_s));
            QVERIFY(SettingsStore::standard().setValue(u"IniURL"_s, QString()));
        } else if (action == u"install update") {
            GXCheckUpdateViewController update;
            update.show();
            QVERIFY(SettingsStore::standard().setValue(u"UpdateURL"_s,
                                                       u"https://corvella.example.org/get"_s));
            update.updateClickHereAction();
            QVERIFY(failedVisibly([&] { return update.openFailure(); },
                                  u"https://corvella.example.org/get"_s));
            QVERIFY(update.isVisible()); // kept open to say so
        } else {
            QTemporaryDir downloads;
            const QString file = downloads.filePath(u"big.iso"_s);
            QVERIFY(writeFile(file, QByteArray(4096, 'x')));
            Controller controller;
            auto* view = new DownloadViewController(&controller);
            view->show();
            view->doScanWithPath(downloads.path());
            QTRY_VERIFY_WITH_TIMEOUT(!view->isShowingScanControls(), 20000);
            QTRY_COMPARE(view->model()->rowCount(), 1);
            const QModelIndex reveal =
                view->model()->index(0, DownloadsTreeModel::OpenFinderColumn);
            Q_EMIT view->outlineView()->revealClicked(reveal);
            QVERIFY(failedVisibly([&] { return view->revealNotice(); }, file));
            QCOMPARE(asked().trimmed(), downloads.path());
            controller.stopScan();
            delete view;
        }
    }
};

static const bool registered = registerTest<OpenFailureTest>();

#include "OpenFailureTest.moc"
