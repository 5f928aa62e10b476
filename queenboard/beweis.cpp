// The proof that a subtree holds a placement, or none: forced queens, and
// branching on the row or column with the fewest free squares.
#include "suche_intern.h"

#include <algorithm>
#include <bit>

namespace queenboard {

// Most of the search goes into subtrees without a placement, and proving that
// needs no order: it branches on the row (or column) with the fewest free
// squares, which keeps the proof far smaller than one that goes row by row.
// The row-by-row search asks this of every square before it goes below it, so
// it walks straight down to the placement; nearly all the work is in proofs.

namespace {

// `nach` becomes `von` with a queen on row `i`, column `spalte`, without that
// row. Both may be the same. Counts the result as it goes; rows left without a
// free square are counted out of `offen` but stay until `ausduennen`.
Stand platzieren(const Rest& von, Rest& nach, int i, int spalte) {
    const Maske* angriff = kAngriffe.m[spalte] + kMaxFeld - von.zeile[i];
    if (&von != &nach) std::copy(von.dame, von.dame + kMaxFeld, nach.dame);
    nach.dame[von.zeile[i]] = static_cast<std::int8_t>(spalte);
    Stand stand{};
    int leer = 0;
    int k = 0;
    const auto zeile = [&](int j) {
        const Maske m = von.maske[j] & ~angriff[von.zeile[j]];
        nach.maske[k] = m;
        nach.zeile[k] = von.zeile[j];
        leer += m == 0;
        stand.mehrmals |= stand.einmal & m;
        stand.einmal |= m;
        stand.einzelne |= Maske((m & (m - 1)) == 0) << k; // empty rows too, until ausduennen
        ++k;
    };
    for (int j = 0; j < i; ++j) zeile(j);
    for (int j = i + 1; j < von.n; ++j) zeile(j);
    nach.n = k;
    nach.anzahl = von.anzahl - 1;
    stand.offen = k - leer;
    return stand;
}

// Drops the rows without a free square, which platzieren leaves in place: rare
// where every row must take a queen, as that fails first.
void ausduennen(Rest& r, Stand& stand) {
    int k = 0;
    stand.einzelne = 0;
    for (int j = 0; j < r.n; ++j) {
        const Maske m = r.maske[j];
        if (m == 0) continue;
        r.maske[k] = m;
        r.zeile[k] = r.zeile[j];
        stand.einzelne |= Maske((m & (m - 1)) == 0) << k;
        ++k;
    }
    r.n = k;
}

// As eingrenzen, for a Rest: places forced queens until none is left.
bool restEingrenzen(Rest& r, Stand stand) {
    for (;;) {
        if (r.anzahl <= 0) return true;
        const int spaltenOffen = bitzahl(stand.einmal);
        if (r.anzahl > stand.offen || r.anzahl > spaltenOffen) return false;
        if (stand.offen < r.n) ausduennen(r, stand);
        if (r.anzahl == stand.offen && stand.einzelne != 0) {
            const int i = std::countr_zero(stand.einzelne);
            stand = platzieren(r, r, i, std::countr_zero(r.maske[i]));
            continue;
        }
        const Maske einzeln = stand.einmal & ~stand.mehrmals;
        if (r.anzahl == spaltenOffen && einzeln != 0) {
            const int spalte = std::countr_zero(einzeln);
            int i = 0;
            while (((r.maske[i] >> spalte) & 1) == 0) ++i;
            stand = platzieren(r, r, i, spalte);
            continue;
        }
        return true;
    }
}

// Only near the top of a subtree: deeper down the pieces are too small to pay.
constexpr int kTeilTiefe = 8;

} // namespace

// True when the narrowed `r` holds a placement. Only for a Rest where every row
// or every column with a free square must take a queen, which stays so below.
// In the shared proof, branches handed on are not searched here.
bool loesbar(Zweig& z, const Rest& r, int tiefe) {
    if (r.anzahl <= 0) {
        std::copy(r.dame, r.dame + kMaxFeld, z.beleg);
        return true;
    }
    ++z.knoten;
    if (z.vorrat >= 0 && --z.vorrat < 0) z.erschoepft = true;
    if (z.erschoepft || vorbei(z)) return false;

    // The row with the fewest free squares: two is the least after narrowing.
    int zeile = 0;
    int wenigste = 99;
    for (int i = 0; i < r.n && wenigste > 2; ++i) {
        const Maske ohneErste = r.maske[i] & (r.maske[i] - 1);
        if ((ohneErste & (ohneErste - 1)) == 0) {
            zeile = i;
            wenigste = 2;
        }
    }
    // The columns free in exactly two rows; without a row of two, the row with
    // the fewest. Not needed where a row of two is there and every row must
    // take a queen.
    const bool zeilenVoll = r.anzahl == r.n;
    Maske einmal = 0, zweimal = 0, dreimal = 0;
    for (int i = 0; i < r.n && !(zeilenVoll && wenigste == 2); ++i) {
        const Maske m = r.maske[i];
        dreimal |= zweimal & m;
        zweimal |= einmal & m;
        einmal |= m;
        if (wenigste > 2 && bitzahl(m) < wenigste) {
            wenigste = bitzahl(m);
            zeile = i;
        }
    }
    const bool spaltenVoll = r.anzahl == bitzahl(einmal);
    const Maske zwei = zweimal & ~dreimal;
    const bool nachSpalte = spaltenVoll && (!zeilenVoll || (wenigste > 2 && zwei != 0));
    const int spalte = std::countr_zero(zwei != 0 ? zwei : einmal);

    Rest kind;
    const Maske wahl = nachSpalte ? 0 : r.maske[zeile];
    const int zweige = nachSpalte ? r.n : bitzahl(wahl);
    Maske rest = wahl;
    for (int i = 0; i < zweige; ++i) {
        Stand stand;
        if (nachSpalte) {
            if (((r.maske[i] >> spalte) & 1) == 0) continue;
            stand = platzieren(r, kind, i, spalte);
        } else {
            stand = platzieren(r, kind, zeile, std::countr_zero(rest));
            rest &= rest - 1;
        }
        if (!restEingrenzen(kind, stand)) continue;
        if (z.geteilt && tiefe < kTeilTiefe && z.lauf.hungrig.load(std::memory_order_relaxed) > 0) {
            weitergeben(z.lauf, kind);
            continue;
        }
        if (loesbar(z, kind, tiefe + 1)) return true;
        if (z.abgebrochen || z.erschoepft) return false;
    }
    return false;
}

} // namespace queenboard
