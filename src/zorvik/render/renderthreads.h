#pragma once
// The renderer's worker threads, for the few jobs of a very large frame that
// split into independent pieces (bands of the image, chunks of elements).
#include <cstddef>
#include <functional>

namespace zorvik::renderthreads {

// Below this many points a job is done on the calling thread: handing
// pieces to other threads costs more than it saves.
inline constexpr std::size_t WorthSplittingPoints = 20000;

// Calls job(i) for every i in [0, count), on the renderer's threads and the
// calling one, and returns when all calls have returned. A job that throws
// does not stop the others; the first failure is rethrown at the end. A job
// may call forEach itself: those pieces run on the job's own thread.
void forEach(int count, const std::function<void(int)> &job);

} // namespace zorvik::renderthreads
