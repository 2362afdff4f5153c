#include "Article.h"

#include <cctype>

namespace diskutil {

std::string Article::before(const std::string& word) {
    if (word.empty()) {
        return "a";
    }
    const char first = static_cast<char>(std::tolower(static_cast<unsigned char>(word[0])));
    // A vowel, or a letter whose spoken name starts with one where the name is spelt out
    // ("en-tee-ef-es", "ex-ef-es").
    bool an = first == 'a' || first == 'e' || first == 'i' || first == 'o' || first == 'u' ||
              first == 'x';
    if (first == 'n' && word.size() > 1 &&
        std::tolower(static_cast<unsigned char>(word[1])) == 't') {
        an = true; // ntfs
    }
    return std::string(an ? "an " : "a ") + word;
}

} // namespace diskutil
