// Header and footer macros and Roman numerals.
#include "ZefEditPrintMacros.h"

#include <gtest/gtest.h>

TEST(PrintMacros, ExpansionTable)
{
    TZefMacroValues values;
    values.PageNumber = 5;
    values.PageCount = 14;
    values.Title = "notes.txt";
    values.Date = "01/05/2024";
    values.Time = "13:45:00";
    struct Case {
        const char* text;
        const char* expected;
    } cases[] = {
        {"$PAGENUM$", "5"},
        {"$pagenum$", "5"},
        {"Page $PageNum$ of $PAGECOUNT$", "Page 5 of 14"},
        {"$X$PAGENUM$", "$X5"},
        {"Cost $5", "Cost $5"},
        {"$FOO$", "$FOO$"},
        {"$$PAGENUM$", "$5"},
        {"$$", "$$"},
        {"a$$b", "a$$b"},
        {"$", "$"},
        {"$PAGENUM", "$PAGENUM"},
        {"$TITLE$", "notes.txt"},
        {"$DATE$ $TIME$", "01/05/2024 13:45:00"},
        {"$DATETIME$", "01/05/2024 13:45:00"},
        {"$TIMEDATE$", "13:45:00 01/05/2024"},
        {"", ""},
        {"   ", ""},
        {" x ", " x "},
    };
    for (const Case& c : cases) EXPECT_EQ(ExpandMacros(c.text, values), c.expected) << c.text;
}

TEST(PrintMacros, RomanPageNumbers)
{
    TZefMacroValues values;
    values.PageNumber = 4;
    values.PageCount = 14;
    values.Roman = true;
    EXPECT_EQ(ExpandMacros("$PAGENUM$/$PAGECOUNT$", values), "IV/XIV");

    struct Case {
        int64_t value;
        const char* roman;
    } cases[] = {{0, ""}, {-3, ""}, {1, "I"}, {4, "IV"}, {9, "IX"}, {14, "XIV"}, {40, "XL"}, {90, "XC"},
                 {400, "CD"}, {1999, "MCMXCIX"}, {3888, "MMMDCCCLXXXVIII"}, {4000, "MMMM"}};
    for (const Case& c : cases) EXPECT_EQ(IntToRoman(c.value), c.roman) << c.value;
}
