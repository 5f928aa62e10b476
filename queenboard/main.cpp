// queenboard: asks for a board and a number of queens, and shows the first placement.
#include "arguments.h"
#include "queenboard.h"

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
    return console::finish(queenboard::queenboardAusfuehren());
}
