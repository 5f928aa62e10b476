// What the files of the search share: its settings, the state its threads share,
// each thread's own state, and the calls between the ordered search (suche.cpp),
// the proof (beweis.cpp) and the threads (faeden.cpp). queenboard/README.md has
// the design.
#pragma once

#include "zeilen.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace queenboard {

using Uhr = std::chrono::steady_clock;

// Fixed before the search starts; every thread reads them.
struct Einstellungen {
    int faeden;         // threads in all, the calling one among them
    long long teilenAb; // a proof that has taken this many nodes alone is shared
    bool vektoren;      // the proof in vector instructions
    bool fortschritt;   // "still working" on a terminal
    bool begrenzt;      // gives up at `grenze`
    int zeilen;         // the board's rows
    Uhr::time_point beginn;
    Uhr::time_point grenze;
};

// A subtree of the shared proof, waiting for a thread.
struct Teilbaum {
    Zeilen zeilen;
    Belegung gesetzt;  // the queens set above it
    Belegung leitbild; // as Zweig::leitbild
};

// One search and its threads.
struct Lauf {
    const Einstellungen einstellungen;

    // Read and written by any thread without the lock.
    std::atomic<bool> stopp{false};    // time is up
    std::atomic<bool> gefunden{false}; // the shared proof found a placement
    std::atomic<int> hungrig{0};       // threads waiting for a subtree
    std::atomic<unsigned long long> knoten{0};

    // The shared proof, under `mutex`.
    std::mutex mutex{};
    std::condition_variable wecker{};     // a subtree came, the proof ended, or the search did
    std::deque<Teilbaum> warteschlange{}; // subtrees not yet taken, oldest first
    Belegung fund{};                      // the placement it found
    int offen = 0;                        // subtrees taken or not, not yet finished
    bool ende = false;                    // the workers leave

    // The calling thread's alone.
    std::vector<std::thread> arbeiter{};
    int festeZeilen = 0; // rows whose queen, or none, the ordered search has made final
    long gezeigteSekunden = 0;
    int gezeigteZeilen = 0;
    bool angezeigt = false; // the progress line stands on the terminal
};

// What a thread does in the search.
struct Rolle {
    bool uhr;     // the calling thread: shows progress, watches the time limit
    bool geteilt; // works on the shared proof
};

// Nodes without limit, for a proof's budget.
inline constexpr long long kUnbegrenzt = -1;

// One thread's state.
struct Zweig {
    Lauf& lauf;
    const Rolle rolle;
    long long vorrat = kUnbegrenzt; // nodes this proof may still take alone
    bool erschoepft = false;        // the proof ran out of `vorrat`
    bool abgebrochen = false;       // time is up, or the shared proof is decided
    unsigned schritte = 0;          // nodes since the clock was last read
    unsigned long long knoten = 0;
    Belegung gesetzt{};  // the queens set on this thread's way down, row by row
    Belegung fund{};     // the placement the last proof found
    Belegung zeuge{};    // a placement below the ordered search's square
    Belegung leitbild{}; // the placement a proof tries first: the last witness
};

// The proof (beweis.cpp), in the kernel the settings choose.
bool vektorenMoeglich();
// True when the narrowed `r` holds a placement, then in zweig.fund. In the shared
// proof, branches handed on are not searched.
bool loesbar(Zweig& zweig, const Zeilen& r);

// The threads (faeden.cpp).
void uhrLesen(Lauf& lauf);
bool vorbei(Zweig& zweig);
void weitergeben(Lauf& lauf, const Zeilen& r, const Belegung& gesetzt, const Belegung& leitbild);
bool gemeinsamBeweisen(Zweig& zweig, const Zeilen& r);
void beenden(Lauf& lauf);

} // namespace queenboard
