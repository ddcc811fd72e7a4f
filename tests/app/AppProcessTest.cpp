// The tray application as a real process under the test environment's X server and tray:
// single instance, the panel opened at start and toggled by a second start and by a tray click.
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Visible top-level windows titled "Corvella", from xdotool.
int visiblePanels()
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"),
                  {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                   QStringLiteral("--name"), QStringLiteral("^Corvella$")});
    xdotool.waitForFinished(5000);
    return int(xdotool.readAllStandardOutput().split('\n').size()) - 1;
}

} // namespace

class AppProcessTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void secondStartTogglesTheFirstAndExitsZero();
    void trayClickTogglesThePanel();
    void cleanupTestCase();

private:
    QProcessEnvironment environment() const;
    QTemporaryDir m_home;
    QProcess m_first;
};

void AppProcessTest::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("needs the X server and xdotool of the test environment");
    QVERIFY(m_home.isValid());
    m_first.setProcessEnvironment(environment());
    m_first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_first.start(QStringLiteral(CORVELLA_BINARY), {});
    QVERIFY(m_first.waitForStarted());
    // The panel opens at start.
    QTRY_COMPARE_WITH_TIMEOUT(visiblePanels(), 1, 10000);
}

QProcessEnvironment AppProcessTest::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       m_home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return environment;
}

void AppProcessTest::secondStartTogglesTheFirstAndExitsZero()
{
    for (int expected : {0, 1}) {
        QProcess second;
        second.setProcessEnvironment(environment());
        second.start(QStringLiteral(CORVELLA_BINARY), {});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(visiblePanels(), expected, 10000);
    }
    QCOMPARE(m_first.state(), QProcess::Running);
}

void AppProcessTest::trayClickTogglesThePanel()
{
    // The tray icon is embedded in trayer's window; click the middle of the embedded icon.
    QProcess search;
    search.start(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                  QStringLiteral("--class"), QStringLiteral("trayer")});
    search.waitForFinished(5000);
    const QByteArray trayer = search.readAllStandardOutput().split('\n').value(0);
    if (trayer.isEmpty())
        QSKIP("no XEmbed tray in this environment");
    QProcess geometry;
    geometry.start(QStringLiteral("xdotool"),
                   {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"),
                    QString::fromLatin1(trayer)});
    geometry.waitForFinished(5000);
    QHash<QString, int> values;
    for (const QByteArray& line : geometry.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.split('=');
        if (parts.size() == 2)
            values.insert(QString::fromLatin1(parts[0]), parts[1].toInt());
    }
    // Our icon is the only one in the tray: it fills trayer's window from the left.
    const int x = values.value(QStringLiteral("X")) + values.value(QStringLiteral("HEIGHT")) / 2;
    const int y = values.value(QStringLiteral("Y")) + values.value(QStringLiteral("HEIGHT")) / 2;
    const int before = visiblePanels();
    for (int expected : {1 - before, before}) {
        // Two clicks closer than the double-click interval would be one double click.
        QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 200);
        QProcess click;
        click.start(QStringLiteral("xdotool"),
                    {QStringLiteral("mousemove"), QString::number(x), QString::number(y),
                     QStringLiteral("click"), QStringLiteral("1")});
        QVERIFY(click.waitForFinished(5000));
        QTRY_COMPARE_WITH_TIMEOUT(visiblePanels(), expected, 10000);
    }
}

void AppProcessTest::cleanupTestCase()
{
    if (m_first.state() != QProcess::NotRunning) {
        m_first.terminate();
        if (!m_first.waitForFinished(5000))
            m_first.kill();
        m_first.waitForFinished(5000);
    }
}

QTEST_MAIN(AppProcessTest)
#include "AppProcessTest.moc"
