// The console attributes and frame characters the programs use, each named once here.
#pragma once

namespace console {

// Attributes as on the Windows console: foreground = low four bits, background = the
// next four; bits blue 1, green 2, red 4, intensity 8.
inline constexpr int kSchwarz = 0x00;                 // black on black: line ends, blank lines
inline constexpr int kRot = 0x04;                     // messages and hot keys
inline constexpr int kHellgrau = 0x07;                // normal text
inline constexpr int kDunkelgrau = 0x08;              // menu entries
inline constexpr int kHellrot = 0x0C;                 // headings, queens
inline constexpr int kWeiss = 0x0F;                   // typed input, names
inline constexpr int kGrauAufGrau = 0x77;             // maze walls
inline constexpr int kHellgrauAufDunkelgrau = 0x87;   // frame lines of the listing and logo
inline constexpr int kDunkelgrauAufDunkelgrau = 0x88; // the band around a grid
inline constexpr int kWeissAufDunkelgrau = 0x8F;      // values inside a frame
inline constexpr int kHellrotAufWeiss = 0xFC;         // the way through the maze
inline constexpr int kWeissAufWeiss = 0xFF;           // free maze cells

// Double-line frame characters by their code page 437 codes.
inline constexpr int kRahmenSenkrecht = 186;       // ║
inline constexpr int kRahmenWaagrecht = 205;       // ═
inline constexpr int kRahmenEckeObenLinks = 201;   // ╔
inline constexpr int kRahmenEckeObenRechts = 187;  // ╗
inline constexpr int kRahmenEckeUntenLinks = 200;  // ╚
inline constexpr int kRahmenEckeUntenRechts = 188; // ╝
inline constexpr int kRahmenAbzweigUnten = 203;    // ╦ junction of a top line
inline constexpr int kRahmenAbzweigOben = 202;     // ╩ junction of a bottom line
inline constexpr int kRahmenKreuz = 206;           // ╬
inline constexpr int kRahmenAbzweigRechts = 204;   // ╠ left end of a separator
inline constexpr int kRahmenAbzweigLinks = 185;    // ╣ right end of a separator

} // namespace console
