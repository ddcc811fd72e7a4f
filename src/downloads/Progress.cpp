#include "downloads/Progress.h"

#include <condition_variable>
#include <mutex>

namespace {

std::mutex& pauseMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::condition_variable& pauseChanged()
{
    static std::condition_variable condition;
    return condition;
}

std::atomic<bool> pauseFlag{false};

} // namespace

void Progress::isPause(bool paused)
{
    {
        const std::lock_guard<std::mutex> guard(pauseMutex());
        pauseFlag.store(paused, std::memory_order_release);
    }
    pauseChanged().notify_all();
}

bool Progress::paused()
{
    return pauseFlag.load(std::memory_order_acquire);
}

void Progress::isPause(const std::atomic<bool>* stop)
{
    if (!pauseFlag.load(std::memory_order_acquire))
        return;
    std::unique_lock<std::mutex> lock(pauseMutex());
    pauseChanged().wait(lock, [stop] {
        return !pauseFlag.load(std::memory_order_acquire) ||
               (stop && stop->load(std::memory_order_acquire));
    });
}

void Progress::wakeAll()
{
    {
        const std::lock_guard<std::mutex> guard(pauseMutex());
    }
    pauseChanged().notify_all();
}
