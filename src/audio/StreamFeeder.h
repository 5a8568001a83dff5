// The feeder thread: keeps the rings of playing previews filled, so that the
// decoding, effects and pitch shifting of a preview happen off the audio
// thread. Jobs are polled every couple of milliseconds and on wake().
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace audio {

class FeedJob {
public:
    virtual ~FeedJob() = default;
    // Produces what fits; returns true when it did some work.
    virtual bool feed() = 0;
};

class StreamFeeder {
public:
    StreamFeeder();
    ~StreamFeeder();
    StreamFeeder(const StreamFeeder&) = delete;
    StreamFeeder& operator=(const StreamFeeder&) = delete;

    void add(std::shared_ptr<FeedJob> job);
    // After remove() returns, the job's feed() is no longer running.
    void remove(const FeedJob* job);
    void wake();

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<std::shared_ptr<FeedJob>> m_jobs;
    bool m_quit = false;
    bool m_woken = false;
    std::mutex m_running; // held while jobs run, so remove() can wait for them
    std::thread m_thread;
};

} // namespace audio
