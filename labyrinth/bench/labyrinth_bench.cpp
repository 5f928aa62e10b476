// Prints how long the way search takes: the plain depth-first search beside the fast one
// on small open mazes with a walled exit, then the fast one alone on the largest mazes.
// Usage: labyrinth_bench [largest n for the plain search, default 7]
#include "labyrinth.h"
#include "referenz.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

using namespace labyrinth;

namespace {

struct Messung {
    double sekunden = 0;
    bool gefunden = false;
};

// A search draws the maze when it succeeds; that output goes to the null device so the
// figures stay readable (the drawing is still timed).
Messung messen(Suche suche, const Labyrinth& vorlage) {
    Labyrinth l = vorlage;
    std::fflush(stdout);
    const int gerettet = dup(STDOUT_FILENO);
    const int leer = open("/dev/null", O_WRONLY);
    dup2(leer, STDOUT_FILENO);
    const auto anfang = std::chrono::steady_clock::now();
    const bool gefunden = suche(l.feld, l.spalten, l.zeilen, 0, 0);
    std::fflush(stdout);
    const auto ende = std::chrono::steady_clock::now();
    dup2(gerettet, STDOUT_FILENO);
    close(leer);
    close(gerettet);
    return {std::chrono::duration<double>(ende - anfang).count(), gefunden};
}

Labyrinth offen(int zeilen, int spalten) {
    Labyrinth l;
    l.zeilen = zeilen;
    l.spalten = spalten;
    return l;
}

Labyrinth ausgangZu(int zeilen, int spalten) {
    Labyrinth l = offen(zeilen, spalten);
    l.feld[zeilen - 1][spalten - 1] = kWand;
    return l;
}

Labyrinth schlange() {
    Labyrinth l = offen(kMaxGroesse, kMaxGroesse);
    for (int z = 1; z < kMaxGroesse; z += 2) {
        for (int s = 0; s < kMaxGroesse; ++s) l.feld[z][s] = kWand;
        l.feld[z][(z / 2) % 2 == 0 ? kMaxGroesse - 1 : 0] = kFrei;
    }
    return l;
}

// Corridors two cells wide: the way has room to turn in every corridor while most of
// the grid stays reachable from the exit.
Labyrinth breiteSchlange() {
    Labyrinth l = offen(kMaxGroesse, kMaxGroesse);
    for (int z = 2, n = 0; z < kMaxGroesse - 1; z += 3, ++n) {
        for (int s = 0; s < kMaxGroesse; ++s) l.feld[z][s] = kWand;
        l.feld[z][n % 2 == 0 ? kMaxGroesse - 1 : 0] = kFrei;
    }
    return l;
}

Labyrinth zufaellig(unsigned saat, int dichte) {
    std::mt19937 zufall(saat);
    Labyrinth l = offen(kMaxGroesse, kMaxGroesse);
    for (auto& zeile : l.feld) {
        for (int& zelle : zeile) zelle = static_cast<int>(zufall() % 100) < dichte ? kWand : kFrei;
    }
    l.feld[0][0] = kFrei;
    l.feld[kMaxGroesse - 1][kMaxGroesse - 1] = kFrei;
    return l;
}

// Slowest and median of several runs, in milliseconds.
void zeileAusgeben(const char* name, const Labyrinth& l) {
    std::vector<double> zeiten;
    bool gefunden = false;
    for (int i = 0; i < 21; ++i) {
        const Messung m = messen(sucheWeg, l);
        zeiten.push_back(m.sekunden * 1e3);
        gefunden = m.gefunden;
    }
    std::sort(zeiten.begin(), zeiten.end());
    std::printf("  %-34s %-9s median %8.3f ms   slowest %8.3f ms\n", name,
                gefunden ? "way" : "no way", zeiten[zeiten.size() / 2], zeiten.back());
}

} // namespace

int main(int argc, char** argv) {
    const int bisN = argc > 1 ? std::atoi(argv[1]) : 7;

    std::printf("Open n x n mazes with a walled exit (no way out):\n");
    std::printf("  %3s %16s %16s\n", "n", "plain search", "fast search");
    for (int n = 4; n <= bisN; ++n) {
        const Labyrinth l = ausgangZu(n, n);
        const Messung plain = messen(sucheWegReferenz, l);
        const Messung schnell = messen(sucheWeg, l);
        std::printf("  %3d %14.6f s %14.6f s%s\n", n, plain.sekunden, schnell.sekunden,
                    plain.gefunden == schnell.gefunden ? "" : "   RESULTS DIFFER");
    }

    std::printf("\nFast search on 50 x 50 mazes (21 runs each, drawing included):\n");
    zeileAusgeben("open", offen(kMaxGroesse, kMaxGroesse));
    zeileAusgeben("walled exit", ausgangZu(kMaxGroesse, kMaxGroesse));
    zeileAusgeben("serpentine (1275 cells of way)", schlange());
    zeileAusgeben("serpentine, corridors 2 wide", breiteSchlange());
    const int dichten[] = {20, 25, 30, 35};
    for (unsigned saat = 1; saat <= 3; ++saat) {
        for (int dichte : dichten) {
            const std::string name =
                "random walls " + std::to_string(dichte) + "%, seed " + std::to_string(saat);
            zeileAusgeben(name.c_str(), zufaellig(saat, dichte));
        }
    }
    return 0;
}
