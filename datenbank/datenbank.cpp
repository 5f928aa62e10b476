#include "datenbank.h"
#include "seam.h"

#include "console.h"
#include "ersetzen.h"

#include <cctype>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <thread>

using namespace console;

namespace datenbank {

namespace {

const char* const kDateiname = "fh-datenbank.txt";

// The exam catalogue: names in the registration messages, and in the registrations list.
const char* const kKlausurNamen[kAnzahlFaecher] = {"Programmieren 1", "Programmieren 2",
                                                   "Grundlagen der Informatik",
                                                   "Analysis und Lineare Algebra"};
const char* const kKlausurListenNamen[kAnzahlFaecher] = {"Programmieren 1", "Progammieren 2",
                                                         "Grundlagen der Informatik",
                                                         "Ananlysis und Lineare Algebra"};

// ---- Helpers ---------------------------------------------------------------------

int reservationsUntilFailure = 0;

// Every heap block of the program comes from here, so a test can make one fail.
template <typename T> T* reservieren() {
    if (reservationsUntilFailure > 0 && --reservationsUntilFailure == 0) return nullptr;
    return new (std::nothrow) T{};
}

// "\t\t\t", the message in red, then back to grey: the form of every outcome line.
void meldung(const char* einrueckung, const char* text) {
    std::fputs(einrueckung, stdout);
    setcolor(4);
    std::fputs(text, stdout);
    setcolor(7);
    std::fputs("\n", stdout);
}

void speicherFehler() {
    meldung("\t\t\t", "Fehler bei der Speicherreservierung!!!");
}

// A word fits a field when it leaves room for the NUL; a NUL inside it would cut it short.
bool passt(std::string_view wort, std::size_t feldbreite) {
    return wort.size() < feldbreite && wort.find('\0') == std::string_view::npos;
}

template <std::size_t N> void kopieren(char (&feld)[N], std::string_view wort) {
    std::memcpy(feld, wort.data(), wort.size());
    feld[wort.size()] = '\0';
}

bool gleich(const Datensatz* daten, const char* matrikelnummer) {
    return std::strcmp(daten->matrikelnummer, matrikelnummer) == 0;
}

void freigeben(Element* element) {
    delete element->daten;
    delete element;
}

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
    setcolor(15);
    std::string wort;
    if (readWord(wort) == Read::end) throw InputEnded{};
    setcolor(7);
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
    setcolor(12);
    std::fputs(titel, stdout);
    setcolor(8);
    std::fputs("\n\n", stdout);
}

void menuZeile(char key, const char* text) {
    std::fputs("\t ", stdout);
    setcolor(4);
    std::putchar(key);
    setcolor(8);
    std::fputs(text, stdout);
}

void rahmen(int code, int anzahl = 1) {
    for (int i = 0; i < anzahl; ++i) printFrame(code);
}

// One horizontal line of the listing: left end, the five column fills, right end.
void tabellenLinie(int links, int kreuzung, int rechts) {
    setcolor(135);
    rahmen(links);
    const int breiten[] = {10, 12, 17, 17, 17};
    for (int i = 0; i < 5; ++i) {
        if (i > 0) rahmen(kreuzung);
        rahmen(205, breiten[i]);
    }
    rahmen(rechts);
}

// One cell of a row: the value right-aligned in its width, printed whole if longer.
// The width is in screen columns on a UTF-8 terminal and in bytes elsewhere.
void zelle(int breite, const char* wert) {
    setcolor(143);
    std::fputs(" ", stdout);
    printRightAligned(wert, breite);
    setcolor(135);
    std::fputs(" ", stdout);
    rahmen(186);
}

// ---- Reading the database file -------------------------------------------------------

// Splits the file into words at any white space.
class Woerter {
  public:
    explicit Woerter(std::string_view text) : text_(text) {}

    bool ende() {
        ueberspringen();
        return pos_ == text_.size();
    }

    bool naechstes(std::string_view& wort) {
        ueberspringen();
        if (pos_ == text_.size()) return false;
        const std::size_t anfang = pos_;
        while (pos_ < text_.size() && !weiss(text_[pos_])) ++pos_;
        wort = text_.substr(anfang, pos_ - anfang);
        return true;
    }

  private:
    static bool weiss(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
    void ueberspringen() {
        while (pos_ < text_.size() && weiss(text_[pos_])) ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// One record in file order: number, surname, first name, e-mail, telephone, count, four slots.
bool datensatzLesen(Woerter& woerter, Datensatz& daten) {
    std::string_view wort[10];
    for (auto& w : wort) {
        if (!woerter.naechstes(w)) return false;
    }
    if (!passt(wort[0], sizeof daten.matrikelnummer) || !passt(wort[1], sizeof daten.nachname) ||
        !passt(wort[2], sizeof daten.vorname) || !passt(wort[3], sizeof daten.email) ||
        !passt(wort[4], sizeof daten.telefon))
        return false;
    int zahlen[1 + kAnzahlFaecher];
    for (int i = 0; i < 1 + kAnzahlFaecher; ++i) {
        if (!parseInt(wort[5 + i], zahlen[i])) return false;
    }
    kopieren(daten.matrikelnummer, wort[0]);
    kopieren(daten.nachname, wort[1]);
    kopieren(daten.vorname, wort[2]);
    kopieren(daten.email, wort[3]);
    kopieren(daten.telefon, wort[4]);
    daten.anzahlKlausuren = zahlen[0];
    for (int i = 0; i < kAnzahlFaecher; ++i) daten.klausuren[i] = zahlen[1 + i];
    return true;
}

bool dateiLesen(std::FILE* datei, std::string& inhalt) {
    char puffer[65536];
    std::size_t gelesen;
    while ((gelesen = std::fread(puffer, 1, sizeof puffer, datei)) > 0)
        inhalt.append(puffer, gelesen);
    return std::ferror(datei) == 0;
}

// ---- Writing the database file ---------------------------------------------------

// One record as a line of the file; CR LF on every platform, as the file format has it.
std::string datensatzZeile(const Datensatz& d) {
    char zeile[256];
    const int laenge =
        std::snprintf(zeile, sizeof zeile, "%s %s %s %s %s %d %d %d %d %d \r\n", d.matrikelnummer,
                      d.nachname, d.vorname, d.email, d.telefon, d.anzahlKlausuren, d.klausuren[0],
                      d.klausuren[1], d.klausuren[2], d.klausuren[3]);
    return std::string(zeile, static_cast<std::size_t>(laenge));
}

} // namespace

void failReservationAfter(int n) {
    reservationsUntilFailure = n;
}

// ---- Record list ---------------------------------------------------------------------

bool createList(Liste*& liste) {
    liste = reservieren<Liste>();
    if (!liste) return false;
    liste->anfang = nullptr;
    liste->angemeldet = nullptr;
    return true;
}

void einfuegen(Datensatz* daten, Liste* liste) {
    Element* neu = reservieren<Element>();
    if (!neu) {
        speicherFehler();
        delete daten; // a record that cannot be linked would only be lost
        return;
    }
    neu->daten = daten;
    neu->prev = nullptr;
    neu->next = liste->anfang;
    if (liste->anfang) liste->anfang->prev = neu;
    liste->anfang = neu;
}

bool vorhanden(const char* matrikelnummer, const Liste* liste) {
    for (const Element* e = liste->anfang; e; e = e->next) {
        if (gleich(e->daten, matrikelnummer)) return true;
    }
    return false;
}

bool eingeben(Liste* liste) {
    Datensatz* neu = reservieren<Datensatz>();
    if (!neu) {
        speicherFehler();
        return false;
    }
    setcolor(7);
    std::fputs("\n\nBitte Matrikelnummer, Vorname, Nachname, email, telefon  eingeben\n\n", stdout);
    setcolor(15);
    // All five words are read before any is checked, so a refused record leaves
    // none of its words behind to be taken as menu keys.
    std::string wort[5];
    for (auto& w : wort) {
        if (readWord(w) == Read::end) {
            delete neu;
            throw InputEnded{};
        }
    }
    setcolor(7);
    if (!passt(wort[0], sizeof neu->matrikelnummer) || !passt(wort[1], sizeof neu->vorname) ||
        !passt(wort[2], sizeof neu->nachname) || !passt(wort[3], sizeof neu->email) ||
        !passt(wort[4], sizeof neu->telefon)) {
        meldung("\t\t", "Eingabe zu lang!");
        delete neu;
        return false;
    }
    kopieren(neu->matrikelnummer, wort[0]);
    kopieren(neu->vorname, wort[1]);
    kopieren(neu->nachname, wort[2]);
    kopieren(neu->email, wort[3]);
    kopieren(neu->telefon, wort[4]);
    if (vorhanden(neu->matrikelnummer, liste)) {
        meldung("\t\t", "Kein Erfolg! Benutzer schon vorhanden!");
        delete neu;
        return false;
    }
    neu->anzahlKlausuren = 0;
    for (int& slot : neu->klausuren) slot = -1;
    einfuegen(neu, liste);
    return true;
}

bool loeschen(const char* matrikelnummer, Liste* liste) {
    if (!liste->anfang) {
        meldung("\n\n\t\t\t", "Datenbank ist leer! Loeschen nicht moeglich!");
        return false;
    }
    Element* e = liste->anfang;
    while (!gleich(e->daten, matrikelnummer)) {
        e = e->next;
        if (!e) {
            meldung("\n\n\t\t\t", "Matrikelnummer nicht gefunden!");
            return false;
        }
    }
    if (e->prev) {
        e->prev->next = e->next;
    } else {
        liste->anfang = e->next;
    }
    if (e->next) e->next->prev = e->prev;
    freigeben(e);

    std::fputs("\n\t\t\t", stdout);
    setcolor(4);
    std::fputs("Datensatz", stdout);
    setcolor(15);
    std::printf(" %s ", matrikelnummer);
    setcolor(4);
    std::fputs("geloescht!", stdout);
    setcolor(7);
    std::fputs("\n", stdout);
    return true;
}

void listeFreigeben(Liste*& liste) {
    if (!liste) return;
    Element* e = liste->anfang;
    while (e) {
        Element* next = e->next;
        freigeben(e);
        e = next;
    }
    delete liste;
    liste = nullptr;
}

// ---- Database file ---------------------------------------------------------------------

void laden(Liste* liste) {
    std::FILE* datei = std::fopen(kDateiname, "rb");
    if (!datei) {
        meldung("\t\t\t", "Fehler beim Einlesen der Datenbank!");
        return;
    }
    std::string inhalt;
    const bool gelesen = dateiLesen(datei, inhalt);
    std::fclose(datei);
    if (!gelesen) {
        meldung("\t\t\t", "Fehler beim Einlesen der Datenbank!");
        return;
    }
    Woerter woerter(inhalt);
    while (!woerter.ende()) {
        Datensatz* neu = reservieren<Datensatz>();
        if (!neu) {
            speicherFehler();
            return;
        }
        // A malformed record ends the load; the records before it stay.
        if (!datensatzLesen(woerter, *neu)) {
            delete neu;
            meldung("\t\t\t", "Fehler beim Einlesen der Datenbank!");
            return;
        }
        einfuegen(neu, liste);
    }
    meldung("\t\t\t", "Datenbank eingelesen.");
}

void speichern(const Liste* liste) {
    std::string inhalt;
    for (const Element* e = liste->anfang; e; e = e->next) inhalt += datensatzZeile(*e->daten);
    meldung("\t\t\t", dateiErsetzen(kDateiname, inhalt) ? "Datenbank erfolgreich gespeichert!"
                                                        : "Fehler beim Speichern!");
}

// ---- Listing and logo -------------------------------------------------------------------

void printListe(const Liste* liste) {
    setcolor(7);
    std::fputs("\n\t\tInhalt der Datenbank:", stdout);
    setcolor(0);
    std::fputs("\n\n", stdout);
    tabellenLinie(201, 203, 187);
    setcolor(0);
    std::fputs("\n", stdout);
    for (const Element* e = liste->anfang; e; e = e->next) {
        setcolor(135);
        rahmen(186);
        zelle(8, e->daten->matrikelnummer);
        zelle(10, e->daten->vorname);
        zelle(15, e->daten->nachname);
        zelle(15, e->daten->email);
        zelle(15, e->daten->telefon);
        setcolor(0);
        std::fputs("\n", stdout);
        if (e->next) {
            tabellenLinie(204, 206, 185);
            setcolor(0);
            std::fputs("\n", stdout);
        }
    }
    tabellenLinie(200, 202, 188);
    setcolor(0);
    std::fputs("\n\n", stdout);
    setcolor(8);
    std::fputs("\t\t\t\t\t\tenter -> weiter zum menue\n\n", stdout);
    getKey(); // any key, or the end of input, returns
}

void logo() {
    const char* const zeilen[] = {"\n\n\t\t\t", "\n\t\t\t", "\n\t\t\t", "\n\t\t\t", "\n\t\t\t"};
    for (int zeile = 0; zeile < 5; ++zeile) {
        setcolor(0);
        std::fputs(zeilen[zeile], stdout);
        setcolor(135);
        if (zeile == 0) {
            rahmen(201);
            rahmen(205, 15);
            rahmen(187);
        } else if (zeile == 4) {
            rahmen(200);
            rahmen(205, 15);
            rahmen(188);
        } else {
            rahmen(186);
            if (zeile == 2) {
                setcolor(143);
                std::fputs(" www.fhdb.test ", stdout);
                setcolor(135);
            } else {
                for (int i = 0; i < 15; ++i) std::fputs(" ", stdout);
            }
            rahmen(186);
        }
    }
    setcolor(0);
    std::fputs("\n\n", stdout);
    // Hold the box on screen a moment; a script need not wait for it.
    if (outputIsTerminal()) {
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
}

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
    setcolor(15);
    std::fputs(kKlausurNamen[klausur], stdout);
    setcolor(7);
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
    setcolor(15);
    std::fputs(kKlausurNamen[klausur], stdout);
    setcolor(7);
    std::fputs(" abgemeldet\n", stdout);
}

void printKlausurAnmeldungen(const Datensatz* daten) {
    setcolor(7);
    std::fputs("\n\n\n\n\tbisher angemeldet bei:\n\n", stdout);
    if (daten->anzahlKlausuren <= 0) {
        std::fputs("\t\t\t", stdout);
        setcolor(15);
        std::fputs("keiner Klausur", stdout);
        setcolor(7);
        std::fputs("\n", stdout);
    } else {
        for (int slot : daten->klausuren) {
            if (slot < 0 || slot >= kAnzahlFaecher) continue;
            std::fputs("\t\t\t- ", stdout);
            setcolor(15);
            std::fputs(kKlausurListenNamen[slot], stdout);
            setcolor(7);
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
            setcolor(8);
            std::fputs("\n\t\t", stdout);
            setcolor(4);
            std::fputs("Letzter Versuch!", stdout);
            setcolor(8);
            std::fputs("\n", stdout);
        }
        if (eingeben(liste)) return;
    }
}

void loeschenAbfrage(Liste* liste) {
    setcolor(7);
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
    setcolor(7);
    std::fputs("\tBitte Nummer der Klausur eingeben: ", stdout);
    setcolor(15);
    int nummer = 0;
    const Read gelesen = readInt(nummer);
    if (gelesen == Read::end) throw InputEnded{};
    setcolor(7);
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
        setcolor(7);
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
    setcolor(12);
    std::fputs("BenutzerLogin", stdout);
    setcolor(7);
    std::fputs("\n\n", stdout);
    std::fputs("\tBitte Matrikelnummer eingeben: ", stdout);
    const std::string nummer = nummerEingabe();
    if (!einlogen(nummer.c_str(), liste)) {
        std::fputs("\t", stdout);
        setcolor(4);
        std::fputs("Login fehlgeschlagen", stdout);
        setcolor(7);
        std::fputs("!\n", stdout);
        return;
    }
    std::fputs("\n\n\n\n\n\t\t ", stdout);
    setcolor(12);
    const Datensatz* student = liste->angemeldet->daten;
    std::printf("Willkommen %s %s!", student->vorname, student->nachname);
    setcolor(7);
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
