// The proof that rows hold a placement, or none: forced queens and cuts, then
// branching on the row or column with the fewest free squares.
#include "kern_einfach.h"
#include "kern_vektor.h"
#include "schritte.h"
#include "suche_intern.h"

namespace queenboard {

namespace {

// Only near the top of a shared proof are branches handed on: deeper down the
// pieces are too small to pay for the handing.
constexpr int kTeilTiefe = 8;

// More free squares than any row holds.
constexpr int kUeberVoll = kMaxFeld + 1;

template <class Kern> struct Beweis;

// True when the narrowed `r`, counted in `z`, holds a placement.
template <class Kern> bool pruefenMit(Zweig& zweig, const Zeilen& r, const Zaehlung& z, int tiefe) {
    if (r.damen <= 0) {
        zweig.fund = zweig.gesetzt;
        for (int j = 0; j < r.n; ++j) zweig.fund.spalte[r.nummer[j]] = -1;
        return true;
    }
    ++zweig.knoten;
    if (zweig.vorrat >= 0 && --zweig.vorrat < 0) zweig.erschoepft = true; // a budget counts down
    if (zweig.erschoepft || vorbei(zweig)) return false;

    // The slot of a row with the fewest free squares: two is the least after narrowing.
    int platz = std::countr_zero(z.hoechstensZwei);
    int wenigste = z.hoechstensZwei != 0 ? 2 : kUeberVoll;
    // The columns free in exactly two rows; without a row of two, the row with
    // the fewest. Not needed where a row of two is there and every row must
    // take a queen.
    const bool zeilenVoll = r.damen == r.n;
    Maske einmal = 0, zweimal = 0, dreimal = 0;
    if (!(zeilenVoll && wenigste == 2))
        for (int j = 0; j < r.n; ++j) {
            const Maske m = r.frei[j];
            dreimal |= zweimal & m;
            zweimal |= einmal & m;
            einmal |= m;
            if (wenigste > 2 && Kern::bits(m) < wenigste) {
                wenigste = Kern::bits(m);
                platz = j;
            }
        }
    const bool spaltenVoll = r.damen == Kern::bits(einmal);
    const Maske zwei = zweimal & ~dreimal;
    const bool nachSpalte = spaltenVoll && (!zeilenVoll || (wenigste > 2 && zwei != 0));
    const int spalte = std::countr_zero(zwei != 0 ? zwei : einmal);

    Zeilen kind;
    const Maske wahl = nachSpalte ? 0 : r.frei[platz];
    const int zweige = nachSpalte ? r.n : Kern::bits(wahl);
    Maske offen = wahl;
    for (int i = 0; i < zweige; ++i) {
        Zaehlung kindZaehlung;
        if (nachSpalte) {
            if (((r.frei[i] >> spalte) & 1) == 0) continue;
            kindZaehlung = platzieren<Kern>(r, kind, i, spalte, zweig.gesetzt);
        } else {
            kindZaehlung = platzieren<Kern>(r, kind, platz, std::countr_zero(offen), zweig.gesetzt);
            offen &= offen - 1;
        }
        if (!eingrenzen<Kern>(kind, kindZaehlung, zweig.gesetzt)) continue;
        if (zweig.rolle.geteilt && tiefe < kTeilTiefe &&
            zweig.lauf.hungrig.load(std::memory_order_relaxed) > 0) {
            weitergeben(zweig.lauf, kind, zweig.gesetzt);
            continue;
        }
        if (Beweis<Kern>::pruefen(zweig, kind, kindZaehlung, tiefe + 1)) return true;
        if (zweig.abgebrochen || zweig.erschoepft) return false;
    }
    return false;
}

// Each kernel's proof, with every step inlined into it: for the vector kernel,
// built for the instructions it uses.
template <> struct Beweis<EinfachKern> {
    [[gnu::flatten]] static bool pruefen(Zweig& zweig, const Zeilen& r, const Zaehlung& z,
                                         int tiefe) {
        return pruefenMit<EinfachKern>(zweig, r, z, tiefe);
    }
};

#if QUEENBOARD_VEKTOREN
template <> struct Beweis<VektorKern> {
    [[QUEENBOARD_VEKTOR_ZIEL, gnu::flatten]] static bool pruefen(Zweig& zweig, const Zeilen& r,
                                                                 const Zaehlung& z, int tiefe) {
        return pruefenMit<VektorKern>(zweig, r, z, tiefe);
    }
};
#endif

} // namespace

bool vektorenMoeglich() {
#if QUEENBOARD_VEKTOREN
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") &&
           __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("popcnt");
#else
    return false;
#endif
}

bool loesbar(Zweig& zweig, const Zeilen& r) {
#if QUEENBOARD_VEKTOREN
    if (zweig.lauf.einstellungen.vektoren)
        return Beweis<VektorKern>::pruefen(zweig, r, erfassen(r), 0);
#endif
    return Beweis<EinfachKern>::pruefen(zweig, r, erfassen(r), 0);
}

} // namespace queenboard
