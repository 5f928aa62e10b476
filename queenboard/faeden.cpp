// The threads of a search: the clock, and long proofs shared through a stack of
// subtrees.
#include "suche_intern.h"

#include "console.h"

#include <algorithm>
#include <string>
#include <system_error>

namespace queenboard {

// A long proof is shared: the threads take its subtrees from a common stack and
// hand on a branch whenever one of them is idle. A proof ends when a placement
// turns up anywhere or every subtree is empty, so its answer, and with it the
// placement found, does not depend on timing.

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
void weitergeben(Lauf& lauf, const Rest& r, const std::int8_t* spur) {
    {
        std::lock_guard<std::mutex> sperre(lauf.mutex);
        lauf.stapel.emplace_back();
        lauf.stapel.back().rest = r;
        std::copy(spur, spur + kMaxFeld, lauf.stapel.back().spur);
        ++lauf.offen;
    }
    lauf.wecker.notify_all();
}

namespace {

// Searches a subtree of the shared proof; tells whether it met a placement.
void beweisen(Zweig& z, const Lauf::Teil& teil) {
    z.abgebrochen = false;
    std::copy(teil.spur, teil.spur + kMaxFeld, z.spur);
    const bool gefunden = loesbar(z, teil.rest);
    std::lock_guard<std::mutex> sperre(z.lauf.mutex);
    if (gefunden && !z.lauf.gefunden.load()) {
        std::copy(z.beleg, z.beleg + kMaxFeld, z.lauf.zeuge);
        z.lauf.gefunden.store(true);
    }
    if (--z.lauf.offen == 0) z.lauf.wecker.notify_all();
}

// Takes the top subtree off the stack and proves it; the stack is unlocked meanwhile.
void naechstenBeweisen(Zweig& z, std::unique_lock<std::mutex>& sperre) {
    const Lauf::Teil teil = z.lauf.stapel.back();
    z.lauf.stapel.pop_back();
    sperre.unlock();
    beweisen(z, teil);
    sperre.lock();
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
        naechstenBeweisen(z, sperre);
    }
    lauf.knoten += z.knoten;
}

} // namespace

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
    weitergeben(lauf, r, z.spur);

    Zweig helfer{lauf, true, true};
    std::unique_lock<std::mutex> sperre(lauf.mutex);
    while (lauf.offen > 0) {
        if (!lauf.stapel.empty()) {
            naechstenBeweisen(helfer, sperre);
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
