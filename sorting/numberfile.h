// The number files "tosort.txt" and "sorted.txt": writing the random file, reading the
// count and the values, and the bounds the reading keeps.
#pragma once

#include <cstdio>

namespace sortierung {

// The reading buffer holds this many values; numbermaker writes exactly this many.
inline constexpr int kMaxZahlen = 10000;

// numbermaker's file: the count line, an empty line, then kMaxZahlen values of the
// never-seeded rand, one per line. False when a write failed.
bool zufallszahlenSchreiben(std::FILE* datei);

// The header count; 0 when the file holds no integer there.
int anzahlLesen(std::FILE* datei);

// Reads integers up to the end of input into zahlen[0..kMaxZahlen); returns how many were
// stored. A token that is not an integer in range ends the reading, and so does a full buffer.
int zahlenLesen(std::FILE* datei, int* zahlen);

// How many positions may be sorted and written: the header count, cut down to the values
// actually read, and 0 for a count of 0 or less.
int zuSortieren(int anzahl, int gelesen);

// "sorted.txt": the first n values, one per line. False when a write failed.
bool zahlenSchreiben(std::FILE* datei, const int* zahlen, int n);

} // namespace sortierung
