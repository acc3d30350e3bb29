#pragma once

namespace lf {

// Opt-in for the benchmarks: with LUMENFOLIO_BENCH_FIRST_PAINT=<file> in
// the environment, the first call writes the monotonic clock (ns) and the
// process's peak memory so far (kB) into that file; later calls and runs
// without the variable do nothing.
void record_first_paint();

} // namespace lf
