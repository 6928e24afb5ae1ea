#pragma once
// Puts the program's run state back to a fresh start when made and again when
// it goes, however the test ended (a failed ASSERT returns early). Make it
// before any window of the test (the first member of a fixture): the reset
// deletes the windows still registered.
#include "app/runstate.h"

namespace veltra::test {

class RunStateGuard
{
public:
    RunStateGuard() { app::resetRunState(); }
    ~RunStateGuard() { app::resetRunState(); }
    RunStateGuard(const RunStateGuard &) = delete;
    RunStateGuard &operator=(const RunStateGuard &) = delete;
};

} // namespace veltra::test
