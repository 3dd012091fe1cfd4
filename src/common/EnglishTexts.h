#pragma once
// The built-in English texts of the text table: one row per number that has a text, sorted by
// number. Numbers without a row hold a single blank.

#include <span>

namespace common {

struct EnglishText {
    int number;
    const char* text; // UTF-8
};

std::span<const EnglishText> English_Texts();

} // namespace common
