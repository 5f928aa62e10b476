// The steps the ordered search and the proof share, on the row model, for either
// kernel: setting a queen, forced queens, and the counting and diagonal cuts.
#pragma once

#include "diagonalen.h"

namespace queenboard {

// `nach` becomes `von` with a queen on slot `i`, column `spalte`; the last row moves
// into slot i. Both may be the same. The queen goes onto `pfad`.
template <Kern K>
Zaehlung platzieren(const Teilbrett& von, Teilbrett& nach, int i, int spalte, Pfad& pfad) {
    const int zeile = static_cast<int>(von.nummer[i]);
    pfad.zeile[pfad.laenge] = static_cast<std::int16_t>(zeile);
    pfad.spalte[pfad.laenge] = static_cast<std::int16_t>(spalte);
    ++pfad.laenge;
    Zaehlung z = K::streichen(von, nach, zeile, spalte);
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

// What the diagonals tell: no placement, nothing new, or the rows have changed (a
// line left empty, or a queen forced) and must be counted again.
enum class Summen { nicht, passt, geaendert };

// The bits from `von` to `bis`, clamped to a mask's.
inline Maske bereich(long von, long bis) {
    von = std::max(von, 0L);
    bis = std::min(bis, long{kHoechstesBit});
    if (von > bis) return 0;
    const Maske bisMaske = bis == kHoechstesBit ? ~Maske{0} : (Maske{2} << bis) - 1;
    return bisMaske & ~((Maske{1} << von) - 1);
}

// The range of the sum of the numbers of the k of the `anzahl` lines `linien` that
// take the queens: their whole sum where every one must.
template <Kern K> Spanne linienSumme(Maske linien, int anzahl, int k) {
    if (anzahl != k) return randSummen<K>({.tief = linien}, k);
    const long summe = bitSumme<K>(linien);
    return {summe, summe};
}

// One column to spare: only a column whose emptiness brings the sum within its bounds
// (`kandidaten`), and passes the squares, may stay empty. If one alone can, it does;
// else a column that cannot and has a single free square has its queen there.
template <Kern K>
Summen spalteLeerLassen(Teilbrett& r, const Zaehlung& z, const Diagonalen& d,
                        const Liniensummen& alle, Maske kandidaten, Pfad& pfad) {
    const Maske leerMoeglich = leerLassen(d, r.damen, kandidaten, Linienart::spalte, alle);
    if (leerMoeglich == 0) return Summen::nicht;
    if ((leerMoeglich & (leerMoeglich - 1)) == 0) {
        for (int j = 0; j < r.n; ++j) r.frei[j] &= ~leerMoeglich;
        return Summen::geaendert;
    }
    const Maske erzwungen = z.spalten & ~z.mehrfach & ~leerMoeglich;
    if (erzwungen == 0) return Summen::passt;
    const int spalte = std::countr_zero(erzwungen);
    platzieren<K>(r, r, zeileMitSpalte(r, spalte), spalte, pfad);
    return Summen::geaendert;
}

// One row to spare, likewise: the row left alone may stay empty, and does; a row
// that may not and has a single free square has its queen there.
template <Kern K>
Summen zeileLeerLassen(Teilbrett& r, const Zaehlung& z, const Diagonalen& d,
                       const Liniensummen& alle, Maske kandidaten, Pfad& pfad) {
    const Maske leerMoeglich = leerLassen(d, r.damen, kandidaten, Linienart::zeile, alle);
    if (leerMoeglich == 0) return Summen::nicht;
    for (int j = 0; j < r.n; ++j) {
        const Maske zeile = Maske{1} << r.nummer[j];
        if (leerMoeglich == zeile) {
            r.frei[j] = 0;
            return Summen::geaendert;
        }
        if ((leerMoeglich & zeile) == 0 && ((z.hoechstensEins >> j) & 1) != 0) {
            platzieren<K>(r, r, j, std::countr_zero(r.frei[j]), pfad);
            return Summen::geaendert;
        }
    }
    return Summen::passt;
}

// The squares of both kinds of diagonal, where at most one line may stay empty: else
// every choice of the empty lines would need its own test. `moeglich`: the sums k
// distinct free falling diagonals can make.
template <Kern K>
Summen quadrateTesten(Teilbrett& r, const Zaehlung& z, int spaltenFrei, const Fallende& f,
                      Spanne moeglich, long spaltenSumme, Pfad& pfad) {
    const int k = r.damen;
    const Diagonalen d{.fallend = f.diagonalen, .steigend = K::steigende(r)};
    const Liniensummen alle{.spaltenSumme = spaltenSumme,
                            .spaltenQuadrate = quadratSumme(z.spalten),
                            .zeilenSumme = f.zeilenSumme,
                            .zeilenQuadrate = quadratSumme(f.zeilenBits)};
    if (r.n == k && spaltenFrei == k)
        return quadratePassen(d, k, {&alle, 1}) != 0 ? Summen::passt : Summen::nicht;
    // The falling diagonals' sum if no line stays empty: an empty column lowers it
    // by its number, an empty row raises it by its own.
    const long summe = spaltenSumme - f.zeilenSumme + long{k} * kFallVersatz;
    if (r.n == k && spaltenFrei == k + 1)
        return spalteLeerLassen<K>(
            r, z, d, alle,
            z.spalten & bereich(summe - moeglich.groesste, summe - moeglich.kleinste), pfad);
    if (spaltenFrei == k && r.n == k + 1)
        return zeileLeerLassen<K>(
            r, z, d, alle,
            f.zeilenBits & bereich(moeglich.kleinste - summe, moeglich.groesste - summe), pfad);
    return Summen::passt;
}

// The queens' falling diagonals c - r sum to the sum of their columns less that of
// their rows, and distinct free diagonals must make that up. The cheap test of the
// ranges goes first, then the tighter upper bound row by row (obereSumme). (The
// rising diagonals c + r give the same check, but it prunes about a hundredth as
// much, for as much work; with lines to spare, a fiftieth.) Last, where at most one
// line may stay empty, the squares.
template <Kern K> Summen summenPassen(Teilbrett& r, const Zaehlung& z, Pfad& pfad) {
    const int k = r.damen;
    const Fallende f = K::fallende(r);
    if (K::bits(f.diagonalen.tief) + K::bits(f.diagonalen.hoch) < k) return Summen::nicht;
    Spanne moeglich = randSummen<K>(f.diagonalen, k);
    const int spaltenFrei = K::bits(z.spalten);
    const Spanne spaltenSummen = linienSumme<K>(z.spalten, spaltenFrei, k);
    const Spanne zeilenSummen =
        r.n == k ? Spanne{f.zeilenSumme, f.zeilenSumme} : randSummen<K>({.tief = f.zeilenBits}, k);
    const long versatz = long{k} * kFallVersatz;
    const Spanne soll{.kleinste = spaltenSummen.kleinste - zeilenSummen.groesste + versatz,
                      .groesste = spaltenSummen.groesste - zeilenSummen.kleinste + versatz};
    if (soll.groesste < moeglich.kleinste || soll.kleinste > moeglich.groesste)
        return Summen::nicht;
    const std::optional<long> oben = obereSumme<K>(r, f.diagonalen);
    if (!oben || soll.kleinste > *oben) return Summen::nicht;
    moeglich.groesste = *oben;
    if (r.n + spaltenFrei > 2 * k + 1) return Summen::passt;
    const long spaltenSumme = spaltenFrei == k ? spaltenSummen.kleinste : bitSumme<K>(z.spalten);
    return quadrateTesten<K>(r, z, spaltenFrei, f, moeglich, spaltenSumme, pfad);
}

// The first of the columns `spalten` that are free in the fewest rows, and in how
// many.
inline int seltensteSpalte(const Teilbrett& r, Maske spalten, int& anzahl) {
    constexpr int kStellen = 6;  // binary digits of a count: up to 63 rows
    Maske stelle[kStellen] = {}; // bit b of each column's count
    static_assert(kMaxFeld < (1 << kStellen));
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
template <Kern K> bool eingrenzen(Teilbrett& r, Zaehlung& z, Pfad& pfad) {
    for (;;) {
        if (r.damen <= 0) return true;
        if (z.leer != 0) {
            if (r.damen > r.n - K::bits(z.leer)) return false; // before the work of dropping them
            z = ausduennen(r);
        }
        const int spaltenFrei = K::bits(z.spalten);
        if (r.damen > r.n || r.damen > spaltenFrei) return false;
        if (r.damen == r.n && z.hoechstensEins != 0) { // every row takes a queen
            const int j = std::countr_zero(z.hoechstensEins);
            z = platzieren<K>(r, r, j, std::countr_zero(r.frei[j]), pfad);
            continue;
        }
        const Maske einzeln = z.spalten & ~z.mehrfach;
        if (r.damen == spaltenFrei && einzeln != 0) { // every column takes a queen
            const int spalte = std::countr_zero(einzeln);
            z = platzieren<K>(r, r, zeileMitSpalte(r, spalte), spalte, pfad);
            continue;
        }
        switch (summenPassen<K>(r, z, pfad)) {
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
