// What the runs of sorttimer and sortcounter share: reading "tosort.txt" and reporting a
// failure.
#pragma once

#include <ctime>
#include <optional>

namespace sortierung {

// Prints a failure message, waits for a key and gives the exit status 1.
int fehlerMelden(const char* meldung);

// The clock once the count and once the values of "tosort.txt" have been read:
// sorttimer's reading phase lies between the two.
struct Lesezeiten {
    std::time_t nachAnzahl = 0;
    std::time_t nachZahlen = 0;
};

// Opens "tosort.txt", reads the count and the values into zahlen (kMaxZahlen of them at
// most) and closes it again; `n` is then how many to sort. When the file cannot be
// opened or read, the message has been shown and a key awaited, and the result is the
// exit status the program ends with. `zeiten`, when given, gets the clock readings.
std::optional<int> tosortLesen(int* zahlen, int& n, Lesezeiten* zeiten = nullptr);

} // namespace sortierung
