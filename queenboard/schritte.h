// The steps the ordered search and the proof share, on the row model, for either
// kernel (EinfachKern, VektorKern): setting a queen, forced queens, and the
// counting and diagonal-sum cuts.
#pragma once

#include "zeilen.h"

#include <span>

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
// whatever the order; a row that finds none can take no queen. Of the diagonals so
// taken, the queens stand on r.damen at most. False when too few rows find one.
// Where few rows reach the high diagonals this is well below the sum of the k
// highest. (The same bound from below cuts a fifth as often, and does not pay.)
template <class Kern> bool obereSumme(const Zeilen& r, Maske lo, Maske hi, long& oben) {
    oben = 0;
    int ohne = r.n - r.damen; // rows that may find none
    const Maske freiLo = lo, freiHi = hi;
    for (int j = 0; j < r.n; ++j) {
        const int hoechste =
            63 - std::countl_zero(r.frei[j]) + kMaxFeld - static_cast<int>(r.nummer[j]);
        const int d = hoechsteBis(lo, hi, hoechste);
        if (d < 0) {
            if (--ohne < 0) return false;
            continue;
        }
        oben += d;
        const Maske bit = Maske{1} << (d & 63);
        lo &= d < 64 ? ~bit : ~Maske{0};
        hi &= d >= 64 ? ~bit : ~Maske{0};
    }
    if (r.damen < r.n) { // the highest r.damen of the diagonals taken
        long unten;
        randSummen<Kern>(freiLo & ~lo, freiHi & ~hi, r.damen, unten, oben);
    }
    return true;
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
// on the sum of the squares of k distinct bits p of lo (bits 0-63) and hi (64-127)
// whose positions add up to it; kUnerreichbar where no k bits do. Windows of k
// neighbouring bits are walked from the lowest up. With window s summing below the
// sum and window s + 1 not, no k bits reach it with fewer squares than window s's
// plus, per unit the sum still lacks, its lowest bit and the highest of window s + 1:
// a Lagrange multiplier on the sum, at its best.
inline void quadrateMitSummen(Maske lo, Maske hi, int k, std::span<const long long> summen,
                              std::span<long long> schranken) {
    const auto naechstes = [](Maske& l, Maske& h) -> long long { // the lowest bit, removed
        if (l != 0) {
            const int p = std::countr_zero(l);
            l &= l - 1;
            return p;
        }
        if (h == 0) return -1;
        const int p = std::countr_zero(h);
        h &= h - 1;
        return 64 + p;
    };
    std::fill(schranken.begin(), schranken.end(), kUnerreichbar);
    const std::size_t n = summen.size();
    const bool absteigend = n > 1 && summen[0] > summen[n - 1];
    const auto an = [&](std::size_t i) { return absteigend ? n - 1 - i : i; }; // in rising order
    std::size_t i = 0;                                                         // the sums done
    Maske obenLo = lo, obenHi = hi; // the bits above the window
    long long fenster = 0, quadrate = 0;
    for (int j = 0; j < k; ++j) {
        const long long p = naechstes(obenLo, obenHi);
        if (p < 0) return;
        fenster += p;
        quadrate += p * p;
    }
    while (i < n && summen[an(i)] < fenster) ++i;
    Maske untenLo = lo, untenHi = hi; // the window's bits and those above
    for (;;) {
        for (; i < n && summen[an(i)] == fenster; ++i) schranken[an(i)] = quadrate;
        if (i == n) return;
        const long long oben = naechstes(obenLo, obenHi);
        if (oben < 0) return;
        const long long unten = naechstes(untenLo, untenHi);
        const long long weiter = fenster + oben - unten;
        for (; i < n && summen[an(i)] < weiter; ++i)
            schranken[an(i)] = quadrate + (unten + oben) * (summen[an(i)] - fenster);
        fenster = weiter;
        quadrate += oben * oben - unten * unten;
    }
}

// The free squares' diagonals: falling, c - r + kMaxFeld, and rising, c + r, each
// as bits of a low word (0-63) and a high one (64-127).
struct Diagonalen {
    Maske fallLo, fallHi, steigLo, steigHi;
};

// The lines that take the queens, by the sums of their numbers and of the squares.
struct Linien {
    long long spalten, spaltenQuadrate, zeilen, zeilenQuadrate;
};

// Of the choices `wahl` of the lines that take the k queens, whose sums rise or fall
// with the index, those that pass the diagonals' squares: bit i for choice i. As
// (c - r)^2 + (c + r)^2 = 2 c^2 + 2 r^2, the queens' diagonals have a known sum of
// squares, and each kind a known sum; the least squares distinct free diagonals
// with those sums can have must not pass it.
inline Maske quadratePassen(const Diagonalen& d, int k, std::span<const Linien> wahl) {
    const std::size_t n = wahl.size();
    const long long kk = k;
    long long fall[kMaxFeld], steig[kMaxFeld], fallend[kMaxFeld], steigend[kMaxFeld];
    for (std::size_t i = 0; i < n; ++i) {
        fall[i] = wahl[i].spalten - wahl[i].zeilen + kk * kMaxFeld; // as bits they stand higher
        steig[i] = wahl[i].spalten + wahl[i].zeilen;
    }
    quadrateMitSummen(d.fallLo, d.fallHi, k, {fall, n}, {fallend, n});
    quadrateMitSummen(d.steigLo, d.steigHi, k, {steig, n}, {steigend, n});
    Maske passt = 0;
    for (std::size_t i = 0; i < n; ++i) {
        // The falling ones' squares as bits: (f + kMaxFeld)^2 summed.
        const long long soll = 2 * (wahl[i].spaltenQuadrate + wahl[i].zeilenQuadrate) +
                               2 * kMaxFeld * fall[i] - kk * kMaxFeld * kMaxFeld;
        if (fallend[i] + steigend[i] <= soll) passt |= Maske{1} << i;
    }
    return passt;
}

// Of the lines `kandidaten` (bit e: column e, or row e where `zeilen`), those that
// may stay empty by the diagonals' squares, the other lines `alle` taking the queens.
inline Maske leerLassen(const Diagonalen& d, int k, Maske kandidaten, bool zeilen,
                        const Linien& alle) {
    if (kandidaten == 0) return 0;
    Linien wahl[kMaxFeld];
    int linie[kMaxFeld];
    int n = 0;
    for (Maske offen = kandidaten; offen != 0; offen &= offen - 1, ++n) {
        const long long e = linie[n] = std::countr_zero(offen);
        wahl[n] = alle;
        (zeilen ? wahl[n].zeilen : wahl[n].spalten) -= e;
        (zeilen ? wahl[n].zeilenQuadrate : wahl[n].spaltenQuadrate) -= e * e;
    }
    const Maske passt = quadratePassen(d, k, {wahl, static_cast<std::size_t>(n)});
    Maske leer = 0;
    for (int i = 0; i < n; ++i) leer |= ((passt >> i) & 1) << linie[i];
    return leer;
}

// What the diagonals' sum tells: no placement, nothing new, or the rows have
// changed (a line left empty, or a queen forced) and must be counted again.
enum class Summen { nicht, passt, geaendert };

// The bits from `von` to `bis` (clamped to 0 to 63).
inline Maske bereich(long von, long bis) {
    von = std::max(von, 0L);
    bis = std::min(bis, 63L);
    if (von > bis) return 0;
    const Maske bisMaske = bis == 63 ? ~Maske{0} : (Maske{2} << bis) - 1;
    return bisMaske & ~((Maske{1} << von) - 1);
}

// The queens' falling diagonals c - r sum to the sum of their columns less that of
// their rows. Where every row and every free column takes a queen those sums are
// known; where some may stay empty, they lie between the sums of the smallest and
// of the largest r.damen of them. Distinct free diagonals must make it up, so it
// meets the range between the sums of the smallest and of the largest k of them;
// that cheap test goes first, then the tighter upper bound row by row (obereSumme).
// (The rising diagonals c + r give the same check, but it prunes about a hundredth
// as much, for as much work; with lines to spare, a fiftieth.) Last, where at most
// one line may stay empty, the squares of both kinds of diagonal (quadratePassen).
template <class Kern> Summen summenPassen(Zeilen& r, const Zaehlung& z, Belegung& gesetzt) {
    Maske lo, hi, zeilen;
    long zeilenSumme;
    Kern::diagonalen(r, lo, hi, zeilen, zeilenSumme);
    const int k = r.damen;
    if (Kern::bits(lo) + Kern::bits(hi) < k) return Summen::nicht;
    long unten, oben;
    randSummen<Kern>(lo, hi, k, unten, oben);
    const Maske spalten = z.spalten;
    const int spaltenFrei = Kern::bits(spalten);
    long spaltenMin, spaltenMax, zeilenMin, zeilenMax;
    if (spaltenFrei == k)
        spaltenMin = spaltenMax = bitSumme<Kern>(spalten);
    else
        randSummen<Kern>(spalten, 0, k, spaltenMin, spaltenMax);
    if (r.n == k)
        zeilenMin = zeilenMax = zeilenSumme;
    else
        randSummen<Kern>(zeilen, 0, k, zeilenMin, zeilenMax);
    const long sollMin = spaltenMin - zeilenMax + long{k} * kMaxFeld;
    const long sollMax = spaltenMax - zeilenMin + long{k} * kMaxFeld;
    if (sollMax < unten || sollMin > oben) return Summen::nicht;
    if (!obereSumme<Kern>(r, lo, hi, oben) || sollMin > oben) return Summen::nicht;
    // The squares, only where at most one line may stay empty: else every choice of
    // the empty lines would need its own test.
    if (r.n + spaltenFrei > 2 * k + 1) return Summen::passt;
    Diagonalen d{.fallLo = lo, .fallHi = hi, .steigLo = 0, .steigHi = 0};
    Kern::steigende(r, d.steigLo, d.steigHi);
    const Linien alle{.spalten = spaltenFrei == k ? spaltenMin : bitSumme<Kern>(spalten),
                      .spaltenQuadrate = quadratSumme(spalten),
                      .zeilen = zeilenSumme,
                      .zeilenQuadrate = quadratSumme(zeilen)};
    // The falling diagonals' sum if no line stays empty: an empty column lowers
    // it by its number, an empty row raises it by its own.
    const long summe = alle.spalten - zeilenSumme + long{k} * kMaxFeld;
    if (r.n == k && spaltenFrei == k)
        return quadratePassen(d, k, {&alle, 1}) != 0 ? Summen::passt : Summen::nicht;
    // One line to spare: only a line whose emptiness brings the sum within its bounds,
    // and passes the squares, may stay empty; if one alone can, it does, and a line
    // that cannot and has a single free square has its queen there.
    if (r.n == k && spaltenFrei == k + 1) {
        const Maske leerMoeglich =
            leerLassen(d, k, spalten & bereich(summe - oben, summe - unten), false, alle);
        if (leerMoeglich == 0) return Summen::nicht;
        if ((leerMoeglich & (leerMoeglich - 1)) == 0) {
            for (int j = 0; j < r.n; ++j) r.frei[j] &= ~leerMoeglich;
            return Summen::geaendert;
        }
        const Maske erzwungen = spalten & ~z.mehrfach & ~leerMoeglich;
        if (erzwungen == 0) return Summen::passt;
        const int spalte = std::countr_zero(erzwungen);
        platzieren<Kern>(r, r, zeileMitSpalte(r, spalte), spalte, gesetzt);
        return Summen::geaendert;
    }
    if (spaltenFrei == k && r.n == k + 1) {
        const Maske leerMoeglich =
            leerLassen(d, k, zeilen & bereich(unten - summe, oben - summe), true, alle);
        if (leerMoeglich == 0) return Summen::nicht;
        for (int j = 0; j < r.n; ++j) {
            const Maske zeile = Maske{1} << r.nummer[j];
            if (leerMoeglich == zeile) {
                r.frei[j] = 0;
                return Summen::geaendert;
            }
            if ((leerMoeglich & zeile) == 0 && ((z.hoechstensEins >> j) & 1) != 0) {
                platzieren<Kern>(r, r, j, std::countr_zero(r.frei[j]), gesetzt);
                return Summen::geaendert;
            }
        }
    }
    return Summen::passt;
}

// The first of the columns `spalten` that are free in the fewest rows, and in how
// many.
inline int seltensteSpalte(const Zeilen& r, Maske spalten, int& anzahl) {
    constexpr int kStellen = 6;  // counts up to 63 rows
    Maske stelle[kStellen] = {}; // bit b of each column's count
    for (int j = 0; j < r.n; ++j) {
        Maske uebertrag = r.frei[j];
        for (int b = 0; b < kStellen && uebertrag != 0; ++b) {
            const Maske neu = stelle[b] & uebertrag;
            stelle[b] ^= uebertrag;
            uebertrag = neu;
        }
    }
    // Column by column, the least count: the bits from the top decide.
    Maske kandidaten = spalten;
    anzahl = 0;
    for (int b = kStellen - 1; b >= 0; --b) {
        const Maske ohne = kandidaten & ~stelle[b];
        if (ohne != 0)
            kandidaten = ohne;
        else
            anzahl |= 1 << b;
    }
    return std::countr_zero(kandidaten);
}

// Places forced queens until none is left: where every row with a free square
// must take a queen, a row with a single one has it there, and likewise for the
// columns. False when the rows cannot take their queens.
template <class Kern> bool eingrenzen(Zeilen& r, Zaehlung& z, Belegung& gesetzt) {
    for (;;) {
        if (r.damen <= 0) return true;
        if (z.leer != 0) {
            if (r.damen > r.n - Kern::bits(z.leer))
                return false; // before the work of dropping them
            ausduennen(r, z, gesetzt);
        }
        const int spaltenFrei = Kern::bits(z.spalten);
        if (r.damen > r.n || r.damen > spaltenFrei) return false;
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
        switch (summenPassen<Kern>(r, z, gesetzt)) {
        case Summen::nicht:
            return false;
        case Summen::passt:
            return true;
        case Summen::geaendert:
            z = erfassen(r);
        }
    }
}

} // namespace queenboard
