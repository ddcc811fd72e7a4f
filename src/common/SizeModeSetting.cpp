#include "common/SizeModeSetting.h"

#include "common/PublicUtilities.h"
#include "common/SettingsStore.h"

namespace {

const QString kSizeModeKey = QStringLiteral("SizeMode");

} // namespace

SizeMode SizeModeSetting::load()
{
    return SettingsStore::standard().stringValue(kSizeModeKey) == key(SizeMode::DiskUsage)
               ? SizeMode::DiskUsage
               : SizeMode::Apparent;
}

bool SizeModeSetting::store(SizeMode mode)
{
    return SettingsStore::standard().setValue(kSizeModeKey, key(mode));
}

QString SizeModeSetting::key(SizeMode mode)
{
    return mode == SizeMode::DiskUsage ? QStringLiteral("disk-usage") : QStringLiteral("apparent");
}

QString SizeModeSetting::title(SizeMode mode)
{
    return mode == SizeMode::DiskUsage ? tr("Size on disk") : tr("Apparent size");
}

QString SizeModeSetting::figure(std::int64_t bytes, SizeMode mode)
{
    const QString size = PublicUtilities::longlongDiskSize(bytes);
    return mode == SizeMode::DiskUsage ? tr("%1 on disk", "a size: 4.2 GB on disk").arg(size)
                                       : tr("%1 apparent", "a size: 4.2 GB apparent").arg(size);
}
