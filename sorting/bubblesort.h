// The recursive bubble sort of both sorting programs. sortcounter gets the same source
// built with SWAP_COUNTING, which makes swap count its calls in `swapped`.
#pragma once

namespace sortierung {

// Exchanges *x and *y.
void swap(int* x, int* y);

// Sorts a[0..n) ascending: one full pass per call, then the call for n - 1; n <= 1 does
// nothing. The recursion is n deep, so n must stay within the reading buffer's 10000.
void bubblesort(int* a, int n);

#ifdef SWAP_COUNTING
// Calls of swap since the program started; never reset.
extern int swapped;
#endif

} // namespace sortierung
