// What the files of datenbank share: colours by their role, heap reservations, the red
// message line, fitting a word into a record's field, and finding a student number.
#pragma once

#include "datenbank.h"

#include "console.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string_view>

namespace datenbank {

// The colours of the dialogue by their role.
inline constexpr int kFarbeText = console::kHellgrau;        // text and prompts
inline constexpr int kFarbeMeldung = console::kRot;          // messages and the menus' keys
inline constexpr int kFarbeEingabe = console::kWeiss;        // typed words, names of exams
inline constexpr int kFarbeUeberschrift = console::kHellrot; // headings and the welcome
inline constexpr int kFarbeMenue = console::kDunkelgrau;     // menu entries

// False when the seam asks for this reservation to fail.
bool reservierungErlaubt();

// A failed reservation has its own message, so it must not throw.
template <typename T> T* reservieren() {
    if (!reservierungErlaubt()) return nullptr;
    return new (std::nothrow) T{};
}

// "\t\t\t", the message in red, then back to grey: the form of every outcome line.
inline void meldungAusgeben(const char* einrueckung, const char* text) {
    std::fputs(einrueckung, stdout);
    console::writeColoured(kFarbeMeldung, text, kFarbeText);
    std::fputs("\n", stdout);
}

inline void speicherfehlerMelden() {
    meldungAusgeben("\t\t\t", "Fehler bei der Speicherreservierung!!!");
}

// Copies `wort` into a record's field when it fits: room left for the NUL, and no NUL
// inside that would cut it short. A word that does not fit is refused, never cut.
template <std::size_t N> bool feldFuellen(char (&feld)[N], std::string_view wort) {
    if (wort.size() >= N || wort.find('\0') != std::string_view::npos) return false;
    std::memcpy(feld, wort.data(), wort.size());
    feld[wort.size()] = '\0';
    return true;
}

// The first record with the whole number, exactly (no prefix matches, and case
// counts); none when there is no such record.
inline Element* finden(const char* matrikelnummer, const Liste* liste) {
    Element* e = liste->anfang;
    while (e && std::strcmp(e->daten->matrikelnummer, matrikelnummer) != 0) e = e->next;
    return e;
}

} // namespace datenbank
