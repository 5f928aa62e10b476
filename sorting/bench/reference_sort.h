// A plain transcription of the recursive bubble sort, kept apart from the library so the
// benchmark compares two separately compiled units built with the same flags.
#pragma once

void referenzSwap(int* x, int* y);
void referenzBubblesort(int* a, int n);

#ifdef SWAP_COUNTING
extern int referenzSwapped;
#endif
