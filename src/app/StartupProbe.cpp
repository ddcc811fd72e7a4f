#include "app/StartupProbe.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

void StartupProbe::watchIfRequested(QWidget* window)
{
    if (!window || !qEnvironmentVariableIsSet("CORVELLA_STARTUP_PROBE"))
        return;
    window->installEventFilter(new StartupProbe(window));
}

bool StartupProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && !m_reported) {
        m_reported = true;
        // Report after the paint has been flushed to the window.
        QTimer::singleShot(0, this, [] {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::fprintf(stderr, "corvella-startup painted %lld\n",
                         static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
            std::fflush(stderr);
        });
    }
    return QObject::eventFilter(watched, event);
}
