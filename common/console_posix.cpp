// The console layer on a POSIX terminal: raw mode for one key read, ANSI colours,
// and the terminal left as it was found on every way out.
#include "console.h"
#include "console_platform.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
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

bool utf8Screen() {
    return stdoutIsTerminal();
}

void writeColour(int attribute) {
    coloured = 1;
    std::fputs(ansiSequence(attribute).c_str(), stdout);
}

void writeStatus(const std::string& text) {
    std::printf("\r%s\x1b[K", text.c_str());
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
