#pragma once

#include "ScreenshotCanvas.h"
#include "kit/StatusAttachedWindow.h"

#include <QList>
#include <QPointF>
#include <QTest>

#include <cstdio>

// corvella-screenshots: the PNGs of docs/screenshots, one sub-command per tool, all laid out by
// one ScreenshotCanvas:
//   corvella-screenshots COMMAND OUTPUT_FOLDER
// Each sub-command makes its own fixtures (files, a mount table, machine facts, a loopback
// server), so nothing of the user's shows and the pictures stay the same from run to run. Run it
// inside tests/env/desktop-test-env.sh, which gives the X server, compositor, window manager and
// sound server the windows are drawn with. scripts/screenshot runs every sub-command.
class Screenshots {
public:
    // Exit status: 0 when every PNG was written, 1 when one could not be made, 2 on a usage error.
    static int run(int argc, char** argv);

private:
    // One sub-command. Its handler makes the application object with (argc, argv) itself, after
    // whatever environment its fixtures need, and returns the exit status.
    struct Command {
        const char* name;
        int (Screenshots::*handler)(int& argc, char** argv);
        const char* pictures; // what it writes, for the usage text
    };

    explicit Screenshots(const QString& folder);

    static const QList<Command>& commands();
    // Points HOME and the XDG base folders into FOLDER/home, before the application reads them;
    // returns that home.
    static QString useHomeIn(const QString& folder);
    static void printUsage(std::FILE* stream);
    // Hangs the view in its own window at `point`, centres it on the screen and waits until it
    // shows; the caller owns the window.
    template <typename View>
    static StatusAttachedWindow* showCentred(View* view, QPointF point = QPointF(-3.0, 0.0))
    {
        StatusAttachedWindow* window = StatusAttachedWindow::create(view, point);
        view->setSuperDelegate(window);
        window->center();
        window->show();
        (void)QTest::qWaitForWindowExposed(window);
        return window;
    }
    // Answers the question a removal asks next (in 300 ms) with its destructive button, as a user
    // who chose Erase.
    static void answerTheNextQuestionDestructively();

    // One tool each, in Screenshots<Tool>.cpp.
    int panel(int& argc, char** argv);
    int scaled(int& argc, char** argv);
    int german(int& argc, char** argv);
    int dark(int& argc, char** argv);
    int apps(int& argc, char** argv);
    int disks(int& argc, char** argv);
    int system(int& argc, char** argv);
    int tasks(int& argc, char** argv);
    int trash(int& argc, char** argv);
    int finder(int& argc, char** argv);
    int progress(int& argc, char** argv);

    ScreenshotCanvas m_canvas;
};
