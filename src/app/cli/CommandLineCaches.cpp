// corvella-cli's caches command: what the user's caches hold, as the Caches view lists it.
#include "app/cli/CommandLine.h"
#include "app/cli/CommandLineArguments.h"
#include "app/cli/CommandLineText.h"
#include "common/PublicUtilities.h"
#include "downloads/CacheInventory.h"

#include <QJsonArray>
#include <QJsonObject>

int CommandLine::caches(const CommandLineArguments& arguments)
{
    if (!arguments.operands().isEmpty())
        return usage(tr("caches takes only --json"));
    const QList<CacheInventory::Entry> entries = CacheInventory::list();
    if (arguments.json()) {
        QJsonArray array;
        for (const CacheInventory::Entry& entry : entries) {
            array.append(QJsonObject{
                {QStringLiteral("kind"), CacheInventory::kindName(entry.kind)},
                {QStringLiteral("label"), entry.label},
                {QStringLiteral("path"), CommandLineText::decodeName(entry.path)},
                {QStringLiteral("size"), entry.bytes},
                {QStringLiteral("isDirectory"), entry.isFolder},
                {QStringLiteral("inUse"), entry.inUse()},
                {QStringLiteral("inUseBy"), entry.inUseBy},
            });
        }
        printJson(array);
        return 0;
    }
    // SIZE, BYTES, KIND, the process using it ("-": none), PATH; one cache a line.
    for (const CacheInventory::Entry& entry : entries) {
        writeOut(
            PublicUtilities::longlongDiskSize(entry.bytes).toUtf8() + '\t' +
            QByteArray::number(entry.bytes) + '\t' + CacheInventory::kindName(entry.kind).toUtf8() +
            '\t' +
            (entry.inUse() ? CommandLineText::printable(entry.inUseBy.toUtf8()) : QByteArray("-")) +
            '\t' + CommandLineText::printable(entry.path) + '\n');
    }
    std::fflush(stdout);
    return 0;
}
