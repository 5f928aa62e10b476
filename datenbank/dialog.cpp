// The dialogue: the menus, login and exam registration, and the run of the program.
#include "datenbank.h"
#include "intern.h"

#include "console.h"
#include "words.h"

#include <climits>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

namespace datenbank {

namespace {

// The exam catalogue: names in the choice and the registration messages, and in the
// registrations list.
const char* const kKlausurNamen[kAnzahlFaecher] = {"Programmieren 1", "Programmieren 2",
                                                   "Grundlagen der Informatik",
                                                   "Analysis und Lineare Algebra"};
const char* const kKlausurListenNamen[kAnzahlFaecher] = {"Programmieren 1", "Progammieren 2",
                                                         "Grundlagen der Informatik",
                                                         "Ananlysis und Lineare Algebra"};

// What tells a registration from a withdrawal.
struct Klausurbuchung {
    bool anmelden;
    const char* abgelehnt;     // the slot is already as asked
    const char* nachAblehnung; // blank lines after the refusal
    const char* richtung;      // "Erfolgreich zu ..." or "Erfolgreich von ..."
    const char* ergebnis;
};

const Klausurbuchung kAnmeldung{true, "Fuer dieses Fach bist du schon angemeldet!", "\n\n\n", "zu",
                                "angemeldet"};
const Klausurbuchung kAbmeldung{false, "Du warst noch gar nicht angmeldet!", "", "von",
                                "abgemeldet"};

void klausurBuchen(int klausur, Datensatz* daten, const Klausurbuchung& buchung) {
    if (klausur < 0 || klausur >= kAnzahlFaecher) return;
    int& platz = daten->klausuren[klausur];
    if ((platz == klausur) == buchung.anmelden) {
        meldungAusgeben("\n\t", buchung.abgelehnt);
        std::fputs(buchung.nachAblehnung, stdout);
        return;
    }
    platz = buchung.anmelden ? klausur : -1;
    // The count only moves by one, but one loaded from an edited file may sit at a limit.
    int& anzahl = daten->anzahlKlausuren;
    if (buchung.anmelden && anzahl < INT_MAX) ++anzahl;
    if (!buchung.anmelden && anzahl > INT_MIN) --anzahl;
    std::printf("\n\tErfolgreich %s ", buchung.richtung);
    console::writeColoured(kFarbeEingabe, kKlausurNamen[klausur], kFarbeText);
    std::printf(" %s\n", buchung.ergebnis);
}

// A menu needs a key, so the end of input ends the dialogue here.
int tasteLesen() {
    const int taste = console::getKey();
    if (taste == console::kEndOfInput) throw EingabeBeendet{};
    return taste;
}

// A typed word in white, the colour set back to grey after it; a word longer than
// `laengstes` keeps one byte more, so it stays too long.
std::string wortLesen(std::size_t laengstes) {
    console::setcolor(kFarbeEingabe);
    std::string wort;
    if (console::readWord(wort, laengstes) == console::Read::end) throw EingabeBeendet{};
    console::setcolor(kFarbeText);
    return wort;
}

// A typed student number at the delete and login prompts. A word longer than any
// stored number stays longer than any, so it matches nothing; a NUL inside the word
// would cut it to a prefix that could match another student, so such a word becomes a
// key longer than any stored number as well.
std::string nummerLesen() {
    const std::string wort = wortLesen(kMatrikelnummerLaenge - 1);
    if (wort.find('\0') != std::string::npos) return std::string(kMatrikelnummerLaenge, '#');
    return wort;
}

void ueberschriftZeigen(const char* davor, std::string_view titel, int danach) {
    std::fputs(davor, stdout);
    console::writeColoured(kFarbeUeberschrift, titel, danach);
    std::fputs("\n\n", stdout);
}

// One line of a menu or of the exam choice: the key in red, then its label in grey.
void menuezeileZeigen(char taste, const char* text, const char* ende) {
    std::fputs("\t ", stdout);
    console::writeColoured(kFarbeMeldung, std::string_view(&taste, 1), kFarbeMenue);
    std::fputs("  ", stdout);
    std::fputs(text, stdout);
    std::fputs(ende, stdout);
}

} // namespace

// ---- Login and exams ---------------------------------------------------------------------

bool einlogen(const char* matrikelnummer, Liste* liste) {
    Element* e = finden(matrikelnummer, liste);
    if (e) liste->angemeldet = e;
    return e != nullptr;
}

void auslogen(Liste* liste) {
    liste->angemeldet = nullptr;
    meldungAusgeben("\n\n\t\t\t", "Ausgeloggt");
    std::fputs("\n", stdout);
}

void klausurAnmeldung(int klausur, Datensatz* daten) {
    klausurBuchen(klausur, daten, kAnmeldung);
}

void klausurAbmeldung(int klausur, Datensatz* daten) {
    klausurBuchen(klausur, daten, kAbmeldung);
}

void printKlausurAnmeldungen(const Datensatz* daten) {
    console::setcolor(kFarbeText);
    std::fputs("\n\n\n\n\tbisher angemeldet bei:\n\n", stdout);
    if (daten->anzahlKlausuren <= 0) {
        std::fputs("\t\t\t", stdout);
        console::writeColoured(kFarbeEingabe, "keiner Klausur", kFarbeText);
        std::fputs("\n", stdout);
    } else {
        for (int klausur : daten->klausuren) {
            if (klausur < 0 || klausur >= kAnzahlFaecher) continue;
            std::fputs("\t\t\t- ", stdout);
            console::writeColoured(kFarbeEingabe, kKlausurListenNamen[klausur], kFarbeText);
            std::fputs("\n", stdout);
        }
    }
    std::fputs("\n\n\n", stdout);
}

namespace {

// ---- Menus ---------------------------------------------------------------------------

constexpr char kZurueck = '0'; // the entry that leaves a menu, after its action if any
constexpr int kVersuche = 3;   // for a new record

int klein(int taste) {
    return taste >= 'A' && taste <= 'Z' ? taste - 'A' + 'a' : taste;
}

// An entry is shown with its key as given and chosen by the small letter of it.
struct Eintrag {
    char taste;
    const char* text;
    void (*aktion)(Liste*); // none: the entry only leaves
};

struct Menue {
    void (*kopf)(); // each menu draws its own heading
    std::span<const Eintrag> eintraege;
    bool grossWieKlein; // a capital letter chooses as its small one does
};

// Draws the menu and acts on the key pressed, until the key that leaves; other keys
// just draw it again.
void menueFuehren(const Menue& m, Liste* liste) {
    for (;;) {
        m.kopf();
        for (const Eintrag& e : m.eintraege) {
            // The last line leaves the dialogue some room below.
            menuezeileZeigen(e.taste, e.text, &e == &m.eintraege.back() ? "\n\n\n\n\n\n\n" : "\n");
        }
        const int taste = m.grossWieKlein ? klein(tasteLesen()) : tasteLesen();
        for (const Eintrag& e : m.eintraege) {
            if (taste != klein(e.taste)) continue;
            if (e.aktion) e.aktion(liste);
            if (e.taste == kZurueck) return;
            break;
        }
    }
}

void datensatzAnlegen(Liste* liste) {
    for (int versuch = 1; versuch <= kVersuche; ++versuch) {
        if (versuch == kVersuche) {
            console::setcolor(kFarbeMenue);
            std::fputs("\n\t\t", stdout);
            console::writeColoured(kFarbeMeldung, "Letzter Versuch!", kFarbeMenue);
            std::fputs("\n", stdout);
        }
        if (eingeben(liste)) return;
    }
}

void loeschungAbfragen(Liste* liste) {
    console::setcolor(kFarbeText);
    std::fputs("\tBitte Matrikelnummer des zu loeschenden Datensatzes eingeben: ", stdout);
    const std::string nummer = nummerLesen();
    loeschen(nummer.c_str(), liste);
}

// `buchen` is klausurAnmeldung or klausurAbmeldung.
void klausurWaehlen(void (*buchen)(int, Datensatz*), Liste* liste) {
    std::fputs("\n\n\n\n\n\n", stdout);
    for (int i = 0; i < kAnzahlFaecher; ++i)
        menuezeileZeigen(static_cast<char>('1' + i), kKlausurNamen[i], "\n");
    menuezeileZeigen(kZurueck, "keine", "\n\n");
    console::setcolor(kFarbeText);
    std::fputs("\tBitte Nummer der Klausur eingeben: ", stdout);
    const std::string wort = wortLesen(words::kLongestInteger);
    int nummer = 0;
    // 0, other numbers and words that are no number select nothing.
    if (words::parseInt(wort, nummer) && nummer >= 1 && nummer <= kAnzahlFaecher)
        buchen(nummer - 1, liste->angemeldet->daten);
    std::fputs("\n\n\n", stdout);
}

const Eintrag kAktionen[] = {
    {'N', "Klausuranmeldung", [](Liste* l) { klausurWaehlen(klausurAnmeldung, l); }},
    {'B', "Klausurabmeldung", [](Liste* l) { klausurWaehlen(klausurAbmeldung, l); }},
    {'P', "Angemeldete Klausuren", [](Liste* l) { printKlausurAnmeldungen(l->angemeldet->daten); }},
    {kZurueck, "Auslogen", auslogen},
};
void aktionsKopfZeigen() {
    console::setcolor(kFarbeText);
    std::fputs("\t\tWelche Aktion moechtest du ausfuehren?\n\n", stdout);
}
const Menue kAktionsMenue{aktionsKopfZeigen, kAktionen, false};

void einlogenAbfragen(Liste* liste) {
    ueberschriftZeigen("\n\n\n\n\t\t\t", "BenutzerLogin", kFarbeText);
    std::fputs("\tBitte Matrikelnummer eingeben: ", stdout);
    const std::string nummer = nummerLesen();
    if (!einlogen(nummer.c_str(), liste)) {
        std::fputs("\t", stdout);
        console::writeColoured(kFarbeMeldung, "Login fehlgeschlagen", kFarbeText);
        std::fputs("!\n", stdout);
        return;
    }
    const Datensatz& student = *liste->angemeldet->daten;
    ueberschriftZeigen("\n\n\n\n\n\t\t ",
                       "Willkommen " + std::string(student.vorname) + " " + student.nachname + "!",
                       kFarbeText);
    menueFuehren(kAktionsMenue, liste);
}

const Eintrag kBenutzerEintraege[] = {
    {'N', "Neuen Benutzer anlegen", datensatzAnlegen},
    {'L', "Benutzer einlogen", einlogenAbfragen},
    {'P', "Benutzerliste Ausgeben", [](Liste* l) { printListe(l); }},
    {kZurueck, "zurueck", nullptr},
};
void benutzerKopfZeigen() {
    ueberschriftZeigen("\n\n\n\t\t\t", "Benutzer Ebene", kFarbeMenue);
}
const Menue kBenutzerEbene{benutzerKopfZeigen, kBenutzerEintraege, false};

const Eintrag kAdministratorEintraege[] = {
    {'B', "Benutzer Ebene", [](Liste* l) { menueFuehren(kBenutzerEbene, l); }},
    {'L', "Datenbank Laden", laden},
    {'S', "Datenbank Speichern", [](Liste* l) { speichern(l); }},
    {'N', "Neuen Datensatz anlegen", datensatzAnlegen},
    {'D', "Datensatz Loeschen", loeschungAbfragen},
    {'P', "Datenbank Ausgeben", [](Liste* l) { printListe(l); }},
    {kZurueck, "Programm verlassen", nullptr},
};
void administratorKopfZeigen() {
    ueberschriftZeigen("\n\n\n\t\t\t", "Administor Ebene", kFarbeMenue);
}
const Menue kAdministratorEbene{administratorKopfZeigen, kAdministratorEintraege, true};

} // namespace

// ---- The program -------------------------------------------------------------------------

int datenbankAusfuehren() {
    Liste* liste = nullptr;
    if (!createList(liste)) return 1;
    try {
        menueFuehren(kAdministratorEbene, liste);
        logo();
    } catch (const EingabeBeendet&) {
        // End of input where an answer was needed: stop here, print and save nothing.
    }
    listeFreigeben(liste);
    return 0;
}

} // namespace datenbank
