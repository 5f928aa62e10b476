// The search written out plainly, kept as the yardstick for the fast one: every
// level scans the whole board from the top-left square and tries every free
// square, so each set of squares is met once per order of its queens.
#pragma once

#include "queenboard.h"

namespace queenboard {

// `abbrechen`, when given, is asked at every call; once it says yes the search
// unwinds, takes its queens away and returns -1 (for capped benchmark runs).
inline int dameReferenz(int anzahl, Feld feld, int spalten, int zeilen,
                        bool (*abbrechen)() = nullptr) {
    if (anzahl <= 0) return 1;
    if (abbrechen != nullptr && abbrechen()) return -1;
    for (int zeile = 0; zeile < zeilen; ++zeile)
        for (int spalte = 0; spalte < spalten; ++spalte)
            if (feld[zeile][spalte] == 0) {
                dameSetzen(feld, spalten, zeilen, spalte, zeile);
                const int ergebnis = dameReferenz(anzahl - 1, feld, spalten, zeilen, abbrechen);
                if (ergebnis == 1) return 1;
                dameLoeschen(feld, spalten, zeilen, spalte, zeile);
                if (ergebnis < 0) return -1;
            }
    return 0;
}

} // namespace queenboard
