#include "system/SystemInformation.h"

#include "common/PublicUtilities.h"

#include <QCoreApplication>
#include <QUuid>

#include <cstdio>
#include <sys/utsname.h>
#include <unistd.h>

namespace {

// One diagnostic line on standard error, with a newline added when it has none.
void printLine(const QString& text)
{
    QByteArray line = text.toUtf8();
    if (!line.endsWith('\n'))
        line.append('\n');
    std::fputs(line.constData(), stderr);
}

QString joinedWords(const QStringList& parts)
{
    QStringList present;
    for (const QString& part : parts) {
        if (!part.isEmpty())
            present << part;
    }
    return present.join(u' ');
}

} // namespace

SystemInformation SystemInformation::collect(const MachineInfo& machine, bool diagnostics,
                                             PublicUtilities::TextForm form)
{
    SystemInformation info;
    struct utsname kernel {};
    const bool hasKernel = ::uname(&kernel) == 0;
    const QString release = hasKernel ? QString::fromUtf8(kernel.release) : QString();
    const QMap<QString, QString> os = machine.osRelease();

    info.versionName = os.value(QStringLiteral("NAME"));
    if (info.versionName.isEmpty())
        info.versionName = os.value(QStringLiteral("PRETTY_NAME"), QStringLiteral("Linux"));
    const QString osVersion = os.value(QStringLiteral("VERSION"));
    const QString kernelText = release.isEmpty() ? QString() : QStringLiteral("Linux ") + release;
    const auto text = [form](const char* source) {
        return form == PublicUtilities::TextForm::Shown
                   ? QCoreApplication::translate("SystemInformation", source)
                   : QString::fromLatin1(source);
    };
    if (osVersion.isEmpty())
        info.version = kernelText;
    else if (kernelText.isEmpty())
        info.version = text(QT_TR_NOOP("Version %1")).arg(osVersion);
    else
        info.version = text(QT_TR_NOOP("Version %1, %2")).arg(osVersion, kernelText);

    if (diagnostics) {
        printLine(QStringLiteral("Beginning system data collection..."));
        printLine(QStringLiteral("NSProcessInfo:"));
        printLine(QStringLiteral("\tProcess Name: %1")
                      .arg(QCoreApplication::instance() ? QCoreApplication::applicationName()
                                                        : QString()));
        printLine(QStringLiteral("\tPID: %1").arg(::getpid()));
        printLine(QStringLiteral("\tProcess GUID: %1")
                      .arg(QUuid::createUuid().toString(QUuid::WithoutBraces)));
        printLine(QStringLiteral("\tOS Version: %1").arg(info.version));
        printLine(QStringLiteral("\tTotal Processors: %1").arg(::sysconf(_SC_NPROCESSORS_CONF)));
        printLine(QStringLiteral("\tActive Processors: %1").arg(::sysconf(_SC_NPROCESSORS_ONLN)));
    }
    const qint64 memory = machine.memoryTotal();
    if (diagnostics)
        printLine(QStringLiteral("\tTotal RAM: %1 bytes").arg(std::max<qint64>(memory, 0)));
    info.memorySize = text(QT_TR_NOOP("MemorySize: %1"))
                          .arg(memory >= 0 ? PublicUtilities::longlongConvertVolSpace(memory, form)
                                           : QStringLiteral("(null)"));

    info.macModel = joinedWords({machine.dmiAttribute(QStringLiteral("sys_vendor")),
                                 machine.dmiAttribute(QStringLiteral("product_name")),
                                 machine.dmiAttribute(QStringLiteral("product_version"))});
    info.compterVerion = info.macModel;
    info.cpuName = machine.processorName();
    info.grpName = machine.graphicsAdapter();
    if (diagnostics) {
        printLine(QStringLiteral("sysctl:"));
        printLine(QStringLiteral("\tkern.ostype: %1")
                      .arg(hasKernel ? QString::fromUtf8(kernel.sysname) : QString()));
        printLine(QStringLiteral("\tkern.osrelease: %1").arg(release));
        printLine(QStringLiteral("\tkern.osversion: %1")
                      .arg(hasKernel ? QString::fromUtf8(kernel.version) : QString()));
        printLine(QStringLiteral("\thw.model: %1").arg(info.macModel));
        printLine(QStringLiteral("\tmachdep.cpu.brand_string: %1").arg(info.cpuName));
        printLine(QStringLiteral("\thw.cpufrequency: %1").arg(machine.processorFrequency()));
        printLine(QStringLiteral("IOKit:"));
        for (const auto& [processor, identifier] : machine.processorIdentifiers()) {
            printLine(QStringLiteral("\tcpu%1 has ID: 0x%2")
                          .arg(processor)
                          .arg(uint(std::max(identifier, 0)), 8, 16, QLatin1Char('0')));
        }
    }

    QString serial = machine.dmiAttribute(QStringLiteral("product_serial"));
    if (serial.isEmpty())
        serial = QStringLiteral("(null)");
    if (diagnostics)
        printLine(QStringLiteral("\tSerial Number: %1").arg(serial));
    info.serName = text(QT_TR_NOOP("Serial Number: %1")).arg(serial);
    return info;
}

bool SystemInformation::getMacModel() const
{
    return macModel.contains(QStringLiteral("mini"), Qt::CaseInsensitive);
}
