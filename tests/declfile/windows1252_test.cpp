#include "declfile/windows1252.h"

#include <gtest/gtest.h>

using namespace formulario;

TEST(Windows1252, ConvertsEveryByteAndTheSpanishAndTypographicCharacters)
{
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(all)).value(), all);
    EXPECT_EQ(Windows1252ToUtf8("Pe\xF1" "a \x80 \x93" "a\x94"), "Peña € “a”");
    EXPECT_EQ(Utf8ToWindows1252("declaración Ñ €").value(), "declaraci\xF3n \xD1 \x80");
}

// Each character it cannot write is listed once; malformed UTF-8 shows as U+FFFD.
TEST(Windows1252, ListsWhatItCannotWrite)
{
    EXPECT_EQ(Utf8ToWindows1252("a → b ≤ → 😀 ñ").status(), CStatus(Cause::kNotWindows1252, "→ ≤ 😀"));
    EXPECT_EQ(CharactersNotInWindows1252("a → b ≤ → 😀 ñ"), "→ ≤ 😀");
    EXPECT_EQ(CharactersNotInWindows1252("plain ñ €"), "");
    for (const char* text : {"\xC3", "\xC3(", "\xC0\xAF", "\xED\xA0\x80", "\xF8\x88\x80\x80\x80"}) {
        EXPECT_EQ(Utf8ToWindows1252(text).status().cause(), Cause::kNotWindows1252) << text;
        EXPECT_EQ(CharactersNotInWindows1252(text).substr(0, 3), "\xEF\xBF\xBD") << text;
    }
}
