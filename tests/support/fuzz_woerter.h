// The model of the text files: words split at white space, and whole integers.
#pragma once

#include "words.h"

#include <cctype>
#include <climits>
#include <cstddef>
#include <string_view>
#include <vector>

namespace harness {

inline bool weiss(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

inline std::vector<std::string_view> woerter(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && weiss(text[i])) ++i;
        const std::size_t anfang = i;
        while (i < text.size() && !weiss(text[i])) ++i;
        if (i > anfang) out.push_back(text.substr(anfang, i - anfang));
    }
    return out;
}

// The words as a reader takes them that reads no further than one byte past
// `laengstes`: a longer word is given up after laengstes + 1 bytes, and the next word
// starts right there.
inline std::vector<std::string_view> woerter(std::string_view text, std::size_t laengstes) {
    std::vector<std::string_view> out;
    for (std::string_view wort : woerter(text)) {
        for (; wort.size() > laengstes; wort.remove_prefix(laengstes + 1))
            out.push_back(wort.substr(0, laengstes + 1));
        if (!wort.empty()) out.push_back(wort);
    }
    return out;
}

inline bool passtInFeld(std::string_view wort, std::size_t breite) {
    return wort.size() < breite && wort.find('\0') == std::string_view::npos;
}

// A whole decimal integer in the range of int, of no more characters than an integer's
// word may have.
inline bool ganzzahl(std::string_view wort, int& wert) {
    if (wort.size() > words::kLongestInteger) return false;
    std::size_t i = 0;
    const bool negativ = !wort.empty() && wort[0] == '-';
    if (!wort.empty() && (wort[0] == '-' || wort[0] == '+')) i = 1;
    if (i == wort.size()) return false;
    long long betrag = 0;
    for (; i < wort.size(); ++i) {
        if (wort[i] < '0' || wort[i] > '9') return false;
        betrag = betrag * 10 + (wort[i] - '0');
        if (betrag > 10'000'000'000LL) return false;
    }
    const long long v = negativ ? -betrag : betrag;
    if (v < INT_MIN || v > INT_MAX) return false;
    wert = static_cast<int>(v);
    return true;
}

} // namespace harness
