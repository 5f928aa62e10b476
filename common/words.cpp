// Words of a stream and whole integers.
#include "words.h"

#include <cctype>
#include <climits>

namespace words {

int skipSpace(std::FILE* from) {
    int c = std::getc(from);
    while (c != EOF && std::isspace(c)) c = std::getc(from);
    return c;
}

bool readWordFrom(std::FILE* from, std::string& word, std::size_t longest) {
    int c = skipSpace(from);
    if (c == EOF) return false;
    word.clear();
    for (;;) {
        word.push_back(static_cast<char>(c));
        if (word.size() > longest) return true; // given up; the rest stays unread
        c = std::getc(from);
        if (c == EOF) return true;
        if (std::isspace(c)) break;
    }
    std::ungetc(c, from);
    return true;
}

void skipRestOfWord(std::FILE* from) {
    int c = std::getc(from);
    while (c != EOF && !std::isspace(c)) c = std::getc(from);
    if (c != EOF) std::ungetc(c, from);
}

bool parseInt(std::string_view word, int& value) {
    if (word.size() > kLongestInteger) return false;
    std::size_t i = 0;
    bool negative = false;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) negative = word[i++] == '-';
    if (i == word.size()) return false;
    long long magnitude = 0;
    for (; i < word.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(word[i]))) return false;
        magnitude = magnitude * 10 + (word[i] - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1) return false;
    }
    long long result = negative ? -magnitude : magnitude;
    if (result > INT_MAX || result < INT_MIN) return false;
    value = static_cast<int>(result);
    return true;
}

} // namespace words
