// What the tests and the benchmark of the way search share: a maze record, and the plain
// search (depth-first backtracking that forgets its dead ends), the yardstick for the
// fast one.
#pragma once

#include "labyrinth.h"

#include <cstdio>

// Either search, the fast or the plain one.
using Suche = bool (*)(int[][labyrinth::kMaxGroesse], int, int, int, int);

// A maze in its 50 by 50 grid; the cells outside the maze stay 0, so a search that
// strays outside would walk there and show up in a comparison.
struct Labyrinth {
    int feld[labyrinth::kMaxGroesse][labyrinth::kMaxGroesse] = {};
    int spalten = 0;
    int zeilen = 0;
};

inline bool sucheWegReferenz(int feld[][labyrinth::kMaxGroesse], int spalten, int zeilen,
                             int spalte, int zeile) {
    feld[zeile][spalte] = -1;
    if (spalte == spalten - 1 && zeile == zeilen - 1) {
        std::printf("\t\tWeg gefunden:\n");
        labyrinth::ausgabe(feld, spalten, zeilen);
        return true;
    }
    if (zeile < zeilen - 1 && feld[zeile + 1][spalte] == 0) {
        if (sucheWegReferenz(feld, spalten, zeilen, spalte, zeile + 1)) return true;
    }
    if (spalte < spalten - 1 && feld[zeile][spalte + 1] == 0) {
        if (sucheWegReferenz(feld, spalten, zeilen, spalte + 1, zeile)) return true;
    }
    if (zeile > 0 && feld[zeile - 1][spalte] == 0) {
        if (sucheWegReferenz(feld, spalten, zeilen, spalte, zeile - 1)) return true;
    }
    if (spalte > 0 && feld[zeile][spalte - 1] == 0) {
        if (sucheWegReferenz(feld, spalten, zeilen, spalte - 1, zeile)) return true;
    }
    feld[zeile][spalte] = 0;
    return false;
}
