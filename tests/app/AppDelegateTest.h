#pragma once

#include <QObject>

class AppDelegateTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void panelTogglesAndRemembersTheTabUntilRestart();
    void reOpenWindowOnlyOpens();
    void closeButtonClosesThePanel();
    void panelClosedAnyOtherWayOpensOnTheNextToggle();
    void dialogsAreCreatedOnceAndEndTheirModalRunOnClose();
    void withoutATrayThePanelSaysHowToReachItOnce();
    void trayImageFollowsTheColourScheme();
};
