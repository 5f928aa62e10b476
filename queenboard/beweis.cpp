// The proof that rows hold a placement, or none: forced queens and cuts, then
// branching on the row or column with the fewest free squares.
#include "kern_einfach.h"
#include "kern_vektor.h"
#include "schritte.h"
#include "suche_intern.h"

#include <limits>
#include <optional>

namespace queenboard {

namespace {

// How a proof walks its tree. Every proof runs first as a short one; one that runs
// out of its budget starts again as a long one.
enum class Beweisart {
    kurz,    // alone, within a budget of nodes
    lang,    // alone, without a budget, looking ahead at its top
    geteilt, // a subtree of a long proof shared by the threads: as a long one, and it
             // hands branches near the top on to idle threads
};

// How deep a long proof looks ahead before it branches: below, the nodes are many
// and looking ahead costs more than it saves. In a shared proof each subtree counts
// from its own top, as it does for kTeilTiefe: counted from the top of the whole
// proof, both cores took 5% more nodes and 7% more time over n = 30 to 41.
constexpr int kVorschauTiefe = 4;

// Only near the top of a subtree of a shared proof are branches handed on: deeper
// down the pieces are too small to pay for the handing.
constexpr int kTeilTiefe = 8;

// One proof on one thread.
struct Beweis {
    Zweig& zweig;
    const Beweisart art;
    long long vorrat;         // the nodes a short proof may still take
    Pfad pfad;                // the queens set on the way down
    const Belegung& leitbild; // the placement tried first: the last witness
};

// Which lines must all take a queen: every row where as many queens are left as
// rows, every free column where as many are left as columns.
struct Voll {
    bool zeilen, spalten;
};

// The line a node branches on: one child for each of its free squares, and one more
// for its staying empty where it may.
struct Verzweigung {
    Linienart art;
    int linie; // a row's slot, or a column
    bool leerErlaubt;
};

Verzweigung zeileNehmen(int platz, Voll voll) {
    return {Linienart::zeile, platz, !voll.zeilen};
}
Verzweigung spalteNehmen(int spalte, Voll voll) {
    return {Linienart::spalte, spalte, !voll.spalten};
}

// The row or column with the fewest free squares. Where every row must take a
// queen, a row of two (the least after narrowing) is taken without counting
// further, and a column of two is as good as it gets. Where rows may stay empty, a
// column is taken where every column must take a queen, or where it has fewer free
// squares than the row, which has its staying empty as one more branch.
template <Kern K> Verzweigung linieWaehlen(const Teilbrett& r, const Zaehlung& z, Voll voll) {
    if (voll.zeilen && z.hoechstensZwei != 0)
        return zeileNehmen(std::countr_zero(z.hoechstensZwei), voll);
    int platz = 0;
    int wenigste = std::numeric_limits<int>::max();
    Maske einmal = 0, zweimal = 0, dreimal = 0; // columns free in one, two, three rows or more
    for (int j = 0; j < r.n; ++j) {
        const Maske m = r.frei[j];
        dreimal |= zweimal & m;
        zweimal |= einmal & m;
        einmal |= m;
        if (K::bits(m) < wenigste) {
            wenigste = K::bits(m);
            platz = j;
        }
    }
    if (voll.zeilen) {
        const Maske zwei = zweimal & ~dreimal;
        if (voll.spalten && zwei != 0) return spalteNehmen(std::countr_zero(zwei), voll);
        return zeileNehmen(platz, voll);
    }
    int seltenste;
    const int spalte = seltensteSpalte(r, z.spalten, seltenste);
    if (voll.spalten || seltenste < wenigste) return spalteNehmen(spalte, voll);
    return zeileNehmen(platz, voll);
}

// The line to branch on at the top of a long proof: the one with the fewest
// children that survive narrowing; of those, the one whose children leave the most
// free squares. A line that may stay empty counts that as one child. None when
// some line has no child at all.
template <Kern K>
std::optional<Verzweigung> vorausschauen(const Teilbrett& r, const Zaehlung& z, Voll voll) {
    Maske bleibt[kPlaetze];         // per slot, the squares whose child survives
    long zeilenRaum[kPlaetze] = {}; // the free squares its children leave
    long spaltenRaum[kMaxFeld] = {};
    Teilbrett kind;
    Pfad probe; // the queens a child sets, not kept
    for (int j = 0; j < r.n; ++j) {
        bleibt[j] = 0;
        for (Maske offen = r.frei[j]; offen != 0; offen &= offen - 1) {
            const int s = std::countr_zero(offen);
            probe.laenge = 0;
            Zaehlung kindZaehlung = platzieren<K>(r, kind, j, s, probe);
            if (!eingrenzen<K>(kind, kindZaehlung, probe)) continue;
            bleibt[j] |= Maske{1} << s;
            long raum = 0;
            for (int i = 0; i < kind.n; ++i) raum += K::bits(kind.frei[i]);
            zeilenRaum[j] += raum;
            spaltenRaum[s] += raum;
        }
    }
    Verzweigung beste{};
    int wenigste = std::numeric_limits<int>::max();
    long raum = 0;
    const auto besser = [&](int kinder, long kinderRaum) {
        if (kinder > wenigste || (kinder == wenigste && kinderRaum <= raum)) return false;
        wenigste = kinder;
        raum = kinderRaum;
        return true;
    };
    for (int j = 0; j < r.n; ++j)
        if (besser(K::bits(bleibt[j]) + (voll.zeilen ? 0 : 1), zeilenRaum[j]))
            beste = zeileNehmen(j, voll);
    for (Maske offen = z.spalten; offen != 0; offen &= offen - 1) {
        const int s = std::countr_zero(offen);
        int kinder = voll.spalten ? 0 : 1;
        for (int j = 0; j < r.n; ++j) kinder += static_cast<int>((bleibt[j] >> s) & 1);
        if (besser(kinder, spaltenRaum[s])) beste = spalteNehmen(s, voll);
    }
    if (wenigste == 0) return std::nullopt;
    return beste;
}

// A long proof looks ahead at its top, except where only columns are to spare:
// there it costs more than it saves.
bool vorausschauenLohnt(Beweisart art, int tiefe, Voll voll) {
    return art != Beweisart::kurz && tiefe < kVorschauTiefe && (!voll.zeilen || voll.spalten);
}

// Counts the node; why the proof must stop at it, if it must.
std::optional<Ausgang> anhalten(Beweis& b) {
    if (vorbei(b.zweig)) return Ausgang::abgebrochen;
    if (b.art == Beweisart::geteilt && b.zweig.lauf.gefunden.load(std::memory_order_relaxed))
        return Ausgang::abgebrochen;
    if (b.art == Beweisart::kurz && --b.vorrat < 0) return Ausgang::erschoepft;
    return std::nullopt;
}

// Where the guide has its queen on the line: the row's column, or the column's
// slot; -1 for nowhere.
int leitbildFeld(const Belegung& leitbild, const Teilbrett& r, const Verzweigung& v) {
    if (v.art == Linienart::zeile) {
        const int s = leitbild.spalte[r.nummer[v.linie]];
        return s >= 0 && ((r.frei[v.linie] >> s) & 1) != 0 ? s : -1;
    }
    for (int i = 0; i < r.n; ++i)
        if (((r.frei[i] >> v.linie) & 1) != 0 && leitbild.spalte[r.nummer[i]] == v.linie) return i;
    return -1;
}

// The slots whose rows have column `spalte` free, all but `ausser`, in `plaetze` from
// the top row down; how many.
int spalteAbwaerts(const Teilbrett& r, int spalte, int ausser, std::int8_t (&plaetze)[kPlaetze]) {
    Maske zeilenMit = 0; // as bits of the rows' numbers
    std::int8_t platzVon[kMaxFeld];
    for (int i = 0; i < r.n; ++i)
        if (i != ausser && ((r.frei[i] >> spalte) & 1) != 0) {
            zeilenMit |= Maske{1} << r.nummer[i];
            platzVon[r.nummer[i]] = static_cast<std::int8_t>(i);
        }
    int anzahl = 0;
    for (; zeilenMit != 0; zeilenMit &= zeilenMit - 1)
        plaetze[anzahl++] = platzVon[std::countr_zero(zeilenMit)];
    return anzahl;
}

template <Kern K> struct Kernbeweis;

// The children of a node on the line `v`, each narrowed and proved: the guide's
// first, so that a proof that finds a placement stays near it; then a row's squares
// left to right, or a column's top down; the line staying empty first where the
// guide has no queen on it, else last.
template <Kern K>
Ausgang kinderPruefen(Beweis& b, const Teilbrett& r, const Verzweigung& v, int tiefe) {
    Teilbrett kind;
    const int laenge = b.pfad.laenge; // each child sets its queens after this node's
    const auto kindPruefen = [&](Zaehlung kindZaehlung) {
        if (!eingrenzen<K>(kind, kindZaehlung, b.pfad)) return Ausgang::leer;
        if (b.art == Beweisart::geteilt && tiefe < kTeilTiefe &&
            b.zweig.lauf.hungrig.load(std::memory_order_relaxed) > 0) {
            weitergeben(b.zweig.lauf, kind, b.pfad, b.leitbild);
            return Ausgang::leer;
        }
        return Kernbeweis<K>::pruefen(b, kind, kindZaehlung, tiefe + 1);
    };
    const auto damePruefen = [&](int platz, int spalte) {
        b.pfad.laenge = laenge;
        return kindPruefen(platzieren<K>(r, kind, platz, spalte, b.pfad));
    };
    const auto leerPruefen = [&] {
        b.pfad.laenge = laenge;
        kind = r;
        if (v.art == Linienart::spalte)
            for (int j = 0; j < r.n; ++j) kind.frei[j] &= ~(Maske{1} << v.linie);
        else
            kind.frei[v.linie] = 0;
        return kindPruefen(erfassen(kind));
    };
    const bool spalte = v.art == Linienart::spalte;
    const int zuerst = leitbildFeld(b.leitbild, r, v);
    Ausgang a = Ausgang::leer;
    if (zuerst >= 0)
        a = spalte ? damePruefen(zuerst, v.linie) : damePruefen(v.linie, zuerst);
    else if (v.leerErlaubt)
        a = leerPruefen();
    if (a != Ausgang::leer) return a;
    if (spalte) {
        std::int8_t plaetze[kPlaetze];
        const int anzahl = spalteAbwaerts(r, v.linie, zuerst, plaetze);
        for (int i = 0; i < anzahl; ++i)
            if ((a = damePruefen(plaetze[i], v.linie)) != Ausgang::leer) return a;
    } else {
        for (Maske offen = r.frei[v.linie]; offen != 0; offen &= offen - 1)
            if (const int s = std::countr_zero(offen);
                s != zuerst && (a = damePruefen(v.linie, s)) != Ausgang::leer)
                return a;
    }
    if (zuerst >= 0 && v.leerErlaubt) return leerPruefen();
    return Ausgang::leer;
}

// A node of the proof: the narrowed `r`, counted in `z`, at `tiefe` below the top.
template <Kern K>
Ausgang knotenPruefen(Beweis& b, const Teilbrett& r, const Zaehlung& z, int tiefe) {
    if (r.damen <= 0) return Ausgang::platzierung;
    if (const std::optional<Ausgang> halt = anhalten(b)) return *halt;
    const Voll voll{.zeilen = r.damen == r.n, .spalten = r.damen == K::bits(z.spalten)};
    const std::optional<Verzweigung> v = vorausschauenLohnt(b.art, tiefe, voll)
                                             ? vorausschauen<K>(r, z, voll)
                                             : linieWaehlen<K>(r, z, voll);
    return v ? kinderPruefen<K>(b, r, *v, tiefe) : Ausgang::leer;
}

// Each kernel's proof, with every step inlined into it: for the vector kernel,
// built for the instructions it uses.
template <> struct Kernbeweis<EinfachKern> {
    [[gnu::flatten]] static Ausgang pruefen(Beweis& b, const Teilbrett& r, const Zaehlung& z,
                                            int tiefe) {
        return knotenPruefen<EinfachKern>(b, r, z, tiefe);
    }
};

#if QUEENBOARD_VEKTOREN()
template <> struct Kernbeweis<VektorKern> {
    [[QUEENBOARD_VEKTOR_ZIEL, gnu::flatten]] static Ausgang pruefen(Beweis& b, const Teilbrett& r,
                                                                    const Zaehlung& z, int tiefe) {
        return knotenPruefen<VektorKern>(b, r, z, tiefe);
    }
};
#endif

// The proof `b` of `r`, from depth `tiefe`, in the kernel the settings choose.
Befund pruefen(Beweis& b, const Teilbrett& r, int tiefe) {
    Ausgang a;
#if QUEENBOARD_VEKTOREN()
    if (b.zweig.lauf.einstellungen.vektoren)
        a = Kernbeweis<VektorKern>::pruefen(b, r, erfassen(r), tiefe);
    else
#endif
        a = Kernbeweis<EinfachKern>::pruefen(b, r, erfassen(r), tiefe);
    if (a == Ausgang::platzierung) return {a, belegung(b.pfad)};
    return {a, {}};
}

} // namespace

bool vektorenMoeglich() {
#if QUEENBOARD_VEKTOREN()
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") &&
           __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("popcnt");
#else
    return false;
#endif
}

Befund beweisen(Zweig& zweig, const Teilbrett& brett, const Pfad& pfad, const Belegung& leitbild) {
    const Einstellungen& e = zweig.lauf.einstellungen;
    Beweis kurz{.zweig = zweig,
                .art = Beweisart::kurz,
                .vorrat = e.teilenAb,
                .pfad = pfad,
                .leitbild = leitbild};
    const Befund befund = pruefen(kurz, brett, 0);
    if (befund.ausgang != Ausgang::erschoepft) return befund;
    zweig.lauf.fortschritt.langerBeweis = true;
    Befund langer;
    if (e.faeden > 1) {
        langer = gemeinsamBeweisen(zweig, brett, pfad, leitbild);
    } else {
        Beweis lang{.zweig = zweig,
                    .art = Beweisart::lang,
                    .vorrat = 0,
                    .pfad = pfad,
                    .leitbild = leitbild};
        langer = pruefen(lang, brett, 0);
    }
    zweig.lauf.fortschritt.langerBeweis = false;
    return langer;
}

Befund teilbaumBeweisen(Zweig& zweig, const Teilbaum& teil) {
    Beweis b{.zweig = zweig,
             .art = Beweisart::geteilt,
             .vorrat = 0,
             .pfad = teil.pfad,
             .leitbild = teil.leitbild};
    return pruefen(b, teil.brett, 0);
}

} // namespace queenboard
