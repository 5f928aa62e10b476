// The console layer on the Windows console: attributes, frame glyphs and the listing's
// values through the console API, keys through _getch, and the colours in force before
// the program restored at its end.
#include "console.h"
#include "console_platform.h"

#include <conio.h>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <string_view>
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

// Frames go to the console as characters: the code page 437 bytes would be other
// letters in most code pages (UTF-8 and the ANSI code pages among them).
Frames frames() {
    return stdoutIsConsole() ? Frames::glyph : Frames::cp437;
}

// After what printf still holds, so the screen keeps the order of the output.
void writeGlyphs(std::string_view utf8) {
    if (utf8.empty()) return;
    std::fflush(stdout);
    const int bytes = static_cast<int>(utf8.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, wide.data(), static_cast<int>(wide.size()));
    DWORD written = 0;
    WriteConsoleW(GetStdHandle(STD_OUTPUT_HANDLE), wide.data(), static_cast<DWORD>(wide.size()),
                  &written, nullptr);
}

// Asked each time: chcp from another program on the same console changes it meanwhile.
bool textIsUtf8() {
    return stdoutIsConsole() && GetConsoleOutputCP() == CP_UTF8;
}

void writeColour(int attribute) {
    std::fflush(stdout);
    SetConsoleTextAttribute(GetStdHandle(STD_OUTPUT_HANDLE), static_cast<WORD>(attribute & 0xFFFF));
}

// The bytes go to the console as they are, and it shows them in its output code page,
// the one textIsUtf8 asks. The C runtime may translate them by a locale of its own on
// the way (Wine's takes each byte for a Latin-1 letter), so it is passed by.
void writeText(std::string_view text) {
    std::fflush(stdout);
    DWORD written = 0;
    WriteConsoleA(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
                  &written, nullptr);
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
