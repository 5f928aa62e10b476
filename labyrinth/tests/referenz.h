// The way search exactly as first written: plain depth-first backtracking that forgets
// its dead ends. Kept only as the yardstick for the fast search.
#pragma once

#include "labyrinth.h"

#include <cstdio>

inline int sucheWegReferenz(int feld[][kMaxGroesse], int spalten, int zeilen, int spalte,
                            int zeile) {
    feld[zeile][spalte] = -1;
    if (spalte == spalten - 1 && zeile == zeilen - 1) {
        std::printf("\t\tWeg gefunden:\n");
        ausgabe(feld, spalten, zeilen);
        return 1;
    }
    if (zeile < zeilen - 1 && feld[zeile + 1][spalte] == 0) {
        if (sucheWegReferenz(feld, spalten, zeilen, spalte, zeile + 1) == 1) return 1;
    }
    if (spalte < spalten - 1 && feld[zeile][spalte + 1] == 0) {
        if (sucheWegReferenz(feld, spalten, zeilen, spalte + 1, zeile) == 1) return 1;
    }
    if (zeile > 0 && feld[zeile - 1][spalte] == 0) {
        if (sucheWegReferenz(feld, spalten, zeilen, spalte, zeile - 1) == 1) return 1;
    }
    if (spalte > 0 && feld[zeile][spalte - 1] == 0) {
        if (sucheWegReferenz(feld, spalten, zeilen, spalte - 1, zeile) == 1) return 1;
    }
    feld[zeile][spalte] = 0;
    return 0;
}
