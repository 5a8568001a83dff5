#include "audio/StreamFeeder.h"

#include <algorithm>
#include <chrono>

namespace audio {

namespace {

constexpr std::chrono::milliseconds PollInterval{2};

} // namespace

StreamFeeder::StreamFeeder() : m_thread([this] { run(); }) {}

StreamFeeder::~StreamFeeder() {
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void StreamFeeder::add(std::shared_ptr<FeedJob> job) {
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    wake();
}

void StreamFeeder::remove(const FeedJob* job) {
    {
        std::lock_guard lock(m_mutex);
        std::erase_if(m_jobs, [job](const auto& j) { return j.get() == job; });
    }
    // Wait for a round that may still be running the job.
    std::lock_guard running(m_running);
}

void StreamFeeder::wake() {
    {
        std::lock_guard lock(m_mutex);
        m_woken = true;
    }
    m_wake.notify_all();
}

void StreamFeeder::run() {
    std::vector<std::shared_ptr<FeedJob>> jobs;
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait_for(lock, PollInterval, [this] { return m_quit || m_woken; });
            if (m_quit)
                return;
            m_woken = false;
        }
        bool busy = true;
        while (busy) {
            std::lock_guard running(m_running);
            {
                std::lock_guard lock(m_mutex);
                if (m_quit)
                    return;
                jobs = m_jobs;
            }
            busy = false;
            for (const auto& job : jobs)
                busy = job->feed() || busy;
            jobs.clear();
        }
    }
}

} // namespace audio
