// The plain transcription of the bubble sort and its swap.
#include "reference_sort.h"

#ifdef SWAP_COUNTING
int referenzSwapped = 0;
#endif

void referenzSwap(int* x, int* y) {
    int temp = *x;
    *x = *y;
    *y = temp;
#ifdef SWAP_COUNTING
    referenzSwapped++;
#endif
}

void referenzBubblesort(int* a, int n) {
    int i;
    if (n <= 1) return;
    for (i = 0; i < n - 1; i++)
        if (a[i] > a[i + 1]) referenzSwap(&a[i], &a[i + 1]);
    referenzBubblesort(a, n - 1);
}
