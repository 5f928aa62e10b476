// The search behind dame, with the knobs that the tests and the benchmark turn: a
// seam for them, not part of the program's interface.
#pragma once

#include "queenboard.h"

namespace queenboard {

struct Suchoptionen {
    // Threads in all, the calling one among them; 0: one per core; 1: the
    // calling thread searches alone.
    int faeden = 0;
    // A proof that a subtree is empty is shared among the threads once it has
    // taken this many search nodes alone; 0: default.
    long long teilenAb = 0;
    // Gives up after about this many seconds (result -1); 0: never.
    double sekunden = 0;
    // The proof without vector instructions, as on processors that lack them.
    bool ohneVektoren = false;
};

// As dame, with the given options: 1 found, 0 none, -1 given up. `knoten`, when
// given, receives the number of search nodes of all threads together.
int dameSuchen(int anzahl, Feld feld, int spalten, int zeilen, const Suchoptionen& optionen,
               unsigned long long* knoten = nullptr);

} // namespace queenboard
