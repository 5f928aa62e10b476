// The console layer on the Windows console: attributes through the console API, keys
// through _getch, and the colours in force before the program restored at its end.
#include "console.h"
#include "console_platform.h"

#include <conio.h>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace console::platform {

namespace {

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

} // namespace

void setup() {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (stdoutIsConsole() && GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info)) {
        originalAttributes = info.wAttributes;
        std::atexit(restoreConsole);
        SetConsoleCtrlHandler(onConsoleEvent, TRUE);
    }
    // A pipe or file is one byte stream: no CR LF folding on the way in.
    if (!stdinIsConsole()) _setmode(_fileno(stdin), _O_BINARY);
}

bool inputIsTerminal() {
    return stdinIsConsole();
}

bool outputIsTerminal() {
    return stdoutIsConsole();
}

// The console shows the code page's single bytes, one column each.
Frames frames() {
    return Frames::cp437;
}

void writeColour(int attribute) {
    std::fflush(stdout);
    SetConsoleTextAttribute(GetStdHandle(STD_OUTPUT_HANDLE), static_cast<WORD>(attribute & 0xFFFF));
}

// Overwrites the line with blanks; the console has no erase sequence of its own here.
void writeStatus(const std::string& text) {
    static std::size_t shown = 0;
    std::printf("\r%s", text.c_str());
    for (std::size_t i = text.size(); i < shown; ++i) std::putchar(' ');
    if (text.empty()) std::putchar('\r');
    shown = text.size();
}

int readKey() {
    std::fflush(stdout);
    return _getch();
}

} // namespace console::platform
