// The datenbank screens and messages as redirected output shows them: no colours,
// the frame characters as single code page 437 bytes, "\n" as the line end (the
// tests adapt it to the platform under test).
#pragma once

#include <string>
#include <vector>

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
inline const std::string kTaken = "\t\tKein Erfolg! Benutzer schon vorhanden!\n";
inline const std::string kTooLong = "\t\tEingabe zu lang!\n";
inline const std::string kLastTry = "\n\t\tLetzter Versuch!\n";
inline const std::string kDeletePrompt =
    "\tBitte Matrikelnummer des zu loeschenden Datensatzes eingeben: ";
inline const std::string kEmpty = "\n\n\t\t\tDatenbank ist leer! Loeschen nicht moeglich!\n";
inline const std::string kNotFound = "\n\n\t\t\tMatrikelnummer nicht gefunden!\n";
inline const std::string kLoginPrompt =
    "\n\n\n\n\t\t\tBenutzerLogin\n\n\tBitte Matrikelnummer eingeben: ";
inline const std::string kLoginFailed = "\tLogin fehlgeschlagen!\n";
inline const std::string kLoggedOut = "\n\n\t\t\tAusgeloggt\n\n";
inline const std::string kLoaded = "\t\t\tDatenbank eingelesen.\n";
inline const std::string kLoadFailed = "\t\t\tFehler beim Einlesen der Datenbank!\n";
inline const std::string kSaved = "\t\t\tDatenbank erfolgreich gespeichert!\n";
inline const std::string kSaveFailed = "\t\t\tFehler beim Speichern!\n";
inline const std::string kNoMemory = "\t\t\tFehler bei der Speicherreservierung!!!\n";

inline std::string deleted(const std::string& number) {
    return "\n\t\t\tDatensatz " + number + " geloescht!\n";
}
inline std::string welcome(const std::string& firstName, const std::string& surname) {
    return "\n\n\n\n\n\t\t Willkommen " + firstName + " " + surname + "!\n\n";
}

inline std::string times(int n, const std::string& s) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

inline const std::string kDouble = "\xCD"; // ═
inline const std::string kTop = "\xC9" + times(10, kDouble) + "\xCB" + times(12, kDouble) + "\xCB" +
                                times(17, kDouble) + "\xCB" + times(17, kDouble) + "\xCB" +
                                times(17, kDouble) + "\xBB\n";
inline const std::string kSeparator = "\xCC" + times(10, kDouble) + "\xCE" + times(12, kDouble) +
                                      "\xCE" + times(17, kDouble) + "\xCE" + times(17, kDouble) +
                                      "\xCE" + times(17, kDouble) + "\xB9\n";
inline const std::string kBottom = "\xC8" + times(10, kDouble) + "\xCA" + times(12, kDouble) +
                                   "\xCA" + times(17, kDouble) + "\xCA" + times(17, kDouble) +
                                   "\xCA" + times(17, kDouble) + "\xBC\n";

// The listing around its rows; each row already ends in "\n".
inline std::string listing(const std::vector<std::string>& rows) {
    std::string out = "\n\t\tInhalt der Datenbank:\n\n" + kTop;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) out += kSeparator;
        out += rows[i];
    }
    return out + kBottom + "\n\t\t\t\t\t\tenter -> weiter zum menue\n\n";
}

inline const std::string kLogo = "\n\n\t\t\t\xC9" + times(15, kDouble) + "\xBB" + //
                                 "\n\t\t\t\xBA" + std::string(15, ' ') + "\xBA" + //
                                 "\n\t\t\t\xBA www.fhdb.test \xBA" +              //
                                 "\n\t\t\t\xBA" + std::string(15, ' ') + "\xBA" + //
                                 "\n\t\t\t\xC8" + times(15, kDouble) + "\xBC" + "\n\n";

// One database line as saved: ten words, each followed by a blank, then CR LF.
inline std::string line(const std::string& words) {
    return words + " \r\n";
}
inline std::string record(const std::string& number) {
    return line(number + " Nach" + number + " Vor" + number + " m" + number + " t" + number +
                " 0 -1 -1 -1 -1");
}

inline const std::string kEmptyListing = listing({});

} // namespace screens
