// The one row model of the search: the rows still to fill, as bit masks of their
// free squares in slots, and what counting them tells. The ordered search and the
// proof both work on it.
#pragma once

#include "queenboard.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace queenboard {

using Maske = std::uint64_t; // bit s: column s of a row is free

// The squares a queen in column s strikes off in the row d rows below it (above
// for d < 0): m[s][kMaxFeld + d]. In its own row that is every other square, so
// one loop serves all rows.
struct Angriffe {
    Maske m[kMaxFeld][2 * kMaxFeld];
    constexpr Angriffe() : m{} {
        for (int s = 0; s < kMaxFeld; ++s)
            for (int d = -kMaxFeld; d < kMaxFeld; ++d) {
                const Maske bit = Maske{1} << s;
                const int abstand = d < 0 ? -d : d;
                Maske a = bit;
                if (s + abstand < 64) a |= Maske{1} << (s + abstand);
                if (s - abstand >= 0) a |= Maske{1} << (s - abstand);
                m[s][kMaxFeld + d] = d == 0 ? ~bit : a;
            }
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

// The highest bit at or below `d` (0 to 127) of lo (bits 0-63) and hi (64-127); -1 for none.
inline int hoechsteBis(Maske lo, Maske hi, int d) {
    if (d >= 64) {
        const Maske t = hi << (127 - d);
        if (t != 0) return d - std::countl_zero(t);
        return lo != 0 ? 63 - std::countl_zero(lo) : -1;
    }
    const Maske t = lo << (63 - d);
    return t != 0 ? d - std::countl_zero(t) : -1;
}

// Slots for the rows, in whole vectors of four.
inline constexpr int kPlaetze = (kMaxFeld + 3) / 4 * 4;

// The rows still to fill, in slots in any order. Slots from `n` on hold no free
// square, so that vectors may run past the last row.
struct Zeilen {
    int n;     // rows in slots 0 to n-1
    int damen; // queens still to place
    alignas(32) Maske frei[kPlaetze];
    alignas(32) std::int64_t nummer[kPlaetze]; // row numbers, as wide as a mask for the vectors
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

inline Zaehlung erfassen(const Zeilen& r) {
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

// Drops the rows without a free square, keeping the order of the others; they
// stay without a queen.
inline void ausduennen(Zeilen& r, Zaehlung& z, Belegung& gesetzt) {
    int k = 0;
    for (int j = 0; j < r.n; ++j) {
        if (r.frei[j] == 0) {
            gesetzt.spalte[r.nummer[j]] = -1;
            continue;
        }
        r.frei[k] = r.frei[j];
        r.nummer[k] = r.nummer[j];
        ++k;
    }
    std::fill(r.frei + k, r.frei + r.n, Maske{0});
    r.n = k;
    z = erfassen(r);
}

// The first slot whose row has column `spalte` free; there must be one.
inline int zeileMitSpalte(const Zeilen& r, int spalte) {
    int j = 0;
    while (((r.frei[j] >> spalte) & 1) == 0) ++j;
    return j;
}

// Puts the rows in order from the top: slot 0 is the highest row.
inline void ordnen(Zeilen& r) {
    for (int j = 1; j < r.n; ++j)
        for (int i = j; i > 0 && r.nummer[i - 1] > r.nummer[i]; --i) {
            std::swap(r.frei[i - 1], r.frei[i]);
            std::swap(r.nummer[i - 1], r.nummer[i]);
        }
}

} // namespace queenboard
