// What differs between a POSIX terminal and the Windows console, behind one small
// interface; console.cpp builds everything else on it. Internal to the console layer.
#pragma once

#include <string>

namespace console::platform {

void setup();

bool inputIsTerminal();
bool outputIsTerminal();

// How frame characters reach the screen: the code page 437 byte (the Windows console,
// and any redirected output), its UTF-8 glyph, or an ASCII stand-in of the same width.
// Text is measured in screen columns only where frames are UTF-8.
enum class Frames { cp437, utf8, ascii };
Frames frames();

// Only called when outputIsTerminal(). A terminal that wants no colours gets none.
void writeColour(int attribute);
void writeStatus(const std::string& text);

// Only called when inputIsTerminal(): one key, raw, flushing the prompt first.
int readKey();

} // namespace console::platform
