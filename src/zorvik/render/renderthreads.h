#pragma once
// The renderer's worker threads, for the few jobs of a very large frame that
// split into independent pieces (bands of the image, chunks of elements).
#include <functional>

namespace zorvik::renderthreads {

// Calls job(i) for every i in [0, count), on the renderer's threads and the
// calling one, and returns when all calls have returned. A job that throws
// does not stop the others; the first failure is rethrown at the end.
void forEach(int count, const std::function<void(int)> &job);

} // namespace zorvik::renderthreads
