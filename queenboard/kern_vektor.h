// The proof's inner loops in vector instructions (AVX2, with BMI2 and popcount),
// kSpuren rows at a time: the twin of the plain kernel, and the same nodes.
#pragma once

#include "kern.h"

#if QUEENBOARD_VEKTOREN()
#include <immintrin.h>

// Every function that runs vector instructions is built for them.
#define QUEENBOARD_VEKTOR_ZIEL gnu::target("avx2,bmi,bmi2,popcnt")

namespace queenboard {

struct VektorKern {
    static_assert(sizeof(__m256i) == kSpuren * sizeof(Maske), "a vector holds kSpuren rows");

    [[QUEENBOARD_VEKTOR_ZIEL]] static int bits(Maske m) { return __builtin_popcountll(m); }

    [[QUEENBOARD_VEKTOR_ZIEL]] static Zaehlung streichen(const Teilbrett& von, Teilbrett& nach,
                                                         int zeile, int spalte) {
        const bool kopie = &von != &nach;
        const __m256i bit = _mm256_set1_epi64x(static_cast<long long>(Maske{1} << spalte));
        const __m256i damenZeile = _mm256_set1_epi64x(zeile);
        const __m256i eins = _mm256_set1_epi64x(1);
        const __m256i null = _mm256_setzero_si256();
        __m256i ein = null, mehr = null; // per lane, the columns free once, and twice or more
        Zaehlung z{};
        for (int j = 0; j < von.n; j += kSpuren) {
            const __m256i nummer = laden(von.nummer + j);
            // The attacks from the distance to the queen's row; row numbers fit 32 bits.
            const __m256i abstand = _mm256_abs_epi32(_mm256_sub_epi32(nummer, damenZeile));
            const __m256i angriff = _mm256_or_si256(
                _mm256_or_si256(bit, _mm256_cmpeq_epi64(abstand, null)), // its own row: all
                _mm256_or_si256(_mm256_sllv_epi64(bit, abstand), _mm256_srlv_epi64(bit, abstand)));
            const __m256i m = _mm256_andnot_si256(angriff, laden(von.frei + j));
            speichern(nach.frei + j, m);
            if (kopie) speichern(nach.nummer + j, nummer);
            mehr = _mm256_or_si256(mehr, _mm256_and_si256(ein, m));
            ein = _mm256_or_si256(ein, m);
            const __m256i ohneErstes = _mm256_and_si256(m, _mm256_sub_epi64(m, eins));
            const __m256i ohneZwei =
                _mm256_and_si256(ohneErstes, _mm256_sub_epi64(ohneErstes, eins));
            z.leer |= Maske(nullSpuren(m)) << j;
            z.hoechstensEins |= Maske(nullSpuren(ohneErstes)) << j;
            z.hoechstensZwei |= Maske(nullSpuren(ohneZwei)) << j;
        }
        // The lanes into one: a column free in two lanes is free in two rows.
        const auto [ein0, ein1] = halbieren(ein);
        const auto [mehr0, mehr1] = halbieren(mehr);
        const __m128i einPaar = _mm_or_si128(ein0, ein1);
        z.spalten = oder(einPaar);
        z.mehrfach = oder(_mm_or_si128(_mm_or_si128(mehr0, mehr1), _mm_and_si128(ein0, ein1))) |
                     (wort<0>(einPaar) & wort<1>(einPaar));
        return z;
    }

    [[QUEENBOARD_VEKTOR_ZIEL]] static Fallende fallende(const Teilbrett& r) {
        const __m256i versatz = _mm256_set1_epi64x(kFallVersatz);
        const __m256i wortbreite = _mm256_set1_epi64x(kWortbreite);
        const __m256i eins = _mm256_set1_epi64x(1);
        const __m256i null = _mm256_setzero_si256();
        __m256i tief = null, hoch = null, summe = null, zeilen = null;
        for (int j = 0; j < r.n; j += kSpuren) {
            const __m256i nummer = laden(r.nummer + j);
            const __m256i m = laden(r.frei + j);
            const __m256i verschiebung = _mm256_sub_epi64(versatz, nummer); // 1 to kMaxFeld
            tief = _mm256_or_si256(tief, _mm256_sllv_epi64(m, verschiebung));
            hoch = _mm256_or_si256(
                hoch, _mm256_srlv_epi64(m, _mm256_sub_epi64(wortbreite, verschiebung)));
            // Slots past the last row hold no free square, and no row number to count.
            const __m256i leer = _mm256_cmpeq_epi64(m, null);
            summe = _mm256_add_epi64(summe, _mm256_andnot_si256(leer, nummer));
            zeilen =
                _mm256_or_si256(zeilen, _mm256_sllv_epi64(_mm256_andnot_si256(leer, eins), nummer));
        }
        return {.diagonalen = {.tief = oder(tief), .hoch = oder(hoch)},
                .zeilenBits = oder(zeilen),
                .zeilenSumme = static_cast<long>(addiert(summe))};
    }

    [[QUEENBOARD_VEKTOR_ZIEL]] static Doppelwort steigende(const Teilbrett& r) {
        const __m256i wortbreite = _mm256_set1_epi64x(kWortbreite);
        __m256i tief = _mm256_setzero_si256(), hoch = tief;
        for (int j = 0; j < r.n; j += kSpuren) {
            const __m256i nummer = laden(r.nummer + j);
            const __m256i m = laden(r.frei + j);
            tief = _mm256_or_si256(tief, _mm256_sllv_epi64(m, nummer));
            // A shift by kWortbreite, for row 0, gives 0.
            hoch =
                _mm256_or_si256(hoch, _mm256_srlv_epi64(m, _mm256_sub_epi64(wortbreite, nummer)));
        }
        return {.tief = oder(tief), .hoch = oder(hoch)};
    }

    [[QUEENBOARD_VEKTOR_ZIEL]] static Maske untereBits(Maske m, int k) {
        if (k == 0) return 0;
        const Maske letztes = _pdep_u64(Maske{1} << (k - 1), m);
        return m & (letztes | (letztes - 1));
    }

  private:
    template <class T> [[QUEENBOARD_VEKTOR_ZIEL]] static __m256i laden(const T* p) {
        return _mm256_load_si256(reinterpret_cast<const __m256i*>(p));
    }
    template <class T> [[QUEENBOARD_VEKTOR_ZIEL]] static void speichern(T* p, __m256i v) {
        _mm256_store_si256(reinterpret_cast<__m256i*>(p), v);
    }

    // Bit l: lane l of `v` is 0.
    [[QUEENBOARD_VEKTOR_ZIEL]] static int nullSpuren(__m256i v) {
        return _mm256_movemask_pd(
            _mm256_castsi256_pd(_mm256_cmpeq_epi64(v, _mm256_setzero_si256())));
    }

    struct Haelften {
        __m128i unten, oben;
    };
    [[QUEENBOARD_VEKTOR_ZIEL]] static Haelften halbieren(__m256i v) {
        return {_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1)};
    }
    template <int I> [[QUEENBOARD_VEKTOR_ZIEL]] static Maske wort(__m128i v) {
        if constexpr (I == 0)
            return static_cast<Maske>(_mm_cvtsi128_si64(v)); // a plain move
        else
            return static_cast<Maske>(_mm_extract_epi64(v, I));
    }

    // The lanes of `v` ORed into one.
    [[QUEENBOARD_VEKTOR_ZIEL]] static Maske oder(__m128i v) { return wort<0>(v) | wort<1>(v); }
    [[QUEENBOARD_VEKTOR_ZIEL]] static Maske oder(__m256i v) {
        const auto [unten, oben] = halbieren(v);
        return oder(_mm_or_si128(unten, oben));
    }

    // The lanes of `v` added.
    [[QUEENBOARD_VEKTOR_ZIEL]] static std::int64_t addiert(__m256i v) {
        const auto [unten, oben] = halbieren(v);
        const __m128i h = _mm_add_epi64(unten, oben);
        return static_cast<std::int64_t>(wort<0>(h) + wort<1>(h));
    }
};
static_assert(Kern<VektorKern>);

} // namespace queenboard

#endif
