// The maze's operations: reading "labyrint.def", drawing the grid and the way search.
#include "labyrinth.h"

#include "console.h"
#include "gitter.h"
#include "words.h"

#include <cstdio>

namespace labyrinth {

namespace {

// The colours of the cells; the frame around them is the shared grid's.
constexpr int kFarbeWeg = console::kHellrotAufWeiss;
constexpr int kFarbeFrei = console::kWeissAufWeiss;
constexpr int kFarbeWand = console::kGrauAufGrau;

const char* const kNurNullUndEins =
    "\tIn der Datei labyrint.def sind nur die Ziffern 0 und 1 erlaubt!\n";

enum class Gelesen { ok, keineDatei, falscheDimension, falscheZiffer };

// One digit per cell, row by row; white space anywhere is optional, and after the last
// cell only white space may follow.
Gelesen zellenLesen(std::FILE* datei, int feld[][kMaxGroesse], int spalten, int zeilen) {
    for (int zeile = 0; zeile < zeilen; ++zeile) {
        for (int spalte = 0; spalte < spalten; ++spalte) {
            const int c = words::skipSpace(datei);
            if (c == '0' || c == '1') {
                feld[zeile][spalte] = c - '0';
            } else if (c >= '2' && c <= '9') {
                // Such a cell would be neither passable nor drawable.
                return Gelesen::falscheZiffer;
            } else {
                // Too few digits, or a character that is no digit at all.
                return Gelesen::falscheDimension;
            }
        }
    }
    if (words::skipSpace(datei) != EOF) return Gelesen::falscheDimension;
    return Gelesen::ok;
}

// The file is closed again before anything is shown.
Gelesen dateiLesen(int feld[][kMaxGroesse], int spalten, int zeilen) {
    std::FILE* datei = std::fopen("labyrint.def", "r");
    if (!datei) return Gelesen::keineDatei;
    const Gelesen gelesen = zellenLesen(datei, feld, spalten, zeilen);
    std::fclose(datei);
    return gelesen;
}

// Marks in `zumAusgang` every free cell from which the exit can be reached over free
// cells alone (walls and cells of the way block): a flood fill from the exit.
void zumAusgangMarkieren(int feld[][kMaxGroesse], int spalten, int zeilen,
                         bool zumAusgang[][kMaxGroesse]) {
    for (int zeile = 0; zeile < zeilen; ++zeile) {
        for (int spalte = 0; spalte < spalten; ++spalte) zumAusgang[zeile][spalte] = false;
    }
    if (feld[zeilen - 1][spalten - 1] != kFrei) return;

    // Each cell is pushed at most once, so one slot per cell of the grid suffices.
    int stapel[kMaxGroesse * kMaxGroesse];
    int oben = 0;
    zumAusgang[zeilen - 1][spalten - 1] = true;
    stapel[oben++] = (zeilen - 1) * kMaxGroesse + (spalten - 1);
    while (oben > 0) {
        const int zelle = stapel[--oben];
        const int zeile = zelle / kMaxGroesse;
        const int spalte = zelle % kMaxGroesse;
        const int nachbarn[4][2] = {
            {zeile + 1, spalte}, {zeile, spalte + 1}, {zeile - 1, spalte}, {zeile, spalte - 1}};
        for (const auto& [z, s] : nachbarn) {
            if (z < 0 || z >= zeilen || s < 0 || s >= spalten) continue;
            if (zumAusgang[z][s] || feld[z][s] != kFrei) continue;
            zumAusgang[z][s] = true;
            stapel[oben++] = z * kMaxGroesse + s;
        }
    }
}

// True when the free cells beside (zeile, spalte) are joined to each other through the
// free cells of the ring of eight around it. Blocking such a cell then cuts no other cell
// off from the exit: any route through it can go round it instead.
bool umgehbar(int feld[][kMaxGroesse], int spalten, int zeilen, int zeile, int spalte) {
    // Clockwise from above; neighbours in this order touch sides, so a ring run of free
    // cells is connected. Even indexes are the cells beside, odd ones the corners.
    static constexpr int ring[8][2] = {{-1, 0}, {-1, 1}, {0, 1},  {1, 1},
                                       {1, 0},  {1, -1}, {0, -1}, {-1, -1}};
    bool frei[8];
    for (int i = 0; i < 8; ++i) {
        const int z = zeile + ring[i][0];
        const int s = spalte + ring[i][1];
        frei[i] = z >= 0 && z < zeilen && s >= 0 && s < spalten && feld[z][s] == kFrei;
    }
    int laeufeMitNachbar = 0;
    for (int anfang = 0; anfang < 8; ++anfang) {
        if (!frei[anfang] || frei[(anfang + 7) % 8]) continue;
        bool mitNachbar = false;
        for (int i = anfang; frei[i % 8] && i < anfang + 8; ++i) {
            if (i % 2 == 0) mitNachbar = true;
        }
        if (mitNachbar) ++laeufeMitNachbar;
    }
    return laeufeMitNachbar <= 1; // a ring free all round has no start and counts as one
}

} // namespace

bool init(int feld[][kMaxGroesse], int spalten, int zeilen) {
    if (spalten < 1 || spalten > kMaxGroesse || zeilen < 1 || zeilen > kMaxGroesse) {
        std::fputs(kDimensionenFalsch, stdout);
        return false;
    }
    switch (dateiLesen(feld, spalten, zeilen)) {
    case Gelesen::keineDatei:
        std::fputs("\tFehler beim Oeffnen der Datei labyrint.def!\n", stdout);
        return false;
    case Gelesen::falscheDimension:
        std::fputs(kDimensionenFalsch, stdout);
        return false;
    case Gelesen::falscheZiffer:
        std::fputs(kNurNullUndEins, stdout);
        return false;
    case Gelesen::ok:
        break;
    }
    std::fputs("\tDatei \"labyrint.def\" erfolgreich eingelesen.\n", stdout);
    ausgabe(feld, spalten, zeilen);
    std::fputs("\t\tSuche mit Enter beginnen", stdout);
    // Any key starts the search; at end of input it starts all the same, so a scripted
    // run still gets its answer.
    console::getKey();
    std::fputs("\n\n", stdout);
    return true;
}

void ausgabe(int feld[][kMaxGroesse], int spalten, int zeilen) {
    console::printFramedGrid(spalten, zeilen, 1, [&](int zeile, int spalte) {
        const int wert = feld[zeile][spalte];
        // Any other value leaves its cell out, so its row comes out shorter.
        if (wert == kWeg) {
            console::writeColoured(kFarbeWeg, "o", console::kHellgrau);
        } else if (wert == kFrei) {
            console::writeColoured(kFarbeFrei, "0", console::kHellgrau);
        } else if (wert == kWand) {
            console::writeColoured(kFarbeWand, "1", console::kHellgrau);
        }
    });
}

// The same way as plain backtracking in the order down, right, up, left, cell for cell:
// that search fails without a trace at every neighbour before the first one from which
// the exit is reachable, so entering only that one never has to back out.
bool sucheWeg(int feld[][kMaxGroesse], int spalten, int zeilen, int spalte, int zeile) {
    bool zumAusgang[kMaxGroesse][kMaxGroesse];
    feld[zeile][spalte] = kWeg; // whatever it held, a wall at the entrance included
    zumAusgangMarkieren(feld, spalten, zeilen, zumAusgang);
    while (spalte != spalten - 1 || zeile != zeilen - 1) {
        const int nachbarn[4][2] = {
            {zeile + 1, spalte}, {zeile, spalte + 1}, {zeile - 1, spalte}, {zeile, spalte - 1}};
        bool weiter = false;
        for (const auto& [z, s] : nachbarn) {
            if (z < 0 || z >= zeilen || s < 0 || s >= spalten || !zumAusgang[z][s]) continue;
            zeile = z;
            spalte = s;
            weiter = true;
            break;
        }
        if (!weiter) {
            // Only possible at the first cell: every later one was entered because the exit
            // was reachable from it.
            feld[zeile][spalte] = kFrei;
            return false;
        }
        feld[zeile][spalte] = kWeg;
        // Usually the new cell of the way is not the only link to any region of the maze,
        // and the cells that reach the exit are those of before, less this one.
        if (umgehbar(feld, spalten, zeilen, zeile, spalte)) {
            zumAusgang[zeile][spalte] = false;
        } else {
            zumAusgangMarkieren(feld, spalten, zeilen, zumAusgang);
        }
    }
    std::fputs("\t\tWeg gefunden:\n", stdout);
    ausgabe(feld, spalten, zeilen);
    return true;
}

} // namespace labyrinth
