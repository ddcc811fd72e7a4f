#include "disks/VolumeLabelRules.h"

#include "disks/DiskDescription.h"

namespace {

struct Limit {
    const char* type;
    int count;
    bool inBytes; // else in UTF-16 characters
};

constexpr Limit kLimits[] = {
    {"vfat", 11, true},   {"exfat", 11, false}, {"ext2", 16, true}, {"ext3", 16, true},
    {"ext4", 16, true},   {"btrfs", 255, true}, {"xfs", 12, true},  {"ntfs", 128, false},
    {"f2fs", 512, false}, {"udf", 126, true},
};

} // namespace

QString VolumeLabelRules::adjusted(const QString& type, const QString& label)
{
    return type == u"vfat" ? label.toUpper() : label;
}

QString VolumeLabelRules::refusal(const QString& type, const QString& label)
{
    const QString system = DiskDescription::filesystemName(type);
    for (const QChar character : label) {
        if (character.unicode() < 0x20 || character.unicode() == 0x7F)
            return tr("A volume name cannot hold line breaks or control characters.");
    }
    if (type == u"vfat") {
        static const QString forbidden = QStringLiteral("\"*/:<>?\\|+,.;=[]");
        for (const QChar character : label) {
            if (forbidden.contains(character))
                return tr("A %1 volume name cannot hold the character “%2”; these "
                          "are not allowed: %3")
                    .arg(system, QString(character), forbidden);
        }
        if (label.startsWith(u' '))
            return tr("A %1 volume name cannot start with a space.").arg(system);
    }
    for (const Limit& limit : kLimits) {
        if (type != QLatin1StringView(limit.type))
            continue;
        const qsizetype length = limit.inBytes ? label.toUtf8().size() : label.size();
        if (length > limit.count) {
            // Every limit is far above one, so the unit needs no singular.
            return (limit.inBytes ? tr("The name “%1” is too long for a %2 volume: it may have at "
                                       "most %3 bytes, and it has %4.")
                                  : tr("The name “%1” is too long for a %2 volume: it may have at "
                                       "most %3 characters, and it has %4."))
                .arg(label, system)
                .arg(limit.count)
                .arg(length);
        }
    }
    return {};
}
