// The console layer on a POSIX terminal: raw mode for one key read, ANSI colours
// where the terminal wants them, frames in the locale's character set, and the
// terminal left as it was found on every way out.
#include "console.h"
#include "console_intern.h"
#include "console_platform.h"

#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>
#include <strings.h>
#include <termios.h>
#include <unistd.h>

namespace console::platform {

namespace {

bool stdinIsTerminal() {
    static const bool answer = isatty(STDIN_FILENO) != 0;
    return answer;
}

bool stdoutIsTerminal() {
    static const bool answer = isatty(STDOUT_FILENO) != 0;
    return answer;
}

// What the terminal on standard output is asked to show, found once at set-up.
struct Conventions {
    bool colours;   // colour sequences: NO_COLOR unset or empty, and TERM not "dumb"
    bool sequences; // escape sequences of any kind: TERM not "dumb"
    bool utf8;      // the locale's character set is UTF-8
};

// The user's character set, from the locale the environment names. The program
// itself stays in the "C" locale, so reading words and numbers does not depend on it.
bool localeIsUtf8() {
    const char* now = std::setlocale(LC_CTYPE, nullptr);
    const std::string before = now ? now : "C";
    bool utf8 = false;
    if (std::setlocale(LC_CTYPE, "")) {
        const char* codeset = nl_langinfo(CODESET);
        utf8 = strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "utf8") == 0;
    }
    std::setlocale(LC_CTYPE, before.c_str());
    return utf8;
}

Conventions conventionsOfTheEnvironment() {
    const char* term = std::getenv("TERM");
    const char* noColour = std::getenv("NO_COLOR");
    const bool dumb = term && std::strcmp(term, "dumb") == 0;
    return {!dumb && !(noColour && *noColour), !dumb, localeIsUtf8()};
}

const Conventions& conventions() {
    static const Conventions answer = conventionsOfTheEnvironment();
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
    // The text before the reset; output that is no terminal may be closed by now (finish()).
    if (stdoutIsTerminal()) std::fflush(stdout);
    restoreTerminal();
}

extern "C" void onSignal(int sig) {
    restoreTerminal();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

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

} // namespace

void setup() {
    // Asked here, before any thread of a program runs: setlocale is not thread-safe.
    if (stdoutIsTerminal()) conventions();
    if (stdinIsTerminal() && tcgetattr(STDIN_FILENO, &originalTermios) == 0)
        haveOriginalTermios = true;
    if (haveOriginalTermios || stdoutIsTerminal()) {
        std::atexit(atExit);
        for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) std::signal(sig, onSignal);
    }
}

// Without set-up there are no settings to come back to, so keys come from the stream.
bool inputIsTerminal() {
    return stdinIsTerminal() && haveOriginalTermios;
}

bool outputIsTerminal() {
    return stdoutIsTerminal();
}

Frames frames() {
    if (!stdoutIsTerminal()) return Frames::cp437;
    return conventions().utf8 ? Frames::glyph : Frames::ascii;
}

// The terminal decodes the UTF-8 itself.
void writeGlyphs(std::string_view utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

bool textIsUtf8() {
    return stdoutIsTerminal() && conventions().utf8;
}

void writeColour(int attribute) {
    if (!conventions().colours) return;
    coloured = 1;
    std::fputs(ansiSequence(attribute).c_str(), stdout);
}

void writeText(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

namespace {

// The columns a status text takes from the start of a line: tabs stop every eight
// columns, and the texts are ASCII.
std::size_t columns(const std::string& text) {
    std::size_t column = 0;
    for (const char c : text) column = c == '\t' ? (column / 8 + 1) * 8 : column + 1;
    return column;
}

} // namespace

void writeStatus(const std::string& text) {
    if (conventions().sequences) {
        std::printf("\r%s\x1b[K", text.c_str()); // erase to the end of the line
        return;
    }
    // A dumb terminal knows the carriage return alone: blanks cover what the text
    // before left over.
    static std::size_t shown = 0;
    const std::size_t width = columns(text);
    std::printf("\r%s", text.c_str());
    for (std::size_t i = width; i < shown; ++i) std::putchar(' ');
    if (text.empty() && shown > 0) std::putchar('\r');
    shown = width;
}

int readKey() {
    unsigned char key = 0;
    ssize_t got;
    {
        RawKeyMode raw;
        // The prompt shows only once raw mode is on, so a key typed at the prompt is
        // never echoed by the line discipline.
        std::fflush(stdout);
        got = read(STDIN_FILENO, &key, 1);
    }
    // Ctrl+D is the terminal's end of input; raw mode hands it over as a byte.
    if (got != 1 || key == originalTermios.c_cc[VEOF]) return kEndOfInput;
    return key;
}

} // namespace console::platform
