// What the files of the search share: its settings, the state its threads share,
// each thread's own state, and the calls between the ordered search (suche.cpp),
// the proof (beweis.cpp) and the threads (faeden.cpp). queenboard/README.md has
// the design.
#pragma once

#include "teilbrett.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace queenboard {

using Uhr = std::chrono::steady_clock;

// Fixed before the search starts; every thread reads them.
struct Einstellungen {
    int faeden;         // threads in all, the calling one among them
    long long teilenAb; // the budget of a short proof, in nodes
    bool vektoren;      // the proof in vector instructions
    bool fortschritt;   // "still working" on a terminal
    bool begrenzt;      // gives up at `grenze`
    int zeilen;         // the board's rows
    Uhr::time_point beginn;
    Uhr::time_point grenze;
};

// How a walk ended.
enum class Ausgang {
    leer,        // no placement below
    platzierung, // a placement: the walk's path holds it
    erschoepft,  // a short proof ran out of its budget
    abgebrochen, // time is up, or a shared proof is decided elsewhere
};

// What a proof found.
struct Befund {
    Ausgang ausgang;
    Belegung platzierung; // with Ausgang::platzierung
};

// A subtree of a long proof, waiting for a thread.
struct Teilbaum {
    Teilbrett brett;
    Pfad pfad;         // the queens set above it
    Belegung leitbild; // the placement its proof tries first
};

// Where the ordered search stands, for the progress line.
struct Fortschritt {
    int festeZeilen = 0; // rows whose queen, or none, the ordered search has made final
    // The square whose proof runs: its row (from 0), which of the row's free squares
    // from the left (from 1), and how many the row has.
    int zeile = 0, feld = 0, felder = 0;
    bool langerBeweis = false; // that proof has run out of its budget
};

// The progress line for a search that has run `sekunden` on a board of `zeilen` rows.
std::string fortschrittsZeile(long sekunden, const Fortschritt& f, int zeilen);

// One search and its threads.
struct Lauf {
    const Einstellungen einstellungen;

    // Read and written by any thread without the lock.
    std::atomic<bool> stopp{false};    // time is up
    std::atomic<bool> gefunden{false}; // the shared proof found a placement
    std::atomic<int> hungrig{0};       // threads waiting for a subtree
    std::atomic<unsigned long long> knoten{0};

    // The shared proof, under `schloss`.
    std::mutex schloss{};
    std::condition_variable wecker{};     // a subtree came, the proof ended, or the search did
    std::deque<Teilbaum> warteschlange{}; // subtrees not yet taken, oldest first
    Belegung fund{};                      // the placement it found
    int offen = 0;                        // subtrees taken or not, not yet finished
    bool ende = false;                    // the workers leave

    // The calling thread's alone.
    std::vector<std::thread> arbeiter{};
    Fortschritt fortschritt{};
    long gezeigteSekunden = 0;
    int gezeigteZeilen = 0;
    bool angezeigt = false; // the progress line stands on the terminal
};

// One thread's own state.
struct Zweig {
    Lauf& lauf;
    const bool uhr; // the calling thread: shows progress, watches the time limit
    unsigned long long knoten = 0;
};

// The proof (beweis.cpp), in the kernel the settings choose.
bool vektorenMoeglich();
// Whether the narrowed rows `brett` hold a placement below the queens `pfad`, trying
// `leitbild`'s first: alone within a budget, and where that runs out, again as a long
// proof, shared among the threads where there are several.
Befund beweisen(Zweig& zweig, const Teilbrett& brett, const Pfad& pfad, const Belegung& leitbild);
// One subtree of a shared proof, its depths counted from its own top; branches handed
// on are not searched.
Befund teilbaumBeweisen(Zweig& zweig, const Teilbaum& teil);

// The threads (faeden.cpp).
void uhrLesen(Lauf& lauf);
bool vorbei(Zweig& zweig);
void weitergeben(Lauf& lauf, const Teilbrett& brett, const Pfad& pfad, const Belegung& leitbild);
Befund gemeinsamBeweisen(Zweig& zweig, const Teilbrett& brett, const Pfad& pfad,
                         const Belegung& leitbild);
void beenden(Lauf& lauf);

} // namespace queenboard
