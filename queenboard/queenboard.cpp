// The queen board's operations: setting and taking away queens with their attack
// counters, the search's entry, and the board in its frame.
#include "queenboard.h"

#include "console.h"
#include "gitter.h"
#include "suche.h"

#include <cstdio>

namespace queenboard {

namespace {

constexpr int kFarbeDame = console::kHellrot;
constexpr int kFarbeZahl = console::kHellgrau;

// Adds `delta` to every square on the queen's column, row and diagonals. The
// queen's own square is met six times; the caller overwrites it.
void linienAendern(Feld feld, int spalten, int zeilen, int spalte, int zeile, int delta) {
    for (int z = 0; z < zeilen; ++z) feld[z][spalte] += delta;
    for (int s = 0; s < spalten; ++s) feld[zeile][s] += delta;
    for (int z = zeile, s = spalte; z >= 0 && s < spalten; --z, ++s) feld[z][s] += delta;
    for (int z = zeile, s = spalte; z >= 0 && s >= 0; --z, --s) feld[z][s] += delta;
    for (int z = zeile, s = spalte; z < zeilen && s >= 0; ++z, --s) feld[z][s] += delta;
    for (int z = zeile, s = spalte; z < zeilen && s < spalten; ++z, ++s) feld[z][s] += delta;
}

} // namespace

void init(Feld feld, int spalten, int zeilen) {
    for (int z = 0; z < zeilen; ++z)
        for (int s = 0; s < spalten; ++s) feld[z][s] = 0;
}

void dameSetzen(Feld feld, int spalten, int zeilen, int spalte, int zeile) {
    linienAendern(feld, spalten, zeilen, spalte, zeile, 1);
    feld[zeile][spalte] = -1;
}

void dameLoeschen(Feld feld, int spalten, int zeilen, int spalte, int zeile) {
    linienAendern(feld, spalten, zeilen, spalte, zeile, -1);
    feld[zeile][spalte] = 0;
}

bool dame(int anzahl, Feld feld, int spalten, int zeilen) {
    return dameSuchen(anzahl, feld, spalten, zeilen, Suchoptionen{}) == 1;
}

// Two characters a square: " D" for a queen, else the blank and the count.
void ausgabe(Feld feld, int spalten, int zeilen) {
    console::printFramedGrid(spalten, zeilen, 2, [&](int z, int s) {
        if (feld[z][s] == -1) {
            console::writeColoured(kFarbeDame, " D", kFarbeZahl);
        } else if (feld[z][s] >= 0) {
            // Light grey before the count and again after it, as the board's output is
            // defined: a colour terminal gets that sequence twice in a row between two
            // counts, and the terminal test expects exactly that.
            console::setcolor(kFarbeZahl);
            std::printf(" %d", feld[z][s]);
            console::setcolor(kFarbeZahl);
        }
    });
}

} // namespace queenboard
