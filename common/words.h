// Words of a stream: what every reader of typed input and of the programs' files takes a
// word and a number to be.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace words {

// Skips white space in `from`; the first other character (consumed), or EOF.
int skipSpace(std::FILE* from);

// The next white-space-delimited word of `from`, as "%s" reads it; the white space after
// it stays unread. False at the end.
bool readWordFrom(std::FILE* from, std::string& word);

// True when the whole word is a decimal integer (optional sign) that fits an int; the
// rule for every number the programs read, typed or from a file.
bool parseInt(std::string_view word, int& value);

} // namespace words
