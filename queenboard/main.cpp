// queenboard: asks for a board and a number of queens, and shows the first placement.
#include "arguments.h"
#include "console.h"
#include "queenboard.h"

#include <cstdio>

using console::Read;
using namespace queenboard;

namespace {

// What the program does; it reads and writes no file.
const char* const kHilfe =
    "queenboard: setzt Damen so auf ein Brett von bis zu 50 x 50 Feldern, dass keine\n"
    "eine andere schlagen kann, und zeigt fuer jedes Feld, wie oft es bedroht ist.\n"
    "Fragt nach Zeilen und Spalten des Bretts und nach der Zahl der Damen.\n"
    "Dateien: liest und schreibt keine.\n";

} // namespace

int main(int argc, char* argv[]) {
    if (const auto ende = console::start(argc, argv, "queenboard", kHilfe)) return *ende;
    Feld feld;
    int zeilen = 0;
    int spalten = 0;
    int anzahl = 1;

    std::printf("\t\t\tQueenboard\n\n");
    for (;;) {
        std::printf("\tBitte Dimensionen eingeben! (Zeile, Spalte)\n");
        const Read gelesen = console::readIntPair(zeilen, spalten);
        if (gelesen == Read::end) return console::finish(0);
        if (gelesen == Read::ok && zeilen >= 0 && zeilen <= kMaxFeld && spalten >= 0 &&
            spalten <= kMaxFeld)
            break;
        std::printf("\tZwei Zahlen von 0 bis 50, bitte!\n");
    }
    init(feld, spalten, zeilen); // asked rows first; every board operation takes columns first

    std::printf("\tBitte Anzahl der Damen eingeben:\n");
    int gelesen = 0;
    switch (console::readInt(gelesen)) {
    case Read::end:
        return console::finish(0);
    case Read::ok:
        anzahl = gelesen;
        break;
    case Read::invalid: // keeps the one queen it started with
        break;
    }

    if (dame(anzahl, feld, spalten, zeilen)) {
        ausgabe(feld, spalten, zeilen);
    } else {
        std::printf("nicht moeglich die Damen unter zu bringen\n");
    }
    console::getKey();
    return console::finish(0);
}
