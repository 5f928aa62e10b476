// The search behind dame: row-major order, each square entered only once a
// proof shows that its subtree holds a placement.
#include "suche.h"

#include "console.h"
#include "suche_intern.h"

#include <algorithm>
#include <bit>

namespace queenboard {

// The placement wanted is the first a scan of the whole board at every level
// meets: the set whose squares, sorted row-major, come first. So:
// - Each set is enumerated once, in that order: row by row, each free square
//   left to right, then no queen in the row; a set met in any other order was
//   met sorted before.
// - A subtree that needs more queens than it has rows, or columns, with a free
//   square is empty: no two queens share one, and squares only get fewer.
// - Where that count is tight, a row or column with a single free square has
//   its queen there: each of them must take one.
// - Squares so struck off are passed down: they lie in no placement of the
//   subtree, so it keeps its placements and their order.
// - A square is entered only once a proof shows its subtree holds a placement;
//   a proof that finds one keeps it as witness for the rows below.
// The board gets only the queens found, through dameSetzen (counters do not
// depend on the order of setting); without a placement it is untouched.

namespace {

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
    stand.einzelne |= Maske(belegt & ((m & (m - 1)) == 0)) << i;
}

Stand erfassen(const Maske* maske, int n) {
    Stand stand{};
    for (int i = 0; i < n; ++i) zaehlen(stand, maske[i], i);
    return stand;
}

// `nach` becomes `von` (n rows) with a queen in row `zeile`, column `spalte`;
// `zeile` -1 stands for the row just above the first. Both may be the same
// array. Counts the result as it goes.
Stand setzen(const Maske* von, Maske* nach, int n, int zeile, int spalte) {
    const Maske* angriff = kAngriffe.m[spalte] + kMaxFeld - zeile;
    Stand stand{};
    for (int i = 0; i < n; ++i) {
        nach[i] = von[i] & ~angriff[i];
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
        const int spaltenOffen = bitzahl(stand.einmal);
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

enum class Antwort { leer, vermutet, bewiesen };

// Whether the `n` narrowed rows `maske` can take `anzahl` queens, the rows in
// `fest` holding theirs already: `vermutet` when it cannot be told cheaply;
// `bewiesen` with a placement of them in `zeuge`.
Antwort loesbarAb(Zweig& z, const Maske* maske, int n, int anzahl, Maske fest, std::int8_t* zeuge) {
    Rest r;
    r.n = 0;
    r.anzahl = anzahl;
    std::fill(r.maske, r.maske + kPlatz, Maske{0});
    std::fill(r.zeile, r.zeile + kPlatz, std::int64_t{0});
    std::fill(z.spur, z.spur + kMaxFeld, std::int8_t{-1});
    Maske spalten = 0;
    for (int i = 0; i < n; ++i) {
        if (((fest >> i) & 1) != 0) {
            --r.anzahl;
        } else if (maske[i] != 0) {
            r.maske[r.n] = maske[i];
            r.zeile[r.n] = i;
            spalten |= maske[i];
            ++r.n;
        }
    }
    if (r.anzahl != r.n && r.anzahl != bitzahl(spalten)) return Antwort::vermutet;
    bool ergebnis;
    if (z.lauf.faeden <= 1) {
        ergebnis = loesbar(z, r);
    } else {
        // Alone first: most proofs are short, and sharing them would cost more.
        z.vorrat = z.lauf.teilenAb;
        z.erschoepft = false;
        ergebnis = loesbar(z, r);
        z.vorrat = -1;
        if (z.erschoepft) ergebnis = gemeinsamBeweisen(z, r);
    }
    if (!ergebnis) return Antwort::leer;
    for (int i = 0; i < n; ++i)
        zeuge[i] = ((fest >> i) & 1) != 0 ? static_cast<std::int8_t>(std::countr_zero(maske[i]))
                                          : z.beleg[i];
    return Antwort::bewiesen;
}

// ---- The search in row-major order ------------------------------------------

// Places `anzahl` queens in rows `zeile` and below, whose free squares are
// `maske[0]` onwards; first placement first. `fest` as for eingrenzen, with
// bit 0 for row `zeile`. `geprueft`: the caller has already narrowed `maske`.
// `bezeugt`: z.zeuge holds a placement of this subtree from row `zeile` down;
// the squares before its square in this row need proofs, its square none.
// On success z.weg holds the placement from row `zeile` down.
int sucheAb(Zweig& z, int zeilen, int anzahl, int zeile, const Maske* maske, Maske fest,
            bool geprueft, bool bezeugt) {
    if (anzahl <= 0) {
        std::fill(z.weg + zeile, z.weg + zeilen, std::int8_t{-1});
        return 1;
    }
    const int n = zeilen - zeile; // rows from this one down
    Maske eigen[kMaxFeld];
    if (!geprueft) {
        std::copy(maske, maske + n, eigen);
        if (!eingrenzen(eigen, n, anzahl, fest, erfassen(eigen, n))) return 0;
        maske = eigen;
    }
    ++z.knoten;
    if (vorbei(z)) return 0;

    Maske kind[kMaxFeld]; // the free squares below with a queen on this row
    for (Maske rest = maske[0]; rest != 0; rest &= rest - 1) {
        const int spalte = std::countr_zero(rest);
        // Most squares fail here, before anything is searched below them.
        Maske kindFest = fest >> 1;
        if (!eingrenzen(kind, n - 1, anzahl - 1, kindFest,
                        setzen(maske + 1, kind, n - 1, -1, spalte)))
            continue;
        bool kindBezeugt = bezeugt && spalte == z.zeuge[zeile];
        if (!kindBezeugt) {
            const Antwort antwort =
                loesbarAb(z, kind, n - 1, anzahl - 1, kindFest, z.zeuge + zeile + 1);
            if (antwort == Antwort::leer) {
                if (z.abgebrochen) return 0;
                continue;
            }
            if (antwort == Antwort::bewiesen) z.zeuge[zeile] = static_cast<std::int8_t>(spalte);
            kindBezeugt = antwort == Antwort::bewiesen;
            // Below an unproved square the witness may be overwritten.
            bezeugt = kindBezeugt;
        }
        z.weg[zeile] = static_cast<std::int8_t>(spalte);
        if (sucheAb(z, zeilen, anzahl - 1, zeile + 1, kind, kindFest, true, kindBezeugt)) return 1;
        if (z.abgebrochen) return 0;
    }
    if ((fest & 1) != 0) return 0; // this row takes a queen in every placement
    z.weg[zeile] = -1;
    return sucheAb(z, zeilen, anzahl, zeile + 1, maske + 1, fest >> 1, false,
                   bezeugt && z.zeuge[zeile] < 0);
}

} // namespace

int dameSuchen(int anzahl, Feld feld, int spalten, int zeilen, const Suchoptionen& optionen,
               unsigned long long* knoten) {
    if (knoten != nullptr) *knoten = 0;
    if (anzahl <= 0) return 1;
    if (spalten <= 0 || zeilen <= 0) return 0;

    Maske maske[kMaxFeld] = {};
    for (int z = 0; z < zeilen; ++z)
        for (int sp = 0; sp < spalten; ++sp)
            if (feld[z][sp] == 0) maske[z] |= Maske{1} << sp;

    Lauf lauf;
    lauf.faeden = optionen.faeden > 0 ? optionen.faeden
                                      : static_cast<int>(std::thread::hardware_concurrency());
    lauf.teilenAb = optionen.teilenAb > 0 ? optionen.teilenAb : 20000;
    lauf.vektoren = !optionen.ohneVektoren && vektorenMoeglich();
    lauf.fortschritt = console::outputIsTerminal();
    lauf.begrenzt = optionen.sekunden > 0;
    lauf.beginn = Uhr::now();
    lauf.grenze = lauf.beginn + std::chrono::duration_cast<Uhr::duration>(
                                    std::chrono::duration<double>(optionen.sekunden));

    Zweig z{lauf, true};
    const int gefunden = sucheAb(z, zeilen, anzahl, 0, maske, 0, false, false);
    beenden(lauf);
    if (lauf.angezeigt) console::statusLine("");
    if (knoten != nullptr) *knoten = lauf.knoten + z.knoten;

    if (gefunden == 1) {
        for (int zeile = 0; zeile < zeilen; ++zeile)
            if (z.weg[zeile] >= 0) dameSetzen(feld, spalten, zeilen, z.weg[zeile], zeile);
        return 1;
    }
    return z.abgebrochen ? -1 : 0;
}

} // namespace queenboard
