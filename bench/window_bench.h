// What every benchmark of the windows does around its own measures.
#pragma once

#include <functional>

// Runs the registered benchmarks drawn off screen unless a platform is named (the figures are
// then the program's own work), with the program's pictures and fallback fonts loaded. setUp
// makes what they share once Qt runs, says what is measured, and returns false to stop;
// tearDown releases it before Qt ends.
int RunWindowBenchmarks(int argc, char** argv, const std::function<bool()>& setUp,
                        const std::function<void()>& tearDown);
