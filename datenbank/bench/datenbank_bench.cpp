// Loads, lists and saves a database of 100000 records and prints how long each
// step took. The operations write to standard output, so it goes to a file here
// and the figures go to standard error.
#include "datenbank.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using namespace datenbank;

namespace {

constexpr int kRecords = 100000;
constexpr int kRounds = 3;

double secondsOf(void (*step)(Liste*), Liste* list) {
    const auto start = std::chrono::steady_clock::now();
    step(list);
    std::fflush(stdout);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void writeDatabase() {
    std::ofstream file("fh-datenbank.txt", std::ios::binary);
    for (int i = 0; i < kRecords; ++i) {
        file << (1000000 + i) << " Nachname" << i << " Vorname" << i << " student" << i
             << "@example.org 0151-" << i << " 2 0 -1 2 -1 \r\n";
    }
}

} // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / "datenbank-bench";
    fs::create_directories(folder);
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    writeDatabase();
    const auto fileSize = fs::file_size("fh-datenbank.txt");

    // One key per listing, for its wait at the end.
    std::ofstream("keys.txt") << std::string(kRounds, 'x');
    if (!std::freopen("keys.txt", "rb", stdin) || !std::freopen("output.txt", "wb", stdout)) {
        std::fprintf(stderr, "cannot redirect standard input and output\n");
        return 1;
    }

    double load = 1e9, list = 1e9, save = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        Liste* liste = nullptr;
        if (!createList(liste)) return 1;
        load = std::min(load, secondsOf([](Liste* l) { laden(l); }, liste));
        const long outputBefore = std::ftell(stdout);
        list = std::min(list, secondsOf([](Liste* l) { printListe(l); }, liste));
        const long listingBytes = std::ftell(stdout) - outputBefore;
        save = std::min(save, secondsOf([](Liste* l) { speichern(l); }, liste));
        listeFreigeben(liste);
        if (round == 0) {
            std::fprintf(stderr, "database: %d records, %ju bytes; listing: %ld bytes\n", kRecords,
                         static_cast<std::uintmax_t>(fileSize), listingBytes);
        }
    }
    std::fprintf(stderr, "best of %d rounds:\n", kRounds);
    std::fprintf(stderr, "  load (laden)              %8.3f s  %8.0f records/s\n", load,
                 kRecords / load);
    std::fprintf(stderr, "  list to a file (printListe) %6.3f s  %8.0f records/s\n", list,
                 kRecords / list);
    std::fprintf(stderr, "  save (speichern)          %8.3f s  %8.0f records/s\n", save,
                 kRecords / save);

    std::fclose(stdout);
    fs::current_path(before);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
