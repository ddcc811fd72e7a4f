// The tray application as a real process under the test environment's X server and trays:
// single instance, the panel opened at start and toggled by a second start, by a click on the
// XEmbed tray icon and by a StatusNotifierItem activation.
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    process.waitForFinished(5000);
    return process.readAllStandardOutput();
}

// Visible top-level windows titled "Corvella".
int visiblePanels()
{
    return int(xdotool({"search", "--onlyvisible", "--name", "^Corvella$"}).count('\n'));
}

void stop(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
    process.waitForFinished(5000);
}

} // namespace

class AppProcessTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("CORVELLA_TEST_ENV") ||
            QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("needs the X server, buses and xdotool of the test environment");
        QVERIFY(m_home.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath("config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath("data"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        m_app.setProcessEnvironment(environment);
        m_app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        startApp();
    }

    void secondStartTogglesTheFirstAndExitsZero()
    {
        for (int expected : {0, 1}) {
            QProcess second;
            second.setProcessEnvironment(m_app.processEnvironment());
            second.start(QStringLiteral(CORVELLA_BINARY), {});
            QVERIFY(second.waitForFinished(10000));
            QCOMPARE(second.exitStatus(), QProcess::NormalExit);
            QCOMPARE(second.exitCode(), 0);
            QTRY_COMPARE_WITH_TIMEOUT(visiblePanels(), expected, 10000);
        }
        QCOMPARE(m_app.state(), QProcess::Running);
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

    // Started while a StatusNotifierWatcher runs, the application shows its icon through it
    // rather than the XEmbed tray; the watcher's Activate opens and closes the panel.
    void statusNotifierActivationTogglesThePanel()
    {
        stop(m_app);
        QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
        const QString watcherName = QStringLiteral("org.kde.StatusNotifierWatcher");
        if (bus->isServiceRegistered(watcherName))
            QSKIP("another StatusNotifierWatcher runs on this session bus");
        m_watcher.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(CORVELLA_SNIWATCHER)});
        QTRY_VERIFY_WITH_TIMEOUT(bus->isServiceRegistered(watcherName), 10000);
        startApp();
        // The watcher prints "ITEM <service>" for every item registered with it.
        QByteArray item;
        QTRY_VERIFY_WITH_TIMEOUT((item += m_watcher.readAllStandardOutput()).contains('\n'), 10000);
        QVERIFY2(item.startsWith("ITEM "), item.constData());
        const QString service = QString::fromUtf8(item.mid(5).trimmed());
        for (int expected : {0, 1}) {
            const QDBusMessage reply = QDBusConnection::sessionBus().call(
                QDBusMessage::createMethodCall(service, QStringLiteral("/StatusNotifierItem"),
                                               QStringLiteral("org.kde.StatusNotifierItem"),
                                               QStringLiteral("Activate"))
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
    void startApp()
    {
        m_app.start(QStringLiteral(CORVELLA_BINARY), {});
        QVERIFY(m_app.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(visiblePanels(), 1, 10000); // the panel opens at start
    }

    QTemporaryDir m_home;
    QProcess m_app;
    QProcess m_watcher;
};

QTEST_MAIN(AppProcessTest)
#include "AppProcessTest.moc"
