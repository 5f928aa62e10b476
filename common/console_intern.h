// What the console layer works out for itself: the bytes of a colour and of a frame
// glyph, and the width of a text on a UTF-8 screen. No program calls these; the layer's
// own files and its tests do.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace console {

// The ANSI SGR sequence that setcolor writes on a POSIX terminal, e.g. 7 -> "\x1b[0;37;40m".
std::string ansiSequence(int attribute);

// The UTF-8 encoding of a code page 437 frame character; empty for other codes.
std::string frameUtf8(int code);

// The ASCII stand-in of a frame character, one column like the glyph: "|" and "="
// for the lines, "+" for corners and junctions; empty for other codes.
std::string frameAscii(int code);

// The columns a text takes on a UTF-8 screen: one per UTF-8 sequence, and one per
// byte that is not valid UTF-8 (the terminal shows a replacement character there).
std::size_t displayWidth(std::string_view text);

} // namespace console
