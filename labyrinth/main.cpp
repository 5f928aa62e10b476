#include "arguments.h"
#include "console.h"
#include "labyrinth.h"

#include <cstdio>

using namespace console;

const char* const kHilfe =
    "labyrinth: liest ein Labyrinth aus Nullen (frei) und Einsen (Wand) und sucht den\n"
    "Weg von der Zelle oben links zur Zelle unten rechts.\n"
    "Fragt nach der Groesse (Zeilen, Spalten), fuer das Beispiel: 10 20.\n"
    "Dateien im aktuellen Ordner: liest labyrint.def, schreibt keine.\n";

int main(int argc, char* argv[]) {
    if (const auto ende = console::start(argc, argv, "labyrinth", kHilfe)) return *ende;
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
