// The cost of one rebuild of the Task Manager's application list, for bench/tasks: makes N
// rebuilds as the tab makes them and prints the processor time of each (thread CPU time),
// median and worst:   task-list-rebuild N
// Run it under an X server (tests/env/desktop-test-env.sh): the list maps windows to processes.
#include "tasks/TaskListBuilder.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

double threadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: task-list-rebuild N\n");
        return 2;
    }
    QCoreApplication application(argc, argv);
    const int count = std::max(1, std::atoi(argv[1]));
    TaskListBuilder::Options options;
    options.includeOwnProcess = true;
    TaskListBuilder builder(options, TaskListBuilder::createWindowSource());
    builder.getAllProcess(); // the desktop entry index is read once per run
    QList<double> costs;
    qsizetype rows = 0;
    for (int round = 0; round < count; ++round) {
        const double before = threadCpuMilliseconds();
        rows = builder.getAllProcess().size();
        costs.append(threadCpuMilliseconds() - before);
    }
    std::sort(costs.begin(), costs.end());
    std::printf(
        "rows %lld, processes %lld, rebuild CPU ms: median %.3f, worst %.3f\n",
        static_cast<long long>(rows),
        static_cast<long long>(
            QDir(QStringLiteral("/proc")).entryList({QStringLiteral("[1-9]*")}, QDir::Dirs).size()),
        costs.at(costs.size() / 2), costs.last());
    return 0;
}
