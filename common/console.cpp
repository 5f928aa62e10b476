#include "console.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <conio.h>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <csignal>
#include <termios.h>
#include <unistd.h>
#endif

// ---- Where we are ---------------------------------------------------------

namespace {

#ifdef _WIN32

bool isConsole(DWORD which) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

bool stdinIsConsole() {
    static const bool answer = isConsole(STD_INPUT_HANDLE);
    return answer;
}

bool stdoutIsConsole() {
    static const bool answer = isConsole(STD_OUTPUT_HANDLE);
    return answer;
}

// The attribute in force before the program, restored when it ends.
WORD originalAttributes = 7;

void restoreConsole() {
    if (stdoutIsConsole()) {
        std::fflush(stdout);
        SetConsoleTextAttribute(GetStdHandle(STD_OUTPUT_HANDLE), originalAttributes);
    }
}

// Ctrl+C and closing the window end the program without atexit; restore first.
BOOL WINAPI onConsoleEvent(DWORD) {
    SetConsoleTextAttribute(GetStdHandle(STD_OUTPUT_HANDLE), originalAttributes);
    return FALSE; // and let the default handling end the program
}

struct ConsoleSetup {
    ConsoleSetup() {
        CONSOLE_SCREEN_BUFFER_INFO info;
        if (stdoutIsConsole() &&
            GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info)) {
            originalAttributes = info.wAttributes;
            std::atexit(restoreConsole);
            SetConsoleCtrlHandler(onConsoleEvent, TRUE);
        }
        // A pipe or file is one byte stream: no CR LF folding on the way in.
        if (!stdinIsConsole()) _setmode(_fileno(stdin), _O_BINARY);
    }
};

#else

bool stdinIsTerminal() {
    static const bool answer = isatty(STDIN_FILENO) != 0;
    return answer;
}

bool stdoutIsTerminal() {
    static const bool answer = isatty(STDOUT_FILENO) != 0;
    return answer;
}

// Set once a colour has been written, so the end of the run resets it.
volatile std::sig_atomic_t coloured = 0;

// Settings of the terminal as the program found them.
termios originalTermios;
bool haveOriginalTermios = false;

void restoreTerminal() {
    if (haveOriginalTermios) tcsetattr(STDIN_FILENO, TCSANOW, &originalTermios);
    if (coloured) {
        // The terminal's own colours again, or the prompt after us stays black on black.
        static const char reset[] = "\x1b[0m";
        ssize_t ignored = write(STDOUT_FILENO, reset, sizeof reset - 1);
        (void)ignored;
    }
}

void atExit() {
    std::fflush(stdout);
    restoreTerminal();
}

extern "C" void onSignal(int sig) {
    restoreTerminal();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

struct ConsoleSetup {
    ConsoleSetup() {
        if (stdinIsTerminal() && tcgetattr(STDIN_FILENO, &originalTermios) == 0)
            haveOriginalTermios = true;
        if (haveOriginalTermios || stdoutIsTerminal()) {
            std::atexit(atExit);
            for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) std::signal(sig, onSignal);
        }
    }
};

// Raw mode for exactly one key read; the destructor cannot forget to restore.
class RawKeyMode {
  public:
    RawKeyMode() {
        termios raw = originalTermios;
        raw.c_lflag &= ~static_cast<tcflag_t>(ICANON); // the key counts without Enter
        raw.c_lflag &= ~static_cast<tcflag_t>(ECHO);   // and is not shown
        raw.c_iflag &= ~static_cast<tcflag_t>(ICRNL);  // Enter arrives as '\r', as on the console
        // ISIG stays on: Ctrl+C still ends the program (and the handler restores us).
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    }
    ~RawKeyMode() { tcsetattr(STDIN_FILENO, TCSANOW, &originalTermios); }
    RawKeyMode(const RawKeyMode&) = delete;
    RawKeyMode& operator=(const RawKeyMode&) = delete;
};

#endif

const ConsoleSetup setup;

// ---- Characters of typed input ---------------------------------------------
// Typed values come from standard input's own buffer (whole echoed lines on a
// terminal); key presses on a terminal bypass it, so words left on a line stay.

int nextChar() {
    return std::getc(stdin);
}

void unreadChar(int c) {
    if (c != EOF) std::ungetc(c, stdin);
}

int skipSpace() {
    int c = nextChar();
    while (c != EOF && std::isspace(c)) c = nextChar();
    return c;
}

// Reads the rest of a word whose first character is c.
std::string restOfWord(int c) {
    std::string word;
    while (c != EOF && !std::isspace(c)) {
        word.push_back(static_cast<char>(c));
        c = nextChar();
    }
    unreadChar(c);
    return word;
}

// Reads an optionally signed run of digits starting with c; the character after it stays unread.
bool readNumber(int c, int& value) {
    std::string text;
    if (c == '+' || c == '-') {
        text.push_back(static_cast<char>(c));
        c = nextChar();
    }
    while (c != EOF && std::isdigit(c)) {
        text.push_back(static_cast<char>(c));
        c = nextChar();
    }
    unreadChar(c);
    return parseInt(text, value);
}

void discardLine() {
    int c = nextChar();
    while (c != EOF && c != '\n') c = nextChar();
}

} // namespace

bool parseInt(std::string_view word, int& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) negative = word[i++] == '-';
    if (i == word.size()) return false;
    long long magnitude = 0;
    for (; i < word.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(word[i]))) return false;
        magnitude = magnitude * 10 + (word[i] - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1) return false;
    }
    long long result = negative ? -magnitude : magnitude;
    if (result > INT_MAX || result < INT_MIN) return false;
    value = static_cast<int>(result);
    return true;
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
#ifdef _WIN32
    if (stdoutIsConsole()) {
        std::fflush(stdout);
        SetConsoleTextAttribute(GetStdHandle(STD_OUTPUT_HANDLE),
                                static_cast<WORD>(attribute & 0xFFFF));
    }
#else
    if (stdoutIsTerminal()) {
        coloured = 1;
        std::fputs(ansiSequence(attribute).c_str(), stdout);
    }
#endif
}

std::string frameUtf8(int code) {
    switch (code) {
    case 185:
        return "\u2563"; // ╣
    case 186:
        return "\u2551"; // ║
    case 187:
        return "\u2557"; // ╗
    case 188:
        return "\u255D"; // ╝
    case 200:
        return "\u255A"; // ╚
    case 201:
        return "\u2554"; // ╔
    case 202:
        return "\u2569"; // ╩
    case 203:
        return "\u2566"; // ╦
    case 204:
        return "\u2560"; // ╠
    case 205:
        return "\u2550"; // ═
    case 206:
        return "\u256C"; // ╬
    default:
        return "";
    }
}

void printFrame(int code) {
#ifndef _WIN32
    if (stdoutIsTerminal()) {
        std::fputs(frameUtf8(code).c_str(), stdout);
        return;
    }
#endif
    std::putchar(code);
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
#ifndef _WIN32
    if (stdoutIsTerminal()) {
        for (auto i = static_cast<int>(displayWidth(text)); i < width; ++i) std::putchar(' ');
        std::fputs(text, stdout);
        return;
    }
#endif
    std::printf("%*s", width, text);
}

bool outputIsTerminal() {
#ifdef _WIN32
    return stdoutIsConsole();
#else
    return stdoutIsTerminal();
#endif
}

void statusLine(const std::string& text) {
    if (!outputIsTerminal()) return;
#ifdef _WIN32
    // Overwrite the line with blanks; the console has no erase sequence of its own here.
    static std::size_t shown = 0;
    std::printf("\r%s", text.c_str());
    for (std::size_t i = text.size(); i < shown; ++i) std::putchar(' ');
    if (text.empty()) std::putchar('\r');
    shown = text.size();
#else
    std::printf("\r%s\x1b[K", text.c_str());
#endif
    std::fflush(stdout);
}

// ---- Input -------------------------------------------------------------------

int getKey() {
#ifdef _WIN32
    std::fflush(stdout);
    if (stdinIsConsole()) return _getch();
#else
    if (stdinIsTerminal() && haveOriginalTermios) {
        unsigned char key = 0;
        ssize_t got;
        {
            RawKeyMode raw;
            // The prompt shows only once raw mode is on, so a key typed at the
            // prompt is never echoed by the line discipline.
            std::fflush(stdout);
            got = read(STDIN_FILENO, &key, 1);
        }
        // Ctrl+D is the terminal's end of input; raw mode hands it over as a byte.
        if (got != 1 || key == originalTermios.c_cc[VEOF]) return kEndOfInput;
        return key;
    }
    std::fflush(stdout);
#endif
    const int c = nextChar();
    return c == EOF ? kEndOfInput : c;
}

Read readWord(std::string& word) {
    std::fflush(stdout);
    const int c = skipSpace();
    if (c == EOF) return Read::end;
    word = restOfWord(c);
    return Read::ok;
}

Read readInt(int& value) {
    std::string word;
    if (readWord(word) == Read::end) return Read::end;
    return parseInt(word, value) ? Read::ok : Read::invalid;
}

Read readIntPair(int& first, int& second) {
    std::fflush(stdout);
    int c = skipSpace();
    if (c == EOF) return Read::end;
    int a = 0;
    int b = 0;
    if (!readNumber(c, a)) {
        discardLine();
        return Read::invalid;
    }
    c = skipSpace();
    if (c == ',') c = skipSpace();
    if (c == EOF) return Read::end;
    if (!readNumber(c, b)) {
        discardLine();
        return Read::invalid;
    }
    // "4 4x" is no pair of numbers either.
    c = nextChar();
    if (c != EOF && !std::isspace(c)) {
        discardLine();
        return Read::invalid;
    }
    unreadChar(c);
    first = a;
    second = b;
    return Read::ok;
}
