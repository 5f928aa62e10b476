// A tiny program for the terminal tests of the console layer: it shows each kind
// of read and write once, and reports what it read.
#include "console.h"

#include <cstdio>
#include <string>

using namespace console;

int main() {
    setup();
    setcolor(12);
    std::printf("Taste:");
    const int key = getKey();
    setcolor(7);
    std::printf("[key %d]\n", key);
    std::printf("Wort:");
    setcolor(15);
    std::string word;
    const Read got = readWord(word);
    setcolor(7);
    std::printf("[word %s]\n", got == Read::ok ? word.c_str() : "<end>");
    printFrame(201);
    printFrame(205);
    printFrame(187);
    std::printf("\nTaste:");
    std::printf("[key %d]\n", getKey());
    return 0;
}
