#include "suche.h"

#include "console.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

// The placement wanted is the first one that a scan of the whole board at every
// level meets. That scan reaches each set of squares once per order of its
// queens, and the set it returns is the one whose squares, sorted in row-major
// order, come first. So it is enough to enumerate each set once, in that order,
// and to drop only subtrees that provably hold no placement:
//
// - Each level goes on after the square of the previous queen. A set met in
//   another order was already met, sorted, earlier; it cannot come first.
//   A queen attacks its whole row, so "after the previous queen" means the rows
//   below it: the search goes row by row, trying in each row every free square
//   from left to right and then no queen in that row (sets with a queen in the
//   row come first in row-major order).
// - No placement holds more queens than there are rows, or columns, that still
//   have a free square in the rows not yet passed: queens stand only on free
//   squares, squares only ever become less free as queens are added, and no two
//   queens share a row or a column. A subtree that needs more is empty.
// - When that count is tight, every remaining row (or column) with a free
//   square must take a queen. A row with a single free square then has its
//   queen there in every placement of the subtree, and the squares that queen
//   attacks are in none; the same for a column with a single free square.
//   Following these forced queens until nothing more is forced, a row or column
//   left short proves the subtree empty.
// - The squares so struck off are passed down with the rest, and the rows of
//   forced queens keep just their one square. This changes no result: within a
//   subtree the search meets the placements in row-major order and returns the
//   first, and only squares that lie in no placement of the subtree are gone, so
//   the subtree holds the same placements. The search itself still tries the
//   remaining squares in order; only "no queen in this row" is not tried for a
//   row whose queen is forced, as no placement leaves it empty.
//
// Threads: the calling thread runs the search down to a fixed row and hands out
// the subtrees it reaches there, numbered in search order; worker threads take
// them in that order. The first placement lies in the lowest-numbered subtree
// that holds one, so a subtree is dropped only once a lower-numbered one has
// succeeded, and the result does not depend on timing.
//
// The search works on one bit mask of free squares per row, built from the
// board. The board itself gets only the queens of the placement found, through
// dameSetzen: the counters of a placement do not depend on the order in which
// its queens were set. Without a placement the board is not touched.

namespace {

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
constinit const Angriffe kAngriffe{};

// Without a popcount instruction in the baseline, std::popcount is a library call.
int bitzahl(Maske m) {
    m = m - ((m >> 1) & 0x5555555555555555u);
    m = (m & 0x3333333333333333u) + ((m >> 2) & 0x3333333333333333u);
    m = (m + (m >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<int>((m * 0x0101010101010101u) >> 56);
}

// What the look-ahead needs to know about the free squares of the rows left.
struct Stand {
    int offen;      // rows with a free square
    Maske einmal;   // columns with a free square
    Maske mehrmals; // columns with free squares in two rows or more
    Maske einzelne; // bit i: row i has exactly one free square
};

// Counts row `i` with the free squares `m`; without branches on `m`, which the
// processor could not predict.
void zaehlen(Stand& stand, Maske m, int i) {
    const bool belegt = m != 0;
    stand.offen += belegt;
    stand.mehrmals |= stand.einmal & m;
    stand.einmal |= m;
    stand.einzelne |= Maske(belegt & ((m & (m - 1)) == 0)) << i;
}

Stand erfassen(const Maske* maske, int n) {
    Stand stand{};
    for (int i = 0; i < n; ++i) zaehlen(stand, maske[i], i);
    return stand;
}

// `nach` becomes `von` (n rows) with a queen in row `zeile`, column `spalte`;
// `zeile` -1 stands for the row just above the first. Both may be the same
// array. Counts the result as it goes.
Stand setzen(const Maske* von, Maske* nach, int n, int zeile, int spalte) {
    const Maske* angriff = kAngriffe.m[spalte] + kMaxFeld - zeile;
    Stand stand{};
    for (int i = 0; i < n; ++i) {
        nach[i] = von[i] & ~angriff[i];
        zaehlen(stand, nach[i], i);
    }
    return stand;
}

// Narrows the free squares `maske` of `n` rows that are to take `anzahl`
// queens by following forced queens (see above); `stand` counts them. False
// when the rows cannot take that many. `fest`: rows whose queen is forced and
// whose lines are already struck off; grows.
bool eingrenzen(Maske* maske, int n, int anzahl, Maske& fest, Stand stand) {
    if (anzahl <= 0) return true;
    for (;;) {
        const int spaltenOffen = bitzahl(stand.einmal);
        if (anzahl > stand.offen || anzahl > spaltenOffen) return false;
        if (anzahl == stand.offen) { // every row with a free square takes a queen
            const Maske neu = stand.einzelne & ~fest;
            if (neu != 0) {
                const int zeile = std::countr_zero(neu);
                fest |= Maske{1} << zeile;
                stand = setzen(maske, maske, n, zeile, std::countr_zero(maske[zeile]));
                continue;
            }
        }
        bool weiter = false;
        if (anzahl == spaltenOffen) // every column with a free square takes a queen
            for (Maske neu = stand.einmal & ~stand.mehrmals; neu != 0 && !weiter; neu &= neu - 1) {
                const int spalte = std::countr_zero(neu);
                int zeile = 0;
                while (((maske[zeile] >> spalte) & 1) == 0) ++zeile;
                if (((fest >> zeile) & 1) != 0) continue;
                fest |= Maske{1} << zeile;
                stand = setzen(maske, maske, n, zeile, spalte);
                weiter = true;
            }
        if (!weiter) return true;
    }
}

// ---- Subtrees and threads ------------------------------------------------------

// A subtree handed out: rows `zeile` and below of a node, and the queens above.
struct Aufgabe {
    long long nummer; // place in search order
    int zeile;
    int anzahl;
    Maske fest;
    bool geprueft;
    std::int8_t weg[kMaxFeld]; // per row above: column of its queen, -1 none
    Maske maske[kMaxFeld];
};

// Shared by the threads of one search.
struct Lauf {
    int zeilen;
    int teilZeile; // subtrees are handed out at this row; 0: never
    int faeden;
    bool fortschritt; // "still working" on a terminal
    bool begrenzt;
    Uhr::time_point beginn;
    Uhr::time_point grenze;
    long gezeigteSekunden = 0;
    bool angezeigt = false;

    std::atomic<long long> bester{LLONG_MAX}; // lowest subtree that succeeded
    std::atomic<bool> stopp{false};           // time is up
    std::atomic<unsigned long long> knoten{0};

    std::mutex mutex; // guards what follows
    std::condition_variable arbeitDa;
    std::condition_variable platzDa;
    std::deque<Aufgabe> schlange;
    bool ausgegeben = false; // no more subtrees come
    int aktiv = 0;           // workers not yet finished
    std::int8_t loesung[kMaxFeld];
    std::vector<std::thread> arbeiter;
};

// One thread's walk through the tree.
struct Zweig {
    Lauf& lauf;
    long long nummer; // the subtree searched; for the thread handing out, the next one
    bool verteilt;    // hands out the subtrees at lauf.teilZeile instead of searching them
    bool uhr;         // the calling thread: shows progress and watches the time limit
    bool abgebrochen = false;
    unsigned schritte = 0;
    unsigned long long knoten = 0;
    std::int8_t weg[kMaxFeld] = {};
};

// Reads the clock (the calling thread only): time limit and "still working".
void uhrLesen(Lauf& lauf) {
    if (!(lauf.fortschritt || lauf.begrenzt)) return;
    const Uhr::time_point jetzt = Uhr::now();
    if (lauf.begrenzt && jetzt >= lauf.grenze) lauf.stopp.store(true, std::memory_order_relaxed);
    if (!lauf.fortschritt) return;
    const long sekunden = static_cast<long>(
        std::chrono::duration_cast<std::chrono::seconds>(jetzt - lauf.beginn).count());
    if (sekunden < 1 || sekunden == lauf.gezeigteSekunden) return;
    lauf.gezeigteSekunden = sekunden;
    lauf.angezeigt = true;
    statusLine("\tSuche laeuft ... " + std::to_string(sekunden) + " s (Strg+C bricht ab)");
}

// True when this walk can stop: time is up, or a subtree before it succeeded.
bool vorbei(Zweig& z) {
    if (z.uhr && (++z.schritte & 0xFFF) == 0) uhrLesen(z.lauf);
    if (z.lauf.stopp.load(std::memory_order_relaxed) ||
        z.lauf.bester.load(std::memory_order_relaxed) < z.nummer)
        z.abgebrochen = true;
    return z.abgebrochen;
}

void melden(Lauf& lauf, long long nummer, const std::int8_t* weg) {
    std::lock_guard<std::mutex> sperre(lauf.mutex);
    if (nummer >= lauf.bester.load()) return;
    std::copy(weg, weg + lauf.zeilen, lauf.loesung);
    lauf.bester.store(nummer);
}

void abgeben(Zweig& z, int anzahl, int zeile, const Maske* maske, Maske fest, bool geprueft);

// ---- Whether a subtree holds any placement -------------------------------------
//
// Most of the search goes into subtrees without a placement, and proving that
// needs no order: it branches on the row (or column) with the fewest free
// squares, which keeps the proof far smaller than one that goes row by row.

// The rows still to take a queen, in any order: free squares and row number.
struct Rest {
    int n;
    int anzahl;
    Maske maske[kMaxFeld];
    std::int8_t zeile[kMaxFeld];
};

// `nach` becomes `von` with a queen on row `i`, column `spalte`, without that
// row. Both may be the same. Counts the result as it goes; rows left without a
// free square are counted out of `offen` but stay until `ausduennen`.
Stand platzieren(const Rest& von, Rest& nach, int i, int spalte) {
    const Maske* angriff = kAngriffe.m[spalte] + kMaxFeld - von.zeile[i];
    Stand stand{};
    int leer = 0;
    int k = 0;
    const auto zeile = [&](int j) {
        const Maske m = von.maske[j] & ~angriff[von.zeile[j]];
        nach.maske[k] = m;
        nach.zeile[k] = von.zeile[j];
        leer += m == 0;
        stand.mehrmals |= stand.einmal & m;
        stand.einmal |= m;
        stand.einzelne |= Maske((m & (m - 1)) == 0) << k; // empty rows too, until ausduennen
        ++k;
    };
    for (int j = 0; j < i; ++j) zeile(j);
    for (int j = i + 1; j < von.n; ++j) zeile(j);
    nach.n = k;
    nach.anzahl = von.anzahl - 1;
    stand.offen = k - leer;
    return stand;
}

// Drops the rows without a free square, which platzieren leaves in place: rare
// where every row must take a queen, as that fails first.
void ausduennen(Rest& r, Stand& stand) {
    int k = 0;
    stand.einzelne = 0;
    for (int j = 0; j < r.n; ++j) {
        const Maske m = r.maske[j];
        if (m == 0) continue;
        r.maske[k] = m;
        r.zeile[k] = r.zeile[j];
        stand.einzelne |= Maske((m & (m - 1)) == 0) << k;
        ++k;
    }
    r.n = k;
}

// As eingrenzen, for a Rest: places forced queens until none is left.
bool restEingrenzen(Rest& r, Stand stand) {
    for (;;) {
        if (r.anzahl <= 0) return true;
        const int spaltenOffen = bitzahl(stand.einmal);
        if (r.anzahl > stand.offen || r.anzahl > spaltenOffen) return false;
        if (stand.offen < r.n) ausduennen(r, stand);
        if (r.anzahl == stand.offen && stand.einzelne != 0) {
            const int i = std::countr_zero(stand.einzelne);
            stand = platzieren(r, r, i, std::countr_zero(r.maske[i]));
            continue;
        }
        const Maske einzeln = stand.einmal & ~stand.mehrmals;
        if (r.anzahl == spaltenOffen && einzeln != 0) {
            const int spalte = std::countr_zero(einzeln);
            int i = 0;
            while (((r.maske[i] >> spalte) & 1) == 0) ++i;
            stand = platzieren(r, r, i, spalte);
            continue;
        }
        return true;
    }
}

// True when the narrowed `r` holds a placement. Only for a Rest where every row
// or every column with a free square must take a queen, which stays so below.
bool loesbar(Zweig& z, const Rest& r) {
    if (r.anzahl <= 0) return true;
    ++z.knoten;
    if (vorbei(z)) return false;

    // The row with the fewest free squares: two is the least after narrowing.
    int zeile = 0;
    int wenigste = 99;
    for (int i = 0; i < r.n && wenigste > 2; ++i) {
        const Maske ohneErste = r.maske[i] & (r.maske[i] - 1);
        if ((ohneErste & (ohneErste - 1)) == 0) {
            zeile = i;
            wenigste = 2;
        }
    }
    // The columns free in exactly two rows; without a row of two, the row with the fewest.
    Maske einmal = 0, zweimal = 0, dreimal = 0;
    for (int i = 0; i < r.n; ++i) {
        const Maske m = r.maske[i];
        dreimal |= zweimal & m;
        zweimal |= einmal & m;
        einmal |= m;
        if (wenigste > 2 && bitzahl(m) < wenigste) {
            wenigste = bitzahl(m);
            zeile = i;
        }
    }
    const bool zeilenVoll = r.anzahl == r.n;
    const bool spaltenVoll = r.anzahl == bitzahl(einmal);
    const Maske zwei = zweimal & ~dreimal;
    Rest kind;
    if (spaltenVoll && (!zeilenVoll || (wenigste > 2 && zwei != 0))) {
        const int spalte = std::countr_zero(zwei != 0 ? zwei : einmal);
        for (int i = 0; i < r.n; ++i) {
            if (((r.maske[i] >> spalte) & 1) == 0) continue;
            if (restEingrenzen(kind, platzieren(r, kind, i, spalte)) && loesbar(z, kind))
                return true;
            if (z.abgebrochen) return false;
        }
        return false;
    }
    for (Maske rest = r.maske[zeile]; rest != 0; rest &= rest - 1) {
        if (restEingrenzen(kind, platzieren(r, kind, zeile, std::countr_zero(rest))) &&
            loesbar(z, kind))
            return true;
        if (z.abgebrochen) return false;
    }
    return false;
}

// Whether the `n` narrowed rows `maske` can take `anzahl` queens, the rows in
// `fest` holding theirs already; true when it cannot be told cheaply.
bool loesbarAb(Zweig& z, const Maske* maske, int n, int anzahl, Maske fest) {
    Rest r;
    r.n = 0;
    r.anzahl = anzahl;
    Maske spalten = 0;
    for (int i = 0; i < n; ++i) {
        if (((fest >> i) & 1) != 0) {
            --r.anzahl;
        } else if (maske[i] != 0) {
            r.maske[r.n] = maske[i];
            r.zeile[r.n] = static_cast<std::int8_t>(i);
            spalten |= maske[i];
            ++r.n;
        }
    }
    if (r.anzahl != r.n && r.anzahl != bitzahl(spalten)) return true;
    return loesbar(z, r);
}

// Places `anzahl` queens in rows `zeile` and below, whose free squares are
// `maske[0]` onwards; first placement first. `fest` as for eingrenzen, with
// bit 0 for row `zeile`. `geprueft`: the caller has already narrowed `maske`.
// On success z.weg holds the placement from row `zeile` down.
int sucheAb(Zweig& z, int anzahl, int zeile, const Maske* maske, Maske fest, bool geprueft) {
    if (z.verteilt && (zeile == z.lauf.teilZeile || anzahl <= 0)) {
        abgeben(z, anzahl, zeile, maske, fest, geprueft);
        return 0;
    }
    if (anzahl <= 0) {
        std::fill(z.weg + zeile, z.weg + z.lauf.zeilen, std::int8_t{-1});
        return 1;
    }
    const int n = z.lauf.zeilen - zeile; // rows from this one down
    Maske eigen[kMaxFeld];
    if (!geprueft) {
        std::copy(maske, maske + n, eigen);
        if (!eingrenzen(eigen, n, anzahl, fest, erfassen(eigen, n))) return 0;
        maske = eigen;
    }
    ++z.knoten;
    if (vorbei(z)) return 0;

    Maske kind[kMaxFeld]; // the free squares below with a queen on this row
    for (Maske rest = maske[0]; rest != 0; rest &= rest - 1) {
        const int spalte = std::countr_zero(rest);
        // Most squares fail here, before anything is searched below them.
        Maske kindFest = fest >> 1;
        if (!eingrenzen(kind, n - 1, anzahl - 1, kindFest,
                        setzen(maske + 1, kind, n - 1, -1, spalte)))
            continue;
        // Above the split the proof is left to the subtrees, which run in parallel.
        if (!z.verteilt && !loesbarAb(z, kind, n - 1, anzahl - 1, kindFest)) {
            if (z.abgebrochen) return 0;
            continue;
        }
        z.weg[zeile] = static_cast<std::int8_t>(spalte);
        if (sucheAb(z, anzahl - 1, zeile + 1, kind, kindFest, true)) return 1;
        if (z.abgebrochen) return 0;
    }
    if ((fest & 1) != 0) return 0; // this row takes a queen in every placement
    z.weg[zeile] = -1;
    return sucheAb(z, anzahl, zeile + 1, maske + 1, fest >> 1, false);
}

void ausfuehren(Lauf& lauf, const Aufgabe& a, bool uhr) {
    Zweig z{lauf, a.nummer, false, uhr};
    std::copy(a.weg, a.weg + a.zeile, z.weg);
    if (sucheAb(z, a.anzahl, a.zeile, a.maske, a.fest, a.geprueft) == 1)
        melden(lauf, a.nummer, z.weg);
    lauf.knoten += z.knoten;
}

void arbeiten(Lauf& lauf) {
    for (;;) {
        std::unique_lock<std::mutex> sperre(lauf.mutex);
        lauf.arbeitDa.wait(sperre, [&] { return !lauf.schlange.empty() || lauf.ausgegeben; });
        if (lauf.schlange.empty()) break;
        const Aufgabe a = lauf.schlange.front();
        lauf.schlange.pop_front();
        sperre.unlock();
        lauf.platzDa.notify_one();
        if (a.nummer < lauf.bester.load()) ausfuehren(lauf, a, false);
    }
    std::lock_guard<std::mutex> sperre(lauf.mutex);
    --lauf.aktiv;
    lauf.platzDa.notify_one();
}

// Starts the workers; without any, the calling thread searches the subtrees itself.
void anwerben(Lauf& lauf) {
    for (int i = 0; i < lauf.faeden; ++i) {
        try {
            lauf.arbeiter.emplace_back(arbeiten, std::ref(lauf));
        } catch (const std::system_error&) {
            break;
        }
        std::lock_guard<std::mutex> sperre(lauf.mutex);
        ++lauf.aktiv;
    }
}

void abgeben(Zweig& z, int anzahl, int zeile, const Maske* maske, Maske fest, bool geprueft) {
    Lauf& lauf = z.lauf;
    if (vorbei(z)) return;
    if (lauf.faeden > 1 && lauf.arbeiter.empty()) anwerben(lauf);

    Aufgabe a;
    a.nummer = z.nummer++;
    a.zeile = zeile;
    a.anzahl = anzahl;
    a.fest = fest;
    a.geprueft = geprueft;
    std::copy(z.weg, z.weg + zeile, a.weg);
    std::copy(maske, maske + (lauf.zeilen - zeile), a.maske);
    if (lauf.arbeiter.empty()) {
        ausfuehren(lauf, a, true);
        return;
    }
    std::unique_lock<std::mutex> sperre(lauf.mutex);
    while (lauf.schlange.size() >= 2 * lauf.arbeiter.size()) {
        lauf.platzDa.wait_for(sperre, std::chrono::milliseconds(100));
        sperre.unlock();
        uhrLesen(lauf);
        sperre.lock();
        if (lauf.stopp.load()) return;
    }
    lauf.schlange.push_back(a);
    sperre.unlock();
    lauf.arbeitDa.notify_one();
}

// Waits for the workers, showing progress meanwhile.
void abschliessen(Lauf& lauf) {
    std::unique_lock<std::mutex> sperre(lauf.mutex);
    lauf.ausgegeben = true;
    lauf.arbeitDa.notify_all();
    while (lauf.aktiv > 0) {
        lauf.platzDa.wait_for(sperre, std::chrono::milliseconds(100));
        sperre.unlock();
        uhrLesen(lauf);
        sperre.lock();
    }
    sperre.unlock();
    for (std::thread& t : lauf.arbeiter) t.join();
}

} // namespace

int dameSuchen(int anzahl, Feld feld, int spalten, int zeilen, const Suchoptionen& optionen,
               unsigned long long* knoten) {
    if (knoten != nullptr) *knoten = 0;
    if (anzahl <= 0) return 1;
    if (spalten <= 0 || zeilen <= 0) return 0;

    Maske maske[kMaxFeld] = {};
    for (int z = 0; z < zeilen; ++z)
        for (int sp = 0; sp < spalten; ++sp)
            if (feld[z][sp] == 0) maske[z] |= Maske{1} << sp;

    Lauf lauf;
    lauf.zeilen = zeilen;
    const int teilRest = optionen.teilRest > 0 ? optionen.teilRest : 22;
    lauf.faeden = optionen.faeden > 0 ? optionen.faeden
                                      : static_cast<int>(std::thread::hardware_concurrency());
    // An explicit split with one thread searches the subtrees in turn (for tests).
    const bool teilen = lauf.faeden > 1 || optionen.teilRest > 0;
    lauf.teilZeile = teilen && zeilen > teilRest ? zeilen - teilRest : 0;
    lauf.fortschritt = outputIsTerminal();
    lauf.begrenzt = optionen.sekunden > 0;
    lauf.beginn = Uhr::now();
    lauf.grenze = lauf.beginn + std::chrono::duration_cast<Uhr::duration>(
                                    std::chrono::duration<double>(optionen.sekunden));

    Zweig z{lauf, 0, lauf.teilZeile > 0, true};
    if (sucheAb(z, anzahl, 0, maske, 0, false) == 1) melden(lauf, 0, z.weg);
    lauf.knoten += z.knoten;
    abschliessen(lauf);
    if (lauf.angezeigt) statusLine("");
    if (knoten != nullptr) *knoten = lauf.knoten;

    if (lauf.bester.load() != LLONG_MAX) {
        for (int z = 0; z < zeilen; ++z)
            if (lauf.loesung[z] >= 0) dameSetzen(feld, spalten, zeilen, lauf.loesung[z], z);
        return 1;
    }
    return lauf.stopp.load() ? -1 : 0;
}
