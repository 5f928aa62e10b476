// The search behind dame: row-major order, each square entered only once a proof
// shows that its subtree holds a placement (the design: queenboard/README.md).
#include "suche.h"

#include "console.h"
#include "kern_einfach.h"
#include "schritte.h"
#include "suche_intern.h"

namespace queenboard {

namespace {

// A proof starts again, looking ahead and shared among the threads, once it has
// taken this many nodes alone: most proofs are shorter, and handing their subtrees
// around or looking ahead would cost more.
constexpr long long kTeilenAb = 20000;

// Whether the narrowed rows `r` can take their queens; if so, with a placement in
// zweig.fund.
bool beweisen(Zweig& zweig, const Zeilen& r) {
    // Alone and without looking ahead first: most proofs are short, and sharing
    // them or looking ahead would cost more. A long one starts again, looking ahead
    // at its top, on every thread there is.
    zweig.vorrat = zweig.lauf.einstellungen.teilenAb;
    zweig.erschoepft = false;
    const bool ergebnis = loesbar(zweig, r);
    zweig.vorrat = kUnbegrenzt;
    if (!zweig.erschoepft) return ergebnis;
    zweig.erschoepft = false;
    return zweig.lauf.einstellungen.faeden <= 1 ? loesbar(zweig, r) : gemeinsamBeweisen(zweig, r);
}

// Places the queens of the narrowed rows `r`, in order from the top, first
// placement first; true with it in zweig.gesetzt. `bezeugt`: zweig.zeuge holds a
// placement of these rows; the squares before its square in the top row need
// proofs, its square none. The ordered search is a small part of the work, so it
// takes the plain kernel.
bool sucheAb(Zweig& zweig, const Zeilen& r, bool bezeugt) {
    if (r.damen <= 0) {
        for (int j = 0; j < r.n; ++j) zweig.gesetzt.spalte[r.nummer[j]] = -1;
        return true;
    }
    ++zweig.knoten;
    // Below a witness the search never turns back: every row decided so far is final.
    if (bezeugt) zweig.lauf.festeZeilen = zweig.lauf.einstellungen.zeilen - r.n;
    if (vorbei(zweig)) return false;

    const int zeile = static_cast<int>(r.nummer[0]);
    // Zeroed, as the plain kernel writes only the rows there are, and the vector
    // kernel of the proofs below reads whole vectors.
    Zeilen kind{};
    for (Maske offen = r.frei[0]; offen != 0; offen &= offen - 1) {
        const int spalte = std::countr_zero(offen);
        Zaehlung zaehlung = platzieren<EinfachKern>(r, kind, 0, spalte, zweig.gesetzt);
        // Most squares fail here, before anything is searched below them.
        if (!eingrenzen<EinfachKern>(kind, zaehlung, zweig.gesetzt)) continue;
        ordnen(kind);
        if (!bezeugt || spalte != zweig.zeuge.spalte[zeile]) {
            zweig.leitbild = zweig.zeuge;
            if (!beweisen(zweig, kind)) {
                if (zweig.abgebrochen) return false;
                continue;
            }
            zweig.zeuge = zweig.fund;
            bezeugt = true;
        }
        if (sucheAb(zweig, kind, true)) return true;
        if (zweig.abgebrochen) return false;
    }

    // The top row stays without a queen.
    kind = r;
    kind.frei[0] = 0;
    Zaehlung zaehlung = erfassen(kind);
    if (!eingrenzen<EinfachKern>(kind, zaehlung, zweig.gesetzt)) return false;
    ordnen(kind);
    return sucheAb(zweig, kind, bezeugt && zweig.zeuge.spalte[zeile] < 0);
}

} // namespace

int dameSuchen(int anzahl, Feld feld, int spalten, int zeilen, const Suchoptionen& optionen,
               unsigned long long* knoten) {
    if (knoten != nullptr) *knoten = 0;
    if (anzahl <= 0) return 1;
    if (spalten <= 0 || zeilen <= 0) return 0;

    Zeilen r{};
    r.n = zeilen;
    r.damen = anzahl;
    for (int z = 0; z < zeilen; ++z) {
        r.nummer[z] = z;
        for (int s = 0; s < spalten; ++s)
            if (feld[z][s] == 0) r.frei[z] |= Maske{1} << s;
    }

    const Uhr::time_point beginn = Uhr::now();
    Lauf lauf{.einstellungen = {
                  .faeden = optionen.faeden > 0
                                ? optionen.faeden
                                : static_cast<int>(std::thread::hardware_concurrency()),
                  .teilenAb = optionen.teilenAb > 0 ? optionen.teilenAb : kTeilenAb,
                  .vektoren = !optionen.ohneVektoren && vektorenMoeglich(),
                  .fortschritt = console::outputIsTerminal(),
                  .begrenzt = optionen.sekunden > 0,
                  .zeilen = zeilen,
                  .beginn = beginn,
                  .grenze = beginn + std::chrono::duration_cast<Uhr::duration>(
                                         std::chrono::duration<double>(optionen.sekunden)),
              }};
    Zweig zweig{.lauf = lauf, .rolle = {.uhr = true, .geteilt = false}};
    Zaehlung zaehlung = erfassen(r);
    const bool gefunden = eingrenzen<EinfachKern>(r, zaehlung, zweig.gesetzt) &&
                          (ordnen(r), sucheAb(zweig, r, false));
    beenden(lauf);
    if (lauf.angezeigt) console::statusLine("");
    if (knoten != nullptr) *knoten = lauf.knoten + zweig.knoten;

    if (gefunden) {
        for (int z = 0; z < zeilen; ++z)
            if (zweig.gesetzt.spalte[z] >= 0)
                dameSetzen(feld, spalten, zeilen, zweig.gesetzt.spalte[z], z);
        return 1;
    }
    return zweig.abgebrochen ? -1 : 0;
}

} // namespace queenboard
