// The tray application as a real process under the test environment's X server and trays.
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray output(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(5000);
    return process.readAllStandardOutput();
}

QByteArray xdotool(const QStringList& arguments)
{
    return output(u"xdotool"_s, arguments);
}

int visiblePanels() // visible top-level windows titled "Corvella"
{
    return int(xdotool({"search", "--onlyvisible", "--name", "^Corvella$"}).count('\n'));
}

bool panelActive()
{
    return xdotool({"getactivewindow", "getwindowname"}) == "Corvella\n";
}

// An org.freedesktop.Application call to the running copy: "" is Activate.
QDBusMessage callRunningCopy(const QString& action)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        u"com.brimwick.corvella"_s, u"/com/brimwick/corvella"_s, u"org.freedesktop.Application"_s,
        action.isEmpty() ? u"Activate"_s : u"ActivateAction"_s);
    if (!action.isEmpty())
        call << action << QVariantList();
    call << QVariantMap{{u"activation-token"_s, u"token-from-the-test"_s}};
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 10000);
}

} // namespace

class AppProcessTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("CORVELLA_TEST_ENV") ||
            QStandardPaths::findExecutable(u"xdotool"_s).isEmpty())
            QSKIP("needs the X server, buses and xdotool of the test environment");
        QVERIFY(m_home.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_CONFIG_HOME"_s, m_home.filePath(u"config"_s));
        environment.insert(u"XDG_DATA_HOME"_s, m_home.filePath(u"data"_s));
        environment.insert(u"XDG_RUNTIME_DIR"_s, m_home.path());
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        environment.remove(u"XDG_ACTIVATION_TOKEN"_s);
        environment.remove(u"DESKTOP_STARTUP_ID"_s);
        m_app.setProcessEnvironment(environment);
        m_app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_app.start(QStringLiteral(CORVELLA_BINARY), {});
        QVERIFY(m_app.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(visiblePanels(), 1, 10000); // the panel opens at start
    }

    // Each step in turn, from the state the one before left: a later start's options or a call
    // over D-Bus reach the running copy; a covered panel comes to the front, only toggle hides.
    void optionsAndActivationReachTheRunningCopy()
    {
        QLabel cover(u"covering the panel"_s);
        cover.setWindowTitle(u"Cover"_s);
        cover.resize(900, 900);
        // A later start's options, or after "call:" an org.freedesktop.Application call ("" is
        // Activate); whether the panel is covered first; the panels shown after.
        const std::tuple<const char*, bool, int> steps[] = {{"", true, 1},
                                                            {"--tab DiskManager", true, 1},
                                                            {"call:", true, 1},
                                                            {"--toggle", false, 0},
                                                            {"--background", false, 0},
                                                            {"call:clean-downloads", false, 1},
                                                            {"call:toggle", false, 0},
                                                            {"--toggle --tab Cleanup", false, 1}};
        for (const auto& [step, covered, panels] : steps) {
            const QString what = QString::fromLatin1(step);
            if (covered) {
                cover.show();
                cover.raise();
                cover.activateWindow();
                QTRY_VERIFY2_WITH_TIMEOUT(
                    xdotool({"getactivewindow", "getwindowname"}) == "Cover\n", step, 10000);
            }
            if (what.startsWith(u"call:")) {
                const QDBusMessage reply = callRunningCopy(what.mid(5));
                QVERIFY2(reply.type() == QDBusMessage::ReplyMessage,
                         qPrintable(reply.errorMessage()));
            } else {
                const auto [status, error] = startSecondCopy(what.split(u' ', Qt::SkipEmptyParts));
                QVERIFY2(status == 0, qPrintable(error));
            }
            QTRY_COMPARE_WITH_TIMEOUT(visiblePanels(), panels, 10000);
            if (panels == 1)
                QTRY_VERIFY2_WITH_TIMEOUT(panelActive(), step, 10000);
            cover.hide();
        }
        // A launcher's startup id reaches the running copy's panel (X11 startup notification).
        cover.show();
        QTRY_COMPARE_WITH_TIMEOUT(visiblePanels(), 1, 10000);
        QCOMPARE(
            startSecondCopy({}, {{u"DESKTOP_STARTUP_ID"_s, u"corvella-test-launch_TIME0"_s}}).first,
            0);
        QTRY_VERIFY_WITH_TIMEOUT(output(u"xprop"_s, {"-name", "Corvella", "_NET_STARTUP_ID"})
                                     .contains("corvella-test-launch_TIME0"),
                                 10000);
        QTRY_VERIFY_WITH_TIMEOUT(panelActive(), 10000);
        cover.hide();
        // An unknown action over D-Bus is refused with a reason, and the running copy goes on.
        QCOMPARE(callRunningCopy(u"frobnicate"_s).errorName(),
                 u"org.freedesktop.DBus.Error.InvalidArgs"_s);
        QCOMPARE(m_app.state(), QProcess::Running);
        // None of these starts wrote a login item.
        QCOMPARE(QDir(m_home.filePath(u"config/autostart"_s)).entryList(QDir::Files),
                 QStringList());
    }

    // Nothing of this needs a display: it is answered before the GUI starts.
    void helpVersionAndBadOptionsWithoutADisplay()
    {
        const std::tuple<QStringList, int, QString> runs[] = {
            {{u"--help"_s}, 0, u"--background"_s},
            {{u"-h"_s}, 0, u"--toggle"_s},
            {{u"--version"_s}, 0, u"corvella " CORVELLA_VERSION "\n"_s},
            {{u"--tab"_s, u"Nowhere"_s}, 2, u"unknown tab"_s},
            {{u"--show"_s, u"--toggle"_s}, 2, u"exclude one another"_s},
            {{u"--frobnicate"_s}, 2, u"frobnicate"_s},
            {{u"somefile"_s}, 2, u"somefile"_s},
        };
        for (const auto& [arguments, status, printed] : runs) {
            const auto [exitCode, output] = startSecondCopy(
                arguments,
                {{u"DISPLAY"_s, {}}, {u"WAYLAND_DISPLAY"_s, {}}, {u"QT_QPA_PLATFORM"_s, {}}});
            QCOMPARE(exitCode, status);
            QVERIFY2(output.contains(printed), qPrintable(output));
        }
    }

    void trayClickTogglesThePanel()
    {
        if (xdotool({"search", "--onlyvisible", "--class", "trayer"}).isEmpty())
            QSKIP("no XEmbed tray in this environment");
        const int before = visiblePanels();
        for (int expected : {1 - before, before}) {
            // Two clicks closer than the double-click interval would be one double click.
            QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 200);
            // Our icon is the only one in trayer's window (24 high): it fills it from the left.
            xdotool({"search", "--onlyvisible", "--class", "trayer", "mousemove", "--window", "%1",
                     "12", "12", "click", "1"});
            QTRY_COMPARE_WITH_TIMEOUT(visiblePanels(), expected, 10000);
        }
    }

    // Started while a StatusNotifierWatcher runs (KDE, GNOME with AppIndicator), the icon goes
    // there instead, and its Activate toggles the panel. The watcher prints "ITEM <service>".
    void statusNotifierActivationTogglesThePanel()
    {
        const QString watcher = u"org.kde.StatusNotifierWatcher"_s;
        QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
        if (bus->isServiceRegistered(watcher))
            QSKIP("another StatusNotifierWatcher runs on this session bus");
        stop(m_app);
        m_watcher.start(u"/usr/bin/python3"_s, {QStringLiteral(CORVELLA_SNIWATCHER)});
        QTRY_VERIFY_WITH_TIMEOUT(bus->isServiceRegistered(watcher), 10000);
        m_app.start(QStringLiteral(CORVELLA_BINARY), {u"--background"_s});
        QByteArray item;
        QTRY_VERIFY_WITH_TIMEOUT((item += m_watcher.readAllStandardOutput()).contains('\n'), 10000);
        QVERIFY2(item.startsWith("ITEM "), item.constData());
        QCOMPARE(visiblePanels(), 0); // --background: the icon, no panel
        for (int expected : {1, 0}) {
            const QDBusMessage reply = QDBusConnection::sessionBus().call(
                QDBusMessage::createMethodCall(QString::fromUtf8(item.mid(5).trimmed()),
                                               u"/StatusNotifierItem"_s,
                                               u"org.kde.StatusNotifierItem"_s, u"Activate"_s)
                << 0 << 0);
            QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
            QTRY_COMPARE_WITH_TIMEOUT(visiblePanels(), expected, 10000);
        }
    }

    void cleanupTestCase()
    {
        stop(m_app);
        stop(m_watcher);
    }

private:
    static void stop(QProcess& process)
    {
        process.terminate();
        if (!process.waitForFinished(5000))
            process.kill();
        process.waitForFinished(5000);
    }

    // A later start with these options and environment variables set (to nothing: unset): its
    // exit status and what it printed.
    std::pair<int, QString> startSecondCopy(const QStringList& arguments,
                                            const QList<std::pair<QString, QString>>& set = {})
    {
        QProcess second;
        QProcessEnvironment environment = m_app.processEnvironment();
        for (const auto& [name, value] : set) {
            if (value.isEmpty())
                environment.remove(name);
            else
                environment.insert(name, value);
        }
        second.setProcessEnvironment(environment);
        second.start(QStringLiteral(CORVELLA_BINARY), arguments);
        if (!second.waitForFinished(10000) || second.exitStatus() != QProcess::NormalExit)
            return {-1, u"did not end"_s};
        return {second.exitCode(), QString::fromLocal8Bit(second.readAllStandardOutput() +
                                                          second.readAllStandardError())};
    }

    QTemporaryDir m_home;
    QProcess m_app;
    QProcess m_watcher;
};

QTEST_MAIN(AppProcessTest)
#include "AppProcessTest.moc"
