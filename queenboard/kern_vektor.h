// The proof's inner loops in vector instructions (AVX2, with BMI2 and popcount),
// four rows at a time: the twin of the plain kernel, and the same nodes. Only for
// x86-64 with GCC or Clang; the proof asks the processor at run time.
#pragma once

#include "zeilen.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define QUEENBOARD_VEKTOREN 1
#include <immintrin.h>

// Every function that runs vector instructions is built for them.
#define QUEENBOARD_VEKTOR_ZIEL gnu::target("avx2,bmi,bmi2,popcnt")

namespace queenboard {

struct VektorKern {
    [[QUEENBOARD_VEKTOR_ZIEL]] static int bits(Maske m) { return __builtin_popcountll(m); }

    // Bit l: lane l of `v` is 0.
    [[QUEENBOARD_VEKTOR_ZIEL]] static int nullBits(__m256i v) {
        return _mm256_movemask_pd(
            _mm256_castsi256_pd(_mm256_cmpeq_epi64(v, _mm256_setzero_si256())));
    }

    // As EinfachKern::streichen. The attacks come from the distance to the queen's row.
    [[QUEENBOARD_VEKTOR_ZIEL]] static Zaehlung streichen(const Zeilen& von, Zeilen& nach, int zeile,
                                                         int spalte) {
        const bool kopie = &von != &nach;
        const __m256i bit = _mm256_set1_epi64x(static_cast<long long>(Maske{1} << spalte));
        const __m256i damenZeile = _mm256_set1_epi64x(zeile);
        const __m256i eins = _mm256_set1_epi64x(1);
        const __m256i null = _mm256_setzero_si256();
        __m256i ein = null, mehr = null;
        Zaehlung z{};
        for (int j = 0; j < von.n; j += 4) {
            const __m256i nummer =
                _mm256_load_si256(reinterpret_cast<const __m256i*>(von.nummer + j));
            // Row numbers fit 32 bits.
            const __m256i abstand = _mm256_abs_epi32(_mm256_sub_epi32(nummer, damenZeile));
            const __m256i angriff = _mm256_or_si256(
                _mm256_or_si256(bit, _mm256_cmpeq_epi64(abstand, null)), // its own row: all
                _mm256_or_si256(_mm256_sllv_epi64(bit, abstand), _mm256_srlv_epi64(bit, abstand)));
            const __m256i m = _mm256_andnot_si256(
                angriff, _mm256_load_si256(reinterpret_cast<const __m256i*>(von.frei + j)));
            _mm256_store_si256(reinterpret_cast<__m256i*>(nach.frei + j), m);
            if (kopie) _mm256_store_si256(reinterpret_cast<__m256i*>(nach.nummer + j), nummer);
            mehr = _mm256_or_si256(mehr, _mm256_and_si256(ein, m));
            ein = _mm256_or_si256(ein, m);
            const __m256i ohneErstes = _mm256_and_si256(m, _mm256_sub_epi64(m, eins));
            const __m256i ohneZwei =
                _mm256_and_si256(ohneErstes, _mm256_sub_epi64(ohneErstes, eins));
            z.leer |= Maske(nullBits(m)) << j;
            z.hoechstensEins |= Maske(nullBits(ohneErstes)) << j;
            z.hoechstensZwei |= Maske(nullBits(ohneZwei)) << j;
        }
        // The lanes into one: a column free in two lanes is free in two rows.
        const __m128i e0 = _mm256_castsi256_si128(ein), e1 = _mm256_extracti128_si256(ein, 1);
        const __m128i m2 = _mm_or_si128(
            _mm_or_si128(_mm256_castsi256_si128(mehr), _mm256_extracti128_si256(mehr, 1)),
            _mm_and_si128(e0, e1));
        const __m128i e2 = _mm_or_si128(e0, e1);
        const Maske ea = static_cast<Maske>(_mm_cvtsi128_si64(e2));
        const Maske eb = static_cast<Maske>(_mm_extract_epi64(e2, 1));
        z.spalten = ea | eb;
        z.mehrfach = static_cast<Maske>(_mm_cvtsi128_si64(m2)) |
                     static_cast<Maske>(_mm_extract_epi64(m2, 1)) | (ea & eb);
        return z;
    }

    // As EinfachKern::diagonalen.
    [[QUEENBOARD_VEKTOR_ZIEL]] static void diagonalen(const Zeilen& r, Maske& lo, Maske& hi,
                                                      Maske& zeilen, long& zeilenSumme) {
        const __m256i basis = _mm256_set1_epi64x(kMaxFeld);
        const __m256i wortbreite = _mm256_set1_epi64x(64);
        const __m256i eins = _mm256_set1_epi64x(1);
        const __m256i null = _mm256_setzero_si256();
        __m256i vl = null, vh = null, vz = null, vm = null;
        for (int j = 0; j < r.n; j += 4) {
            const __m256i nummer =
                _mm256_load_si256(reinterpret_cast<const __m256i*>(r.nummer + j));
            const __m256i m = _mm256_load_si256(reinterpret_cast<const __m256i*>(r.frei + j));
            const __m256i verschiebung = _mm256_sub_epi64(basis, nummer); // 1 to 50
            vl = _mm256_or_si256(vl, _mm256_sllv_epi64(m, verschiebung));
            vh = _mm256_or_si256(vh,
                                 _mm256_srlv_epi64(m, _mm256_sub_epi64(wortbreite, verschiebung)));
            // Slots past the last row hold no free square, and no row number to count.
            const __m256i leer = _mm256_cmpeq_epi64(m, null);
            vz = _mm256_add_epi64(vz, _mm256_andnot_si256(leer, nummer));
            vm = _mm256_or_si256(vm, _mm256_sllv_epi64(_mm256_andnot_si256(leer, eins), nummer));
        }
        alignas(32) Maske teile[4][4];
        _mm256_store_si256(reinterpret_cast<__m256i*>(teile[0]), vl);
        _mm256_store_si256(reinterpret_cast<__m256i*>(teile[1]), vh);
        _mm256_store_si256(reinterpret_cast<__m256i*>(teile[2]), vz);
        _mm256_store_si256(reinterpret_cast<__m256i*>(teile[3]), vm);
        lo = teile[0][0] | teile[0][1] | teile[0][2] | teile[0][3];
        hi = teile[1][0] | teile[1][1] | teile[1][2] | teile[1][3];
        zeilenSumme = static_cast<long>(teile[2][0] + teile[2][1] + teile[2][2] + teile[2][3]);
        zeilen = teile[3][0] | teile[3][1] | teile[3][2] | teile[3][3];
    }

    // As EinfachKern::steigende.
    [[QUEENBOARD_VEKTOR_ZIEL]] static void steigende(const Zeilen& r, Maske& lo, Maske& hi) {
        const __m256i wortbreite = _mm256_set1_epi64x(64);
        __m256i vl = _mm256_setzero_si256(), vh = vl;
        for (int j = 0; j < r.n; j += 4) {
            const __m256i nummer =
                _mm256_load_si256(reinterpret_cast<const __m256i*>(r.nummer + j));
            const __m256i m = _mm256_load_si256(reinterpret_cast<const __m256i*>(r.frei + j));
            vl = _mm256_or_si256(vl, _mm256_sllv_epi64(m, nummer));
            // A shift by 64, for row 0, gives 0.
            vh = _mm256_or_si256(vh, _mm256_srlv_epi64(m, _mm256_sub_epi64(wortbreite, nummer)));
        }
        alignas(32) Maske teile[2][4];
        _mm256_store_si256(reinterpret_cast<__m256i*>(teile[0]), vl);
        _mm256_store_si256(reinterpret_cast<__m256i*>(teile[1]), vh);
        lo = teile[0][0] | teile[0][1] | teile[0][2] | teile[0][3];
        hi = teile[1][0] | teile[1][1] | teile[1][2] | teile[1][3];
    }

    // As EinfachKern::untereBits.
    [[QUEENBOARD_VEKTOR_ZIEL]] static Maske untereBits(Maske m, int k) {
        if (k == 0) return 0;
        const Maske letztes = _pdep_u64(Maske{1} << (k - 1), m);
        return m & (letztes | (letztes - 1));
    }
};

} // namespace queenboard

#else
#define QUEENBOARD_VEKTOREN 0
#endif
