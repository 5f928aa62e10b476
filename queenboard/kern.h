// What a kernel of the proof gives: the inner loops over a sub-board's rows. The
// plain kernel (kern_einfach.h) runs anywhere, the vector kernel (kern_vektor.h)
// where this build has it; both must walk the same tree, node for node.
#pragma once

#include "teilbrett.h"

#include <concepts>

// Whether this build has the vector kernel, beyond POSIX and C++20: x86-64 with GCC or
// Clang. The processor is asked at run time whether it can run it. A function-like
// macro, so that an #if in a file that lacks this header fails to compile instead of
// quietly taking 0.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define QUEENBOARD_VEKTOREN() 1
#else
#define QUEENBOARD_VEKTOREN() 0
#endif

namespace queenboard {

// One pass over the rows for the sum cut: the falling diagonals of the free squares,
// and the rows' numbers, as bits and summed.
struct Fallende {
    Doppelwort diagonalen;
    Maske zeilenBits;
    long zeilenSumme;
};

template <class K>
concept Kern = requires(const Teilbrett& von, Teilbrett& nach, Maske m, int i) {
    // The bits of m that are set.
    { K::bits(m) } -> std::same_as<int>;
    // `nach` becomes `von` with the lines of a queen in row i, column i struck off,
    // counted; the queen's own square stays. Both may be the same sub-board.
    { K::streichen(von, nach, i, i) } -> std::same_as<Zaehlung>;
    // The falling diagonals c - r + kFallVersatz of the free squares, with the rows.
    { K::fallende(von) } -> std::same_as<Fallende>;
    // The rising diagonals c + r of the free squares.
    { K::steigende(von) } -> std::same_as<Doppelwort>;
    // The lowest i bits of m, which has i or more.
    { K::untereBits(m, i) } -> std::same_as<Maske>;
};

} // namespace queenboard
