// corvella-screenshots system: the system tool's views and each outcome of the update check, as
// their popup windows draw them. Run it inside tests/env/desktop-test-env.sh so that the volume
// slider has a sound server; the brightness, machine facts and version records come from fixtures
// it makes itself.
#include "Screenshots.h"
#include "kit/StatusAttachedWindow.h"
#include "system/AboutThisMacViewController.h"
#include "system/HotUtilitiesViewController.h"
#include "system/LightViewController.h"
#include "system/QuickVisitViewController.h"
#include "system/SoundViewController.h"
#include "update/GXCheckUpdateViewController.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSlider>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Shows a view in a popup window, lets it settle, saves it and closes the window.
bool shoot(const ScreenshotCanvas& canvas, QWidget* view, const QString& fileName)
{
    StatusAttachedWindow* window = StatusAttachedWindow::create(view, QPointF(300.0, 40.0));
    window->show();
    QTest::qWait(300);
    const bool saved = canvas.save(window, fileName);
    window->close();
    delete window;
    return saved;
}

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

// A laptop's facts, as the kernel shows them.
void makeMachine(const QString& root)
{
    writeFile(root + QStringLiteral("/etc/os-release"),
              "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nNAME=\"Debian GNU/Linux\"\n"
              "VERSION=\"12 (bookworm)\"\n");
    writeFile(root + QStringLiteral("/proc/cpuinfo"),
              "processor\t: 0\nmodel name\t: 12th Gen Intel(R) Core(TM) i7-1260P\n"
              "cpu MHz\t\t: 2100.000\napicid\t\t: 0\n");
    writeFile(root + QStringLiteral("/proc/meminfo"), "MemTotal:       16190532 kB\n");
    writeFile(root + QStringLiteral("/sys/class/dmi/id/sys_vendor"), "LENOVO\n");
    writeFile(root + QStringLiteral("/sys/class/dmi/id/product_name"), "21AH\n");
    writeFile(root + QStringLiteral("/sys/class/dmi/id/product_version"), "ThinkPad T14 Gen 3\n");
    writeFile(root + QStringLiteral("/sys/class/drm/card0/device/vendor"), "0x8086\n");
    writeFile(root + QStringLiteral("/sys/class/drm/card0/device/device"), "0x46a6\n");
    writeFile(root + QStringLiteral("/usr/share/misc/pci.ids"),
              "8086  Intel Corporation\n\t46a6  Alder Lake-P GT2 [Iris Xe Graphics]\n");
    writeFile(root + QStringLiteral("/sys/class/backlight/intel_backlight/max_brightness"),
              "19200\n");
    writeFile(root + QStringLiteral("/sys/class/backlight/intel_backlight/brightness"), "13440\n");
}

// Serves one response on 127.0.0.1 for every request; an empty one is never answered.
class RecordServer : public QTcpServer {
public:
    QByteArray response;
    RecordServer()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    socket->readAll();
                    if (response.isEmpty())
                        return;
                    socket->write(response);
                    socket->disconnectFromHost();
                });
            }
        });
    }
};

QByteArray plist(const QByteArray& entries)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n" +
           entries + "</dict>\n</plist>\n";
}

bool shootUpdate(const ScreenshotCanvas& canvas, RecordServer& server, const QByteArray& record,
                 const QString& fileName, bool waitForOutcome = true)
{
    server.response =
        record.isEmpty() ? QByteArray() : "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + record;
    auto* view = new GXCheckUpdateViewController;
    if (waitForOutcome) {
        QSignalSpy finished(view, &GXCheckUpdateViewController::checkFinished);
        finished.wait(8000);
    }
    return shoot(canvas, view, fileName);
}

} // namespace

int Screenshots::system(int& argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir scratch;
    const QString machine = scratch.filePath(QStringLiteral("machine"));
    makeMachine(machine);
    qputenv("CORVELLA_SYSFS_ROOT", QFile::encodeName(machine));
    RecordServer server;
    const QString settings = scratch.filePath(QStringLiteral("StringMessage.plist"));
    writeFile(settings,
              plist("<key>IniURL</key><string>http://127.0.0.1:" +
                    QByteArray::number(server.serverPort()) +
                    "/version.plist</string><key>UpdateURL</key>"
                    "<string>https://corvella.example.org/download/</string>"
                    "<key>Version</key><string>0.1.0</string>"
                    "<key>VersionCheck</key><integer>100</integer>"
                    "<key>HotUtilities</key><array>"
                    "<dict><key>Title</key><string>Corvella Website</string><key>Icon</key>"
                    "<string>ic_hot</string><key>URL</key><string>https://corvella.example.org/"
                    "</string></dict>"
                    "<dict><key>Title</key><string>User Guide</string><key>Icon</key>"
                    "<string>ic_docs</string><key>URL</key><string>https://corvella.example.org/"
                    "guide/</string></dict>"
                    "<dict><key>Title</key><string>Release Notes</string><key>Icon</key>"
                    "<string>ic_about</string><key>URL</key><string>https://corvella.example.org/"
                    "releases/</string></dict>"
                    "<dict><key>Title</key><string>Download</string><key>Icon</key>"
                    "<string>ic_open</string><key>URL</key><string>https://corvella.example.org/"
                    "download/</string></dict>"
                    "<dict><key>Title</key><string>Report a Problem</string><key>Icon</key>"
                    "<string>ic_tools</string><key>URL</key><string>https://corvella.example.org/"
                    "support/</string></dict>"
                    "<dict><key>Title</key><string>Debian Wiki</string><key>Icon</key>"
                    "<string>ic_setting</string><key>URL</key><string>https://wiki.debian.org/"
                    "</string></dict></array>"));
    qputenv("CORVELLA_SHIPPED_SETTINGS", QFile::encodeName(settings));
    bool saved = true;

    auto* sound = new SoundViewController;
    QSignalSpy loaded(sound, &SoundViewController::soundValueLoaded);
    loaded.wait(5000);
    saved &= shoot(m_canvas, sound, QStringLiteral("system-volume.png"));

    auto* light = new LightViewController;
    QSignalSpy lit(light, &LightViewController::brightnessLoaded);
    lit.wait(5000);
    saved &= shoot(m_canvas, light, QStringLiteral("system-brightness.png"));

    auto* about = new AboutThisMacViewController;
    QSignalSpy facts(about, &AboutThisMacViewController::informationLoaded);
    facts.wait(5000);
    saved &= shoot(m_canvas, about, QStringLiteral("system-information.png"));

    auto* quickVisit = new QuickVisitViewController;
    quickVisit->setFixedSize(412, 568);
    quickVisit->setAutoFillBackground(true);
    saved &= shoot(m_canvas, quickVisit, QStringLiteral("system-quickvisit.png"));
    auto* hot = new HotUtilitiesViewController;
    hot->setFixedSize(412, 568);
    hot->setAutoFillBackground(true);
    saved &= shoot(m_canvas, hot, QStringLiteral("system-hotutilities.png"));

    // A server that never answers keeps the dialog checking.
    saved &= shootUpdate(m_canvas, server, {}, QStringLiteral("update-checking.png"), false);
    saved &= shootUpdate(m_canvas, server, plist("<key>VersionCheck</key><integer>100</integer>"),
                         QStringLiteral("update-none.png"));
    saved &= shootUpdate(
        m_canvas, server,
        plist("<key>VersionCheck</key><integer>120</integer><key>Version</key><string>0.2.0"
              "</string><key>1</key><string>The volume slider follows changes made elsewhere."
              "</string><key>2</key><string>Brightness is set through the login manager when "
              "the backlight file is not writable.</string><key>3</key><string>Quick Visit "
              "opens the desktop's own tools.</string>"),
        QStringLiteral("update-newer.png"));
    saved &= shootUpdate(m_canvas, server, "this is not a version record",
                         QStringLiteral("update-unreachable.png"));
    return saved ? 0 : 1;
}
