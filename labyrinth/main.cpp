// labyrinth: asks for the maze's size, reads the maze and shows the way out, if any.
#include "arguments.h"
#include "console.h"
#include "labyrinth.h"

#include <cstdio>

namespace {

constexpr int kFarbeTitel = console::kHellrot;

// What the program does and which file of the current folder it reads.
const char* const kHilfe =
    "labyrinth: liest ein Labyrinth aus Nullen (frei) und Einsen (Wand) und sucht den\n"
    "Weg von der Zelle oben links zur Zelle unten rechts.\n"
    "Fragt nach der Groesse (Zeilen, Spalten), fuer das Beispiel: 10 20.\n"
    "Dateien im aktuellen Ordner: liest labyrint.def, schreibt keine.\n";

} // namespace

int main(int argc, char* argv[]) {
    if (const auto ende = console::start(argc, argv, "labyrinth", kHilfe)) return *ende;
    using labyrinth::kMaxGroesse;
    int feld[kMaxGroesse][kMaxGroesse] = {};

    std::fputs("\n\t\t\t", stdout);
    console::writeColoured(kFarbeTitel, "Labyrinth", console::kHellgrau);
    std::fputs("\n\n", stdout);

    // Asked rows first, handed on columns first.
    int zeilen = 0;
    int spalten = 0;
    for (;;) {
        std::fputs("\tWie gross soll das Labyrinth werden? (zeile,spalte)\n", stdout);
        const console::Read gelesen = console::readIntPair(zeilen, spalten);
        if (gelesen == console::Read::end) return console::finish(0);
        if (gelesen == console::Read::invalid || zeilen < 1 || zeilen > kMaxGroesse ||
            spalten < 1 || spalten > kMaxGroesse) {
            std::fputs(labyrinth::kDimensionenFalsch, stdout);
            continue;
        }
        if (labyrinth::init(feld, spalten, zeilen)) break;
    }

    if (!labyrinth::sucheWeg(feld, spalten, zeilen, 0, 0)) {
        std::fputs("\tIch hab mich verlaufen und kann leider keinen Weg hinaus finden\n", stdout);
    }
    console::getKey();
    return console::finish(0);
}
