#include "queenboard.h"

#include "console.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

using namespace console;

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
//   queen there in every placement of the subtree, and the squares that queen
//   attacks are in none; the same for a column with a single free square.
//   Following these forced queens until nothing more is forced, a row or column
//   left short proves the subtree empty.
// - The squares so struck off are passed down with the rest, and the rows of
//   forced queens keep just their one square. This changes no result: within a
//   subtree the search meets the placements in row-major order and returns the
//   first, and only squares that lie in no placement of the subtree are gone, so
//   the subtree holds the same placements. The search itself still tries the
//   remaining squares in order; only "no queen in this row" is not tried for a
//   row whose queen is forced, as no placement leaves it empty.
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

// What the look-ahead needs to know about the free squares of the rows left.
struct Stand {
    int offen;      // rows with a free square
    Maske einmal;   // columns with a free square
    Maske mehrmals; // columns with free squares in two rows or more
    Maske einzelne; // bit i: row i has exactly one free square
};

// Counts row `i` with the free squares `m`; without branches on `m`, which the
// processor could not predict.
void zaehlen(Stand& stand, Maske m, int i) {
    const bool belegt = m != 0;
    stand.offen += belegt;
    stand.mehrmals |= stand.einmal & m;
    stand.einmal |= m;
    stand.einzelne |= Maske(belegt && (m & (m - 1)) == 0) << i;
}

Stand erfassen(const Maske* maske, int n) {
    Stand stand{};
    for (int i = 0; i < n; ++i) zaehlen(stand, maske[i], i);
    return stand;
}

// `nach` becomes `von` (n rows) with a queen in row `zeile`, column `spalte`:
// the queen's row keeps only its square, the others lose the squares it
// attacks. `zeile` -1 stands for the row just above the first. Both may be the
// same array. Counts the result as it goes.
Stand setzen(const Maske* von, Maske* nach, int n, int zeile, int spalte) {
    Stand stand{};
    const Maske dame = Maske{1} << spalte;
    Maske links = dame;
    Maske rechts = dame; // squares off the board fall out of the mask or were never free
    for (int i = zeile - 1; i >= 0; --i) {
        links >>= 1;
        rechts <<= 1;
        nach[i] = von[i] & ~(dame | links | rechts);
        zaehlen(stand, nach[i], i);
    }
    if (zeile >= 0) {
        nach[zeile] = dame;
        zaehlen(stand, dame, zeile);
    }
    links = rechts = dame;
    for (int i = zeile + 1; i < n; ++i) {
        links >>= 1;
        rechts <<= 1;
        nach[i] = von[i] & ~(dame | links | rechts);
        zaehlen(stand, nach[i], i);
    }
    return stand;
}

// Narrows the free squares `maske` of `n` rows that are to take `anzahl`
// queens by following forced queens (see above); `stand` counts them. False
// when the rows cannot take that many. `fest`: rows whose queen is forced and
// whose lines are already struck off; grows.
bool eingrenzen(Maske* maske, int n, int anzahl, Maske& fest, Stand stand) {
    if (anzahl <= 0) return true;
    for (;;) {
        const int spaltenOffen = std::popcount(stand.einmal);
        if (anzahl > stand.offen || anzahl > spaltenOffen) return false;
        if (anzahl == stand.offen) { // every row with a free square takes a queen
            const Maske neu = stand.einzelne & ~fest;
            if (neu != 0) {
                const int zeile = std::countr_zero(neu);
                fest |= Maske{1} << zeile;
                stand = setzen(maske, maske, n, zeile, std::countr_zero(maske[zeile]));
                continue;
            }
        }
        bool weiter = false;
        if (anzahl == spaltenOffen) // every column with a free square takes a queen
            for (Maske neu = stand.einmal & ~stand.mehrmals; neu != 0 && !weiter; neu &= neu - 1) {
                const int spalte = std::countr_zero(neu);
                int zeile = 0;
                while (((maske[zeile] >> spalte) & 1) == 0) ++zeile;
                if (((fest >> zeile) & 1) != 0) continue;
                fest |= Maske{1} << zeile;
                stand = setzen(maske, maske, n, zeile, spalte);
                weiter = true;
            }
        if (!weiter) return true;
    }
}

// Places `anzahl` queens in rows `zeile` and below, whose free squares are
// `maske[0]` onwards; first placement first. `fest` as for eingrenzen, with
// bit 0 for row `zeile`. `geprueft`: the caller has already narrowed `maske`.
int sucheAb(Suche& s, int anzahl, int zeile, const Maske* maske, Maske fest, bool geprueft) {
    if (anzahl <= 0) return 1;
    const int n = s.zeilen - zeile; // rows from this one down
    Maske eigen[kMaxFeld];
    if (!geprueft) {
        std::copy(maske, maske + n, eigen);
        if (!eingrenzen(eigen, n, anzahl, fest, erfassen(eigen, n))) return 0;
        maske = eigen;
    }
    schritt(s);
    if (s.abgebrochen) return 0;

    Maske kind[kMaxFeld]; // the free squares below with a queen on this row
    for (Maske rest = maske[0]; rest != 0; rest &= rest - 1) {
        const int spalte = std::countr_zero(rest);
        // Most squares fail here, before anything is searched below them.
        Maske kindFest = fest >> 1;
        if (!eingrenzen(kind, n - 1, anzahl - 1, kindFest,
                        setzen(maske + 1, kind, n - 1, -1, spalte)))
            continue;

        if (sucheAb(s, anzahl - 1, zeile + 1, kind, kindFest, true)) {
            dameSetzen(s.feld, s.spalten, s.zeilen, spalte, zeile);
            return 1;
        }
        if (s.abgebrochen) return 0;
    }
    if ((fest & 1) != 0) return 0; // this row takes a queen in every placement
    return sucheAb(s, anzahl, zeile + 1, maske + 1, fest >> 1, false);
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

    const int gefunden = sucheAb(s, anzahl, 0, maske, 0, false);
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
