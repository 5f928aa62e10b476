// The search behind dame: row-major order, each square entered only once a proof
// shows that its subtree holds a placement (the design: queenboard/README.md).
#include "suche.h"

#include "console.h"
#include "kern_einfach.h"
#include "schritte.h"
#include "suche_intern.h"

namespace queenboard {

namespace {

// The budget of a short proof: most proofs are shorter, and looking ahead or
// handing their subtrees around would cost them more than it saves.
constexpr long long kTeilenAb = 20000;

// The ordered search's own state, on the calling thread.
struct Suche {
    Zweig zweig;
    Pfad pfad;      // the queens set from the top down to the current row
    Belegung zeuge; // a placement below the current square, once a proof found one
};

// Places the queens of the narrowed rows `r`, in order from the top, first
// placement first; its queens then on s.pfad. `bezeugt`: s.zeuge holds a placement
// of these rows; the squares before its square in the top row need proofs, its
// square none. The ordered search is a small part of the work, so it takes the
// plain kernel.
Ausgang sucheAb(Suche& s, const Teilbrett& r, bool bezeugt) {
    if (r.damen <= 0) return Ausgang::platzierung;
    // Below a witness the search never turns back: every row decided so far is final.
    Fortschritt& fortschritt = s.zweig.lauf.fortschritt;
    if (bezeugt) fortschritt.festeZeilen = s.zweig.lauf.einstellungen.zeilen - r.n;
    if (vorbei(s.zweig)) return Ausgang::abgebrochen;

    const int zeile = static_cast<int>(r.nummer[0]);
    const int laenge = s.pfad.laenge; // each square sets its queens after those above
    Teilbrett kind;
    int feld = 0;
    for (Maske offen = r.frei[0]; offen != 0; offen &= offen - 1) {
        const int spalte = std::countr_zero(offen);
        ++feld;
        s.pfad.laenge = laenge;
        Zaehlung zaehlung = platzieren<EinfachKern>(r, kind, 0, spalte, s.pfad);
        // Most squares fail here, before anything is searched below them.
        if (!eingrenzen<EinfachKern>(kind, zaehlung, s.pfad)) continue;
        ordnen(kind);
        if (!bezeugt || spalte != s.zeuge.spalte[zeile]) {
            fortschritt.zeile = zeile;
            fortschritt.feld = feld;
            fortschritt.felder = EinfachKern::bits(r.frei[0]);
            const Befund befund = beweisen(s.zweig, kind, s.pfad, s.zeuge);
            if (befund.ausgang == Ausgang::abgebrochen) return Ausgang::abgebrochen;
            if (befund.ausgang != Ausgang::platzierung) continue;
            s.zeuge = befund.platzierung;
            bezeugt = true;
        }
        if (const Ausgang a = sucheAb(s, kind, true); a != Ausgang::leer) return a;
    }

    // The top row stays without a queen.
    s.pfad.laenge = laenge;
    kind = r;
    kind.frei[0] = 0;
    Zaehlung zaehlung = erfassen(kind);
    if (!eingrenzen<EinfachKern>(kind, zaehlung, s.pfad)) return Ausgang::leer;
    ordnen(kind);
    return sucheAb(s, kind, bezeugt && s.zeuge.spalte[zeile] < 0);
}

} // namespace

int dameSuchen(int anzahl, Feld feld, int spalten, int zeilen, const Suchoptionen& optionen,
               unsigned long long* knoten) {
    if (knoten != nullptr) *knoten = 0;
    if (anzahl <= 0) return 1;
    if (spalten <= 0 || zeilen <= 0) return 0;

    Teilbrett r{};
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
    Suche suche{.zweig = {.lauf = lauf, .uhr = true}, .pfad = {}, .zeuge = {}};
    Zaehlung zaehlung = erfassen(r);
    Ausgang ausgang = Ausgang::leer;
    if (eingrenzen<EinfachKern>(r, zaehlung, suche.pfad)) {
        ordnen(r);
        ausgang = sucheAb(suche, r, false);
    }
    beenden(lauf);
    if (lauf.angezeigt) console::statusLine("");
    if (knoten != nullptr) *knoten = lauf.knoten + suche.zweig.knoten;

    if (ausgang != Ausgang::platzierung) return ausgang == Ausgang::abgebrochen ? -1 : 0;
    const Pfad& p = suche.pfad;
    for (int i = 0; i < p.laenge; ++i) dameSetzen(feld, spalten, zeilen, p.spalte[i], p.zeile[i]);
    return 1;
}

} // namespace queenboard
