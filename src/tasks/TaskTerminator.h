#pragma once

#include "tasks/TaskManagerInfo.h"

#include <QString>

// Ending listed applications: the termination signal (SIGTERM), and on request the kill signal
// (SIGKILL) for one that outlived it, both through the pidfd its record holds. Never signals by
// bare identifier, so a program that got a reused identifier is never hit. Safe on any thread;
// nothing here waits.
class TaskTerminator {
public:
    TaskTerminator() = delete;

    // Asks the application to quit. 0 on success, else the errno: EINVAL for an identifier of 0
    // or below, EPERM for 1 (init), ESRCH when it has already quit, EPERM when the user may not end
    // it, or the error that kept the process from being held when the list was built.
    static int doCloseWithPID(const TaskManagerInfo& record);
    // Ends the application at once; the same results.
    static int forceQuit(const TaskManagerInfo& record);
    static bool isRunning(const TaskManagerInfo& record);
    // "Could not end “Name” (PID 42): it has already quit."
    static QString failureText(const TaskManagerInfo& record, int error);
};
