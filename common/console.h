// The console layer: colours, frame characters, key presses and typed input, the same
// for a POSIX terminal, the Windows console, and a pipe or file. No other file includes
// a platform header or writes an escape sequence.
#pragma once

#include "farben.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace console {

// Called by start() (arguments.h) before a program runs: remembers the terminal's
// settings and colours and restores them on every way out (normal end, Ctrl+C, and the
// signals that end a run).
void setup();

// ---- Output ------------------------------------------------------------------------

// Sets the text attribute for all that follows (see farben.h). Nothing is written
// when standard output is a file or a pipe, nor on a POSIX terminal that asks for no
// colours (NO_COLOR set and not empty) or for no escape sequences at all (TERM=dumb).
void setcolor(int attribute);

// `text` in `attribute`, then `after` set for what follows.
void writeColoured(int attribute, std::string_view text, int after);

// A code page 437 double-line frame character (farben.h): the single byte when
// redirected; on the Windows console its glyph as a Unicode character, whatever the
// console's code page; on a POSIX terminal its UTF-8 glyph where the locale's character
// set is UTF-8, else its ASCII stand-in. `count` times in a row.
void printFrame(int code, int count = 1);

// Writes `text` right-aligned in `width` columns, and whole when it is wider, as
// "%*s" does. Where the screen decodes text as UTF-8 (a POSIX terminal in a UTF-8
// locale, the Windows console on code page 65001) the padding counts the characters
// the text shows, so a German name keeps the frame straight. Everywhere else it counts
// bytes like "%*s": a single-byte code page or character set shows one character per
// byte, and redirected output stays byte for byte the same. On the Windows console the
// text goes to the console as it is, shown in the console's code page.
void printRightAligned(const char* text, int width);

// True when standard output is a terminal or console (colours and frames show).
bool outputIsTerminal();

// A one-line status message on a terminal only (nothing when redirected); an
// empty text erases it again, leaving the cursor at the start of the line. With
// TERM=dumb it is drawn with carriage returns and blanks alone.
void statusLine(const std::string& text);

// ---- Input -------------------------------------------------------------------------

// End of input (closed pipe, end of file, Ctrl+D on an empty terminal line).
inline constexpr int kEndOfInput = -1;

// One key press, unbuffered and without echo (the _getch role): 0-255, or
// kEndOfInput. On a terminal Enter arrives as '\r'; from a pipe or a file this is
// simply the next byte of standard input.
int getKey();

enum class Read { ok, invalid, end };

// One white-space-delimited word, as "%s" reads it: leading white space is
// skipped, the white space after the word stays unread. A word longer than
// `longest` is read to its end, but only its first longest + 1 bytes are kept, so
// it stays too long for whoever asked. Result ok or end.
Read readWord(std::string& word, std::size_t longest);

// One integer typed as a word, as "%d" reads it: invalid when the word is not a
// whole decimal integer in range (the word is consumed then), end at end of input.
Read readInt(int& value);

// Two integers separated by white space or by one comma ("4 4", "4,4", "4, 4").
// On invalid input the rest of the line is discarded, so asking again reads
// fresh input.
Read readIntPair(int& first, int& second);

} // namespace console
