// sorttimer: sorts "tosort.txt" into "sorted.txt" and reports the seconds spent reading,
// sorting, writing and in total.
#include "ablauf.h"
#include "arguments.h"
#include "bubblesort.h"
#include "console.h"
#include "numberfile.h"

#include <cstdio>
#include <ctime>

namespace {

// What the program does and which files of the current folder it reads and writes.
const char* const kHilfe =
    "sorttimer: sortiert die Zahlen aus tosort.txt mit Bubblesort und zeigt die\n"
    "Sekunden fuer Einlesen, Sortieren, Schreiben und insgesamt.\n"
    "Dateien im aktuellen Ordner: liest tosort.txt (von numbermaker), schreibt sorted.txt.\n";

} // namespace

int main(int argc, char* argv[]) {
    if (const auto ende = console::start(argc, argv, "sorttimer", kHilfe)) return *ende;
    const std::time_t beginn = std::time(nullptr);
    int zahlen[sortierung::kMaxZahlen];

    // Without input there is nothing to time: no sort, and "sorted.txt" stays as it is.
    sortierung::Lesezeiten einlesen;
    int n = 0;
    if (const auto fehler = sortierung::tosortLesen(zahlen, n, &einlesen))
        return console::finish(*fehler);

    const std::time_t vorSortieren = std::time(nullptr);
    sortierung::bubblesort(zahlen, n);
    const std::time_t nachSortieren = std::time(nullptr);

    // When "sorted.txt" cannot be opened there is no writing phase; it shows as 0 seconds.
    std::time_t vorSchreiben = 0;
    std::time_t nachSchreiben = 0;
    bool geschrieben = false;
    if (std::FILE* ausgabe = std::fopen("sorted.txt", "w")) {
        vorSchreiben = std::time(nullptr);
        geschrieben = sortierung::zahlenSchreiben(ausgabe, zahlen, n);
        nachSchreiben = std::time(nullptr);
        if (std::fclose(ausgabe) != 0) geschrieben = false;
    }
    const std::time_t schluss = std::time(nullptr);

    std::printf("Einlesen: %f sec\n", std::difftime(einlesen.nachZahlen, einlesen.nachAnzahl));
    std::printf("Sortieren: %f sec\n", std::difftime(nachSortieren, vorSortieren));
    std::printf("Schreiben: %f sec\n", std::difftime(nachSchreiben, vorSchreiben));
    std::printf("Insgesammt: %f sec\n", std::difftime(schluss, beginn));
    if (!geschrieben)
        return console::finish(
            sortierung::fehlerMelden("Fehler beim Schreiben der Datei sorted.txt!"));
    console::getKey();
    return console::finish(0);
}
