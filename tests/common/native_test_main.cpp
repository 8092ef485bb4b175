// Entry point of the native tests, with a watchdog: a test that runs longer than its limit (120 s,
// or HALYARD_TEST_SECONDS) is named and the process aborts, so that a hung test fails the suite
// instead of stalling it. The limit is generous: the tests run under sanitizers on shared machines.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

class Watchdog final : public testing::EmptyTestEventListener {
public:
    explicit Watchdog(std::chrono::seconds limit) : m_limit(limit), m_thread([this] { Watch(); }) {}
    ~Watchdog() override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }

private:
    void OnTestStart(const testing::TestInfo& info) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_name = std::string(info.test_suite_name()) + "." + info.name();
        m_started = Clock::now();
        m_running = true;
    }
    void OnTestEnd(const testing::TestInfo&) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_running = false;
    }
    void Watch()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (!m_stop) {
            m_wake.wait_for(lock, std::chrono::seconds(1));
            if (!m_running || Clock::now() - m_started <= m_limit) continue;
            std::fprintf(stderr, "\n%s ran longer than %lld s: the tests stop here.\n", m_name.c_str(),
                         static_cast<long long>(m_limit.count()));
            std::fflush(stderr);
            std::abort();
        }
    }

    const std::chrono::seconds m_limit;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::string m_name;
    Clock::time_point m_started;
    bool m_running = false;
    bool m_stop = false;
    std::thread m_thread;  // last: it starts once everything it reads exists
};

std::chrono::seconds Limit()
{
    const char* text = std::getenv("HALYARD_TEST_SECONDS");
    const long seconds = text != nullptr ? std::strtol(text, nullptr, 10) : 0;
    return std::chrono::seconds(seconds > 0 ? seconds : 120);
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // gtest deletes the listeners it owns when the process ends; this one must stop its thread
    // while the process still runs, so it stays ours.
    Watchdog watchdog(Limit());
    testing::TestEventListeners& listeners = testing::UnitTest::GetInstance()->listeners();
    listeners.Append(&watchdog);
    const int result = RUN_ALL_TESTS();
    listeners.Release(&watchdog);
    return result;
}
