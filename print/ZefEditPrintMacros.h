// Header and footer text: the "$...$" macros and Roman page numbers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What the macros of one page stand for; the date and time are captured once per job.
struct TZefMacroValues {
    int64_t PageNumber = 1;
    int64_t PageCount = 1;
    bool Roman = false;
    std::string Title;
    std::string Time;
    std::string Date;
};

// Roman numerals by repeated subtraction; below 1 gives "", 4000 and above a run of "M".
std::string IntToRoman(int64_t value);

// A blank text (empty or only spaces) expands to "". Otherwise each "$NAME$" piece that names a macro
// (ignoring case) is replaced; any other piece is copied up to its closing "$", which opens the next
// candidate; a "$" without a partner and the rest after it are copied unchanged. Linear in the text.
std::string ExpandMacros(std::string_view text, const TZefMacroValues& values);
