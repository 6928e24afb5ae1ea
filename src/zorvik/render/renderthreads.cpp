#include "zorvik/render/renderthreads.h"

#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <atomic>
#include <exception>
#include <latch>
#include <mutex>

namespace zorvik::renderthreads {

namespace {
// Our own pool: a frame waits for its pieces, so they must not queue behind
// unrelated work on the global pool.
QThreadPool &pool()
{
    static QThreadPool *threads = [] {
        auto *p = new QThreadPool;
        p->setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
        p->setExpiryTimeout(30000);
        return p;
    }();
    return *threads;
}
} // namespace

void forEach(int count, const std::function<void(int)> &job)
{
    if (count <= 0)
        return;
    std::atomic<int> next{0};
    std::exception_ptr failure;
    std::mutex failureLock;
    // Each worker takes the next piece until none is left, so uneven pieces
    // even out.
    auto work = [&] {
        for (int i = next++; i < count; i = next++) {
            try {
                job(i);
            } catch (...) {
                const std::lock_guard lock(failureLock);
                if (!failure)
                    failure = std::current_exception();
            }
        }
    };
    const int helpers = std::min(count - 1, pool().maxThreadCount());
    std::latch done(helpers);
    for (int h = 0; h < helpers; ++h)
        pool().start([&] {
            work();
            done.count_down();
        });
    work();
    done.wait();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace zorvik::renderthreads
