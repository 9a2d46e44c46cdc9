// Heap allocations made by the calling thread, counted by the benchmark
// binary's own global operator new.
#pragma once

#include <cstdint>

namespace bench {

std::uint64_t allocationsSoFar();

}  // namespace bench
