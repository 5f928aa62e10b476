// sortcounter: sorts "tosort.txt" with the counting swap and reports how many exchanges
// the bubble sort made.
#include "ablauf.h"
#include "arguments.h"
#include "bubblesort.h"
#include "console.h"
#include "numberfile.h"

#include <cstdio>

namespace {

// What the program does and which file of the current folder it reads.
const char* const kHilfe =
    "sortcounter: sortiert die Zahlen aus tosort.txt mit Bubblesort und zeigt, wie oft\n"
    "dabei zwei Zahlen getauscht wurden.\n"
    "Dateien im aktuellen Ordner: liest tosort.txt (von numbermaker), schreibt keine.\n";

} // namespace

int main(int argc, char* argv[]) {
    if (const auto ende = console::start(argc, argv, "sortcounter", kHilfe)) return *ende;
    int zahlen[sortierung::kMaxZahlen];
    int n = 0;
    if (const auto fehler = sortierung::tosortLesen(zahlen, n)) return console::finish(*fehler);

    sortierung::bubblesort(zahlen, n);
    std::printf("\n %d mal unterprogramm aufgerufen\n", sortierung::swapped);
    console::getKey();
    return console::finish(0);
}
