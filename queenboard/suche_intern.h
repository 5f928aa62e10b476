// The parts of the search shared by its files: bit masks of free squares, the
// state of a proof, and the threads' shared and own state.
#pragma once

#include "queenboard.h"

#include <atomic>
#include <bit>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace queenboard {

using Uhr = std::chrono::steady_clock;
using Maske = std::uint64_t; // bit s: column s of a row is free

// The squares a queen in column s strikes off in the row d rows below it (above
// for d < 0): m[s][kMaxFeld + d]. In its own row that is every other square, so
// one loop serves all rows.
struct Angriffe {
    Maske m[kMaxFeld][2 * kMaxFeld];
    constexpr Angriffe() : m{} {
        for (int s = 0; s < kMaxFeld; ++s)
            for (int d = -kMaxFeld; d < kMaxFeld; ++d) {
                const Maske dame = Maske{1} << s;
                const int abstand = d < 0 ? -d : d;
                Maske a = dame;
                if (s + abstand < 64) a |= Maske{1} << (s + abstand);
                if (s - abstand >= 0) a |= Maske{1} << (s - abstand);
                m[s][kMaxFeld + d] = d == 0 ? ~dame : a;
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

// Room for the rows of a proof, in whole vectors of four.
inline constexpr int kPlatz = (kMaxFeld + 3) / 4 * 4;

// The rows of a proof still to take a queen, in any order: free squares and
// row number (counted from the proof's first row). Slots from n on hold no
// free square, so that vectors may run past the last row.
struct Rest {
    int n;
    int anzahl; // queens still to place
    alignas(32) Maske maske[kPlatz];
    alignas(32) std::int64_t zeile[kPlatz];
};

// Shared by the threads of one search.
struct Lauf {
    bool fortschritt; // "still working" on a terminal
    bool begrenzt;
    Uhr::time_point beginn;
    Uhr::time_point grenze;
    long gezeigteSekunden = 0;
    bool angezeigt = false;
    int faeden;                     // threads in all, the calling one among them
    long long teilenAb;             // a proof that has taken this many nodes is shared
    std::atomic<bool> stopp{false}; // time is up
    std::atomic<unsigned long long> knoten{0};

    std::atomic<bool> gefunden{false}; // the shared proof met a placement
    std::atomic<int> hungrig{0};       // threads waiting for a subtree
    std::mutex mutex;                  // guards what follows
    std::condition_variable wecker;    // a subtree came, the proof ended, or the search did
    bool vektoren;                     // the proof in vector instructions
    struct Teil {
        Rest rest;
        std::int8_t spur[kMaxFeld]; // as Zweig::spur
    };
    std::vector<Teil> stapel;    // subtrees of the shared proof not yet taken
    std::int8_t zeuge[kMaxFeld]; // the placement the shared proof met
    int offen = 0;               // subtrees of it not yet finished
    bool ende = false;           // the workers leave
    std::vector<std::thread> arbeiter;
};

// One thread's part of the search.
struct Zweig {
    Lauf& lauf;
    bool uhr;              // the calling thread: shows progress, watches the time limit
    bool geteilt = false;  // works on the shared proof
    long long vorrat = -1; // nodes this proof may still take alone; -1: no limit
    bool abgebrochen = false;
    bool erschoepft = false; // the proof ran out of `vorrat`
    unsigned schritte = 0;
    unsigned long long knoten = 0;
    std::int8_t weg[kMaxFeld] = {};   // per row: column of its queen, -1 none
    std::int8_t spur[kMaxFeld] = {};  // per row of the proof: column of its latest queen, -1 none
    std::int8_t beleg[kMaxFeld] = {}; // the placement the last proof met, per row of it
    std::int8_t zeuge[kMaxFeld] = {}; // per row: a placement below the ordered search's square
};

// Threads (faeden.cpp).
void uhrLesen(Lauf& lauf);
bool vorbei(Zweig& z);
void weitergeben(Lauf& lauf, const Rest& r, const std::int8_t* spur);
bool gemeinsamBeweisen(Zweig& z, const Rest& r);
void beenden(Lauf& lauf);

// The proof (beweis.cpp): true when `r`, narrowed, holds a placement, then in
// z.beleg. Only for a Rest where every row or every column with a free square
// must take a queen. In the shared proof, branches handed on are not searched.
bool loesbar(Zweig& z, const Rest& r);
// Whether this processor runs the proof in vector instructions.
bool vektorenMoeglich();

} // namespace queenboard
