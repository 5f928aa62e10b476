// What differs between a POSIX terminal and the Windows console, behind one small
// interface; console.cpp builds everything else on it. Internal to the console layer.
#pragma once

#include <string>
#include <string_view>

namespace console::platform {

void setup();

bool inputIsTerminal();
bool outputIsTerminal();

// How frame characters reach the screen: the code page 437 byte (any redirected output),
// the glyph through writeGlyphs (a POSIX terminal in a UTF-8 locale, the Windows console
// whatever its code page), or an ASCII stand-in of the same width (any other terminal).
enum class Frames { cp437, glyph, ascii };
Frames frames();

// Only called when frames() is Frames::glyph: glyphs given in UTF-8, shown as those
// characters.
void writeGlyphs(std::string_view utf8);

// Whether the screen decodes text as UTF-8 (a POSIX terminal in a UTF-8 locale, the
// Windows console on code page 65001), so a text takes a column per character rather
// than per byte.
bool textIsUtf8();

// Only called when outputIsTerminal(). A terminal that wants no colours gets none.
void writeColour(int attribute);
// The bytes of a text as the screen's character set shows them.
void writeText(std::string_view text);
void writeStatus(const std::string& text);

// Only called when inputIsTerminal(): one key, raw, flushing the prompt first.
int readKey();

} // namespace console::platform
