// The student database: records in a doubly linked list, the database file,
// the framed listing, login and exam registration, and the menus that drive them.
#pragma once

#include <cstddef>

namespace datenbank {

// Text widths of a record, the terminating NUL included.
inline constexpr std::size_t kMatrikelnummerLaenge = 20;
inline constexpr std::size_t kNamensLaenge = 25;
inline constexpr std::size_t kEmailLaenge = 30;
inline constexpr std::size_t kTelefonLaenge = 28;
inline constexpr int kAnzahlFaecher = 4;

struct Datensatz {
    char matrikelnummer[kMatrikelnummerLaenge];
    char vorname[kNamensLaenge];
    char nachname[kNamensLaenge];
    char email[kEmailLaenge];
    char telefon[kTelefonLaenge];
    int anzahlKlausuren;
    int klausuren[kAnzahlFaecher]; // slot i holds i while registered for exam i, else -1
};

struct Element {
    Datensatz* daten; // owned by the node
    Element* prev;
    Element* next;
};

struct Liste {
    Element* anfang;
    Element* angemeldet; // the logged-in student, or none
};

// Thrown when standard input ends where an answer is needed; datenbankAusfuehren()
// catches it and ends the program without another word.
struct EingabeBeendet {};

// ---- Record list ---------------------------------------------------------------

// An empty list in `liste`; false, and none, without memory for it.
bool createList(Liste*& liste);
void einfuegen(Datensatz* daten, Liste* liste); // at the head; takes ownership of daten
bool vorhanden(const char* matrikelnummer, const Liste* liste);
// A new record typed at the prompt, refused when a word does not fit its field or the
// number is taken; throws EingabeBeendet.
bool eingeben(Liste* liste);
bool loeschen(const char* matrikelnummer, Liste* liste); // the first record of that number
// Releases every node, its record and the anchor; liste is none afterwards.
void listeFreigeben(Liste*& liste);

// ---- Database file "fh-datenbank.txt" --------------------------------------------

// Adds the file's records in front of the list's, each at the head; stops at the first
// malformed record, keeping those before it.
void laden(Liste* liste);
void speichern(const Liste* liste); // replaces the file whole, or leaves it as it was

// ---- Listing and logo ------------------------------------------------------------

void printListe(const Liste* liste); // waits for any key; just returns at end of input
void logo();

// ---- Login and exams -------------------------------------------------------------

bool einlogen(const char* matrikelnummer, Liste* liste);
void auslogen(Liste* liste);
void klausurAnmeldung(int klausur, Datensatz* daten);
void klausurAbmeldung(int klausur, Datensatz* daten);
void printKlausurAnmeldungen(const Datensatz* daten);

// ---- The program ---------------------------------------------------------------

// The whole dialogue from the administrator menu to the logo box; the exit status.
int datenbankAusfuehren();

} // namespace datenbank
