// sortcounter: sorts "tosort.txt" with the counting swap and reports how many exchanges
// the bubble sort made.
#include "arguments.h"
#include "bubblesort.h"
#include "console.h"
#include "numberfile.h"

#include <cstdio>

using namespace console;

const char* const kHilfe =
    "sortcounter: sortiert die Zahlen aus tosort.txt mit Bubblesort und zeigt, wie oft\n"
    "dabei zwei Zahlen getauscht wurden.\n"
    "Dateien im aktuellen Ordner: liest tosort.txt (von numbermaker), schreibt keine.\n";

int main(int argc, char* argv[]) {
    if (const auto ende = console::start(argc, argv, "sortcounter", kHilfe)) return *ende;
    int zahlen[kMaxZahlen];

    std::FILE* eingabe = std::fopen("tosort.txt", "r");
    if (!eingabe) return meldeFehler("Fehler beim Oeffnen der Datei tosort.txt!");
    const int anzahl = leseAnzahl(eingabe);
    const int gelesen = leseZahlen(eingabe, zahlen);
    const bool lesefehler = std::ferror(eingabe) != 0;
    std::fclose(eingabe);
    if (lesefehler) return meldeFehler("Fehler beim Lesen der Datei tosort.txt!");

    bubblesort(zahlen, zuSortieren(anzahl, gelesen));
    std::printf("\n %d mal unterprogramm aufgerufen\n", swapped);
    getKey();
    return 0;
}
