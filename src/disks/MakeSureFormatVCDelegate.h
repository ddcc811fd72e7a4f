#pragma once

#include <QString>

// The listener of the format confirmation: the box whose volume it asks about.
class MakeSureFormatVCDelegate {
public:
    virtual ~MakeSureFormatVCDelegate() = default;
    // Continue was pressed with the name field's text and the chosen file system's name.
    virtual void makeSureToFormatSelectVolumeWithName(const QString& name, const QString& type) = 0;
};
