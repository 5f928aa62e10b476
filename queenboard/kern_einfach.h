// The proof's inner loops in plain C++, for any processor: the twin of the vector
// kernel, which must count the same nodes.
#pragma once

#include "kern.h"

namespace queenboard {

struct EinfachKern {
    static int bits(Maske m) { return bitzahl(m); }

    static Zaehlung streichen(const Teilbrett& von, Teilbrett& nach, int zeile, int spalte) {
        const bool kopie = &von != &nach; // in place the row numbers stay where they are
        const Maske* angriff = kAngriffe.vonDame(zeile, spalte);
        Zaehlung z{};
        for (int j = 0; j < von.n; ++j) {
            const Maske m = von.frei[j] & ~angriff[von.nummer[j]];
            nach.frei[j] = m;
            if (kopie) nach.nummer[j] = von.nummer[j];
            zaehlen(z, m, j);
        }
        // The rest of the last vector, as the vector kernel writes it.
        for (int j = von.n; j < vektorEnde(von.n); ++j) {
            nach.frei[j] = 0;
            nach.nummer[j] = von.nummer[j];
        }
        return z;
    }

    static Fallende fallende(const Teilbrett& r) {
        Fallende f{};
        for (int j = 0; j < r.n; ++j) {
            const int zeile = static_cast<int>(r.nummer[j]);
            const int verschiebung = kFallVersatz - zeile;
            f.zeilenBits |= Maske{1} << zeile;
            f.zeilenSumme += zeile;
            f.diagonalen.tief |= r.frei[j] << verschiebung;
            f.diagonalen.hoch |= r.frei[j] >> (kWortbreite - verschiebung);
        }
        return f;
    }

    static Doppelwort steigende(const Teilbrett& r) {
        Doppelwort d;
        for (int j = 0; j < r.n; ++j) {
            const int zeile = static_cast<int>(r.nummer[j]);
            d.tief |= r.frei[j] << zeile;
            if (zeile > 0) d.hoch |= r.frei[j] >> (kWortbreite - zeile);
        }
        return d;
    }

    static Maske untereBits(Maske m, int k) {
        Maske teil = 0;
        for (int i = 0; i < k; ++i, m &= m - 1) teil |= m & -m;
        return teil;
    }
};
static_assert(Kern<EinfachKern>);

} // namespace queenboard
