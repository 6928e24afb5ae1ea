#pragma once
// Registration of the subsystems with the shell: each later subsystem hands
// the shell the windows and services the shell calls but cannot name.
namespace veltra::app {

// Called once before start-up.
void registerSubsystems();

} // namespace veltra::app
