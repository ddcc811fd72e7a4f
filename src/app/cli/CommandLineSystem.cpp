// corvella-cli's system commands: volume, brightness, sysinfo, update-check.
#include "app/cli/CommandLine.h"
#include "app/cli/CommandLineArguments.h"
#include "app/cli/CommandLineText.h"
#include "platform/devices/Backlight.h"
#include "platform/devices/MachineInfo.h"
#include "platform/sound/PulseAudioMixer.h"
#include "system/SystemInformation.h"
#include "update/VersionChecker.h"

#include <QEventLoop>
#include <QJsonArray>
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
    const std::optional<qint64> percent = CommandLineText::decimal(text, 100);
    if (!percent)
        return std::nullopt;
    return int(*percent);
}

QString sysfsRoot()
{
    return qEnvironmentVariable("CORVELLA_SYSFS_ROOT", QStringLiteral("/"));
}

} // namespace

int CommandLine::volumeGet(const CommandLineArguments& arguments)
{
    const QStringList& operands = arguments.operands();
    if (operands.size() > 1)
        return usage(tr("volume: too many arguments"));
    if (operands.size() == 1 && operands.first() != u"get")
        return usage(tr("volume: unknown action \"%1\"").arg(operands.first()));
    PulseAudioMixer mixer;
    bool found = false;
    double volume = 0.0;
    bool muted = false;
    QString error = tr("The sound server did not answer.");
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
        m_err << "corvella-cli: " << tr("volume: %1").arg(error) << Qt::endl;
        return 1;
    }
    // As the slider shows it: under one percent is 0.
    const double percent = volume * 100.0;
    m_out << (percent < 1.0 ? 0 : int(std::lround(percent))) << '%'
          << (muted ? u' ' + tr("muted") : QString()) << Qt::endl;
    return 0;
}

int CommandLine::volumeSet(const CommandLineArguments& arguments)
{
    if (arguments.operands().size() > 1)
        return usage(tr("volume: too many arguments"));
    const std::optional<int> percent = percentArgument(arguments.operands().value(0));
    if (!percent)
        return usage(tr("volume set: PERCENT must be a whole number from 0 to 100"));
    // The slider's rule: 0 is the quietest audible level, never mute.
    return volumeWrite(*percent == 0 ? PulseAudioMixer::silentLevel : *percent / 100.0);
}

int CommandLine::volumeMute(const CommandLineArguments& arguments)
{
    if (!arguments.operands().isEmpty())
        return usage(tr("volume: too many arguments"));
    // The speaker button's rule: the quietest level.
    return volumeWrite(PulseAudioMixer::silentLevel);
}

int CommandLine::volumeWrite(double level)
{
    PulseAudioMixer mixer;
    QString error = tr("The sound server did not answer.");
    QObject::connect(&mixer, &PulseAudioMixer::masterVolumeWritten, &mixer,
                     [&error](const QString& why) { error = why; });
    mixer.setMasterVolume(level);
    waitFor(&mixer, &PulseAudioMixer::masterVolumeWritten, soundServerWaitMs);
    if (!error.isEmpty()) {
        m_err << "corvella-cli: " << tr("volume: %1").arg(error) << Qt::endl;
        return 1;
    }
    return 0;
}

int CommandLine::brightnessGet(const CommandLineArguments& arguments)
{
    const QStringList& operands = arguments.operands();
    if (operands.size() > 1)
        return usage(tr("brightness: too many arguments"));
    if (operands.size() == 1 && operands.first() != u"get")
        return usage(tr("brightness: unknown action \"%1\"").arg(operands.first()));
    const Backlight backlight(sysfsRoot());
    const float brightness = backlight.get_brightness();
    if (brightness < 0.0f) {
        m_err << "corvella-cli: "
              << tr("brightness: this machine has no display whose brightness can be read (no "
                    "readable entry in /sys/class/backlight)")
              << Qt::endl;
        return 1;
    }
    m_out << std::lround(brightness * 100.0f) << '%' << Qt::endl;
    return 0;
}

int CommandLine::brightnessSet(const CommandLineArguments& arguments)
{
    if (arguments.operands().size() > 1)
        return usage(tr("brightness: too many arguments"));
    const std::optional<int> percent = percentArgument(arguments.operands().value(0));
    if (!percent)
        return usage(tr("brightness set: PERCENT must be a whole number from 0 to 100"));
    const Backlight backlight(sysfsRoot());
    const QString error = backlight.set_brightness(float(*percent) / 100.0f);
    if (!error.isEmpty()) {
        m_err << "corvella-cli: " << tr("brightness: %1").arg(error) << Qt::endl;
        return 1;
    }
    return 0;
}

int CommandLine::sysinfo(const CommandLineArguments& arguments)
{
    const bool json = arguments.json();
    if (!arguments.operands().isEmpty())
        return usage(tr("sysinfo: unknown argument \"%1\"").arg(arguments.operands().first()));
    const SystemInformation info = SystemInformation::collect(
        MachineInfo(sysfsRoot()), false,
        json ? PublicUtilities::TextForm::C : PublicUtilities::TextForm::Shown);
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
        printJson(object);
    } else {
        for (const auto& field : fields)
            m_out << field.second << '\n';
    }
    m_out.flush();
    return 0;
}

int CommandLine::updateCheck(const CommandLineArguments& arguments)
{
    const bool json = arguments.json();
    if (!arguments.operands().isEmpty())
        return usage(tr("update-check: unknown argument \"%1\"").arg(arguments.operands().first()));
    VersionChecker checker;
    VersionCheckResult result;
    result.reason = tr("The check did not finish.");
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
        printJson(object);
    } else if (result.outcome == VersionCheckResult::Outcome::Newer) {
        m_out << VersionCheckResult::offerText(result.version, VersionChecker::installedVersion())
              << '\n';
        for (const QString& line : lines)
            m_out << line << '\n';
        m_out.flush();
    } else if (result.outcome == VersionCheckResult::Outcome::None) {
        m_out << tr("No newer version is available.") << Qt::endl;
    }
    if (result.outcome == VersionCheckResult::Outcome::Unreachable) {
        m_err << "corvella-cli: " << tr("update-check: %1").arg(result.reason) << Qt::endl;
        return 1;
    }
    return 0;
}
