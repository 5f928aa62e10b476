// The bubble sort and its swap, counting in the SWAP_COUNTING build.
#include "bubblesort.h"

namespace sortierung {

#ifdef SWAP_COUNTING
int swapped = 0;
#endif

void swap(int* x, int* y) {
    const int temp = *x;
    *x = *y;
    *y = temp;
#ifdef SWAP_COUNTING
    swapped++;
#endif
}

void bubblesort(int* a, int n) {
    if (n <= 1) return;
    for (int i = 0; i < n - 1; i++) {
        // Strictly greater: equal neighbours stay, so the exchanges are the inversions.
        // Qualified, so no using-declaration of std::swap in reach can take the call and
        // skip the count.
        if (a[i] > a[i + 1]) sortierung::swap(&a[i], &a[i + 1]);
    }
    bubblesort(a, n - 1);
}

} // namespace sortierung
