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

// Set on a thread while it runs pieces: a piece that splits its own work
// does it on its own thread, as waiting for the pool from inside the pool
// could wait for ever.
thread_local bool t_inPiece = false;
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
        const bool outer = !t_inPiece;
        t_inPiece = true;
        for (int i = next++; i < count; i = next++) {
            try {
                job(i);
            } catch (...) {
                const std::lock_guard lock(failureLock);
                if (!failure)
                    failure = std::current_exception();
            }
        }
        t_inPiece = !outer;
    };
    const int helpers = t_inPiece ? 0 : std::min(count - 1, pool().maxThreadCount());
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
