// The proof's inner loops in plain C++, for any processor: the twin of the vector
// kernel, which must count the same nodes.
#pragma once

#include "zeilen.h"

namespace queenboard {

struct EinfachKern {
    static int bits(Maske m) { return bitzahl(m); }

    // `nach` becomes `von` with the lines of a queen in row `zeile`, column `spalte`
    // struck off, counted; its own square stays. Both may be the same.
    static Zaehlung streichen(const Zeilen& von, Zeilen& nach, int zeile, int spalte) {
        const bool kopie = &von != &nach; // in place the row numbers stay where they are
        const Maske* angriff = kAngriffe.m[spalte] + kMaxFeld - zeile;
        Zaehlung z{};
        for (int j = 0; j < von.n; ++j) {
            const Maske m = von.frei[j] & ~angriff[von.nummer[j]];
            nach.frei[j] = m;
            if (kopie) nach.nummer[j] = von.nummer[j];
            zaehlen(z, m, j);
        }
        return z;
    }

    // The falling diagonal c - r + kMaxFeld of every free square, as bits of lo
    // (0-63) and hi (64-127); the rows' numbers as bits, and their sum.
    static void diagonalen(const Zeilen& r, Maske& lo, Maske& hi, Maske& zeilen,
                           long& zeilenSumme) {
        lo = hi = zeilen = 0;
        zeilenSumme = 0;
        for (int j = 0; j < r.n; ++j) {
            const int zeile = static_cast<int>(r.nummer[j]);
            const int verschiebung = kMaxFeld - zeile;
            zeilen |= Maske{1} << zeile;
            zeilenSumme += zeile;
            lo |= r.frei[j] << verschiebung;
            hi |= r.frei[j] >> (64 - verschiebung);
        }
    }

    // The rising diagonal c + r of every free square, as bits of lo (0-63) and hi
    // (64-127).
    static void steigende(const Zeilen& r, Maske& lo, Maske& hi) {
        lo = hi = 0;
        for (int j = 0; j < r.n; ++j) {
            const int zeile = static_cast<int>(r.nummer[j]);
            lo |= r.frei[j] << zeile;
            if (zeile > 0) hi |= r.frei[j] >> (64 - zeile);
        }
    }

    // The lowest `k` bits of `m`, which has k or more.
    static Maske untereBits(Maske m, int k) {
        Maske teil = 0;
        for (int i = 0; i < k; ++i, m &= m - 1) teil |= m & -m;
        return teil;
    }
};

} // namespace queenboard
