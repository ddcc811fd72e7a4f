#pragma once

#include <QObject>

class MyNSApplicationTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mapsEditShortcuts_data();
    void mapsEditShortcuts();
    void unmappedShortcutsReachNormalDispatch_data();
    void unmappedShortcutsReachNormalDispatch();
    void actionNobodyTakesReachesNormalDispatch();
    void actionTravelsToTheNearestParentThatHasIt();
};
