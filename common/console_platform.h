// What differs between a POSIX terminal and the Windows console, behind one small
// interface; console.cpp builds everything else on it. Internal to the console layer.
#pragma once

#include <string>

namespace console::platform {

void setup();

bool inputIsTerminal();
bool outputIsTerminal();

// True where frames are UTF-8 and text is measured in screen columns.
bool utf8Screen();

// Only called when outputIsTerminal().
void writeColour(int attribute);
void writeStatus(const std::string& text);

// Only called when inputIsTerminal(): one key, raw, flushing the prompt first.
int readKey();

} // namespace console::platform
