#include "console.h"
#include "labyrinth.h"

#include <cstdio>

int main() {
    int feld[kMaxGroesse][kMaxGroesse] = {};
    int zeilen = 0;
    int spalten = 0;

    std::fputs("\n\t\t\t", stdout);
    setcolor(12);
    std::fputs("Labyrinth", stdout);
    setcolor(7);
    std::fputs("\n\n", stdout);

    for (;;) {
        std::fputs("\tWie gross soll das Labyrinth werden? (zeile,spalte)\n", stdout);
        const Read gelesen = readIntPair(zeilen, spalten);
        if (gelesen == Read::end) return 0;
        if (gelesen == Read::invalid || zeilen < 1 || zeilen > kMaxGroesse || spalten < 1 ||
            spalten > kMaxGroesse) {
            std::fputs(kDimensionenFalsch, stdout);
            continue;
        }
        if (init(feld, spalten, zeilen) == 1) break;
    }

    if (sucheWeg(feld, spalten, zeilen, 0, 0) != 1) {
        std::fputs("\tIch hab mich verlaufen und kann leider keinen Weg hinaus finden\n", stdout);
    }
    getKey();
    return 0;
}
