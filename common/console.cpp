// The console layer's shared logic: what a colour, a frame character, a key or a typed
// value means is written once here; the bytes for the platform come from console_platform.h.
#include "console.h"
#include "console_intern.h"
#include "console_platform.h"
#include "words.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <utility>

namespace console {

void setup() {
    platform::setup();
}

// ---- Output -----------------------------------------------------------------

std::string ansiSequence(int attribute) {
    // Console bits are blue 1, green 2, red 4; ANSI colour numbers are red 1, green 2, blue 4.
    auto ansi = [](int console) {
        return ((console & 1) << 2) | (console & 2) | ((console & 4) >> 2);
    };
    const int fg = attribute & 15;
    const int bg = (attribute >> 4) & 15;
    const int fgCode = (fg & 8 ? 90 : 30) + ansi(fg);
    const int bgCode = (bg & 8 ? 100 : 40) + ansi(bg);
    return "\x1b[0;" + std::to_string(fgCode) + ";" + std::to_string(bgCode) + "m";
}

void setcolor(int attribute) {
    if (platform::outputIsTerminal()) platform::writeColour(attribute);
}

void writeColoured(int attribute, std::string_view text, int after) {
    setcolor(attribute);
    std::fwrite(text.data(), 1, text.size(), stdout);
    setcolor(after);
}

std::string frameUtf8(int code) {
    switch (code) {
    case kRahmenAbzweigLinks:
        return "\u2563"; // ╣
    case kRahmenSenkrecht:
        return "\u2551"; // ║
    case kRahmenEckeObenRechts:
        return "\u2557"; // ╗
    case kRahmenEckeUntenRechts:
        return "\u255D"; // ╝
    case kRahmenEckeUntenLinks:
        return "\u255A"; // ╚
    case kRahmenEckeObenLinks:
        return "\u2554"; // ╔
    case kRahmenAbzweigOben:
        return "\u2569"; // ╩
    case kRahmenAbzweigUnten:
        return "\u2566"; // ╦
    case kRahmenAbzweigRechts:
        return "\u2560"; // ╠
    case kRahmenWaagrecht:
        return "\u2550"; // ═
    case kRahmenKreuz:
        return "\u256C"; // ╬
    default:
        return "";
    }
}

std::string frameAscii(int code) {
    switch (code) {
    case kRahmenSenkrecht:
        return "|";
    case kRahmenWaagrecht:
        return "=";
    case kRahmenEckeObenLinks:
    case kRahmenEckeObenRechts:
    case kRahmenEckeUntenLinks:
    case kRahmenEckeUntenRechts:
    case kRahmenAbzweigUnten:
    case kRahmenAbzweigOben:
    case kRahmenKreuz:
    case kRahmenAbzweigRechts:
    case kRahmenAbzweigLinks:
        return "+";
    default:
        return "";
    }
}

void printFrame(int code, int count) {
    const platform::Frames frames = platform::frames();
    std::string glyph;
    switch (frames) {
    case platform::Frames::cp437:
        glyph = std::string(1, static_cast<char>(code));
        break;
    case platform::Frames::glyph:
        glyph = frameUtf8(code);
        break;
    case platform::Frames::ascii:
        glyph = frameAscii(code);
        break;
    }
    std::string run;
    for (int i = 0; i < count; ++i) run += glyph;
    if (frames == platform::Frames::glyph)
        platform::writeGlyphs(run);
    else
        std::fputs(run.c_str(), stdout);
}

namespace {

// The length of the valid UTF-8 sequence at text[i], or 1 for a byte that starts none.
std::size_t sequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 1;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;  // no overlong forms
        if (lead == 0xED) high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F; // nothing beyond U+10FFFF
    }
    if (length == 1 || i + length > text.size()) return 1;
    if (byte(i + 1) < low || byte(i + 1) > high) return 1;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 1;
    return length;
}

} // namespace

std::size_t displayWidth(std::string_view text) {
    std::size_t columns = 0;
    for (std::size_t i = 0; i < text.size(); i += sequenceLength(text, i)) ++columns;
    return columns;
}

void printRightAligned(const char* text, int width) {
    const std::size_t shown = platform::textIsUtf8() ? displayWidth(text) : std::strlen(text);
    if (std::cmp_less(shown, width)) std::printf("%*s", width - static_cast<int>(shown), "");
    if (platform::outputIsTerminal())
        platform::writeText(text);
    else
        std::fputs(text, stdout);
}

bool outputIsTerminal() {
    return platform::outputIsTerminal();
}

void statusLine(const std::string& text) {
    if (!platform::outputIsTerminal()) return;
    platform::writeStatus(text);
    std::fflush(stdout);
}

// ---- Input -------------------------------------------------------------------
// Typed values come from standard input's own buffer (whole echoed lines on a
// terminal); key presses on a terminal bypass it, so words left on a line stay.

namespace {

// Reads an optionally signed run of digits starting with c; the character after it stays
// unread. A run too long for an integer is given up one digit past the longest.
bool readNumber(int c, int& value) {
    std::string text;
    if (c == '+' || c == '-') {
        text.push_back(static_cast<char>(c));
        c = std::getc(stdin);
    }
    while (c != EOF && std::isdigit(c) && text.size() <= words::kLongestInteger) {
        text.push_back(static_cast<char>(c));
        c = std::getc(stdin);
    }
    if (c != EOF) std::ungetc(c, stdin);
    return words::parseInt(text, value);
}

void discardLine() {
    int c = std::getc(stdin);
    while (c != EOF && c != '\n') c = std::getc(stdin);
}

} // namespace

int getKey() {
    if (platform::inputIsTerminal()) return platform::readKey();
    std::fflush(stdout);
    const int c = std::getc(stdin);
    return c == EOF ? kEndOfInput : c;
}

Read readWord(std::string& word, std::size_t longest) {
    std::fflush(stdout);
    if (!words::readWordFrom(stdin, word, longest)) return Read::end;
    // Typed words end where the user pressed Enter; the rest of a long one is dropped.
    if (word.size() > longest) words::skipRestOfWord(stdin);
    return Read::ok;
}

Read readInt(int& value) {
    std::string word;
    if (readWord(word, words::kLongestInteger) == Read::end) return Read::end;
    return words::parseInt(word, value) ? Read::ok : Read::invalid;
}

Read readIntPair(int& first, int& second) {
    std::fflush(stdout);
    int c = words::skipSpace(stdin);
    if (c == EOF) return Read::end;
    int a = 0;
    int b = 0;
    if (!readNumber(c, a)) {
        discardLine();
        return Read::invalid;
    }
    c = words::skipSpace(stdin);
    if (c == ',') c = words::skipSpace(stdin);
    if (c == EOF) return Read::end;
    if (!readNumber(c, b)) {
        discardLine();
        return Read::invalid;
    }
    // "4 4x" is no pair of numbers either.
    c = std::getc(stdin);
    if (c != EOF && !std::isspace(c)) {
        discardLine();
        return Read::invalid;
    }
    if (c != EOF) std::ungetc(c, stdin);
    first = a;
    second = b;
    return Read::ok;
}

} // namespace console
