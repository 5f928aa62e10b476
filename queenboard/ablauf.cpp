// The dialogue of queenboard: the board's size, the number of queens, the search
// and its result.
#include "console.h"
#include "queenboard.h"

#include <cstdio>

namespace queenboard {

using console::Read;

int queenboardAusfuehren() {
    Feld feld;
    int zeilen = 0;
    int spalten = 0;
    int anzahl = 1;

    std::printf("\t\t\tQueenboard\n\n");
    for (;;) {
        std::printf("\tBitte Dimensionen eingeben! (Zeile, Spalte)\n");
        const Read gelesen = console::readIntPair(zeilen, spalten);
        if (gelesen == Read::end) return 0;
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
        return 0;
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
    return 0;
}

} // namespace queenboard
