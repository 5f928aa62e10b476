// The proof that a subtree holds a placement, or none: forced queens, and
// branching on the row or column with the fewest free squares.
#include "suche_intern.h"

#include <algorithm>
#include <bit>

// The proof in vector instructions where the compiler can target them and the
// processor, asked at run time, has them.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define QUEENBOARD_VEKTOREN 1
#include <immintrin.h>
#else
#define QUEENBOARD_VEKTOREN 0
#endif

namespace queenboard {

// Most of the search goes into subtrees without a placement, and proving that
// needs no order: it branches on the row (or column) with the fewest free
// squares, which keeps the proof far smaller than one that goes row by row.
// The row-by-row search asks this of every square before it goes below it, so
// it walks straight down to the placement; nearly all the work is in proofs.

namespace {

// Only near the top of a subtree: deeper down the pieces are too small to pay.
constexpr int kTeilTiefe = 8;

// What the look-ahead needs to know about the rows of a Rest, by slot.
struct Lage {
    Maske einmal;   // columns with a free square
    Maske mehrmals; // columns with free squares in two rows or more
    Maske leer;     // rows without a free square
    Maske einzeln;  // rows with one free square or none
    Maske paar;     // rows with two free squares or fewer
};

// Counts slot `j` with the free squares `m`, without branches on `m`.
inline void zaehlen(Lage& lage, Maske m, int j) {
    lage.mehrmals |= lage.einmal & m;
    lage.einmal |= m;
    const Maske r1 = m & (m - 1);
    lage.leer |= Maske(m == 0) << j;
    lage.einzeln |= Maske(r1 == 0) << j;
    lage.paar |= Maske((r1 & (r1 - 1)) == 0) << j;
}

Lage erfassen(const Rest& r) {
    Lage lage{};
    for (int j = 0; j < r.n; ++j) zaehlen(lage, r.maske[j], j);
    return lage;
}

// Bit `nach` of `m` becomes bit `von`, which is the last and goes.
inline Maske verlegen(Maske m, int von, int nach) {
    const Maske bit = (m >> von) & 1;
    m &= ~(Maske{1} << nach);
    return (m | (bit << nach)) & ((Maske{1} << von) - 1);
}

// Drops the rows without a free square, in order.
void ausduennen(Rest& r, Lage& lage, std::int8_t* spur) {
    int k = 0;
    for (int j = 0; j < r.n; ++j) {
        if (r.maske[j] == 0) {
            spur[r.zeile[j]] = -1;
            continue;
        }
        r.maske[k] = r.maske[j];
        r.zeile[k] = r.zeile[j];
        ++k;
    }
    std::fill(r.maske + k, r.maske + r.n, Maske{0});
    r.n = k;
    lage = erfassen(r);
}

namespace einfach {
#define KERN_VEKTOR 0
#define KERN_ZIEL
#include "beweis_kern.h"
#undef KERN_VEKTOR
#undef KERN_ZIEL
} // namespace einfach

#if QUEENBOARD_VEKTOREN
namespace vektor {
#define KERN_VEKTOR 1
#define KERN_ZIEL [[gnu::target("avx2,bmi,bmi2,popcnt")]]
#include "beweis_kern.h"
#undef KERN_VEKTOR
#undef KERN_ZIEL
} // namespace vektor
#endif

} // namespace

bool vektorenMoeglich() {
#if QUEENBOARD_VEKTOREN
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") &&
           __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("popcnt");
#else
    return false;
#endif
}

bool loesbar(Zweig& z, const Rest& r) {
#if QUEENBOARD_VEKTOREN
    if (z.lauf.vektoren) return vektor::pruefen(z, r, erfassen(r), 0);
#endif
    return einfach::pruefen(z, r, erfassen(r), 0);
}

} // namespace queenboard
