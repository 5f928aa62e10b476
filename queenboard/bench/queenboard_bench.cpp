// Prints how long the plain reference search and the fast search need for the
// same boards, and how far the fast search reaches on n x n with n queens.
#include "dame_referenz.h"
#include "queenboard.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using Uhr = std::chrono::steady_clock;

Uhr::time_point referenzGrenze;
unsigned referenzAufrufe = 0;

bool referenzAbbrechen() {
    return (++referenzAufrufe & 0xFFFF) == 0 && Uhr::now() >= referenzGrenze;
}

double seitMs(Uhr::time_point beginn) {
    return std::chrono::duration<double, std::milli>(Uhr::now() - beginn).count();
}

// Milliseconds per run, repeated until at least 50 ms have passed.
double schnellMessen(int anzahl, int n_spalten, int n_zeilen, int& ergebnis) {
    Feld feld;
    int laeufe = 0;
    const Uhr::time_point beginn = Uhr::now();
    do {
        init(feld, n_spalten, n_zeilen);
        ergebnis = dame(anzahl, feld, n_spalten, n_zeilen);
        ++laeufe;
    } while (seitMs(beginn) < 50);
    return seitMs(beginn) / laeufe;
}

void vergleich(int zeilen, int spalten, int anzahl, double referenzSekunden) {
    Feld referenz{};
    init(referenz, spalten, zeilen);
    referenzGrenze = Uhr::now() + std::chrono::duration_cast<Uhr::duration>(
                                      std::chrono::duration<double>(referenzSekunden));
    const Uhr::time_point beginn = Uhr::now();
    const int r = dameReferenz(anzahl, referenz, spalten, zeilen, referenzAbbrechen);
    const double referenzMs = seitMs(beginn);

    int s = 0;
    const double schnellMs = schnellMessen(anzahl, spalten, zeilen, s);

    Feld schnell{};
    init(schnell, spalten, zeilen);
    dame(anzahl, schnell, spalten, zeilen);
    const char* gleich =
        r < 0 ? ""
              : (r == s && std::memcmp(referenz, schnell, sizeof referenz) == 0 ? "gleich"
                                                                                : "VERSCHIEDEN");

    std::printf("%2dx%-2d %2d Damen: Referenz", zeilen, spalten, anzahl);
    if (r < 0)
        std::printf(" %13s", "abgebrochen");
    else
        std::printf(" %10.3f ms", referenzMs);
    std::printf("   schnell %10.4f ms  %s %s\n", schnellMs, s ? "gefunden" : "keine", gleich);
    std::fflush(stdout);
}

} // namespace

// Optional arguments: the time limit per board of the fast search alone, and of
// the reference, in seconds.
int main(int argc, char** argv) {
    const double schnellSekunden = argc > 1 ? std::atof(argv[1]) : 5;
    const double referenzSekunden = argc > 2 ? std::atof(argv[2]) : 30;
    std::printf("Referenz und schnelle Suche (Referenz abgebrochen nach %.0f s):\n",
                referenzSekunden);
    vergleich(8, 8, 9, referenzSekunden);
    for (int n = 4; n <= 12; ++n) vergleich(n, n, n, referenzSekunden);

    std::printf("\nSchnelle Suche allein, n x n mit n Damen (Grenze %.0f s je Brett):\n",
                schnellSekunden);
    int lueckenlosBis = 12;
    int geschafft = 12;
    for (int n = 13; n <= kMaxFeld; ++n) {
        Feld feld;
        init(feld, n, n);
        const Uhr::time_point beginn = Uhr::now();
        const int ergebnis = dameMitGrenze(n, feld, n, n, schnellSekunden);
        const double ms = seitMs(beginn);
        if (ergebnis < 0)
            std::printf("n = %2d: nach %.0f s abgebrochen\n", n, schnellSekunden);
        else {
            if (lueckenlosBis == n - 1) lueckenlosBis = n;
            ++geschafft;
            std::printf("n = %2d: %12.3f ms  %s:", n, ms, ergebnis ? "Spalten" : "keine Loesung");
            for (int z = 0; z < n && ergebnis; ++z)
                for (int s = 0; s < n; ++s)
                    if (feld[z][s] == -1) std::printf(" %d", s);
            std::printf("\n");
        }
        std::fflush(stdout);
    }
    std::printf("\nGefunden fuer jedes n bis %d, insgesamt fuer %d der Werte 4 bis %d.\n",
                lueckenlosBis, geschafft - 3, kMaxFeld);
    return 0;
}
