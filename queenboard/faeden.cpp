// The threads of a search: the clock, and long proofs shared through a queue of
// subtrees.
#include "suche_intern.h"

#include "console.h"

#include <algorithm>
#include <string>
#include <system_error>

namespace queenboard {

// A long proof is shared: the threads take its subtrees from a common queue and
// hand on a branch whenever one of them is idle. A proof ends when a placement
// turns up anywhere or every subtree is empty, so its answer does not depend on
// timing; which placement it finds may, and serves only as a witness.

namespace {

// The clock is read once every this many nodes of the calling thread: a few
// thousand nodes take well under a tenth of a second, and reading it costs.
constexpr unsigned kKnotenJeUhrblick = 0x1000;

// How long the calling thread waits for the shared proof before it reads the clock.
constexpr auto kWarten = std::chrono::milliseconds(100);

} // namespace

// Reads the clock (the calling thread only): time limit and "still working".
void uhrLesen(Lauf& lauf) {
    const Einstellungen& e = lauf.einstellungen;
    if (!(e.fortschritt || e.begrenzt)) return;
    const Uhr::time_point jetzt = Uhr::now();
    if (e.begrenzt && jetzt >= e.grenze) lauf.stopp.store(true, std::memory_order_relaxed);
    if (!e.fortschritt) return;
    const long sekunden = static_cast<long>(
        std::chrono::duration_cast<std::chrono::seconds>(jetzt - e.beginn).count());
    if (sekunden < 1 ||
        (sekunden == lauf.gezeigteSekunden && lauf.festeZeilen == lauf.gezeigteZeilen))
        return;
    lauf.gezeigteSekunden = sekunden;
    lauf.gezeigteZeilen = lauf.festeZeilen;
    lauf.angezeigt = true;
    console::statusLine("\tSuche laeuft ... " + std::to_string(sekunden) + " s, " +
                        std::to_string(lauf.festeZeilen) + " von " + std::to_string(e.zeilen) +
                        " Zeilen fest (Strg+C bricht ab)");
}

// True when this walk can stop: time is up, or the shared proof is decided.
bool vorbei(Zweig& zweig) {
    if (zweig.rolle.uhr && ++zweig.schritte % kKnotenJeUhrblick == 0) uhrLesen(zweig.lauf);
    if (zweig.lauf.stopp.load(std::memory_order_relaxed) ||
        (zweig.rolle.geteilt && zweig.lauf.gefunden.load(std::memory_order_relaxed)))
        zweig.abgebrochen = true;
    return zweig.abgebrochen;
}

// Puts a subtree of the shared proof in the queue for an idle thread.
void weitergeben(Lauf& lauf, const Zeilen& r, const Belegung& gesetzt, const Belegung& leitbild) {
    {
        std::lock_guard<std::mutex> sperre(lauf.mutex);
        lauf.warteschlange.push_back({.zeilen = r, .gesetzt = gesetzt, .leitbild = leitbild});
        ++lauf.offen;
    }
    lauf.wecker.notify_all();
}

namespace {

// Takes the oldest subtree from the queue and proves it, the queue unlocked
// meanwhile; the first placement found is the shared proof's. The oldest comes
// first in the proof's order, where the guide's placement lies, and is mostly the
// largest: taking the newest could leave that placement waiting behind a large
// empty subtree.
void naechstenBeweisen(Zweig& zweig, std::unique_lock<std::mutex>& sperre) {
    Lauf& lauf = zweig.lauf;
    const Teilbaum teil = lauf.warteschlange.front();
    lauf.warteschlange.pop_front();
    sperre.unlock();
    zweig.abgebrochen = false;
    zweig.gesetzt = teil.gesetzt;
    zweig.leitbild = teil.leitbild;
    const bool gefunden = loesbar(zweig, teil.zeilen);
    sperre.lock();
    if (gefunden && !lauf.gefunden.load()) {
        lauf.fund = zweig.fund;
        lauf.gefunden.store(true);
    }
    if (--lauf.offen == 0) lauf.wecker.notify_all();
}

void arbeiten(Lauf& lauf) {
    Zweig zweig{.lauf = lauf, .rolle = {.uhr = false, .geteilt = true}};
    std::unique_lock<std::mutex> sperre(lauf.mutex);
    while (!lauf.ende) {
        if (lauf.warteschlange.empty()) {
            ++lauf.hungrig;
            lauf.wecker.wait(sperre);
            --lauf.hungrig;
            continue;
        }
        naechstenBeweisen(zweig, sperre);
    }
    lauf.knoten += zweig.knoten;
}

} // namespace

// The proof for `r` on every thread; the calling thread takes part.
bool gemeinsamBeweisen(Zweig& zweig, const Zeilen& r) {
    Lauf& lauf = zweig.lauf;
    if (lauf.arbeiter.empty())
        for (int i = 1; i < lauf.einstellungen.faeden; ++i) try {
                lauf.arbeiter.emplace_back(arbeiten, std::ref(lauf));
            } catch (const std::system_error&) {
                break;
            }
    lauf.gefunden.store(false);
    weitergeben(lauf, r, zweig.gesetzt, zweig.leitbild);

    Zweig helfer{.lauf = lauf, .rolle = {.uhr = true, .geteilt = true}};
    std::unique_lock<std::mutex> sperre(lauf.mutex);
    while (lauf.offen > 0) {
        if (!lauf.warteschlange.empty()) {
            naechstenBeweisen(helfer, sperre);
            continue;
        }
        ++lauf.hungrig;
        lauf.wecker.wait_for(sperre, kWarten);
        --lauf.hungrig;
        sperre.unlock();
        uhrLesen(lauf);
        sperre.lock();
    }
    sperre.unlock();
    zweig.knoten += helfer.knoten;
    if (lauf.stopp.load()) zweig.abgebrochen = true;
    zweig.fund = lauf.fund;
    return lauf.gefunden.load();
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

} // namespace queenboard
