// The proof's inner loop, built twice by beweis.cpp: plainly, and with vector
// instructions for processors that have them (KERN_VEKTOR, KERN_ZIEL).
// Deliberately without include guard.

#if KERN_VEKTOR
// Bit l: lane l of `v` is 0.
KERN_ZIEL [[gnu::always_inline]] inline int nullBits(__m256i v) {
    return _mm256_movemask_pd(_mm256_castsi256_pd(_mm256_cmpeq_epi64(v, _mm256_setzero_si256())));
}
#endif

// The bits of `m`, by the processor's own instruction where it has one.
KERN_ZIEL [[gnu::always_inline]] inline int bits(Maske m) {
#if KERN_VEKTOR
    return __builtin_popcountll(m);
#else
    return bitzahl(m);
#endif
}

// `nach` becomes `von` with a queen on slot `i`, column `spalte`; the last row
// moves into slot i. Both may be the same. `spur` records the queen.
KERN_ZIEL [[gnu::always_inline]] inline Lage platzieren(const Rest& von, Rest& nach, int i,
                                                        int spalte, std::int8_t* spur) {
    const int zi = static_cast<int>(von.zeile[i]);
    spur[zi] = static_cast<std::int8_t>(spalte);
    const int n = von.n;
    const bool kopie = &von != &nach; // in place the row numbers stay where they are
    Lage lage{};
#if KERN_VEKTOR
    // Four rows at a time; the attacks from the distance to the queen's row.
    const __m256i dame = _mm256_set1_epi64x(static_cast<long long>(Maske{1} << spalte));
    const __m256i queen = _mm256_set1_epi64x(zi);
    const __m256i eins = _mm256_set1_epi64x(1);
    const __m256i null = _mm256_setzero_si256();
    __m256i ein = null, mehr = null;
    for (int j = 0; j < n; j += 4) {
        const __m256i z = _mm256_load_si256(reinterpret_cast<const __m256i*>(von.zeile + j));
        const __m256i d = _mm256_abs_epi32(_mm256_sub_epi32(z, queen)); // row numbers fit 32 bits
        const __m256i angriff = _mm256_or_si256(
            _mm256_or_si256(dame, _mm256_cmpeq_epi64(d, null)), // its own row: all
            _mm256_or_si256(_mm256_sllv_epi64(dame, d), _mm256_srlv_epi64(dame, d)));
        const __m256i m = _mm256_andnot_si256(
            angriff, _mm256_load_si256(reinterpret_cast<const __m256i*>(von.maske + j)));
        _mm256_store_si256(reinterpret_cast<__m256i*>(nach.maske + j), m);
        if (kopie) _mm256_store_si256(reinterpret_cast<__m256i*>(nach.zeile + j), z);
        mehr = _mm256_or_si256(mehr, _mm256_and_si256(ein, m));
        ein = _mm256_or_si256(ein, m);
        const __m256i r1 = _mm256_and_si256(m, _mm256_sub_epi64(m, eins));
        const __m256i r2 = _mm256_and_si256(r1, _mm256_sub_epi64(r1, eins));
        lage.leer |= Maske(nullBits(m)) << j;
        lage.einzeln |= Maske(nullBits(r1)) << j;
        lage.paar |= Maske(nullBits(r2)) << j;
    }
    // The lanes into one: a column free in two lanes is free in two rows.
    const __m128i e0 = _mm256_castsi256_si128(ein), e1 = _mm256_extracti128_si256(ein, 1);
    const __m128i m2 =
        _mm_or_si128(_mm_or_si128(_mm256_castsi256_si128(mehr), _mm256_extracti128_si256(mehr, 1)),
                     _mm_and_si128(e0, e1));
    const __m128i e2 = _mm_or_si128(e0, e1);
    const Maske ea = static_cast<Maske>(_mm_cvtsi128_si64(e2));
    const Maske eb = static_cast<Maske>(_mm_extract_epi64(e2, 1));
    lage.einmal = ea | eb;
    lage.mehrmals = static_cast<Maske>(_mm_cvtsi128_si64(m2)) |
                    static_cast<Maske>(_mm_extract_epi64(m2, 1)) | (ea & eb);
#else
    const Maske* angriff = kAngriffe.m[spalte] + kMaxFeld - zi;
    for (int j = 0; j < n; ++j) {
        const Maske m = von.maske[j] & ~angriff[von.zeile[j]];
        nach.maske[j] = m;
        if (kopie) nach.zeile[j] = von.zeile[j];
        zaehlen(lage, m, j);
    }
#endif
    // The queen's row may have kept its square in the loop; the last row takes its slot.
    lage.einmal &= ~(Maske{1} << spalte);
    const int letzte = n - 1;
    nach.maske[i] = nach.maske[letzte];
    nach.zeile[i] = nach.zeile[letzte];
    nach.maske[letzte] = 0;
    nach.n = letzte;
    nach.anzahl = von.anzahl - 1;
    lage.leer = verlegen(lage.leer, letzte, i);
    lage.einzeln = verlegen(lage.einzeln, letzte, i);
    lage.paar = verlegen(lage.paar, letzte, i);
    return lage;
}

// The sum of the positions of the bits of `m`.
KERN_ZIEL [[gnu::always_inline]] inline long bitSumme(Maske m) {
    return bits(m & 0xAAAAAAAAAAAAAAAAu) + 2 * bits(m & 0xCCCCCCCCCCCCCCCCu) +
           4 * bits(m & 0xF0F0F0F0F0F0F0F0u) + 8 * bits(m & 0xFF00FF00FF00FF00u) +
           16 * bits(m & 0xFFFF0000FFFF0000u) + 32 * bits(m & 0xFFFFFFFF00000000u);
}

// The lowest `k` bits of `m`, which has k or more.
KERN_ZIEL [[gnu::always_inline]] inline Maske untereBits(Maske m, int k) {
#if KERN_VEKTOR
    if (k == 0) return 0;
    const Maske letztes = _pdep_u64(Maske{1} << (k - 1), m);
    return m & (letztes | (letztes - 1));
#else
    Maske teil = 0;
    for (int i = 0; i < k; ++i, m &= m - 1) teil |= m & -m;
    return teil;
#endif
}

// The sums of the positions of the lowest and of the highest `k` bits of lo (bits
// 0-63) and hi (64-127), which have k or more.
KERN_ZIEL [[gnu::always_inline]] inline void randSummen(Maske lo, Maske hi, int k, long& unten,
                                                        long& oben) {
    const int nLo = bits(lo), nHi = bits(hi);
    if (k <= nLo) {
        unten = bitSumme(untereBits(lo, k));
    } else {
        const Maske teil = untereBits(hi, k - nLo);
        unten = bitSumme(lo) + bitSumme(teil) + 64L * (k - nLo);
    }
    if (k <= nHi) {
        oben = bitSumme(hi ^ untereBits(hi, nHi - k)) + 64L * k;
    } else {
        oben = bitSumme(hi) + 64L * nHi + bitSumme(lo ^ untereBits(lo, nLo - (k - nHi)));
    }
}

// A bound on the diagonals' sum that counts the rows: each row's queen stands on a
// distinct free diagonal no higher than the row's own highest. Each row in turn taking
// the highest one left at or below that reaches the largest sum possible, whatever the
// order; false when some row finds none. Where few rows reach the high diagonals this
// is well below the sum of the k highest. (The same bound from below cuts a fifth as
// often, and does not pay for its time.)
KERN_ZIEL [[gnu::always_inline]] inline bool obereSumme(const Rest& r, Maske lo, Maske hi,
                                                        long& oben) {
    oben = 0;
    for (int j = 0; j < r.n; ++j) {
        const int hoechste =
            63 - std::countl_zero(r.maske[j]) + kMaxFeld - static_cast<int>(r.zeile[j]);
        const int d = hoechsteBis(lo, hi, hoechste);
        if (d < 0) return false;
        oben += d;
        const Maske bit = Maske{1} << (d & 63);
        lo &= d < 64 ? ~bit : ~Maske{0};
        hi &= d >= 64 ? ~bit : ~Maske{0};
    }
    return true;
}

// Where every row and every free column takes a queen, the queens' rows and columns are
// known as sets, so the sum of their falling diagonals c - r is too: the columns' sum
// less the rows'. Distinct free diagonals must make it up, so it lies between the sums
// of the smallest and of the largest k of them; that cheap test goes first, then the
// tighter upper bound row by row (obereSumme). (The rising diagonals c + r give the
// same check, but it prunes about a hundredth as much, for as much work.)
KERN_ZIEL inline bool summenPassen(const Rest& r, Maske spalten) {
    // Diagonal c - r + kMaxFeld of every free square, as bits 0-127.
    Maske lo = 0, hi = 0;
    long zeilen = 0;
#if KERN_VEKTOR
    const __m256i basis = _mm256_set1_epi64x(kMaxFeld);
    const __m256i vierundsechzig = _mm256_set1_epi64x(64);
    const __m256i null = _mm256_setzero_si256();
    __m256i vl = null, vh = null, vz = null;
    for (int j = 0; j < r.n; j += 4) {
        const __m256i z = _mm256_load_si256(reinterpret_cast<const __m256i*>(r.zeile + j));
        const __m256i m = _mm256_load_si256(reinterpret_cast<const __m256i*>(r.maske + j));
        const __m256i f = _mm256_sub_epi64(basis, z); // 1 to 50
        vl = _mm256_or_si256(vl, _mm256_sllv_epi64(m, f));
        vh = _mm256_or_si256(vh, _mm256_srlv_epi64(m, _mm256_sub_epi64(vierundsechzig, f)));
        // Slots past the last row hold no free square, and no row number to count.
        vz = _mm256_add_epi64(vz, _mm256_andnot_si256(_mm256_cmpeq_epi64(m, null), z));
    }
    alignas(32) Maske teile[3][4];
    _mm256_store_si256(reinterpret_cast<__m256i*>(teile[0]), vl);
    _mm256_store_si256(reinterpret_cast<__m256i*>(teile[1]), vh);
    _mm256_store_si256(reinterpret_cast<__m256i*>(teile[2]), vz);
    lo = teile[0][0] | teile[0][1] | teile[0][2] | teile[0][3];
    hi = teile[1][0] | teile[1][1] | teile[1][2] | teile[1][3];
    zeilen = static_cast<long>(teile[2][0] + teile[2][1] + teile[2][2] + teile[2][3]);
#else
    for (int j = 0; j < r.n; ++j) {
        const int z = static_cast<int>(r.zeile[j]);
        const int f = kMaxFeld - z;
        zeilen += z;
        lo |= r.maske[j] << f;
        hi |= r.maske[j] >> (64 - f);
    }
#endif
    if (bits(lo) + bits(hi) < r.n) return false;
    long unten, oben;
    randSummen(lo, hi, r.n, unten, oben);
    const long differenz = bitSumme(spalten) - zeilen + long{r.n} * kMaxFeld;
    if (differenz < unten || differenz > oben) return false;
    return obereSumme(r, lo, hi, oben) && differenz <= oben;
}

// As eingrenzen, for a Rest: places forced queens until none is left; false
// when the rows cannot take their queens.
KERN_ZIEL inline bool restEingrenzen(Rest& r, Lage& lage, std::int8_t* spur) {
    for (;;) {
        if (r.anzahl <= 0) return true;
        if (lage.leer != 0) { // rare where every row must take a queen: that fails first
            if (r.anzahl > r.n - bits(lage.leer)) return false;
            ausduennen(r, lage, spur);
        }
        const int spaltenOffen = bits(lage.einmal);
        if (r.anzahl > spaltenOffen) return false;
        if (r.anzahl == r.n && lage.einzeln != 0) { // every row takes a queen
            const int i = std::countr_zero(lage.einzeln);
            lage = platzieren(r, r, i, std::countr_zero(r.maske[i]), spur);
            continue;
        }
        const Maske einzeln = lage.einmal & ~lage.mehrmals;
        if (r.anzahl == spaltenOffen && einzeln != 0) { // every column takes a queen
            const int spalte = std::countr_zero(einzeln);
            int i = 0;
            while (((r.maske[i] >> spalte) & 1) == 0) ++i;
            lage = platzieren(r, r, i, spalte, spur);
            continue;
        }
        return r.anzahl != r.n || r.anzahl != spaltenOffen || summenPassen(r, lage.einmal);
    }
}

// True when the narrowed `r`, counted in `lage`, holds a placement.
KERN_ZIEL bool pruefen(Zweig& z, const Rest& r, const Lage& lage, int tiefe) {
    if (r.anzahl <= 0) {
        std::copy(z.spur, z.spur + kMaxFeld, z.beleg);
        for (int j = 0; j < r.n; ++j) z.beleg[r.zeile[j]] = -1;
        return true;
    }
    ++z.knoten;
    if (z.vorrat >= 0 && --z.vorrat < 0) z.erschoepft = true;
    if (z.erschoepft || vorbei(z)) return false;

    // A row with the fewest free squares: two is the least after narrowing.
    int zeile = std::countr_zero(lage.paar);
    int wenigste = lage.paar != 0 ? 2 : 99;
    // The columns free in exactly two rows; without a row of two, the row with
    // the fewest. Not needed where a row of two is there and every row must
    // take a queen.
    const bool zeilenVoll = r.anzahl == r.n;
    Maske einmal = 0, zweimal = 0, dreimal = 0;
    if (!(zeilenVoll && wenigste == 2))
        for (int i = 0; i < r.n; ++i) {
            const Maske m = r.maske[i];
            dreimal |= zweimal & m;
            zweimal |= einmal & m;
            einmal |= m;
            if (wenigste > 2 && bits(m) < wenigste) {
                wenigste = bits(m);
                zeile = i;
            }
        }
    const bool spaltenVoll = r.anzahl == bits(einmal);
    const Maske zwei = zweimal & ~dreimal;
    const bool nachSpalte = spaltenVoll && (!zeilenVoll || (wenigste > 2 && zwei != 0));
    const int spalte = std::countr_zero(zwei != 0 ? zwei : einmal);

    Rest kind;
    const Maske wahl = nachSpalte ? 0 : r.maske[zeile];
    const int zweige = nachSpalte ? r.n : bits(wahl);
    Maske rest = wahl;
    for (int i = 0; i < zweige; ++i) {
        Lage kindLage;
        if (nachSpalte) {
            if (((r.maske[i] >> spalte) & 1) == 0) continue;
            kindLage = platzieren(r, kind, i, spalte, z.spur);
        } else {
            kindLage = platzieren(r, kind, zeile, std::countr_zero(rest), z.spur);
            rest &= rest - 1;
        }
        if (!restEingrenzen(kind, kindLage, z.spur)) continue;
        if (z.geteilt && tiefe < kTeilTiefe && z.lauf.hungrig.load(std::memory_order_relaxed) > 0) {
            weitergeben(z.lauf, kind, z.spur);
            continue;
        }
        if (pruefen(z, kind, kindLage, tiefe + 1)) return true;
        if (z.abgebrochen || z.erschoepft) return false;
    }
    return false;
}
