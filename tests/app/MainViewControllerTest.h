#pragma once

#include <QObject>
#include <QString>

class MainViewControllerTest : public QObject {
    Q_OBJECT
public:
    explicit MainViewControllerTest(QString home) : m_home(std::move(home)) {}

private Q_SLOTS:
    void init();
    void freshPanelShowsTaskManagerSelected();
    void tabImagesFollowTheSelection_data();
    void tabImagesFollowTheSelection();
    void clickingATabReportsItToTheDelegate();
    void startupItemsAreReadEachTimeTheTabIsShown();
    void toolsMenuActsAtOnce_data();
    void toolsMenuActsAtOnce();
    void powerActionsReachLogind();
    void firstStartRecordsTimeAndAddsLoginItemOnlyWhenInstalled();
    void brightnessButtonFollowsTheMachine_data();
    void brightnessButtonFollowsTheMachine();
    void closeButtonAsksTheDelegate();

private:
    QString m_home;
};
