#include "common/PublicUtilities.h"

#include "common/ExecCommands.h"
#include "common/PropertyList.h"
#include "common/SettingsStore.h"
#include "platform/xdg/XdgBaseFolders.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

const QString kFontRegular = QStringLiteral("FontRegular");
const QString kFontLight = QStringLiteral("FontLight");
const QString kFontBold = QStringLiteral("FontBold");
const QString kPointX = QStringLiteral("X");
const QString kPointY = QStringLiteral("Y");
const QString kBeginTime = QStringLiteral("BeginTime");
const QString kNetworkProbeUrl = QStringLiteral("NetworkProbeURL");
const QString kConfirmIrreversible = QStringLiteral("ConfirmIrreversibleActions");
const char kDefaultProbeUrl[] = "https://www.debian.org/";

QString stored(const QString& key)
{
    return SettingsStore::standard().stringValue(key);
}

bool store(const QString& key, const QString& value)
{
    return SettingsStore::standard().setValue(key, value);
}

struct SizeUnit {
    std::int64_t first; // smallest count shown in this unit
    double divisor;
    const char* format; // "%1 UNIT", translatable in the context "PublicUtilities"
};

const char* const kTerabytes = QT_TRANSLATE_NOOP("PublicUtilities", "%1 TB");
const char* const kGigabytes = QT_TRANSLATE_NOOP("PublicUtilities", "%1 GB");
const char* const kMegabytes = QT_TRANSLATE_NOOP("PublicUtilities", "%1 MB");
const char* const kKilobytes = QT_TRANSLATE_NOOP("PublicUtilities", "%1 KB");
const char* const kBytes = QT_TRANSLATE_NOOP("PublicUtilities", "%1 byte");

// Units from the largest down; a count below the last threshold is shown in bytes. The value is
// rounded through float as it always was; only the decimal separator and the unit's wording follow
// the form.
QString sizeText(std::int64_t bytes, std::initializer_list<SizeUnit> units,
                 PublicUtilities::TextForm form)
{
    const bool shown = form == PublicUtilities::TextForm::Shown;
    QLocale locale = shown ? QLocale() : QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const auto text = [shown](const char* format, const QString& number) {
        return (shown ? QCoreApplication::translate("PublicUtilities", format)
                      : QString::fromLatin1(format))
            .arg(number);
    };
    for (const SizeUnit& unit : units) {
        if (bytes >= unit.first) {
            const float value = static_cast<float>(static_cast<double>(bytes) / unit.divisor);
            return text(unit.format, locale.toString(static_cast<double>(value), 'f', 2));
        }
    }
    return text(kBytes, locale.toString(static_cast<double>(static_cast<float>(bytes)), 'f', 0));
}

} // namespace

bool PublicUtilities::confirmsIrreversibleActions()
{
    const QVariant value = SettingsStore::standard().value(kConfirmIrreversible);
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed().toLower();
        return text != u"false" && text != u"0" && text != u"no";
    }
    return value.isNull() || value.toBool();
}

QString PublicUtilities::itemCount(int count)
{
    return tr("%n item(s)", nullptr, count);
}

void PublicUtilities::writRegularFont(const QString& fontFamily)
{
    store(kFontRegular, fontFamily);
}

void PublicUtilities::writLightFont(const QString& fontFamily)
{
    store(kFontLight, fontFamily);
}

void PublicUtilities::writBoldFont(const QString& fontFamily)
{
    store(kFontBold, fontFamily);
}

QString PublicUtilities::getRegularFontName()
{
    return stored(kFontRegular);
}

QString PublicUtilities::getLightFontName()
{
    return stored(kFontLight);
}

QString PublicUtilities::getBoldFontName()
{
    return stored(kFontBold);
}

void PublicUtilities::writePopWindowPoint(QPointF point)
{
    SettingsStore settings = SettingsStore::standard();
    settings.setValue(kPointX, QString::asprintf("%.1f", point.x()));
    settings.setValue(kPointY, QString::asprintf("%.1f", point.y()));
}

QPointF PublicUtilities::getPopWindowPoint()
{
    const QVariantMap dictionary = SettingsStore::standard().dictionary();
    return {dictionary.value(kPointX).toString().toFloat(),
            dictionary.value(kPointY).toString().toFloat()};
}

bool PublicUtilities::writeBeginDataTimeStr()
{
    return store(kBeginTime,
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

QString PublicUtilities::getBeginDataTimeStr()
{
    return stored(kBeginTime);
}

QString PublicUtilities::longlongDiskSize(std::int64_t bytes, TextForm form)
{
    return sizeText(bytes,
                    {{1000000000000, 1e12, kTerabytes},
                     {1000000000, 1e9, kGigabytes},
                     {1000000, 1e6, kMegabytes},
                     {1000, 1e3, kKilobytes}},
                    form);
}

QString PublicUtilities::longlongConvertVolSpace(std::int64_t bytes, TextForm form)
{
    return sizeText(bytes,
                    {{1099511627776, 1099511627776.0, kTerabytes},
                     {1073741824, 1073741824.0, kGigabytes},
                     {1048576, 1048576.0, kMegabytes},
                     {1024, 1024.0, kKilobytes}},
                    form);
}

QStringList PublicUtilities::applicationPaths()
{
    QStringList paths;
    for (const QString& path : XdgBaseFolders().applicationPaths()) {
        if (QFileInfo(path).isDir())
            paths.append(path);
    }
    return paths;
}

void PublicUtilities::getSystemVersionMajor(unsigned* major, unsigned* minor, unsigned* bugFix)
{
    if (major)
        *major = 11;
    if (minor)
        *minor = 0;
    if (bugFix)
        *bugFix = 0;
}

int PublicUtilities::getSystemVersion()
{
    unsigned major = 0;
    unsigned minor = 0;
    getSystemVersionMajor(&major, &minor, nullptr);
    return int(major * 100 + minor);
}

unsigned PublicUtilities::getMinorVersion()
{
    unsigned minor = 0;
    getSystemVersionMajor(nullptr, &minor, nullptr);
    return minor;
}

bool PublicUtilities::supportsUserNotifications()
{
    return getSystemVersion() >= 1009;
}

QVariantMap PublicUtilities::getMacInfo()
{
    const CommandOutcome outcome = GXExecCommand("lspci 2>/dev/null | grep -E 'VGA|3D|Display'");
    if (outcome.outputPath.isEmpty())
        return {};
    const std::optional<QVariant> root = PropertyList::readFile(outcome.outputPath);
    return root ? root->toMap() : QVariantMap();
}

bool PublicUtilities::isCanBeUseNetWork()
{
    QString target = stored(kNetworkProbeUrl);
    if (target.isEmpty())
        target = QString::fromLatin1(kDefaultProbeUrl);
    return isCanBeUseNetWork(QUrl(target));
}

bool PublicUtilities::isCanBeUseNetWork(const QUrl& target, int timeoutMs)
{
    if (!target.isValid())
        return false;
    QNetworkAccessManager manager;
    QNetworkRequest request(target);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setTransferTimeout(timeoutMs);
    QNetworkReply* reply = manager.get(request);

    bool answered = false;
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        answered = true;
        loop.quit();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, [&] {
        answered = answered || reply->bytesAvailable() > 0;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    reply->abort();
    delete reply;
    return answered;
}
