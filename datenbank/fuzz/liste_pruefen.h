// The list invariants every datenbank harness checks after each step, and a model of
// the database file to compare loaded records with.
#pragma once

#include "datenbank.h"
#include "fuzz_harness.h"
#include "fuzz_woerter.h"

#include <cctype>
#include <climits>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace harness {

using datenbank::Datensatz;
using datenbank::Element;
using datenbank::kAnzahlFaecher;
using datenbank::Liste;

// One node as it was: where it lives and what it held.
struct Knoten {
    const Element* element;
    const Datensatz* daten;
    Datensatz inhalt;
};

template <std::size_t N> bool abgeschlossen(const char (&feld)[N]) {
    return std::memchr(feld, '\0', N) != nullptr;
}

// Links both ways, every field ends within its width, the logged-in node is in the
// list; the nodes head first. A cycle shows as a back link that does not fit.
inline std::vector<Knoten> pruefen(const Liste* liste) {
    PRUEFEN(liste != nullptr);
    std::vector<Knoten> knoten;
    bool angemeldetGefunden = liste->angemeldet == nullptr;
    const Element* vorher = nullptr;
    for (const Element* e = liste->anfang; e; e = e->next) {
        PRUEFEN(e->prev == vorher);
        PRUEFEN(e->daten != nullptr);
        const Datensatz& d = *e->daten;
        PRUEFEN(abgeschlossen(d.matrikelnummer));
        PRUEFEN(abgeschlossen(d.vorname));
        PRUEFEN(abgeschlossen(d.nachname));
        PRUEFEN(abgeschlossen(d.email));
        PRUEFEN(abgeschlossen(d.telefon));
        if (e == liste->angemeldet) angemeldetGefunden = true;
        knoten.push_back({e, e->daten, d});
        vorher = e;
    }
    PRUEFEN(angemeldetGefunden);
    return knoten;
}

inline bool gleicherInhalt(const Datensatz& a, const Datensatz& b) {
    return std::strcmp(a.matrikelnummer, b.matrikelnummer) == 0 &&
           std::strcmp(a.vorname, b.vorname) == 0 && std::strcmp(a.nachname, b.nachname) == 0 &&
           std::strcmp(a.email, b.email) == 0 && std::strcmp(a.telefon, b.telefon) == 0 &&
           a.anzahlKlausuren == b.anzahlKlausuren &&
           std::memcmp(a.klausuren, b.klausuren, sizeof a.klausuren) == 0;
}

// The old nodes are the tail of the new list, the same nodes holding the same values.
inline void alteUnveraendert(const std::vector<Knoten>& alt, const std::vector<Knoten>& neu) {
    PRUEFEN(neu.size() >= alt.size());
    const std::size_t vorn = neu.size() - alt.size();
    for (std::size_t i = 0; i < alt.size(); ++i) {
        PRUEFEN(neu[vorn + i].element == alt[i].element);
        PRUEFEN(neu[vorn + i].daten == alt[i].daten);
        PRUEFEN(gleicherInhalt(neu[vorn + i].inhalt, alt[i].inhalt));
    }
}

// The record of ten words in file order, if they make one.
inline bool datensatzBilden(const std::vector<std::string_view>& w, std::size_t ab, Datensatz& d) {
    if (ab + 10 > w.size()) return false;
    const std::string_view* t = &w[ab];
    if (!passtInFeld(t[0], sizeof d.matrikelnummer) || !passtInFeld(t[1], sizeof d.nachname) ||
        !passtInFeld(t[2], sizeof d.vorname) || !passtInFeld(t[3], sizeof d.email) ||
        !passtInFeld(t[4], sizeof d.telefon))
        return false;
    int zahlen[5];
    for (int i = 0; i < 5; ++i) {
        if (!ganzzahl(t[5 + i], zahlen[i])) return false;
    }
    d = Datensatz{};
    std::memcpy(d.matrikelnummer, t[0].data(), t[0].size());
    std::memcpy(d.nachname, t[1].data(), t[1].size());
    std::memcpy(d.vorname, t[2].data(), t[2].size());
    std::memcpy(d.email, t[3].data(), t[3].size());
    std::memcpy(d.telefon, t[4].data(), t[4].size());
    d.anzahlKlausuren = zahlen[0];
    for (int i = 0; i < kAnzahlFaecher; ++i) d.klausuren[i] = zahlen[1 + i];
    return true;
}

// The records a load of this file must add, in file order: every whole record up to
// the first malformed one.
inline std::vector<Datensatz> erwarteteDatensaetze(std::string_view datei) {
    const auto w = woerter(datei);
    std::vector<Datensatz> out;
    Datensatz d;
    for (std::size_t ab = 0; datensatzBilden(w, ab, d); ab += 10) out.push_back(d);
    return out;
}

// After a load without failing reservations: the file's records in front, newest
// (last in the file) first, and the old nodes untouched behind them.
inline void geladenWieDieDatei(const std::vector<Knoten>& alt, const std::vector<Knoten>& neu,
                               std::string_view datei) {
    alteUnveraendert(alt, neu);
    const auto erwartet = erwarteteDatensaetze(datei);
    PRUEFEN(neu.size() - alt.size() == erwartet.size());
    for (std::size_t i = 0; i < erwartet.size(); ++i)
        PRUEFEN(gleicherInhalt(neu[erwartet.size() - 1 - i].inhalt, erwartet[i]));
}

// The bytes speichern must write for the list.
inline std::string gespeichert(const std::vector<Knoten>& knoten) {
    std::string out;
    char zahlen[80];
    for (const auto& k : knoten) {
        const Datensatz& d = k.inhalt;
        for (const char* feld : {d.matrikelnummer, d.nachname, d.vorname, d.email, d.telefon}) {
            out += feld;
            out += ' ';
        }
        std::snprintf(zahlen, sizeof zahlen, "%d %d %d %d %d \r\n", d.anzahlKlausuren,
                      d.klausuren[0], d.klausuren[1], d.klausuren[2], d.klausuren[3]);
        out += zahlen;
    }
    return out;
}

} // namespace harness
