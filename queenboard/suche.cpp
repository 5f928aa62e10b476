#include "suche.h"

#include "console.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace queenboard {

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

// ---- Whether a subtree holds any placement ----------------------------------
//
// Most of the search goes into subtrees without a placement, and proving that
// needs no order: it branches on the row (or column) with the fewest free
// squares, which keeps the proof far smaller than one that goes row by row.
// The row-by-row search asks this of every square before it goes below it, so
// it walks straight down to the placement; nearly all the work is in proofs.

// The rows still to take a queen, in any order: free squares and row number.
struct Rest {
    int n;
    int anzahl;
    Maske maske[kMaxFeld];
    std::int8_t zeile[kMaxFeld];
    std::int8_t dame[kMaxFeld]; // per row of the proof's start: column of its queen, -1 none
};

// `nach` becomes `von` with a queen on row `i`, column `spalte`, without that
// row. Both may be the same. Counts the result as it goes; rows left without a
// free square are counted out of `offen` but stay until `ausduennen`.
Stand platzieren(const Rest& von, Rest& nach, int i, int spalte) {
    const Maske* angriff = kAngriffe.m[spalte] + kMaxFeld - von.zeile[i];
    if (&von != &nach) std::copy(von.dame, von.dame + kMaxFeld, nach.dame);
    nach.dame[von.zeile[i]] = static_cast<std::int8_t>(spalte);
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

// ---- Threads ----------------------------------------------------------------
//
// A long proof is shared: the threads take its subtrees from a common stack and
// hand on a branch whenever one of them is idle. A proof ends when a placement
// turns up anywhere or every subtree is empty, so its answer, and with it the
// placement found, does not depend on timing.

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
    std::vector<Rest> stapel;          // subtrees of the shared proof not yet taken
    std::int8_t zeuge[kMaxFeld];       // the placement the shared proof met
    int offen = 0;                     // subtrees of it not yet finished
    bool ende = false;                 // the workers leave
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
    std::int8_t beleg[kMaxFeld] = {}; // the placement the last proof met, as Rest::dame
    std::int8_t zeuge[kMaxFeld] = {}; // per row: a placement below the ordered search's square
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
    console::statusLine("\tSuche laeuft ... " + std::to_string(sekunden) + " s (Strg+C bricht ab)");
}

// True when this walk can stop: time is up, or the shared proof is decided.
bool vorbei(Zweig& z) {
    if (z.uhr && (++z.schritte & 0xFFF) == 0) uhrLesen(z.lauf);
    if (z.lauf.stopp.load(std::memory_order_relaxed) ||
        (z.geteilt && z.lauf.gefunden.load(std::memory_order_relaxed)))
        z.abgebrochen = true;
    return z.abgebrochen;
}

// Puts a subtree of the shared proof on the stack for an idle thread.
void weitergeben(Lauf& lauf, const Rest& r) {
    {
        std::lock_guard<std::mutex> sperre(lauf.mutex);
        lauf.stapel.push_back(r);
        ++lauf.offen;
    }
    lauf.wecker.notify_all();
}

// Only near the top of a subtree: deeper down the pieces are too small to pay.
constexpr int kTeilTiefe = 8;

// True when the narrowed `r` holds a placement. Only for a Rest where every row
// or every column with a free square must take a queen, which stays so below.
// In the shared proof, branches handed on are not searched here.
bool loesbar(Zweig& z, const Rest& r, int tiefe) {
    if (r.anzahl <= 0) {
        std::copy(r.dame, r.dame + kMaxFeld, z.beleg);
        return true;
    }
    ++z.knoten;
    if (z.vorrat >= 0 && --z.vorrat < 0) z.erschoepft = true;
    if (z.erschoepft || vorbei(z)) return false;

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
    // The columns free in exactly two rows; without a row of two, the row with
    // the fewest. Not needed where a row of two is there and every row must
    // take a queen.
    const bool zeilenVoll = r.anzahl == r.n;
    Maske einmal = 0, zweimal = 0, dreimal = 0;
    for (int i = 0; i < r.n && !(zeilenVoll && wenigste == 2); ++i) {
        const Maske m = r.maske[i];
        dreimal |= zweimal & m;
        zweimal |= einmal & m;
        einmal |= m;
        if (wenigste > 2 && bitzahl(m) < wenigste) {
            wenigste = bitzahl(m);
            zeile = i;
        }
    }
    const bool spaltenVoll = r.anzahl == bitzahl(einmal);
    const Maske zwei = zweimal & ~dreimal;
    const bool nachSpalte = spaltenVoll && (!zeilenVoll || (wenigste > 2 && zwei != 0));
    const int spalte = std::countr_zero(zwei != 0 ? zwei : einmal);

    Rest kind;
    const Maske wahl = nachSpalte ? 0 : r.maske[zeile];
    const int zweige = nachSpalte ? r.n : bitzahl(wahl);
    Maske rest = wahl;
    for (int i = 0; i < zweige; ++i) {
        Stand stand;
        if (nachSpalte) {
            if (((r.maske[i] >> spalte) & 1) == 0) continue;
            stand = platzieren(r, kind, i, spalte);
        } else {
            stand = platzieren(r, kind, zeile, std::countr_zero(rest));
            rest &= rest - 1;
        }
        if (!restEingrenzen(kind, stand)) continue;
        if (z.geteilt && tiefe < kTeilTiefe && z.lauf.hungrig.load(std::memory_order_relaxed) > 0) {
            weitergeben(z.lauf, kind);
            continue;
        }
        if (loesbar(z, kind, tiefe + 1)) return true;
        if (z.abgebrochen || z.erschoepft) return false;
    }
    return false;
}

// Searches a subtree of the shared proof; tells whether it met a placement.
void beweisen(Zweig& z, const Rest& r) {
    z.abgebrochen = false;
    const bool gefunden = loesbar(z, r, 0);
    std::lock_guard<std::mutex> sperre(z.lauf.mutex);
    if (gefunden && !z.lauf.gefunden.load()) {
        std::copy(z.beleg, z.beleg + kMaxFeld, z.lauf.zeuge);
        z.lauf.gefunden.store(true);
    }
    if (--z.lauf.offen == 0) z.lauf.wecker.notify_all();
}

void arbeiten(Lauf& lauf) {
    Zweig z{lauf, false, true};
    std::unique_lock<std::mutex> sperre(lauf.mutex);
    while (!lauf.ende) {
        if (lauf.stapel.empty()) {
            ++lauf.hungrig;
            lauf.wecker.wait(sperre);
            --lauf.hungrig;
            continue;
        }
        const Rest r = lauf.stapel.back();
        lauf.stapel.pop_back();
        sperre.unlock();
        beweisen(z, r);
        sperre.lock();
    }
    lauf.knoten += z.knoten;
}

// The proof for `r` on every thread; the calling thread takes part.
bool gemeinsamBeweisen(Zweig& z, const Rest& r) {
    Lauf& lauf = z.lauf;
    if (lauf.arbeiter.empty())
        for (int i = 1; i < lauf.faeden; ++i) try {
                lauf.arbeiter.emplace_back(arbeiten, std::ref(lauf));
            } catch (const std::system_error&) {
                break;
            }
    lauf.gefunden.store(false);
    weitergeben(lauf, r);

    Zweig helfer{lauf, true, true};
    std::unique_lock<std::mutex> sperre(lauf.mutex);
    while (lauf.offen > 0) {
        if (!lauf.stapel.empty()) {
            const Rest teil = lauf.stapel.back();
            lauf.stapel.pop_back();
            sperre.unlock();
            beweisen(helfer, teil);
            sperre.lock();
            continue;
        }
        ++lauf.hungrig;
        lauf.wecker.wait_for(sperre, std::chrono::milliseconds(100));
        --lauf.hungrig;
        sperre.unlock();
        uhrLesen(lauf);
        sperre.lock();
    }
    sperre.unlock();
    z.knoten += helfer.knoten;
    if (lauf.stopp.load()) z.abgebrochen = true;
    std::copy(lauf.zeuge, lauf.zeuge + kMaxFeld, z.beleg);
    return lauf.gefunden.load();
}

enum class Antwort { leer, vermutet, bewiesen };

// Whether the `n` narrowed rows `maske` can take `anzahl` queens, the rows in
// `fest` holding theirs already: `vermutet` when it cannot be told cheaply;
// `bewiesen` with a placement of them in `zeuge`.
Antwort loesbarAb(Zweig& z, const Maske* maske, int n, int anzahl, Maske fest, std::int8_t* zeuge) {
    Rest r;
    r.n = 0;
    r.anzahl = anzahl;
    std::fill(r.dame, r.dame + kMaxFeld, std::int8_t{-1});
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
    if (r.anzahl != r.n && r.anzahl != bitzahl(spalten)) return Antwort::vermutet;
    bool ergebnis;
    if (z.lauf.faeden <= 1) {
        ergebnis = loesbar(z, r, 0);
    } else {
        // Alone first: most proofs are short, and sharing them would cost more.
        z.vorrat = z.lauf.teilenAb;
        z.erschoepft = false;
        ergebnis = loesbar(z, r, 0);
        z.vorrat = -1;
        if (z.erschoepft) ergebnis = gemeinsamBeweisen(z, r);
    }
    if (!ergebnis) return Antwort::leer;
    for (int i = 0; i < n; ++i)
        zeuge[i] = ((fest >> i) & 1) != 0 ? static_cast<std::int8_t>(std::countr_zero(maske[i]))
                                          : z.beleg[i];
    return Antwort::bewiesen;
}

// ---- The search in row-major order ------------------------------------------

// Places `anzahl` queens in rows `zeile` and below, whose free squares are
// `maske[0]` onwards; first placement first. `fest` as for eingrenzen, with
// bit 0 for row `zeile`. `geprueft`: the caller has already narrowed `maske`.
// `bezeugt`: z.zeuge holds a placement of this subtree from row `zeile` down;
// the squares before its square in this row need proofs, its square none.
// On success z.weg holds the placement from row `zeile` down.
int sucheAb(Zweig& z, int zeilen, int anzahl, int zeile, const Maske* maske, Maske fest,
            bool geprueft, bool bezeugt) {
    if (anzahl <= 0) {
        std::fill(z.weg + zeile, z.weg + zeilen, std::int8_t{-1});
        return 1;
    }
    const int n = zeilen - zeile; // rows from this one down
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
        bool kindBezeugt = bezeugt && spalte == z.zeuge[zeile];
        if (!kindBezeugt) {
            const Antwort antwort =
                loesbarAb(z, kind, n - 1, anzahl - 1, kindFest, z.zeuge + zeile + 1);
            if (antwort == Antwort::leer) {
                if (z.abgebrochen) return 0;
                continue;
            }
            if (antwort == Antwort::bewiesen) z.zeuge[zeile] = static_cast<std::int8_t>(spalte);
            kindBezeugt = antwort == Antwort::bewiesen;
            // Below an unproved square the witness may be overwritten.
            bezeugt = kindBezeugt;
        }
        z.weg[zeile] = static_cast<std::int8_t>(spalte);
        if (sucheAb(z, zeilen, anzahl - 1, zeile + 1, kind, kindFest, true, kindBezeugt)) return 1;
        if (z.abgebrochen) return 0;
    }
    if ((fest & 1) != 0) return 0; // this row takes a queen in every placement
    z.weg[zeile] = -1;
    return sucheAb(z, zeilen, anzahl, zeile + 1, maske + 1, fest >> 1, false,
                   bezeugt && z.zeuge[zeile] < 0);
}

// Sends the workers home.
void beenden(Lauf& lauf) {
    {
        std::lock_guard<std::mutex> sperre(lauf.mutex);
        lauf.ende = true;
    }
    lauf.wecker.notify_all();
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
    lauf.faeden = optionen.faeden > 0 ? optionen.faeden
                                      : static_cast<int>(std::thread::hardware_concurrency());
    lauf.teilenAb = optionen.teilenAb > 0 ? optionen.teilenAb : 20000;
    lauf.fortschritt = console::outputIsTerminal();
    lauf.begrenzt = optionen.sekunden > 0;
    lauf.beginn = Uhr::now();
    lauf.grenze = lauf.beginn + std::chrono::duration_cast<Uhr::duration>(
                                    std::chrono::duration<double>(optionen.sekunden));

    Zweig z{lauf, true};
    const int gefunden = sucheAb(z, zeilen, anzahl, 0, maske, 0, false, false);
    beenden(lauf);
    if (lauf.angezeigt) console::statusLine("");
    if (knoten != nullptr) *knoten = lauf.knoten + z.knoten;

    if (gefunden == 1) {
        for (int zeile = 0; zeile < zeilen; ++zeile)
            if (z.weg[zeile] >= 0) dameSetzen(feld, spalten, zeilen, z.weg[zeile], zeile);
        return 1;
    }
    return z.abgebrochen ? -1 : 0;
}

} // namespace queenboard
