// The dialogue: the menus, login and exam registration, and the run of the program.
#include "datenbank.h"
#include "intern.h"

#include "console.h"

#include <climits>
#include <cstdio>
#include <string>
#include <string_view>

using namespace console;

namespace datenbank {

namespace {

// The exam catalogue: names in the registration messages, and in the registrations list.
const char* const kKlausurNamen[kAnzahlFaecher] = {"Programmieren 1", "Programmieren 2",
                                                   "Grundlagen der Informatik",
                                                   "Analysis und Lineare Algebra"};
const char* const kKlausurListenNamen[kAnzahlFaecher] = {"Programmieren 1", "Progammieren 2",
                                                         "Grundlagen der Informatik",
                                                         "Ananlysis und Lineare Algebra"};

// The counts only move by one, but a count loaded from an edited file may sit at a limit.
void erhoehen(int& wert) {
    if (wert < INT_MAX) ++wert;
}
void verringern(int& wert) {
    if (wert > INT_MIN) --wert;
}

int taste() {
    const int key = getKey();
    if (key == kEndOfInput) throw InputEnded{};
    return key;
}

// A typed word in white, the colour set back to grey after it.
std::string wortEingabe() {
    setcolor(kFarbeEingabe);
    std::string wort;
    if (readWord(wort) == Read::end) throw InputEnded{};
    setcolor(kFarbeText);
    return wort;
}

// A typed student number at the delete and login prompts. A word longer than any
// stored number is kept whole, so it matches nothing; a NUL inside the word would cut
// it to a prefix that could match another student, so such a word becomes a key
// longer than any stored number as well.
std::string nummerEingabe() {
    const std::string wort = wortEingabe();
    if (wort.find('\0') != std::string::npos) return std::string(kMatrikelnummerLaenge, '#');
    return wort;
}

// The heading of a menu level; its menu lines follow in dark grey.
void ebenenKopf(const char* titel) {
    std::fputs("\n\n\n\t\t\t", stdout);
    writeColoured(kFarbeUeberschrift, titel, kFarbeMenue);
    std::fputs("\n\n", stdout);
}

void menuZeile(char key, const char* text) {
    std::fputs("\t ", stdout);
    writeColoured(kFarbeMeldung, std::string_view(&key, 1), kFarbeMenue);
    std::fputs(text, stdout);
}

} // namespace

// ---- Login and exams ---------------------------------------------------------------------

bool einlogen(const char* matrikelnummer, Liste* liste) {
    for (Element* e = liste->anfang; e; e = e->next) {
        if (gleich(e->daten, matrikelnummer)) {
            liste->angemeldet = e;
            return true;
        }
    }
    return false;
}

void auslogen(Liste* liste) {
    liste->angemeldet = nullptr;
    meldung("\n\n\t\t\t", "Ausgeloggt");
    std::fputs("\n", stdout);
}

void klausurAnmeldung(int klausur, Datensatz* daten) {
    if (klausur < 0 || klausur >= kAnzahlFaecher) return;
    if (daten->klausuren[klausur] == klausur) {
        meldung("\n\t", "Fuer dieses Fach bist du schon angemeldet!");
        std::fputs("\n\n\n", stdout);
        return;
    }
    daten->klausuren[klausur] = klausur;
    erhoehen(daten->anzahlKlausuren);
    std::fputs("\n\tErfolgreich zu ", stdout);
    writeColoured(kFarbeEingabe, kKlausurNamen[klausur], kFarbeText);
    std::fputs(" angemeldet\n", stdout);
}

void klausurAbmeldung(int klausur, Datensatz* daten) {
    if (klausur < 0 || klausur >= kAnzahlFaecher) return;
    if (daten->klausuren[klausur] != klausur) {
        meldung("\n\t", "Du warst noch gar nicht angmeldet!");
        return;
    }
    daten->klausuren[klausur] = -1;
    verringern(daten->anzahlKlausuren);
    std::fputs("\n\tErfolgreich von ", stdout);
    writeColoured(kFarbeEingabe, kKlausurNamen[klausur], kFarbeText);
    std::fputs(" abgemeldet\n", stdout);
}

void printKlausurAnmeldungen(const Datensatz* daten) {
    setcolor(kFarbeText);
    std::fputs("\n\n\n\n\tbisher angemeldet bei:\n\n", stdout);
    if (daten->anzahlKlausuren <= 0) {
        std::fputs("\t\t\t", stdout);
        writeColoured(kFarbeEingabe, "keiner Klausur", kFarbeText);
        std::fputs("\n", stdout);
    } else {
        for (int slot : daten->klausuren) {
            if (slot < 0 || slot >= kAnzahlFaecher) continue;
            std::fputs("\t\t\t- ", stdout);
            writeColoured(kFarbeEingabe, kKlausurListenNamen[slot], kFarbeText);
            std::fputs("\n", stdout);
        }
    }
    std::fputs("\n\n\n", stdout);
}

namespace {

// ---- Menus ---------------------------------------------------------------------------

void neuerDatensatz(Liste* liste) {
    for (int versuch = 1; versuch <= 3; ++versuch) {
        if (versuch == 3) {
            setcolor(kFarbeMenue);
            std::fputs("\n\t\t", stdout);
            writeColoured(kFarbeMeldung, "Letzter Versuch!", kFarbeMenue);
            std::fputs("\n", stdout);
        }
        if (eingeben(liste)) return;
    }
}

void loeschenAbfrage(Liste* liste) {
    setcolor(kFarbeText);
    std::fputs("\tBitte Matrikelnummer des zu loeschenden Datensatzes eingeben: ", stdout);
    const std::string nummer = nummerEingabe();
    loeschen(nummer.c_str(), liste);
}

void klausurAuswahl(bool anmelden, Liste* liste) {
    std::fputs("\n\n\n\n\n\n", stdout);
    menuZeile('1', "  Programmieren 1\n");
    menuZeile('2', "  Programmieren 2\n");
    menuZeile('3', "  Grundlagen der Informatik\n");
    menuZeile('4', "  Analysis und Lineare Algebra\n");
    menuZeile('0', "  keine\n\n");
    writeColoured(kFarbeText, "\tBitte Nummer der Klausur eingeben: ", kFarbeEingabe);
    int nummer = 0;
    const Read gelesen = readInt(nummer);
    if (gelesen == Read::end) throw InputEnded{};
    setcolor(kFarbeText);
    // 0, other numbers and words that are no number select nothing.
    if (gelesen == Read::ok && nummer >= 1 && nummer <= kAnzahlFaecher) {
        if (anmelden) {
            klausurAnmeldung(nummer - 1, liste->angemeldet->daten);
        } else {
            klausurAbmeldung(nummer - 1, liste->angemeldet->daten);
        }
    }
    std::fputs("\n\n\n", stdout);
}

void aktionsMenu(Liste* liste) {
    for (;;) {
        setcolor(kFarbeText);
        std::fputs("\t\tWelche Aktion moechtest du ausfuehren?\n\n", stdout);
        menuZeile('N', "  Klausuranmeldung\n");
        menuZeile('B', "  Klausurabmeldung\n");
        menuZeile('P', "  Angemeldete Klausuren\n");
        menuZeile('0', "  Auslogen\n\n\n\n\n\n\n");
        switch (taste()) {
        case 'n':
            klausurAuswahl(true, liste);
            break;
        case 'b':
            klausurAuswahl(false, liste);
            break;
        case 'p':
            printKlausurAnmeldungen(liste->angemeldet->daten);
            break;
        case '0':
            auslogen(liste);
            return;
        default:
            break;
        }
    }
}

void login(Liste* liste) {
    std::fputs("\n\n\n\n\t\t\t", stdout);
    writeColoured(kFarbeUeberschrift, "BenutzerLogin", kFarbeText);
    std::fputs("\n\n", stdout);
    std::fputs("\tBitte Matrikelnummer eingeben: ", stdout);
    const std::string nummer = nummerEingabe();
    if (!einlogen(nummer.c_str(), liste)) {
        std::fputs("\t", stdout);
        writeColoured(kFarbeMeldung, "Login fehlgeschlagen", kFarbeText);
        std::fputs("!\n", stdout);
        return;
    }
    std::fputs("\n\n\n\n\n\t\t ", stdout);
    setcolor(kFarbeUeberschrift);
    const Datensatz* student = liste->angemeldet->daten;
    std::printf("Willkommen %s %s!", student->vorname, student->nachname);
    setcolor(kFarbeText);
    std::fputs("\n\n", stdout);
    aktionsMenu(liste);
}

void benutzerEbene(Liste* liste) {
    for (;;) {
        ebenenKopf("Benutzer Ebene");
        menuZeile('N', "  Neuen Benutzer anlegen\n");
        menuZeile('L', "  Benutzer einlogen\n");
        menuZeile('P', "  Benutzerliste Ausgeben\n");
        menuZeile('0', "  zurueck\n\n\n\n\n\n\n");
        // Only the exact characters act here; upper case is not folded.
        switch (taste()) {
        case 'n':
            neuerDatensatz(liste);
            break;
        case 'l':
            login(liste);
            break;
        case 'p':
            printListe(liste);
            break;
        case '0':
            return;
        default:
            break;
        }
    }
}

void administratorEbene(Liste* liste) {
    for (;;) {
        ebenenKopf("Administor Ebene");
        menuZeile('B', "  Benutzer Ebene\n");
        menuZeile('L', "  Datenbank Laden\n");
        menuZeile('S', "  Datenbank Speichern\n");
        menuZeile('N', "  Neuen Datensatz anlegen\n");
        menuZeile('D', "  Datensatz Loeschen\n");
        menuZeile('P', "  Datenbank Ausgeben\n");
        menuZeile('0', "  Programm verlassen\n\n\n\n\n\n\n");
        int key = taste();
        if (key >= 'A' && key <= 'Z') key = key - 'A' + 'a';
        switch (key) {
        case 'b':
            benutzerEbene(liste);
            break;
        case 'l':
            laden(liste);
            break;
        case 's':
            speichern(liste);
            break;
        case 'n':
            neuerDatensatz(liste);
            break;
        case 'd':
            loeschenAbfrage(liste);
            break;
        case 'p':
            printListe(liste);
            break;
        case '0':
            return;
        default:
            break;
        }
    }
}

} // namespace

// ---- The program -------------------------------------------------------------------------

int runDatenbank() {
    Liste* liste = nullptr;
    if (!createList(liste)) return 1;
    try {
        administratorEbene(liste);
        logo();
    } catch (const InputEnded&) {
        // End of input where an answer was needed: stop here, print and save nothing.
    }
    listeFreigeben(liste);
    return 0;
}

} // namespace datenbank
