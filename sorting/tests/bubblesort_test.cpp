// The bubble sort against the standard sort, and its stack depth, in the counting build
// (swapcount_test.cpp checks what it counts).
#include "bubblesort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <pthread.h>
#include <random>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

using namespace sortierung;

namespace {

std::vector<int> zufall(std::size_t laenge, int von, int bis, unsigned saat) {
    std::mt19937 gen(saat);
    std::uniform_int_distribution<int> verteilung(von, bis);
    std::vector<int> werte(laenge);
    for (int& w : werte) w = verteilung(gen);
    return werte;
}

} // namespace

TEST(Bubblesort, SortsLikeTheStandardSort) {
    unsigned saat = 1;
    for (std::size_t laenge : {2u, 3u, 17u, 300u}) {
        for (auto [von, bis] : {std::pair{-5, 5}, {INT_MIN, INT_MAX}}) {
            std::vector<int> werte = zufall(laenge, von, bis, saat++);
            std::vector<int> erwartet = werte;
            std::sort(erwartet.begin(), erwartet.end());
            bubblesort(werte.data(), static_cast<int>(laenge));
            EXPECT_EQ(werte, erwartet) << laenge << " values from " << von;
        }
    }
}

TEST(Bubblesort, SortsSortedReversedAndEqualInput) {
    std::vector<int> sortiert(100), umgekehrt(100), gleich(100, 42);
    std::iota(sortiert.begin(), sortiert.end(), -50);
    std::iota(umgekehrt.rbegin(), umgekehrt.rend(), -50);
    const std::vector<int> erwartet = sortiert;
    bubblesort(sortiert.data(), 100);
    bubblesort(umgekehrt.data(), 100);
    bubblesort(gleich.data(), 100);
    EXPECT_EQ(sortiert, erwartet);
    EXPECT_EQ(umgekehrt, erwartet);
    EXPECT_EQ(gleich, std::vector<int>(100, 42));
}

TEST(Bubblesort, TouchesOnlyTheFirstNValues) {
    std::vector<int> werte = {9, 4, 7, 1, 0, -3};
    bubblesort(werte.data(), 3);
    EXPECT_EQ(werte, (std::vector<int>{4, 7, 9, 1, 0, -3}));
}

TEST(Bubblesort, CountsOfOneOrLessChangeNothing) {
    for (int n : {1, 0, -1, INT_MIN}) {
        std::vector<int> werte = {3, 2, 1};
        bubblesort(werte.data(), n);
        EXPECT_EQ(werte, (std::vector<int>{3, 2, 1})) << n;
    }
}

TEST(Bubblesort, SwapExchangesTwoValues) {
    int x = 5, y = -8;
    sortierung::swap(&x, &y);
    EXPECT_EQ(x, -8);
    EXPECT_EQ(y, 5);
}

// The recursion is as deep as the values sorted. Run it on a thread whose stack is painted,
// sized like the smallest main-thread stack the programs meet (1 MiB, Windows' default) and
// guarded below, and measure how much of it a full buffer of 10000 values uses in this build.
namespace {

constexpr std::size_t kStapel = 1 << 20;
constexpr unsigned char kFarbe = 0xA5;

struct Lauf {
    std::vector<int>* werte;
};

void* sortieren(void* lauf) {
    std::vector<int>& werte = *static_cast<Lauf*>(lauf)->werte;
    bubblesort(werte.data(), static_cast<int>(werte.size()));
    return nullptr;
}

// Plain loads: the dead thread's frames may still be poisoned for the address sanitizer.
#if defined(__SANITIZE_ADDRESS__)
__attribute__((no_sanitize_address))
#endif
std::size_t
unberuehrt(const unsigned char* anfang, std::size_t laenge) {
    std::size_t i = 0;
    while (i < laenge && anfang[i] == kFarbe) i++;
    return i;
}

// Bytes of stack used by sorting `werte` (descending, so every level exchanges).
std::size_t stapelVerbrauch(std::vector<int>& werte) {
    const std::size_t seite = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    // Beyond POSIX.1-2008, but Linux, macOS and the BSDs all have MAP_ANONYMOUS.
    void* block =
        mmap(nullptr, kStapel + seite, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) return SIZE_MAX;
    auto* unten = static_cast<unsigned char*>(block);
    mprotect(unten, seite, PROT_NONE); // an overflow faults instead of corrupting memory
    unsigned char* stapel = unten + seite;
    std::memset(stapel, kFarbe, kStapel);

    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstack(&attr, stapel, kStapel);
    Lauf lauf{&werte};
    pthread_t faden;
    std::size_t verbraucht = SIZE_MAX;
    if (pthread_create(&faden, &attr, sortieren, &lauf) == 0) {
        pthread_join(faden, nullptr);
        verbraucht = kStapel - unberuehrt(stapel, kStapel);
    }
    pthread_attr_destroy(&attr);
#if defined(__SANITIZE_ADDRESS__)
    __asan_unpoison_memory_region(stapel, kStapel);
#endif
    munmap(block, kStapel + seite);
    return verbraucht;
}

std::vector<int> absteigend(int n) {
    std::vector<int> werte(static_cast<std::size_t>(n));
    std::iota(werte.rbegin(), werte.rend(), 0);
    return werte;
}

} // namespace

TEST(BubblesortStack, TenThousandLevelsFitWellWithinOneMebibyte) {
    std::vector<int> eine = absteigend(2);
    std::vector<int> voll = absteigend(10000);
    const std::size_t grund = stapelVerbrauch(eine);
    const std::size_t gesamt = stapelVerbrauch(voll);
    ASSERT_NE(gesamt, SIZE_MAX);
    EXPECT_TRUE(std::is_sorted(voll.begin(), voll.end()));
    std::printf("stack for 10000 values: %zu bytes (%.1f bytes per level beyond %zu)\n", gesamt,
                static_cast<double>(gesamt - grund) / 9998.0, grund);
    // It ran within 1 MiB; keep room beside it for main's 40000-byte buffer and start-up.
    EXPECT_LT(gesamt, kStapel - 128 * 1024);
}
