#include "queenboard.h"

#include "console.h"
#include "suche.h"

#include <cstdio>

using namespace console;

// ---- Board -------------------------------------------------------------------

void init(Feld feld, int spalten, int zeilen) {
    for (int z = 0; z < zeilen; ++z)
        for (int s = 0; s < spalten; ++s) feld[z][s] = 0;
}

namespace {

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

void dameSetzen(Feld feld, int spalten, int zeilen, int spalte, int zeile) {
    linienAendern(feld, spalten, zeilen, spalte, zeile, 1);
    feld[zeile][spalte] = -1;
}

void dameLoeschen(Feld feld, int spalten, int zeilen, int spalte, int zeile) {
    linienAendern(feld, spalten, zeilen, spalte, zeile, -1);
    feld[zeile][spalte] = 0;
}

// ---- Search ------------------------------------------------------------------

int dame(int anzahl, Feld feld, int spalten, int zeilen) {
    return dameSuchen(anzahl, feld, spalten, zeilen, Suchoptionen{});
}

int dameMitGrenze(int anzahl, Feld feld, int spalten, int zeilen, double sekunden) {
    return dameSuchen(anzahl, feld, spalten, zeilen, Suchoptionen{.sekunden = sekunden});
}

// ---- Display -----------------------------------------------------------------

namespace {

void randZeile(int spalten) {
    std::fputs("\t\t", stdout);
    setcolor(136);
    std::fputs("+", stdout);
    for (int s = 0; s < spalten; ++s) std::fputs("--", stdout);
    std::fputs("+", stdout);
    setcolor(7);
}

} // namespace

void ausgabe(Feld feld, int spalten, int zeilen) {
    randZeile(spalten);
    std::fputs("\n", stdout);
    for (int z = 0; z < zeilen; ++z) {
        std::fputs("\t\t", stdout);
        setcolor(136);
        std::fputs("|", stdout);
        setcolor(7);
        for (int s = 0; s < spalten; ++s) {
            if (feld[z][s] == -1) {
                setcolor(12);
                std::fputs(" D", stdout);
                setcolor(7);
            } else if (feld[z][s] >= 0) {
                setcolor(7);
                std::printf(" %d", feld[z][s]);
                setcolor(7);
            }
        }
        setcolor(136);
        std::fputs("|", stdout);
        setcolor(7);
        std::fputs("\n", stdout);
    }
    randZeile(spalten);
    std::fputs("\n\n", stdout);
}
