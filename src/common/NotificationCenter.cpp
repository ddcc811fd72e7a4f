#include "common/NotificationCenter.h"

NotificationCenter* NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return &center;
}

void NotificationCenter::post(const QString& name, QObject* object)
{
    Q_EMIT posted(name, object);
}
