#include <gtest/gtest.h>

#include <string>

#include "shell/command_line.h"

namespace {
bool NoLeadBytes(unsigned char) { return false; }
// A code page whose lead bytes are 0x81 to 0x9F, as in Shift-JIS.
bool ShiftJisLeadBytes(unsigned char c) { return c >= 0x81 && c <= 0x9F; }

std::string ArgumentsOf(const char* line, LeadByteTest test = NoLeadBytes)
{
    return ArgumentTextOf(line, test);
}
}

TEST(ArgumentText, ProgramNameAndTheBlanksAfterItAreCut)
{
    EXPECT_EQ("/s", ArgumentsOf("verdo.scr /s"));
    EXPECT_EQ("/p 1234", ArgumentsOf("C:\\Windows\\verdo.scr   \t/p 1234"));
    EXPECT_EQ("/c:55", ArgumentsOf("\"C:\\Program Files\\Verdo\\verdo.scr\" /c:55"));
    EXPECT_EQ("/S", ArgumentsOf("\"verdo.scr\"/S"));
    // Control bytes count as blanks between the name and the arguments.
    EXPECT_EQ("x", ArgumentsOf("verdo.scr\x01\x1f x"));
}

TEST(ArgumentText, NamesWithoutArgumentsAndUnclosedQuotesGiveEmptyText)
{
    EXPECT_EQ("", ArgumentsOf(""));
    EXPECT_EQ("", ArgumentsOf("verdo.scr"));
    EXPECT_EQ("", ArgumentsOf("verdo.scr   "));
    EXPECT_EQ("", ArgumentsOf("\"C:\\dir with blank\\verdo.scr /s"));
    EXPECT_EQ("", ArgumentsOf("\"\""));
}

TEST(ArgumentText, BytesAboveAsciiBelongToAnUnquotedName)
{
    EXPECT_EQ("/s", ArgumentsOf("C:\\\xe9t\xe9\\verdo.scr /s"));
}

TEST(ArgumentText, TrailByteWithTheQuoteCodeDoesNotCloseTheName)
{
    // 0x81 0x22 is one double-byte character; the quotation mark after it closes.
    const char line[] = "\"C:\\\x81\"dir\\verdo.scr\" /p 42";
    EXPECT_EQ("/p 42", ArgumentsOf(line, ShiftJisLeadBytes));
    // Without the lead-byte rule the same line is cut at the trail byte.
    EXPECT_EQ("dir\\verdo.scr\" /p 42", ArgumentsOf(line, NoLeadBytes));
    // A lead byte right before the terminator never skips past it.
    EXPECT_EQ("", ArgumentsOf("\"abc\x81", ShiftJisLeadBytes));
}

TEST(PreviewWindowNumber, DigitsAreGatheredFromTheWholeText)
{
    EXPECT_EQ(1234u, PreviewWindowNumber("/p 1234"));
    EXPECT_EQ(12u, PreviewWindowNumber("/p 1 2"));
    EXPECT_EQ(12u, PreviewWindowNumber("/p:1:2"));
    EXPECT_EQ(0u, PreviewWindowNumber("/p"));
    EXPECT_EQ(7u, PreviewWindowNumber("/p 007"));
}

TEST(PreviewWindowNumber, TenDigitsAtMostAndTheValueWrapsAt32Bits)
{
    EXPECT_EQ(4294967295u, PreviewWindowNumber("/p 4294967295"));
    EXPECT_EQ(0u, PreviewWindowNumber("/p 4294967296"));
    EXPECT_EQ(1410065407u, PreviewWindowNumber("/p 9999999999"));   // 9999999999 mod 2^32
    // Digits beyond the tenth are dropped, not accumulated.
    EXPECT_EQ(1234567890u, PreviewWindowNumber("/p 12345678901234567890"));
    EXPECT_EQ(1234567890u, PreviewWindowNumber("/p 12345 67890 99 and 5"));
}
