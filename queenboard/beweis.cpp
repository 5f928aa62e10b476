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

// How deep a long proof looks ahead before it branches: below, the nodes are many
// and the look ahead costs more than it saves.
constexpr int kVorschauTiefe = 4;

// The line a proof branches on: a row, by its slot, or a column.
struct Linie {
    bool nachSpalte;
    int platz;
    int spalte;
};

// The row or column with the fewest free squares. Where every row must take a
// queen, a row of two (the least after narrowing) is taken without counting
// further, and a column of two is as good as it gets. Where rows may stay empty, a
// column is taken where every column must take a queen, or where it has fewer free
// squares than the row, which has its staying empty as one more branch.
template <class Kern>
Linie linieWaehlen(const Zeilen& r, const Zaehlung& z, bool zeilenVoll, bool spaltenVoll) {
    if (zeilenVoll && z.hoechstensZwei != 0)
        return {.nachSpalte = false, .platz = std::countr_zero(z.hoechstensZwei), .spalte = -1};
    Linie linie{.nachSpalte = false, .platz = 0, .spalte = -1};
    int wenigste = kUeberVoll;
    Maske einmal = 0, zweimal = 0, dreimal = 0; // columns free in one, two, three rows or more
    for (int j = 0; j < r.n; ++j) {
        const Maske m = r.frei[j];
        dreimal |= zweimal & m;
        zweimal |= einmal & m;
        einmal |= m;
        if (Kern::bits(m) < wenigste) {
            wenigste = Kern::bits(m);
            linie.platz = j;
        }
    }
    if (zeilenVoll) {
        const Maske zwei = zweimal & ~dreimal;
        if (spaltenVoll && zwei != 0)
            linie = {.nachSpalte = true, .platz = 0, .spalte = std::countr_zero(zwei)};
        return linie;
    }
    int seltenste;
    linie.spalte = seltensteSpalte(r, z.spalten, seltenste);
    linie.nachSpalte = spaltenVoll || seltenste < wenigste;
    return linie;
}

// The line to branch on at the top of a long proof: the one with the fewest
// children that survive narrowing; of those, the one whose children leave the most
// free squares. A line that may stay empty counts that as one child. False when
// some line has no child at all.
template <class Kern>
bool vorausschauen(const Zeilen& r, const Zaehlung& z, bool zeilenVoll, bool spaltenVoll,
                   Belegung& gesetzt, Linie& linie) {
    Maske bleibt[kPlaetze];         // per slot, the squares whose child survives
    long zeilenRaum[kPlaetze] = {}; // the free squares its children leave
    long spaltenRaum[kMaxFeld] = {};
    Zeilen kind;
    for (int j = 0; j < r.n; ++j) {
        bleibt[j] = 0;
        for (Maske offen = r.frei[j]; offen != 0; offen &= offen - 1) {
            const int s = std::countr_zero(offen);
            Zaehlung kindZaehlung = platzieren<Kern>(r, kind, j, s, gesetzt);
            if (!eingrenzen<Kern>(kind, kindZaehlung, gesetzt)) continue;
            bleibt[j] |= Maske{1} << s;
            long raum = 0;
            for (int i = 0; i < kind.n; ++i) raum += Kern::bits(kind.frei[i]);
            zeilenRaum[j] += raum;
            spaltenRaum[s] += raum;
        }
    }
    int wenigste = kUeberVoll + 1;
    long raum = 0;
    const auto waehlen = [&](int kinder, long kinderRaum) {
        if (kinder > wenigste || (kinder == wenigste && kinderRaum <= raum)) return false;
        wenigste = kinder;
        raum = kinderRaum;
        return true;
    };
    for (int j = 0; j < r.n; ++j)
        if (waehlen(Kern::bits(bleibt[j]) + (zeilenVoll ? 0 : 1), zeilenRaum[j]))
            linie = {.nachSpalte = false, .platz = j, .spalte = -1};
    for (Maske offen = z.spalten; offen != 0; offen &= offen - 1) {
        const int s = std::countr_zero(offen);
        int kinder = spaltenVoll ? 0 : 1;
        for (int j = 0; j < r.n; ++j) kinder += static_cast<int>((bleibt[j] >> s) & 1);
        if (waehlen(kinder, spaltenRaum[s])) linie = {.nachSpalte = true, .platz = 0, .spalte = s};
    }
    return wenigste > 0;
}

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

    const bool zeilenVoll = r.damen == r.n;
    const bool spaltenVoll = r.damen == Kern::bits(z.spalten);
    Linie linie{};
    // A proof long enough to have run out of its budget looks ahead at its top,
    // except where only columns are to spare: there it costs more than it saves.
    if (zweig.vorrat == kUnbegrenzt && tiefe < kVorschauTiefe && (!zeilenVoll || spaltenVoll)) {
        if (!vorausschauen<Kern>(r, z, zeilenVoll, spaltenVoll, zweig.gesetzt, linie)) return false;
    } else {
        linie = linieWaehlen<Kern>(r, z, zeilenVoll, spaltenVoll);
    }
    const bool nachSpalte = linie.nachSpalte;
    const int platz = linie.platz, spalte = linie.spalte;
    const bool leerErlaubt = nachSpalte ? !spaltenVoll : !zeilenVoll;

    Zeilen kind;
    enum Ausgang { weiter, gefunden, halt };
    // Narrows and proves the child.
    const auto kindPruefen = [&](Zaehlung kindZaehlung) {
        if (!eingrenzen<Kern>(kind, kindZaehlung, zweig.gesetzt)) return weiter;
        if (zweig.rolle.geteilt && tiefe < kTeilTiefe &&
            zweig.lauf.hungrig.load(std::memory_order_relaxed) > 0) {
            weitergeben(zweig.lauf, kind, zweig.gesetzt, zweig.leitbild);
            return weiter;
        }
        if (Beweis<Kern>::pruefen(zweig, kind, kindZaehlung, tiefe + 1)) return gefunden;
        return zweig.abgebrochen || zweig.erschoepft ? halt : weiter;
    };
    const auto damePruefen = [&](int i, int s) {
        return kindPruefen(platzieren<Kern>(r, kind, i, s, zweig.gesetzt));
    };
    const auto leerPruefen = [&] {
        kind = r;
        if (nachSpalte)
            for (int j = 0; j < r.n; ++j) kind.frei[j] &= ~(Maske{1} << spalte);
        else
            kind.frei[platz] = 0;
        return kindPruefen(erfassen(kind));
    };
    // The guide's choice first: a proof that finds a placement then stays near it.
    int zuerst = -1; // slot or column of the guide's queen on the line
    if (nachSpalte) {
        for (int i = 0; i < r.n && zuerst < 0; ++i)
            if (((r.frei[i] >> spalte) & 1) != 0 && zweig.leitbild.spalte[r.nummer[i]] == spalte)
                zuerst = i;
    } else {
        const int s = zweig.leitbild.spalte[r.nummer[platz]];
        if (s >= 0 && ((r.frei[platz] >> s) & 1) != 0) zuerst = s;
    }
    Ausgang a = weiter;
    if (zuerst >= 0)
        a = nachSpalte ? damePruefen(zuerst, spalte) : damePruefen(platz, zuerst);
    else if (leerErlaubt)
        a = leerPruefen();
    if (a != weiter) return a == gefunden;
    if (nachSpalte) {
        // Top down, as a row's squares go left to right.
        Maske zeilenMit = 0;
        std::int8_t platzVon[kMaxFeld];
        for (int i = 0; i < r.n; ++i)
            if (i != zuerst && ((r.frei[i] >> spalte) & 1) != 0) {
                zeilenMit |= Maske{1} << r.nummer[i];
                platzVon[r.nummer[i]] = static_cast<std::int8_t>(i);
            }
        for (; zeilenMit != 0; zeilenMit &= zeilenMit - 1)
            if ((a = damePruefen(platzVon[std::countr_zero(zeilenMit)], spalte)) != weiter)
                return a == gefunden;
    } else {
        for (Maske offen = r.frei[platz]; offen != 0; offen &= offen - 1)
            if (const int s = std::countr_zero(offen);
                s != zuerst && (a = damePruefen(platz, s)) != weiter)
                return a == gefunden;
    }
    if (zuerst >= 0 && leerErlaubt) return leerPruefen() == gefunden;
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
