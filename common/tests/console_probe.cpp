// A tiny program for the terminal tests of the console layer: it shows each kind
// of read and write once, and reports what it read.
#include "console.h"

#include <cstdio>
#include <string>

using namespace console;

int main() {
    setup();
    setcolor(kHellrot);
    std::printf("Taste:");
    const int key = getKey();
    setcolor(kHellgrau);
    std::printf("[key %d]\n", key);
    std::printf("Wort:");
    setcolor(kWeiss);
    std::string word;
    const Read got = readWord(word, 80);
    setcolor(kHellgrau);
    std::printf("[word %s]\n", got == Read::ok ? word.c_str() : "<end>");
    printFrame(kRahmenEckeObenLinks);
    printFrame(kRahmenWaagrecht);
    printFrame(kRahmenEckeObenRechts);
    std::printf("\n");
    // A status line, replaced by a shorter one, then erased.
    statusLine("\tStatus eins");
    statusLine("\tStatus");
    statusLine("");
    std::printf("Taste:");
    std::printf("[key %d]\n", getKey());
    return 0;
}
