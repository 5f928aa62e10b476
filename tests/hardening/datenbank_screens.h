// The datenbank screens and messages as redirected output shows them (no colours,
// frame characters as single code page 437 bytes).
#pragma once

#include <string>

namespace screens {

inline const std::string kAdmin = "\n\n\n\t\t\tAdministor Ebene\n\n"
                                  "\t B  Benutzer Ebene\n"
                                  "\t L  Datenbank Laden\n"
                                  "\t S  Datenbank Speichern\n"
                                  "\t N  Neuen Datensatz anlegen\n"
                                  "\t D  Datensatz Loeschen\n"
                                  "\t P  Datenbank Ausgeben\n"
                                  "\t 0  Programm verlassen\n\n\n\n\n\n\n";
inline const std::string kUser = "\n\n\n\t\t\tBenutzer Ebene\n\n"
                                 "\t N  Neuen Benutzer anlegen\n"
                                 "\t L  Benutzer einlogen\n"
                                 "\t P  Benutzerliste Ausgeben\n"
                                 "\t 0  zurueck\n\n\n\n\n\n\n";
inline const std::string kAction = "\t\tWelche Aktion moechtest du ausfuehren?\n\n"
                                   "\t N  Klausuranmeldung\n"
                                   "\t B  Klausurabmeldung\n"
                                   "\t P  Angemeldete Klausuren\n"
                                   "\t 0  Auslogen\n\n\n\n\n\n\n";
inline const std::string kExams = "\n\n\n\n\n\n"
                                  "\t 1  Programmieren 1\n"
                                  "\t 2  Programmieren 2\n"
                                  "\t 3  Grundlagen der Informatik\n"
                                  "\t 4  Analysis und Lineare Algebra\n"
                                  "\t 0  keine\n\n"
                                  "\tBitte Nummer der Klausur eingeben: ";
inline const std::string kNewRecord =
    "\n\nBitte Matrikelnummer, Vorname, Nachname, email, telefon  eingeben\n\n";
inline const std::string kLastTry = "\n\t\tLetzter Versuch!\n";
inline const std::string kTaken = "\t\tKein Erfolg! Benutzer schon vorhanden!\n";
inline const std::string kDeletePrompt =
    "\tBitte Matrikelnummer des zu loeschenden Datensatzes eingeben: ";
inline const std::string kLoginPrompt =
    "\n\n\n\n\t\t\tBenutzerLogin\n\n\tBitte Matrikelnummer eingeben: ";
inline const std::string kLoaded = "\t\t\tDatenbank eingelesen.\n";
inline const std::string kSaved = "\t\t\tDatenbank erfolgreich gespeichert!\n";
inline const std::string kSaveFailed = "\t\t\tFehler beim Speichern!\n";
inline const std::string kNoMemory = "\t\t\tFehler bei der Speicherreservierung!!!\n";
inline const std::string kEmptyListing =
    "\n\t\tInhalt der Datenbank:\n\n"
    "\xC9" +
    std::string(10, '\xCD') + "\xCB" + std::string(12, '\xCD') + "\xCB" + std::string(17, '\xCD') +
    "\xCB" + std::string(17, '\xCD') + "\xCB" + std::string(17, '\xCD') +
    "\xBB\n"
    "\xC8" +
    std::string(10, '\xCD') + "\xCA" + std::string(12, '\xCD') + "\xCA" + std::string(17, '\xCD') +
    "\xCA" + std::string(17, '\xCD') + "\xCA" + std::string(17, '\xCD') +
    "\xBC\n"
    "\n\t\t\t\t\t\tenter -> weiter zum menue\n\n";

inline std::string welcome(const std::string& vorname, const std::string& nachname) {
    return "\n\n\n\n\n\t\t Willkommen " + vorname + " " + nachname + "!\n\n";
}

// One database line as saved: ten words, each followed by a blank, then CR LF.
inline std::string record(const std::string& nummer) {
    return nummer + " Nach" + nummer + " Vor" + nummer + " m" + nummer + " t" + nummer +
           " 0 -1 -1 -1 -1 \r\n";
}

} // namespace screens
