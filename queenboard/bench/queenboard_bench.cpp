// Prints how long the plain reference search and the fast search need for the
// same boards, and the fast search alone on boards around n x n: seconds, search
// nodes (all threads together; with threads they vary from run to run) and columns.
#include "dame_referenz.h"
#include "queenboard.h"
#include "suche.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

using namespace queenboard;

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
double schnellMessen(int anzahl, int spalten, int zeilen, int& ergebnis) {
    Feld feld;
    int laeufe = 0;
    const Uhr::time_point beginn = Uhr::now();
    do {
        init(feld, spalten, zeilen);
        ergebnis = dame(anzahl, feld, spalten, zeilen);
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

// The board shapes of the table: rows and columns from n, and the queens.
struct Form {
    char kennung;
    const char* name;
    int mehrZeilen, mehrSpalten, wenigerDamen;
};
constexpr Form kFormen[] = {
    {'q', "quadratisch", 0, 0, 0},
    {'h', "eine Zeile mehr", 1, 0, 0},
    {'b', "eine Spalte mehr", 0, 1, 0},
    {'1', "eine Dame weniger", 0, 0, 1},
    {'2', "zwei Damen weniger", 0, 0, 2},
    // Not in the default table: the further neighbours, for a look beyond it.
    {'H', "zwei Zeilen mehr", 2, 0, 0},
    {'B', "zwei Spalten mehr", 0, 2, 0},
    {'3', "drei Damen weniger", 0, 0, 3},
};

void messen(int zeilen, int spalten, int anzahl, int faeden, double sekundenGrenze,
            bool ohneVektoren) {
    Feld feld;
    init(feld, spalten, zeilen);
    unsigned long long knoten = 0;
    const Uhr::time_point beginn = Uhr::now();
    const int ergebnis = dameSuchen(
        anzahl, feld, spalten, zeilen,
        {.faeden = faeden, .sekunden = sekundenGrenze, .ohneVektoren = ohneVektoren}, &knoten);
    const double sekunden = seitMs(beginn) / 1000;
    std::printf("%5s %3d %6d %10.3f %14llu  ",
                (std::to_string(zeilen) + "x" + std::to_string(spalten)).c_str(), anzahl, faeden,
                sekunden, knoten);
    if (ergebnis < 0)
        std::printf("abgebrochen");
    else if (ergebnis == 0)
        std::printf("keine Loesung");
    for (int z = 0; z < zeilen && ergebnis > 0; ++z) {
        int spalte = -1;
        for (int s = 0; s < spalten; ++s)
            if (feld[z][s] == -1) spalte = s;
        std::printf(" %d", spalte);
    }
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace

// Optional arguments: the time limit per board of the fast search, of the
// reference, in seconds; threads (0: one per core, then one alone); the first and
// last n of the table; 1 for the proof without vector instructions; the shapes
// (q square, h one row more, b one column more, 1 and 2 queens fewer; default these;
// also H two rows more, B two columns more, 3 three queens fewer).
int main(int argc, char** argv) {
    const double schnellSekunden = argc > 1 ? std::atof(argv[1]) : 60;
    const double referenzSekunden = argc > 2 ? std::atof(argv[2]) : 30;
    const int faeden = argc > 3 ? std::atoi(argv[3]) : 0;
    const int von = argc > 4 ? std::atoi(argv[4]) : 30;
    const int bis = argc > 5 ? std::atoi(argv[5]) : 45;
    const bool ohneVektoren = argc > 6 && std::atoi(argv[6]) == 1;
    const std::string formen = argc > 7 ? argv[7] : "qhb12";
    if (referenzSekunden > 0) {
        std::printf("Referenz und schnelle Suche (Referenz abgebrochen nach %.0f s):\n",
                    referenzSekunden);
        vergleich(8, 8, 9, referenzSekunden);
        for (int n = 4; n <= 12; ++n) vergleich(n, n, n, referenzSekunden);
        std::printf("\n");
    }

    const int kerne = static_cast<int>(std::thread::hardware_concurrency());
    std::vector<int> faedenListe;
    if (faeden > 0)
        faedenListe = {faeden};
    else
        faedenListe = kerne > 1 ? std::vector<int>{kerne, 1} : std::vector<int>{1};
    std::printf("Schnelle Suche, erste Loesung%s (Grenze %.0f s je Brett); Spalten je Zeile, -1 "
                "keine:\n",
                ohneVektoren ? ", ohne Vektorbefehle" : "", schnellSekunden);
    std::printf("%5s %3s %6s %10s %14s  %s\n", "Brett", "D", "Faeden", "Sekunden", "Knoten",
                "Spalten");
    for (int n = std::max(von, 1); n <= std::min(bis, kMaxFeld); ++n)
        for (const Form& form : kFormen) {
            if (formen.find(form.kennung) == std::string::npos) continue;
            const int zeilen = n + form.mehrZeilen, spalten = n + form.mehrSpalten;
            if (zeilen > kMaxFeld || spalten > kMaxFeld) continue;
            for (int f : faedenListe)
                messen(zeilen, spalten, n - form.wenigerDamen, f, schnellSekunden, ohneVektoren);
        }
    return 0;
}
