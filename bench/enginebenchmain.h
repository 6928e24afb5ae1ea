#pragma once
// The main of a benchmark program whose code reaches the map engine: the
// engine is a widget, so the benchmarks run in an application on the
// offscreen platform with one engine at scale 1:25,000 as the current map
// (gobjZor) and the setting date 2024/04/01.
//
//   int main(int argc, char **argv) { return runEngineBenchmarks(argc, argv); }

namespace veltra::bench {

int runEngineBenchmarks(int argc, char **argv);

} // namespace veltra::bench
