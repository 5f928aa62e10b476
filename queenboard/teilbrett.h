// The one row model of the search: a sub-board, its rows still to fill as bit masks
// of their free squares in slots, the queens set on the way to it, and what counting
// its rows tells. The ordered search and the proof both work on it.
#pragma once

#include "queenboard.h"

#include <array>
#include <bit>
#include <cstdint>
#include <utility>

namespace queenboard {

using Maske = std::uint64_t; // bit s: column s of a row is free

// The bits of a mask, and the number of its highest.
inline constexpr int kWortbreite = 64;
inline constexpr int kHoechstesBit = kWortbreite - 1;
static_assert(kMaxFeld <= kWortbreite, "a row's squares fit one mask");

// A falling diagonal c - r is numbered c - r + kFallVersatz, never negative.
inline constexpr int kFallVersatz = kMaxFeld;

// A set of diagonals: number p is bit p of `tief` below kWortbreite, else bit
// p - kWortbreite of `hoch`. Both kinds have fewer than 2 * kMaxFeld numbers.
struct Doppelwort {
    Maske tief = 0;
    Maske hoch = 0;
};
inline constexpr int kHoechsteDiagonale = 2 * kWortbreite - 1;
static_assert(kFallVersatz + kMaxFeld - 1 <= kHoechsteDiagonale, "the diagonals fit two words");

// Whether a line is a row or a column.
enum class Linienart { zeile, spalte };

// The squares a queen in row `zeile`, column `spalte` strikes off in each row,
// indexed by that row's number: every other square of its own row, and its column
// and diagonals in the others. The plain kernel looks them up here, one load a row;
// the vector kernel computes them, as four lanes of shifts cost less than gathering
// four rows from a table.
struct Angriffe {
    // Row distances from -kMaxFeld to kMaxFeld - 1, stored from index 0.
    Maske m[kMaxFeld][2 * kMaxFeld];
    constexpr Angriffe() : m{} {
        for (int s = 0; s < kMaxFeld; ++s)
            for (int d = -kMaxFeld; d < kMaxFeld; ++d) {
                const Maske bit = Maske{1} << s;
                const int abstand = d < 0 ? -d : d;
                Maske a = bit;
                if (s + abstand < kWortbreite) a |= Maske{1} << (s + abstand);
                if (s - abstand >= 0) a |= Maske{1} << (s - abstand);
                m[s][kMaxFeld + d] = d == 0 ? ~bit : a;
            }
    }
    constexpr const Maske* vonDame(int zeile, int spalte) const {
        return m[spalte] + kMaxFeld - zeile;
    }
};
inline constinit const Angriffe kAngriffe{};

// Without a popcount instruction in the baseline, std::popcount is a library call.
inline int bitzahl(Maske m) {
    m = m - ((m >> 1) & 0x5555555555555555u);
    m = (m & 0x3333333333333333u) + ((m >> 2) & 0x3333333333333333u);
    m = (m + (m >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<int>((m * 0x0101010101010101u) >> 56);
}

// The highest number at or below `d` (0 to kHoechsteDiagonale) of `w`; -1 for none.
inline int hoechsteBis(const Doppelwort& w, int d) {
    if (d >= kWortbreite) {
        const Maske oben = w.hoch << (kHoechsteDiagonale - d);
        if (oben != 0) return d - std::countl_zero(oben);
        return w.tief != 0 ? kHoechstesBit - std::countl_zero(w.tief) : -1;
    }
    const Maske unten = w.tief << (kHoechstesBit - d);
    return unten != 0 ? d - std::countl_zero(unten) : -1;
}

// The vector kernel takes this many rows at a time; the slots come in whole vectors.
inline constexpr int kSpuren = 4;
inline constexpr int kPlaetze = (kMaxFeld + kSpuren - 1) / kSpuren * kSpuren;

// The first slot after the vector that holds slot n - 1.
inline int vektorEnde(int n) {
    return (n + kSpuren - 1) / kSpuren * kSpuren;
}

// A sub-board: the rows still to fill, in slots in any order, and the queens left.
// The slots from `n` to vektorEnde(n) hold no free square, so that vectors may run
// past the last row; every function that changes `n` or writes slots keeps that, and
// nothing reads further.
struct Teilbrett {
    int n;     // rows in slots 0 to n-1
    int damen; // queens still to place
    alignas(32) Maske frei[kPlaetze];
    alignas(32) std::int64_t nummer[kPlaetze]; // row numbers, as wide as a mask for the vectors
};

// The queens set on the way down to a sub-board, in the order they were set. A walk
// that finds a placement stops at once, so its path then holds it. (Not in bytes: a
// store of a char type may alias anything, and the compiler would reload the row
// model after each of them.)
struct Pfad {
    std::array<std::int16_t, kMaxFeld> zeile;
    std::array<std::int16_t, kMaxFeld> spalte;
    int laenge = 0;
};

// Per row of the board: the column of its queen, -1 for none.
struct Belegung {
    static constexpr std::array<std::int8_t, kMaxFeld> keine() {
        std::array<std::int8_t, kMaxFeld> leer{};
        leer.fill(-1);
        return leer;
    }
    std::array<std::int8_t, kMaxFeld> spalte = keine();
};

inline Belegung belegung(const Pfad& pfad) {
    Belegung b;
    for (int i = 0; i < pfad.laenge; ++i)
        b.spalte[pfad.zeile[i]] = static_cast<std::int8_t>(pfad.spalte[i]);
    return b;
}

// What counting the rows tells, by slot (leer, hoechstensEins, hoechstensZwei) and
// by column.
struct Zaehlung {
    Maske spalten;        // columns with a free square
    Maske mehrfach;       // columns free in two rows or more
    Maske leer;           // slots without a free square
    Maske hoechstensEins; // slots with one free square or none
    Maske hoechstensZwei; // slots with two free squares or fewer
};

// Counts slot `j` with the free squares `m`, without branches on `m`, which the
// processor could not predict.
inline void zaehlen(Zaehlung& z, Maske m, int j) {
    z.mehrfach |= z.spalten & m;
    z.spalten |= m;
    const Maske ohneErstes = m & (m - 1);
    z.leer |= Maske(m == 0) << j;
    z.hoechstensEins |= Maske(ohneErstes == 0) << j;
    z.hoechstensZwei |= Maske((ohneErstes & (ohneErstes - 1)) == 0) << j;
}

inline Zaehlung erfassen(const Teilbrett& r) {
    Zaehlung z{};
    for (int j = 0; j < r.n; ++j) zaehlen(z, r.frei[j], j);
    return z;
}

// Bit `nach` of `m` becomes bit `von`, which is the last and goes: a slot's counts
// follow the row that moves into it.
inline Maske verlegen(Maske m, int von, int nach) {
    const Maske bit = (m >> von) & 1;
    m &= ~(Maske{1} << nach);
    return (m | (bit << nach)) & ((Maske{1} << von) - 1);
}

// Drops the rows without a free square, keeping the order of the others; they stay
// without a queen. Returns the new count.
inline Zaehlung ausduennen(Teilbrett& r) {
    int k = 0;
    for (int j = 0; j < r.n; ++j) {
        if (r.frei[j] == 0) continue;
        r.frei[k] = r.frei[j];
        r.nummer[k] = r.nummer[j];
        ++k;
    }
    for (int j = k; j < r.n; ++j) r.frei[j] = 0;
    r.n = k;
    return erfassen(r);
}

// The first slot whose row has column `spalte` free; there must be one.
inline int zeileMitSpalte(const Teilbrett& r, int spalte) {
    int j = 0;
    while (((r.frei[j] >> spalte) & 1) == 0) ++j;
    return j;
}

// Puts the rows in order from the top: slot 0 is the highest row.
inline void ordnen(Teilbrett& r) {
    for (int j = 1; j < r.n; ++j)
        for (int i = j; i > 0 && r.nummer[i - 1] > r.nummer[i]; --i) {
            std::swap(r.frei[i - 1], r.frei[i]);
            std::swap(r.nummer[i - 1], r.nummer[i]);
        }
}

} // namespace queenboard
