// The threads of a search: the clock, and long proofs shared through a queue of
// subtrees.
#include "suche_intern.h"

#include "console.h"
#include "seam.h"

#include <string>
#include <system_error>

namespace queenboard {

namespace {

// The clock is read once every this many nodes of the calling thread: a few
// thousand nodes take well under a tenth of a second, and reading it costs.
constexpr unsigned kKnotenJeUhrblick = 0x1000;

// How long the calling thread waits for the shared proof before it reads the clock.
constexpr auto kWarten = std::chrono::milliseconds(100);

// A search shorter than this shows no progress line.
Uhr::duration fortschrittAb = std::chrono::seconds(1);

} // namespace

void fortschrittAbSetzen(std::chrono::milliseconds ab) {
    fortschrittAb = ab;
}

// At most 79 columns, the tab's eight among them: where a proof runs long, the row
// and square it proves take the place of the hint.
std::string fortschrittsZeile(long sekunden, const Fortschritt& f, int zeilen) {
    const std::string anfang = "\tSuche laeuft ... " + std::to_string(sekunden) + " s, " +
                               std::to_string(f.festeZeilen) + " von " + std::to_string(zeilen) +
                               " Zeilen fest";
    if (!f.langerBeweis) return anfang + " (Strg+C bricht ab)";
    return anfang + ", Zeile " + std::to_string(f.zeile + 1) + ": Feld " + std::to_string(f.feld) +
           "/" + std::to_string(f.felder);
}

// Reads the clock (the calling thread only): time limit and "still working", redrawn
// when the seconds or the final rows change.
void uhrLesen(Lauf& lauf) {
    const Einstellungen& e = lauf.einstellungen;
    if (!(e.fortschritt || e.begrenzt)) return;
    const Uhr::time_point jetzt = Uhr::now();
    if (e.begrenzt && jetzt >= e.grenze) lauf.stopp.store(true, std::memory_order_relaxed);
    if (!e.fortschritt || jetzt - e.beginn < fortschrittAb) return;
    const long sekunden = static_cast<long>(
        std::chrono::duration_cast<std::chrono::seconds>(jetzt - e.beginn).count());
    const Fortschritt& f = lauf.fortschritt;
    if (lauf.angezeigt && sekunden == lauf.gezeigteSekunden && f.festeZeilen == lauf.gezeigteZeilen)
        return;
    lauf.gezeigteSekunden = sekunden;
    lauf.gezeigteZeilen = f.festeZeilen;
    lauf.angezeigt = true;
    console::statusLine(fortschrittsZeile(sekunden, f, e.zeilen));
}

// Counts a node of this thread; true when time is up.
bool vorbei(Zweig& zweig) {
    if (++zweig.knoten % kKnotenJeUhrblick == 0 && zweig.uhr) uhrLesen(zweig.lauf);
    return zweig.lauf.stopp.load(std::memory_order_relaxed);
}

// Puts a subtree of the shared proof in the queue for an idle thread. It takes the
// parts, not a Teilbaum, so that no Teilbaum is built on the proof's stack: that
// would grow the frame of every level of the proof.
void weitergeben(Lauf& lauf, const Teilbrett& brett, const Pfad& pfad, const Belegung& leitbild) {
    {
        std::lock_guard<std::mutex> sperre(lauf.schloss);
        lauf.warteschlange.push_back({.brett = brett, .pfad = pfad, .leitbild = leitbild});
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
    const Befund befund = teilbaumBeweisen(zweig, teil);
    sperre.lock();
    if (befund.ausgang == Ausgang::platzierung && !lauf.gefunden.load()) {
        lauf.fund = befund.platzierung;
        lauf.gefunden.store(true);
    }
    if (--lauf.offen == 0) lauf.wecker.notify_all();
}

void arbeiten(Lauf& lauf) {
    Zweig zweig{.lauf = lauf, .uhr = false};
    std::unique_lock<std::mutex> sperre(lauf.schloss);
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

// The long proof of `brett` on every thread; the calling thread takes part. It ends
// when a placement turns up anywhere or every subtree is empty.
Befund gemeinsamBeweisen(Zweig& zweig, const Teilbrett& brett, const Pfad& pfad,
                         const Belegung& leitbild) {
    Lauf& lauf = zweig.lauf;
    if (lauf.arbeiter.empty())
        for (int i = 1; i < lauf.einstellungen.faeden; ++i) try {
                lauf.arbeiter.emplace_back(arbeiten, std::ref(lauf));
            } catch (const std::system_error&) {
                break;
            }
    lauf.gefunden.store(false);
    weitergeben(lauf, brett, pfad, leitbild);

    std::unique_lock<std::mutex> sperre(lauf.schloss);
    while (lauf.offen > 0) {
        if (!lauf.warteschlange.empty()) {
            naechstenBeweisen(zweig, sperre);
            continue;
        }
        ++lauf.hungrig;
        lauf.wecker.wait_for(sperre, kWarten);
        --lauf.hungrig;
        sperre.unlock();
        uhrLesen(lauf);
        sperre.lock();
    }
    if (lauf.gefunden.load()) return {Ausgang::platzierung, lauf.fund};
    return {lauf.stopp.load() ? Ausgang::abgebrochen : Ausgang::leer, {}};
}

// Sends the workers home.
void beenden(Lauf& lauf) {
    {
        std::lock_guard<std::mutex> sperre(lauf.schloss);
        lauf.ende = true;
    }
    lauf.wecker.notify_all();
    for (std::thread& t : lauf.arbeiter) t.join();
}

} // namespace queenboard
