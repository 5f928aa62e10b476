// numbermaker: writes "tosort.txt" with 10000 numbers of the never-seeded rand, so every
// run writes the same file. Prints nothing; the exit status tells whether the file was written.
#include "arguments.h"
#include "numberfile.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    if (const auto ende = console::start(argc, argv, "numbermaker")) return *ende;
    std::FILE* datei = std::fopen("tosort.txt", "w");
    if (!datei) return 1;
    bool geschrieben = sorting::schreibeZufallszahlen(datei);
    if (std::fclose(datei) != 0) geschrieben = false;
    return geschrieben ? 0 : 1;
}
