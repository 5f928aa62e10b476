#include "queenboard.h"

#include "console.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

// ---- Board -------------------------------------------------------------------

void init(Feld feld, int spalten, int zeilen) {
    for (int z = 0; z < zeilen; ++z)
        for (int s = 0; s < spalten; ++s) feld[z][s] = 0;
}

namespace {

// Adds `delta` to every square on the queen's column, row and diagonals. The
// queen's own square is met six times; the caller overwrites it.
void linienAendern(Feld feld, int spalten, int zeilen, int spalte, int zeile, int delta) {
    for (int z = 0; z < zeilen; ++z) feld[z][spalte] += delta;
    for (int s = 0; s < spalten; ++s) feld[zeile][s] += delta;
    for (int z = zeile, s = spalte; z >= 0 && s < spalten; --z, ++s) feld[z][s] += delta;
    for (int z = zeile, s = spalte; z >= 0 && s >= 0; --z, --s) feld[z][s] += delta;
    for (int z = zeile, s = spalte; z < zeilen && s >= 0; ++z, --s) feld[z][s] += delta;
    for (int z = zeile, s = spalte; z < zeilen && s < spalten; ++z, ++s) feld[z][s] += delta;
}

} // namespace

void dameSetzen(Feld feld, int spalten, int zeilen, int spalte, int zeile) {
    linienAendern(feld, spalten, zeilen, spalte, zeile, 1);
    feld[zeile][spalte] = -1;
}

void dameLoeschen(Feld feld, int spalten, int zeilen, int spalte, int zeile) {
    linienAendern(feld, spalten, zeilen, spalte, zeile, -1);
    feld[zeile][spalte] = 0;
}

// ---- Search ------------------------------------------------------------------
//
// The placement wanted is the first one that a scan of the whole board at every
// level meets. That scan reaches each set of squares once per order of its
// queens, and the set it returns is the one whose squares, sorted in row-major
// order, come first. So it is enough to enumerate each set once, in that order,
// and to drop only subtrees that provably hold no placement:
//
// - Each level goes on after the square of the previous queen. A set met in
//   another order was already met, sorted, earlier; it cannot come first.
//   A queen attacks its whole row, so "after the previous queen" means the rows
//   below it: the search goes row by row, trying in each row every free square
//   from left to right and then no queen in that row (sets with a queen in the
//   row come first in row-major order).
// - No placement holds more queens than there are rows, or columns, that still
//   have a free square in the rows not yet passed: queens stand only on free
//   squares, squares only ever become less free as queens are added, and no two
//   queens share a row or a column. A subtree that needs more is empty.
// - When that count is tight, every remaining row (or column) with a free
//   square must take a queen. A row with a single free square then has its
//   queen there, and the squares that queen attacks can hold none; the same for
//   a column with a single free square. Following these forced queens until
//   nothing more is forced, a row or column left short proves the subtree empty.
//   This only looks ahead: the search itself still tries the squares in order.
//
// The search works on one bit mask of free squares per row, built from the
// board. The board itself gets only the queens of the placement found, through
// dameSetzen: a queen that was tried and taken away again would have left it as
// it was, and the counters of a placement do not depend on the order in which
// its queens were set. Without a placement the board is not touched.

namespace {

using Uhr = std::chrono::steady_clock;
using Maske = std::uint64_t; // bit s: column s of a row is free

struct Suche {
    int (*feld)[kMaxFeld];
    int spalten;
    int zeilen;

    // The clock is read only every few thousand steps, and only when it matters:
    // "still working" on a terminal (never when the output is redirected), or a
    // time limit.
    bool fortschritt;
    bool angezeigt;
    bool begrenzt;
    bool abgebrochen;
    unsigned schritte;
    Uhr::time_point beginn;
    Uhr::time_point grenze;
    long gezeigteSekunden;
};

void schritt(Suche& s) {
    if (!(s.fortschritt || s.begrenzt) || (++s.schritte & 0xFFF) != 0) return;
    const Uhr::time_point jetzt = Uhr::now();
    if (s.begrenzt && jetzt >= s.grenze) s.abgebrochen = true;
    if (!s.fortschritt) return;
    const long sekunden = static_cast<long>(
        std::chrono::duration_cast<std::chrono::seconds>(jetzt - s.beginn).count());
    if (sekunden < 1 || sekunden == s.gezeigteSekunden) return;
    s.gezeigteSekunden = sekunden;
    s.angezeigt = true;
    statusLine("\tSuche laeuft ... " + std::to_string(sekunden) + " s (Strg+C bricht ab)");
}

// The squares in a row `abstand` rows away that a queen in `spalte` attacks.
Maske linienMaske(int spalte, int abstand) {
    Maske weg = Maske{1} << spalte;
    if (spalte - abstand >= 0) weg |= Maske{1} << (spalte - abstand);
    if (spalte + abstand < kMaxFeld) weg |= Maske{1} << (spalte + abstand);
    return weg;
}

// A queen in row `zeile`, column `spalte` of the masks: its row is taken and its
// lines are cleared in the others.
void setzenAufMaske(Maske* maske, int n, int zeile, int spalte) {
    maske[zeile] = 0;
    for (int i = 0; i < n; ++i) maske[i] &= ~linienMaske(spalte, i > zeile ? i - zeile : zeile - i);
}

// True when `n` rows with the free squares `maske` cannot take `anzahl` queens:
// too few rows or columns, possibly after following forced queens (see above).
// Changes `maske`.
bool erzwungenUnmoeglich(Maske* maske, int n, int anzahl) {
    int gesetzt = 0;
    int einzelZeilen[kMaxFeld];
    for (;;) {
        int offen = 0;
        int einzelne = 0;
        Maske einmal = 0;
        Maske mehrmals = 0;
        for (int i = 0; i < n; ++i)
            if (maske[i] != 0) {
                ++offen;
                mehrmals |= einmal & maske[i];
                einmal |= maske[i];
                if ((maske[i] & (maske[i] - 1)) == 0) einzelZeilen[einzelne++] = i;
            }
        const int noetig = anzahl - gesetzt;
        if (noetig <= 0) return false;
        const int spaltenOffen = std::popcount(einmal);
        if (noetig > offen || noetig > spaltenOffen) return true;

        // Forced queens: every single-square row when the rows are tight; if
        // none, the first single-square column when the columns are.
        int erzwungen = 0;
        if (noetig == offen) {
            for (int k = 0; k < einzelne; ++k) {
                const int zeile = einzelZeilen[k];
                if (maske[zeile] == 0) break; // cleared by another forced queen
                setzenAufMaske(maske, n, zeile, std::countr_zero(maske[zeile]));
                ++erzwungen;
            }
        }
        if (erzwungen == 0 && noetig == spaltenOffen && (einmal & ~mehrmals) != 0) {
            const int spalte = std::countr_zero(einmal & ~mehrmals);
            for (int i = 0; i < n; ++i)
                if ((maske[i] >> spalte) & 1) {
                    setzenAufMaske(maske, n, i, spalte);
                    ++erzwungen;
                    break;
                }
        }
        if (erzwungen == 0) return false;
        gesetzt += erzwungen;
    }
}

// Places `anzahl` queens in rows `zeile` and below, whose free squares are
// `maske[0]` onwards; first placement first. `geprueft`: the caller has already
// looked ahead.
int sucheAb(Suche& s, int anzahl, int zeile, const Maske* maske, bool geprueft) {
    if (anzahl <= 0) return 1;
    const int unten = s.zeilen - zeile - 1; // rows below this one
    Maske probe[kMaxFeld];
    if (!geprueft) {
        std::copy(maske, maske + unten + 1, probe);
        if (erzwungenUnmoeglich(probe, unten + 1, anzahl)) return 0;
    }
    schritt(s);
    if (s.abgebrochen) return 0;

    Maske kind[kMaxFeld]; // the free squares below with a queen on this row
    for (Maske rest = maske[0]; rest != 0; rest &= rest - 1) {
        const int spalte = std::countr_zero(rest);
        for (int j = 0; j < unten; ++j) kind[j] = maske[1 + j] & ~linienMaske(spalte, j + 1);
        // Most squares fail here, before anything is searched below them.
        std::copy(kind, kind + unten, probe);
        if (erzwungenUnmoeglich(probe, unten, anzahl - 1)) continue;

        if (sucheAb(s, anzahl - 1, zeile + 1, kind, true)) {
            dameSetzen(s.feld, s.spalten, s.zeilen, spalte, zeile);
            return 1;
        }
        if (s.abgebrochen) return 0;
    }
    return sucheAb(s, anzahl, zeile + 1, maske + 1, false);
}

int suche(int anzahl, Feld feld, int spalten, int zeilen, bool begrenzt, double sekunden) {
    if (anzahl <= 0) return 1;
    if (spalten <= 0 || zeilen <= 0) return 0;

    Maske maske[kMaxFeld] = {};
    for (int z = 0; z < zeilen; ++z)
        for (int sp = 0; sp < spalten; ++sp)
            if (feld[z][sp] == 0) maske[z] |= Maske{1} << sp;

    Suche s{};
    s.feld = feld;
    s.spalten = spalten;
    s.zeilen = zeilen;
    s.fortschritt = outputIsTerminal();
    s.begrenzt = begrenzt;
    s.beginn = Uhr::now();
    s.grenze = s.beginn + std::chrono::duration_cast<Uhr::duration>(
                              std::chrono::duration<double>(begrenzt ? sekunden : 0.0));

    const int gefunden = sucheAb(s, anzahl, 0, maske, false);
    if (s.angezeigt) statusLine("");
    return s.abgebrochen ? -1 : gefunden;
}

} // namespace

int dame(int anzahl, Feld feld, int spalten, int zeilen) {
    return suche(anzahl, feld, spalten, zeilen, false, 0.0);
}

int dameMitGrenze(int anzahl, Feld feld, int spalten, int zeilen, double sekunden) {
    return suche(anzahl, feld, spalten, zeilen, true, sekunden);
}

// ---- Display -----------------------------------------------------------------

namespace {

void randZeile(int spalten) {
    std::fputs("\t\t", stdout);
    setcolor(136);
    std::fputs("+", stdout);
    for (int s = 0; s < spalten; ++s) std::fputs("--", stdout);
    std::fputs("+", stdout);
    setcolor(7);
}

} // namespace

void ausgabe(Feld feld, int spalten, int zeilen) {
    randZeile(spalten);
    std::fputs("\n", stdout);
    for (int z = 0; z < zeilen; ++z) {
        std::fputs("\t\t", stdout);
        setcolor(136);
        std::fputs("|", stdout);
        setcolor(7);
        for (int s = 0; s < spalten; ++s) {
            if (feld[z][s] == -1) {
                setcolor(12);
                std::fputs(" D", stdout);
                setcolor(7);
            } else if (feld[z][s] >= 0) {
                setcolor(7);
                std::printf(" %d", feld[z][s]);
                setcolor(7);
            }
        }
        setcolor(136);
        std::fputs("|", stdout);
        setcolor(7);
        std::fputs("\n", stdout);
    }
    randZeile(spalten);
    std::fputs("\n\n", stdout);
}
