// Reading "tosort.txt" for a sort, and the failure report of the sorting programs.
#include "ablauf.h"

#include "console.h"
#include "numberfile.h"

#include <cstdio>

namespace sortierung {

int fehlerMelden(const char* meldung) {
    std::printf("%s\n", meldung);
    console::getKey();
    return 1;
}

std::optional<int> tosortLesen(int* zahlen, int& n, Lesezeiten* zeiten) {
    std::FILE* eingabe = std::fopen("tosort.txt", "r");
    if (!eingabe) return fehlerMelden("Fehler beim Oeffnen der Datei tosort.txt!");
    const int anzahl = anzahlLesen(eingabe);
    if (zeiten) zeiten->nachAnzahl = std::time(nullptr);
    const int gelesen = zahlenLesen(eingabe, zahlen);
    if (zeiten) zeiten->nachZahlen = std::time(nullptr);
    const bool lesefehler = std::ferror(eingabe) != 0;
    std::fclose(eingabe);
    if (lesefehler) return fehlerMelden("Fehler beim Lesen der Datei tosort.txt!");
    n = zuSortieren(anzahl, gelesen);
    return std::nullopt;
}

} // namespace sortierung
