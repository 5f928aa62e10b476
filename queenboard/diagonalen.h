// The bounds behind the diagonal cuts: what sums, and what sums of squares, the
// numbers of k distinct free diagonals can make.
#pragma once

#include "kern.h"

#include <algorithm>
#include <optional>
#include <span>

namespace queenboard {

// The sum of the positions of the bits of `m`.
template <Kern K> long bitSumme(Maske m) {
    return K::bits(m & 0xAAAAAAAAAAAAAAAAu) + 2 * K::bits(m & 0xCCCCCCCCCCCCCCCCu) +
           4 * K::bits(m & 0xF0F0F0F0F0F0F0F0u) + 8 * K::bits(m & 0xFF00FF00FF00FF00u) +
           16 * K::bits(m & 0xFFFF0000FFFF0000u) + 32 * K::bits(m & 0xFFFFFFFF00000000u);
}

// The least and the greatest of a range of sums.
struct Spanne {
    long kleinste, groesste;
};

// The sums of the numbers of the lowest and of the highest `k` numbers of `w`, which
// has k or more: the range of the sums of any k of them.
template <Kern K> Spanne randSummen(const Doppelwort& w, int k) {
    const int unten = K::bits(w.tief), oben = K::bits(w.hoch);
    Spanne s;
    if (k <= unten) {
        s.kleinste = bitSumme<K>(K::untereBits(w.tief, k));
    } else {
        const Maske teil = K::untereBits(w.hoch, k - unten);
        s.kleinste = bitSumme<K>(w.tief) + bitSumme<K>(teil) + long{kWortbreite} * (k - unten);
    }
    if (k <= oben) {
        s.groesste = bitSumme<K>(w.hoch ^ K::untereBits(w.hoch, oben - k)) + long{kWortbreite} * k;
    } else {
        s.groesste = bitSumme<K>(w.hoch) + long{kWortbreite} * oben +
                     bitSumme<K>(w.tief ^ K::untereBits(w.tief, unten - (k - oben)));
    }
    return s;
}

// A bound on the falling diagonals' sum that counts the rows: each row's queen stands
// on a distinct free diagonal no higher than the row's own highest. Each row in turn
// taking the highest one left at or below that reaches the largest sum possible,
// whatever the order; a row that finds none can take no queen. Of the diagonals so
// taken, the queens stand on r.damen at most. None when too few rows find one. Where
// few rows reach the high diagonals this is well below the sum of the k highest.
// (The same bound from below cuts a fifth as often, and does not pay.)
template <Kern K> std::optional<long> obereSumme(const Teilbrett& r, const Doppelwort& frei) {
    long oben = 0;
    int ohne = r.n - r.damen; // rows that may find none
    Doppelwort uebrig = frei;
    for (int j = 0; j < r.n; ++j) {
        const int hoechste = kHoechstesBit - std::countl_zero(r.frei[j]) + kFallVersatz -
                             static_cast<int>(r.nummer[j]);
        const int d = hoechsteBis(uebrig, hoechste);
        if (d < 0) {
            if (--ohne < 0) return std::nullopt;
            continue;
        }
        oben += d;
        const Maske bit = Maske{1} << (d & kHoechstesBit);
        uebrig.tief &= d < kWortbreite ? ~bit : ~Maske{0};
        uebrig.hoch &= d >= kWortbreite ? ~bit : ~Maske{0};
    }
    if (r.damen < r.n) // the highest r.damen of the diagonals taken
        oben =
            randSummen<K>({frei.tief & ~uebrig.tief, frei.hoch & ~uebrig.hoch}, r.damen).groesste;
    return oben;
}

// The sum of the squares of the positions of the bits of `m`.
inline long long quadratSumme(Maske m) {
    long long summe = 0;
    for (; m != 0; m &= m - 1) {
        const long long p = std::countr_zero(m);
        summe += p * p;
    }
    return summe;
}

// More than any sum of squares of positions: no set of the bits meets the bound.
inline constexpr long long kUnerreichbar = 1LL << 40;

// For each of the sums `summen`, which rise or fall with their index, a lower bound
// on the sum of the squares of k distinct numbers of `w` that add up to it;
// kUnerreichbar where no k of them do. Windows of k neighbouring numbers are walked
// from the lowest up. With window s summing below the sum and window s + 1 not, no k
// numbers reach it with fewer squares than window s's plus, per unit the sum still
// lacks, its lowest number and the highest of window s + 1: a Lagrange multiplier on
// the sum, at its best.
inline void quadrateMitSummen(const Doppelwort& w, int k, std::span<const long long> summen,
                              std::span<long long> schranken) {
    const auto naechste = [](Doppelwort& rest) -> long long { // the lowest number, removed
        if (rest.tief != 0) {
            const int p = std::countr_zero(rest.tief);
            rest.tief &= rest.tief - 1;
            return p;
        }
        if (rest.hoch == 0) return -1;
        const int p = std::countr_zero(rest.hoch);
        rest.hoch &= rest.hoch - 1;
        return kWortbreite + p;
    };
    std::fill(schranken.begin(), schranken.end(), kUnerreichbar);
    const std::size_t n = summen.size();
    const bool absteigend = n > 1 && summen[0] > summen[n - 1];
    const auto an = [&](std::size_t i) { return absteigend ? n - 1 - i : i; }; // in rising order
    std::size_t i = 0;                                                         // the sums done
    Doppelwort darueber = w; // the numbers above the window
    long long fenster = 0, quadrate = 0;
    for (int j = 0; j < k; ++j) {
        const long long p = naechste(darueber);
        if (p < 0) return;
        fenster += p;
        quadrate += p * p;
    }
    while (i < n && summen[an(i)] < fenster) ++i;
    Doppelwort abFenster = w; // the window's numbers and those above
    for (;;) {
        for (; i < n && summen[an(i)] == fenster; ++i) schranken[an(i)] = quadrate;
        if (i == n) return;
        const long long oben = naechste(darueber);
        if (oben < 0) return;
        const long long unten = naechste(abFenster);
        const long long weiter = fenster + oben - unten;
        for (; i < n && summen[an(i)] < weiter; ++i)
            schranken[an(i)] = quadrate + (unten + oben) * (summen[an(i)] - fenster);
        fenster = weiter;
        quadrate += oben * oben - unten * unten;
    }
}

// The free squares' diagonals: falling, c - r + kFallVersatz, and rising, c + r.
struct Diagonalen {
    Doppelwort fallend, steigend;
};

// The lines that take the queens, by the sums of their numbers and of the squares.
struct Liniensummen {
    long long spaltenSumme, spaltenQuadrate, zeilenSumme, zeilenQuadrate;
};

// Of the choices `wahl` of the lines that take the k queens, whose sums rise or fall
// with the index, those that pass the diagonals' squares: bit i for choice i. As
// (c - r)^2 + (c + r)^2 = 2 c^2 + 2 r^2, the queens' diagonals have a known sum of
// squares, and each kind a known sum; the least squares distinct free diagonals
// with those sums can have must not pass it.
inline Maske quadratePassen(const Diagonalen& d, int k, std::span<const Liniensummen> wahl) {
    const std::size_t n = wahl.size();
    const long long kk = k;
    long long fall[kMaxFeld], steig[kMaxFeld], fallend[kMaxFeld], steigend[kMaxFeld];
    for (std::size_t i = 0; i < n; ++i) {
        fall[i] = wahl[i].spaltenSumme - wahl[i].zeilenSumme + kk * kFallVersatz;
        steig[i] = wahl[i].spaltenSumme + wahl[i].zeilenSumme;
    }
    quadrateMitSummen(d.fallend, k, {fall, n}, {fallend, n});
    quadrateMitSummen(d.steigend, k, {steig, n}, {steigend, n});
    Maske passt = 0;
    for (std::size_t i = 0; i < n; ++i) {
        // The falling ones' squares by their numbers: (c - r + kFallVersatz)^2 summed.
        const long long soll = 2 * (wahl[i].spaltenQuadrate + wahl[i].zeilenQuadrate) +
                               2 * kFallVersatz * fall[i] - kk * kFallVersatz * kFallVersatz;
        if (fallend[i] + steigend[i] <= soll) passt |= Maske{1} << i;
    }
    return passt;
}

// Of the lines `kandidaten` (bit e: row or column e), those that may stay empty by the
// diagonals' squares, the other lines `alle` taking the queens.
inline Maske leerLassen(const Diagonalen& d, int k, Maske kandidaten, Linienart art,
                        const Liniensummen& alle) {
    if (kandidaten == 0) return 0;
    Liniensummen wahl[kMaxFeld];
    int linie[kMaxFeld];
    int n = 0;
    for (Maske offen = kandidaten; offen != 0; offen &= offen - 1, ++n) {
        const long long e = linie[n] = std::countr_zero(offen);
        wahl[n] = alle;
        (art == Linienart::zeile ? wahl[n].zeilenSumme : wahl[n].spaltenSumme) -= e;
        (art == Linienart::zeile ? wahl[n].zeilenQuadrate : wahl[n].spaltenQuadrate) -= e * e;
    }
    const Maske passt = quadratePassen(d, k, {wahl, static_cast<std::size_t>(n)});
    Maske leer = 0;
    for (int i = 0; i < n; ++i) leer |= ((passt >> i) & 1) << linie[i];
    return leer;
}

} // namespace queenboard
