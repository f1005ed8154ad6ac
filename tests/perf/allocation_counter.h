// Counts heap allocations made by this process between start and stop: every
// form of global operator new and malloc, calloc, realloc and the aligned
// allocators are replaced in the binary that links allocation_counter.cpp.
#pragma once

void start_counting_allocations();
// The number of allocations since start_counting_allocations.
long stop_counting_allocations();
