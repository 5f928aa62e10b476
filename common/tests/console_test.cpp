#include "console.h"
#include "console_intern.h"
#include "toolbox.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

using namespace console;

namespace {

struct Colour {
    int attribute;
    const char* sequence;
};

void PrintTo(const Colour& c, std::ostream* os) {
    *os << c.attribute;
}

class Colours : public testing::TestWithParam<Colour> {};

TEST_P(Colours, ConsoleBitsMapToAnsiWithRedAndBlueSwapped) {
    EXPECT_EQ(ansiSequence(GetParam().attribute), GetParam().sequence);
}

// 1 is the console's blue, 4 its red and 6 its brown (ANSI yellow); 0x107 has a bit
// above the background, which is ignored.
const Colour kColours[] = {
    {7, "\x1b[0;37;40m"},    {8, "\x1b[0;90;40m"},     {12, "\x1b[0;91;40m"},
    {15, "\x1b[0;97;40m"},   {135, "\x1b[0;37;100m"},  {143, "\x1b[0;97;100m"},
    {0, "\x1b[0;30;40m"},    {1, "\x1b[0;34;40m"},     {4, "\x1b[0;31;40m"},
    {6, "\x1b[0;33;40m"},    {252, "\x1b[0;91;107m"},  {119, "\x1b[0;37;47m"},
    {136, "\x1b[0;90;100m"}, {0x107, "\x1b[0;37;40m"},
};

INSTANTIATE_TEST_SUITE_P(Attributes, Colours, testing::ValuesIn(kColours),
                         [](const auto& info) { return std::to_string(info.param.attribute); });

TEST(Frames, EveryCodePage437FrameByteHasItsGlyphAndAnAsciiStandInOfOneColumn) {
    struct Glyph {
        int code;
        const char* utf8;
        const char* ascii;
    };
    const Glyph glyphs[] = {{185, "╣", "+"}, {186, "║", "|"}, {187, "╗", "+"}, {188, "╝", "+"},
                            {200, "╚", "+"}, {201, "╔", "+"}, {202, "╩", "+"}, {203, "╦", "+"},
                            {204, "╠", "+"}, {205, "═", "="}, {206, "╬", "+"}};
    for (const Glyph& g : glyphs) {
        EXPECT_EQ(frameUtf8(g.code), g.utf8) << g.code;
        EXPECT_EQ(frameAscii(g.code), g.ascii) << g.code;
    }
    EXPECT_EQ(frameUtf8(65), "");
    EXPECT_EQ(frameAscii(65), "");
}

TEST(DisplayWidth, OneColumnPerUtf8SequenceAndPerInvalidByte) {
    const std::pair<std::string, std::size_t> cases[] = {
        {"", 0},
        {"Meier", 5},
        {"M\xC3\xBCller", 6},                // ü
        {"Wei\xC3\x9F", 4},                  // ß
        {"\xC3\x96zdemir", 7},               // Ö
        {"\xE2\x82\xAC\xF0\x9F\x98\x80", 2}, // a three- and a four-byte sequence
        {"M\xFCller", 6},                    // Latin-1 ü: one invalid byte
        {"\xC3", 1},                         // a sequence cut off at the end
        {"\xC3(", 2},                        // a lead byte without its continuation
        {"\x80\xBF", 2},                     // continuation bytes on their own
        {"\xC0\xAF\xE0\x80\xAF", 5},         // overlong forms
        {"\xED\xA0\x80", 3},                 // a surrogate
        {"\xF4\x90\x80\x80\xF5", 5},         // beyond U+10FFFF, and a byte never used
    };
    for (const auto& [text, columns] : cases) EXPECT_EQ(displayWidth(text), columns) << text;
}

// The readers take standard input; each case puts the given bytes there.
class Readers : public ::testing::Test {
  protected:
    void input(const std::string& bytes) {
        const auto path = folder_ / "input";
        toolbox::writeFile(path, bytes);
        ASSERT_NE(std::freopen(path.c_str(), "rb", stdin), nullptr);
    }

  private:
    toolbox::ScratchFolder folder_{"console-input"};
};

TEST_F(Readers, KeysAreTheBytesOfTheStreamLineEndsIncluded) {
    input("a\n\r\xe0"
          "b");
    EXPECT_EQ(getKey(), 'a');
    EXPECT_EQ(getKey(), '\n');
    EXPECT_EQ(getKey(), '\r');
    EXPECT_EQ(getKey(), 0xe0); // a high byte is a key, not end of input
    EXPECT_EQ(getKey(), 'b');
    EXPECT_EQ(getKey(), kEndOfInput);
    EXPECT_EQ(getKey(), kEndOfInput);
}

TEST_F(Readers, WordsSkipWhiteSpaceAndLeaveTheLineEndForTheNextKey) {
    input("  \t\nanna  meier\nx");
    std::string word;
    ASSERT_EQ(readWord(word, 5), Read::ok);
    EXPECT_EQ(word, "anna");
    ASSERT_EQ(readWord(word, 5), Read::ok);
    EXPECT_EQ(word, "meier");
    EXPECT_EQ(getKey(), '\n');
    EXPECT_EQ(getKey(), 'x');
    EXPECT_EQ(readWord(word, 5), Read::end);
}

TEST_F(Readers, WordAtEndOfInputWithoutLineEnd) {
    input("last");
    std::string word;
    ASSERT_EQ(readWord(word, 4), Read::ok);
    EXPECT_EQ(word, "last");
    EXPECT_EQ(readWord(word, 4), Read::end);
}

TEST_F(Readers, ATooLongWordKeepsOneByteMoreThanAskedAndItsRestIsDropped) {
    input(std::string(100000, 'x') + "\nmeier " + std::string(40, '0') + "7 8");
    std::string word;
    ASSERT_EQ(readWord(word, 5), Read::ok);
    EXPECT_EQ(word, "xxxxxx");
    EXPECT_EQ(getKey(), '\n');
    ASSERT_EQ(readWord(word, 5), Read::ok);
    EXPECT_EQ(word, "meier");
    // An integer's word is no longer than words::kLongestInteger, leading zeros and all.
    int value = 42;
    EXPECT_EQ(readInt(value), Read::invalid);
    EXPECT_EQ(value, 42);
    ASSERT_EQ(readInt(value), Read::ok);
    EXPECT_EQ(value, 8);
}

TEST_F(Readers, IntegersAreWholeWordsAndAnythingElseIsConsumedAsInvalid) {
    input("2 -7 +3 abc 12x 99999999999 2147483647 -2147483648 -");
    int value = 42;
    ASSERT_EQ(readInt(value), Read::ok);
    EXPECT_EQ(value, 2);
    ASSERT_EQ(readInt(value), Read::ok);
    EXPECT_EQ(value, -7);
    ASSERT_EQ(readInt(value), Read::ok);
    EXPECT_EQ(value, 3);
    value = 42;
    EXPECT_EQ(readInt(value), Read::invalid);
    EXPECT_EQ(readInt(value), Read::invalid);
    EXPECT_EQ(readInt(value), Read::invalid); // out of range, never wrapped
    EXPECT_EQ(value, 42);
    ASSERT_EQ(readInt(value), Read::ok);
    EXPECT_EQ(value, 2147483647);
    ASSERT_EQ(readInt(value), Read::ok);
    EXPECT_EQ(value, -2147483648);
    EXPECT_EQ(readInt(value), Read::invalid);
    EXPECT_EQ(readInt(value), Read::end);
}

TEST_F(Readers, PairsTakeBlankOrCommaBetween) {
    input("4 4\n3,5\n 2, 7\n6\n8\n-1 , 0\n");
    int a = 0, b = 0;
    const std::pair<int, int> expected[] = {{4, 4}, {3, 5}, {2, 7}, {6, 8}, {-1, 0}};
    for (const auto& [first, second] : expected) {
        ASSERT_EQ(readIntPair(a, b), Read::ok);
        EXPECT_EQ(a, first);
        EXPECT_EQ(b, second);
    }
    EXPECT_EQ(getKey(), '\n');
    EXPECT_EQ(readIntPair(a, b), Read::end);
}

TEST_F(Readers, ABadPairDiscardsItsLineSoTheQuestionCanBeAskedAgain) {
    input("x 4\n4,,4\n4 4x\n4 y\n5 6\n");
    int a = 0, b = 0;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(readIntPair(a, b), Read::invalid) << i;
    ASSERT_EQ(readIntPair(a, b), Read::ok);
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 6);
}

TEST_F(Readers, EndOfInputInsideAPairIsEnd) {
    input("4 ");
    int a = 0, b = 0;
    EXPECT_EQ(readIntPair(a, b), Read::end);
}

} // namespace
