// numbermaker: writes "tosort.txt" with 10000 numbers of the never-seeded rand, so every
// run writes the same file. Prints nothing; the exit status tells whether the file was written.
#include "arguments.h"
#include "numberfile.h"

#include <cstdio>

namespace {

// What the program does and which file of the current folder it writes.
const char* const kHilfe =
    "numbermaker: schreibt 10000 Zufallszahlen zum Sortieren, bei jedem Lauf dieselben.\n"
    "Dateien im aktuellen Ordner: schreibt tosort.txt (die Anzahl, eine Leerzeile, dann\n"
    "die Zahlen), liest keine.\n";

} // namespace

int main(int argc, char* argv[]) {
    if (const auto ende = console::start(argc, argv, "numbermaker", kHilfe)) return *ende;
    std::FILE* datei = std::fopen("tosort.txt", "w");
    if (!datei) return console::finish(1);
    bool geschrieben = sortierung::zufallszahlenSchreiben(datei);
    if (std::fclose(datei) != 0) geschrieben = false;
    return console::finish(geschrieben ? 0 : 1);
}
