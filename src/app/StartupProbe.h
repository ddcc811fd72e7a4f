#pragma once

#include <QObject>

// For the start-up benchmark: once the watched window has painted for the first time, prints
// "corvella-startup painted <CLOCK_MONOTONIC nanoseconds>" on standard error, so a launcher that
// noted the clock before starting the process can tell how long the panel took to appear.
// Enabled by the environment variable CORVELLA_STARTUP_PROBE.
class StartupProbe : public QObject {
    Q_OBJECT
public:
    static void watchIfRequested(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit StartupProbe(QObject* parent) : QObject(parent) {}
    bool m_reported = false;
};
