#pragma once

#include <mutex>
#include <utility>

// Debian's Qt is built without ThreadSanitizer, so the locks inside its thread pool and event queue are invisible to
// it, and work handed through them looks unsynchronised. Posting while holding this lock, and taking it before the
// work runs, makes each hand-off plain to the sanitizer; uncontended, it costs next to nothing.
class ThreadHandOff final
{
public:
    ThreadHandOff() = delete;

    // Calls post with a function that runs work once the posting is complete.
    template<typename Post, typename Work> static void handOver(Post &&post, Work work)
    {
        const std::lock_guard lock(mutex());
        std::forward<Post>(post)([work = std::move(work)]() mutable {
            {
                const std::lock_guard received(mutex());
            }
            work();
        });
    }

private:
    static std::mutex &mutex()
    {
        static std::mutex handOffs;
        return handOffs;
    }
};
