// The steps the ordered search and the proof share, on the row model, for either
// kernel (EinfachKern, VektorKern): setting a queen, forced queens, and the
// counting and diagonal-sum cuts.
#pragma once

#include "zeilen.h"

namespace queenboard {

// Bit i of the diagonals' high word stands for diagonal 64 + i.
inline constexpr long kWortbreite = 64;

// `nach` becomes `von` with a queen on slot `i`, column `spalte`; the last row
// moves into slot i. Both may be the same. The queen goes into `gesetzt`.
template <class Kern>
Zaehlung platzieren(const Zeilen& von, Zeilen& nach, int i, int spalte, Belegung& gesetzt) {
    const int zeile = static_cast<int>(von.nummer[i]);
    gesetzt.spalte[zeile] = static_cast<std::int8_t>(spalte);
    Zaehlung z = Kern::streichen(von, nach, zeile, spalte);
    // The queen's row kept its square in the loop; the last row takes its slot.
    z.spalten &= ~(Maske{1} << spalte);
    const int letzte = von.n - 1;
    nach.frei[i] = nach.frei[letzte];
    nach.nummer[i] = nach.nummer[letzte];
    nach.frei[letzte] = 0;
    nach.n = letzte;
    nach.damen = von.damen - 1;
    z.leer = verlegen(z.leer, letzte, i);
    z.hoechstensEins = verlegen(z.hoechstensEins, letzte, i);
    z.hoechstensZwei = verlegen(z.hoechstensZwei, letzte, i);
    return z;
}

// The sum of the positions of the bits of `m`.
template <class Kern> long bitSumme(Maske m) {
    return Kern::bits(m & 0xAAAAAAAAAAAAAAAAu) + 2 * Kern::bits(m & 0xCCCCCCCCCCCCCCCCu) +
           4 * Kern::bits(m & 0xF0F0F0F0F0F0F0F0u) + 8 * Kern::bits(m & 0xFF00FF00FF00FF00u) +
           16 * Kern::bits(m & 0xFFFF0000FFFF0000u) + 32 * Kern::bits(m & 0xFFFFFFFF00000000u);
}

// The sums of the positions of the lowest and of the highest `k` bits of lo (bits
// 0-63) and hi (64-127), which have k or more.
template <class Kern> void randSummen(Maske lo, Maske hi, int k, long& unten, long& oben) {
    const int nLo = Kern::bits(lo), nHi = Kern::bits(hi);
    if (k <= nLo) {
        unten = bitSumme<Kern>(Kern::untereBits(lo, k));
    } else {
        const Maske teil = Kern::untereBits(hi, k - nLo);
        unten = bitSumme<Kern>(lo) + bitSumme<Kern>(teil) + kWortbreite * (k - nLo);
    }
    if (k <= nHi) {
        oben = bitSumme<Kern>(hi ^ Kern::untereBits(hi, nHi - k)) + kWortbreite * k;
    } else {
        oben = bitSumme<Kern>(hi) + kWortbreite * nHi +
               bitSumme<Kern>(lo ^ Kern::untereBits(lo, nLo - (k - nHi)));
    }
}

// A bound on the diagonals' sum that counts the rows: each row's queen stands on a
// distinct free diagonal no higher than the row's own highest. Each row in turn
// taking the highest one left at or below that reaches the largest sum possible,
// whatever the order; false when some row finds none. Where few rows reach the high
// diagonals this is well below the sum of the k highest. (The same bound from below
// cuts a fifth as often, and does not pay for its time.)
inline bool obereSumme(const Zeilen& r, Maske lo, Maske hi, long& oben) {
    oben = 0;
    for (int j = 0; j < r.n; ++j) {
        const int hoechste =
            63 - std::countl_zero(r.frei[j]) + kMaxFeld - static_cast<int>(r.nummer[j]);
        const int d = hoechsteBis(lo, hi, hoechste);
        if (d < 0) return false;
        oben += d;
        const Maske bit = Maske{1} << (d & 63);
        lo &= d < 64 ? ~bit : ~Maske{0};
        hi &= d >= 64 ? ~bit : ~Maske{0};
    }
    return true;
}

// Where every row and every free column takes a queen, the queens' rows and columns
// are known as sets, so the sum of their falling diagonals c - r is too: the
// columns' sum less the rows'. Distinct free diagonals must make it up, so it lies
// between the sums of the smallest and of the largest k of them; that cheap test
// goes first, then the tighter upper bound row by row (obereSumme). (The rising
// diagonals c + r give the same check, but it prunes about a hundredth as much, for
// as much work.)
template <class Kern> bool summenPassen(const Zeilen& r, Maske spalten) {
    Maske lo, hi;
    long zeilenSumme;
    Kern::diagonalen(r, lo, hi, zeilenSumme);
    if (Kern::bits(lo) + Kern::bits(hi) < r.n) return false;
    long unten, oben;
    randSummen<Kern>(lo, hi, r.n, unten, oben);
    const long soll = bitSumme<Kern>(spalten) - zeilenSumme + long{r.n} * kMaxFeld;
    if (soll < unten || soll > oben) return false;
    return obereSumme(r, lo, hi, oben) && soll <= oben;
}

// Places forced queens until none is left: where every row with a free square
// must take a queen, a row with a single one has it there, and likewise for the
// columns. False when the rows cannot take their queens.
template <class Kern> bool eingrenzen(Zeilen& r, Zaehlung& z, Belegung& gesetzt) {
    for (;;) {
        if (r.damen <= 0) return true;
        if (z.leer != 0) { // rare where every row must take a queen: that fails first
            if (r.damen > r.n - Kern::bits(z.leer)) return false;
            ausduennen(r, z, gesetzt);
        }
        const int spaltenFrei = Kern::bits(z.spalten);
        if (r.damen > spaltenFrei) return false;
        if (r.damen == r.n && z.hoechstensEins != 0) { // every row takes a queen
            const int j = std::countr_zero(z.hoechstensEins);
            z = platzieren<Kern>(r, r, j, std::countr_zero(r.frei[j]), gesetzt);
            continue;
        }
        const Maske einzeln = z.spalten & ~z.mehrfach;
        if (r.damen == spaltenFrei && einzeln != 0) { // every column takes a queen
            const int spalte = std::countr_zero(einzeln);
            z = platzieren<Kern>(r, r, zeileMitSpalte(r, spalte), spalte, gesetzt);
            continue;
        }
        return r.damen != r.n || r.damen != spaltenFrei || summenPassen<Kern>(r, z.spalten);
    }
}

} // namespace queenboard
