#pragma once

#include <functional>

// A parallel loop over indexes: an OpenMP team, or, in a build made for the thread sanitizer
// (which cannot see the OpenMP runtime's own synchronisation), a pool of standard threads
// taking the indexes in turn.

// The processors of the machine; at least 1.
int GetProcessorCount();

// Runs body(i) once for each i from 0 to count - 1 on up to `threads` threads (0: one per
// processor), the indexes dealt round (thread t takes t, t + threads, ...), and returns when all
// are done. The body must not throw.
void ParallelFor(int count, int threads, const std::function<void(int index)>& body);
