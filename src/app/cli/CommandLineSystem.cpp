// corvella-cli's system commands: volume, brightness, sysinfo, update-check.
#include "app/cli/CommandLine.h"
#include "platform/Backlight.h"
#include "platform/MachineInfo.h"
#include "platform/PulseAudioMixer.h"
#include "system/SystemInformation.h"
#include "update/VersionChecker.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <cmath>

namespace {

// How long a command waits for the sound server before it gives up.
constexpr int soundServerWaitMs = 5000;

// Runs the event loop until `sender` emits `signal` or the time is up; answers whether it came.
template <typename Sender, typename Signal>
bool waitFor(Sender* sender, Signal signal, int timeoutMs)
{
    QEventLoop loop;
    bool arrived = false;
    QObject::connect(sender, signal, &loop, [&loop, &arrived] {
        arrived = true;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return arrived;
}

// "0" to "100" exactly; anything else is a usage error.
std::optional<int> percentArgument(const QString& text)
{
    bool isNumber = false;
    const int percent = text.toInt(&isNumber);
    if (!isNumber || percent < 0 || percent > 100)
        return std::nullopt;
    return percent;
}

QString sysfsRoot()
{
    return qEnvironmentVariable("CORVELLA_SYSFS_ROOT", QStringLiteral("/"));
}

} // namespace

int CommandLine::volume(const QStringList& arguments)
{
    const QString action = arguments.value(0, QStringLiteral("get"));
    if (arguments.size() > (action == u"set" ? 2 : 1))
        return usage(QStringLiteral("volume: too many arguments"));
    PulseAudioMixer mixer;
    if (action == u"get") {
        bool found = false;
        double volume = 0.0;
        bool muted = false;
        QString error = QStringLiteral("The sound server did not answer.");
        QObject::connect(&mixer, &PulseAudioMixer::masterVolumeRead, &mixer,
                         [&](bool isFound, double level, bool isMuted, uint, const QString& why) {
                             found = isFound;
                             volume = level;
                             muted = isMuted;
                             error = why;
                         });
        mixer.requestMasterVolume();
        waitFor(&mixer, &PulseAudioMixer::masterVolumeRead, soundServerWaitMs);
        if (!found) {
            m_err << "corvella-cli: volume: " << error << Qt::endl;
            return 1;
        }
        // As the slider shows it: under one percent is 0.
        const double percent = volume * 100.0;
        m_out << (percent < 1.0 ? 0 : int(std::lround(percent))) << '%' << (muted ? " muted" : "")
              << Qt::endl;
        return 0;
    }
    double level = 0.0;
    if (action == u"set") {
        const std::optional<int> percent = percentArgument(arguments.value(1));
        if (!percent)
            return usage(
                QStringLiteral("volume set: PERCENT must be a whole number from 0 to 100"));
        // The slider's rule: 0 is the quietest audible level, never mute.
        level = *percent == 0 ? PulseAudioMixer::silentLevel : *percent / 100.0;
    } else if (action == u"mute") {
        // The speaker button's rule: the quietest level.
        level = PulseAudioMixer::silentLevel;
    } else {
        return usage(QStringLiteral("volume: unknown action \"%1\"").arg(action));
    }
    QString error = QStringLiteral("The sound server did not answer.");
    QObject::connect(&mixer, &PulseAudioMixer::masterVolumeWritten, &mixer,
                     [&error](const QString& why) { error = why; });
    mixer.setMasterVolume(level);
    waitFor(&mixer, &PulseAudioMixer::masterVolumeWritten, soundServerWaitMs);
    if (!error.isEmpty()) {
        m_err << "corvella-cli: volume: " << error << Qt::endl;
        return 1;
    }
    return 0;
}

int CommandLine::brightness(const QStringList& arguments)
{
    const QString action = arguments.value(0, QStringLiteral("get"));
    if (arguments.size() > (action == u"set" ? 2 : 1))
        return usage(QStringLiteral("brightness: too many arguments"));
    const Backlight backlight(sysfsRoot());
    if (action == u"get") {
        const float brightness = backlight.get_brightness();
        if (brightness < 0.0f) {
            m_err << "corvella-cli: brightness: this machine has no display whose brightness can "
                     "be read (no readable entry in /sys/class/backlight)"
                  << Qt::endl;
            return 1;
        }
        m_out << std::lround(brightness * 100.0f) << '%' << Qt::endl;
        return 0;
    }
    if (action != u"set")
        return usage(QStringLiteral("brightness: unknown action \"%1\"").arg(action));
    const std::optional<int> percent = percentArgument(arguments.value(1));
    if (!percent)
        return usage(
            QStringLiteral("brightness set: PERCENT must be a whole number from 0 to 100"));
    const QString error = backlight.set_brightness(float(*percent) / 100.0f);
    if (!error.isEmpty()) {
        m_err << "corvella-cli: brightness: " << error << Qt::endl;
        return 1;
    }
    return 0;
}

int CommandLine::sysinfo(const QStringList& arguments)
{
    const bool json = arguments == QStringList{QStringLiteral("--json")};
    if (!arguments.isEmpty() && !json)
        return usage(QStringLiteral("sysinfo: unknown argument \"%1\"").arg(arguments.first()));
    const SystemInformation info = SystemInformation::collect(MachineInfo(sysfsRoot()));
    const QList<std::pair<const char*, QString>> fields = {
        {"versionName", info.versionName},
        {"version", info.version},
        {"compterVerion", info.compterVerion},
        {"cpuName", info.cpuName},
        {"grpName", info.grpName},
        {"serName", info.serName},
        {"memorySize", info.memorySize},
    };
    if (json) {
        QJsonObject object;
        for (const auto& [key, value] : fields)
            object.insert(QLatin1StringView(key), value);
        m_out << QJsonDocument(object).toJson(QJsonDocument::Indented);
    } else {
        for (const auto& field : fields)
            m_out << field.second << '\n';
    }
    m_out.flush();
    return 0;
}

int CommandLine::updateCheck(const QStringList& arguments)
{
    const bool json = arguments == QStringList{QStringLiteral("--json")};
    if (!arguments.isEmpty() && !json)
        return usage(
            QStringLiteral("update-check: unknown argument \"%1\"").arg(arguments.first()));
    VersionChecker checker;
    VersionCheckResult result;
    result.reason = QStringLiteral("The check did not finish.");
    QObject::connect(&checker, &VersionChecker::finished, &checker,
                     [&result](const VersionCheckResult& outcome) { result = outcome; });
    checker.getVersionChange();
    waitFor(&checker, &VersionChecker::finished, VersionChecker::timeoutMs * 2);

    QStringList lines;
    for (const auto& line : result.lines)
        lines << VersionCheckResult::lineText(line);
    const char* outcome = result.outcome == VersionCheckResult::Outcome::Newer  ? "newer"
                          : result.outcome == VersionCheckResult::Outcome::None ? "none"
                                                                                : "unreachable";
    if (json) {
        QJsonObject object{{QStringLiteral("outcome"), QLatin1StringView(outcome)},
                           {QStringLiteral("version"), result.version},
                           {QStringLiteral("lines"), QJsonArray::fromStringList(lines)},
                           {QStringLiteral("reason"), result.reason}};
        m_out << QJsonDocument(object).toJson(QJsonDocument::Indented);
        m_out.flush();
    } else if (result.outcome == VersionCheckResult::Outcome::Newer) {
        m_out << VersionCheckResult::offerText(result.version, VersionChecker::installedVersion())
              << '\n';
        for (const QString& line : lines)
            m_out << line << '\n';
        m_out.flush();
    } else if (result.outcome == VersionCheckResult::Outcome::None) {
        m_out << "No newer version is available." << Qt::endl;
    }
    if (result.outcome == VersionCheckResult::Outcome::Unreachable) {
        m_err << "corvella-cli: update-check: " << result.reason << Qt::endl;
        return 1;
    }
    return 0;
}
