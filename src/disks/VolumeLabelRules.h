#pragma once

#include <QCoreApplication>
#include <QString>

// The labels each file system can hold, checked before anything is changed, so that a label the
// tools would cut or refuse is refused here with a sentence the user can act on.
//
// Plain functions; any thread.
class VolumeLabelRules {
    Q_DECLARE_TR_FUNCTIONS(VolumeLabelRules)

public:
    VolumeLabelRules() = delete;

    // The label as it will be written for the udisks2 type ("vfat" labels are upper-cased).
    static QString adjusted(const QString& type, const QString& label);
    // Why `label` (already adjusted) cannot be given to a file system of the udisks2 `type`,
    // or an empty string when it can.
    static QString refusal(const QString& type, const QString& label);
};
