// Words of a stream: what every reader of typed input and of the programs' files takes a
// word and a number to be.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace words {

// The longest word taken for an integer. The widest int has 11 characters
// ("-2147483648"); the rest is room for leading zeros.
inline constexpr std::size_t kLongestInteger = 32;

// Skips white space in `from`; the first other character (consumed), or EOF.
int skipSpace(std::FILE* from);

// The next white-space-delimited word of `from`, as "%s" reads it, read no further than
// one byte past `longest`: a longer word is given up there, so a stream that never gives
// white space ends a reader at once. `word` then holds longest + 1 bytes, too long for
// whoever asked, and the rest of the word stays unread; after a whole word the white
// space stays unread. False at the end.
bool readWordFrom(std::FILE* from, std::string& word, std::size_t longest);

// Reads to the end of the word that `from` stands in, keeping nothing: the rest of a word
// given up as too long, where the input goes on after it.
void skipRestOfWord(std::FILE* from);

// True when the whole word is a decimal integer (optional sign) that fits an int and is
// at most kLongestInteger characters long; the rule for every number the programs read,
// typed or from a file.
bool parseInt(std::string_view word, int& value);

} // namespace words
