#pragma once

#include "kit/StatusAttachedWindow.h"

#include <QPointF>
#include <QSize>
#include <QWidget>

#include <memory>

// The test classes of window_tests; each runs its cases with QTest::qExec and returns the number
// of failures. WINDOW_TESTS_ONLY=<run function's class> runs one class, so that function names
// given on the command line reach the class that has them.
int runStatusAttachedWindowTest(int argc, char** argv);
int runStatusAttachedWindowModalTest(int argc, char** argv);
int runLauncherWindowTest(int argc, char** argv);
int runX11WindowSystemTest(int argc, char** argv);

// Run by a child copy of window_tests (CORVELLA_WINDOWSYSTEM_PROBE set) on another Qt platform:
// prints what WindowSystem answers there, one "key=value" line each.
int runWindowSystemProbe();

namespace windowtest {

using WindowPtr = std::unique_ptr<StatusAttachedWindow>;

// An attached window around an empty view of `viewSize`.
inline WindowPtr makeWindow(QSize viewSize, QPointF point = {600, 300}, QWidget* parent = nullptr,
                            unsigned side = StatusAttachedWindow::SideBelow, float distance = 5.0f)
{
    auto* view = new QWidget;
    view->resize(viewSize);
    return WindowPtr(StatusAttachedWindow::create(view, point, parent, side, distance));
}

} // namespace windowtest
