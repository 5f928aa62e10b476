// sorttimer: sorts "tosort.txt" into "sorted.txt" and reports the seconds spent reading,
// sorting, writing and in total.
#include "arguments.h"
#include "bubblesort.h"
#include "console.h"
#include "numberfile.h"

#include <cstdio>
#include <ctime>

using namespace console;

const char* const kHilfe =
    "sorttimer: sortiert die Zahlen aus tosort.txt mit Bubblesort und zeigt die\n"
    "Sekunden fuer Einlesen, Sortieren, Schreiben und insgesamt.\n"
    "Dateien im aktuellen Ordner: liest tosort.txt (von numbermaker), schreibt sorted.txt.\n";

int main(int argc, char* argv[]) {
    if (const auto ende = console::start(argc, argv, "sorttimer", kHilfe)) return *ende;
    int zahlen[kMaxZahlen];
    const std::time_t t1 = std::time(nullptr);

    // Without input there is nothing to time: no sort, and "sorted.txt" stays as it is.
    std::FILE* eingabe = std::fopen("tosort.txt", "r");
    if (!eingabe) return meldeFehler("Fehler beim Oeffnen der Datei tosort.txt!");
    const int anzahl = leseAnzahl(eingabe);
    const std::time_t t2 = std::time(nullptr);
    const int gelesen = leseZahlen(eingabe, zahlen);
    const std::time_t t3 = std::time(nullptr);
    const bool lesefehler = std::ferror(eingabe) != 0;
    std::fclose(eingabe);
    if (lesefehler) return meldeFehler("Fehler beim Lesen der Datei tosort.txt!");
    const int n = zuSortieren(anzahl, gelesen);

    const std::time_t t4 = std::time(nullptr);
    bubblesort(zahlen, n);
    const std::time_t t5 = std::time(nullptr);

    // When "sorted.txt" cannot be opened there is no writing phase; it shows as 0 seconds.
    std::time_t t6 = 0;
    std::time_t t7 = 0;
    bool geschrieben = false;
    std::FILE* ausgabe = std::fopen("sorted.txt", "w");
    if (ausgabe) {
        t6 = std::time(nullptr);
        geschrieben = schreibeZahlen(ausgabe, zahlen, n);
        t7 = std::time(nullptr);
        if (std::fclose(ausgabe) != 0) geschrieben = false;
    }
    const std::time_t t8 = std::time(nullptr);

    std::printf("Einlesen: %f sec\n", std::difftime(t3, t2));
    std::printf("Sortieren: %f sec\n", std::difftime(t5, t4));
    std::printf("Schreiben: %f sec\n", std::difftime(t7, t6));
    std::printf("Insgesammt: %f sec\n", std::difftime(t8, t1));
    if (!geschrieben) return meldeFehler("Fehler beim Schreiben der Datei sorted.txt!");
    getKey();
    return 0;
}
