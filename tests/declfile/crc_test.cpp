#include "declfile/crc.h"

#include <gtest/gtest.h>

TEST(Crc, MatchesTheCrc32Bzip2CheckValues)
{
    EXPECT_EQ(ComputeCrc("123456789"), 0xFC891918u);
    EXPECT_EQ(ComputeCrc(""), 0u);
    EXPECT_EQ(kCrcTable[1], 0x04C11DB7u);
}

TEST(Crc, ReadsBytesAsUnsigned)
{
    // Bytes above 0x7F must index the table as 128..255, not as negatives.
    EXPECT_NE(ComputeCrc("\xFF"), ComputeCrc("\x7F"));
    EXPECT_EQ(ComputeCrc(std::string_view("\x00", 1)), 0xB1F7404Bu);
}
