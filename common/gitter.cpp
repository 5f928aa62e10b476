// The framed grid of the queen board and the maze.
#include "gitter.h"

#include "console.h"

namespace console {

namespace {

void printBorderLine(int width) {
    std::fputs("\t\t", stdout);
    setcolor(kDunkelgrauAufDunkelgrau);
    std::fputc('+', stdout);
    for (int i = 0; i < width; ++i) std::fputc('-', stdout);
    std::fputc('+', stdout);
    setcolor(kHellgrau);
    std::fputc('\n', stdout);
}

void printBorder(char border) {
    setcolor(kDunkelgrauAufDunkelgrau);
    std::fputc(border, stdout);
    setcolor(kHellgrau);
}

} // namespace

void printFramedGrid(int columns, int rows, int cellWidth,
                     const std::function<void(int row, int column)>& cell) {
    printBorderLine(columns * cellWidth);
    for (int row = 0; row < rows; ++row) {
        std::fputs("\t\t", stdout);
        printBorder('|');
        for (int column = 0; column < columns; ++column) cell(row, column);
        printBorder('|');
        std::fputc('\n', stdout);
    }
    printBorderLine(columns * cellWidth);
    std::fputc('\n', stdout);
}

} // namespace console
