#include "declfile/time_stamp.h"

#include <gtest/gtest.h>

namespace {

// Monday 7 January 2013, 14:05:32.123.
const ClockReading kMonday{2013, 1, 7, 14, 5, 32, 123, 6, 1};

struct Layout {
    int mode;
    const char* date;
    const char* time;
};

const Layout kLayouts[] = {
    {1, "07012013", "14053212"},
    {2, "07012013", "140532123"},
    {3, "07012013", "140532"},
    {4, "2013:01:07", "14:05:32"},
    {5, "20130107", "140532"},
    {6, "2013:01:07", "14:05:32:12"},
    {7, "2013.01.07", "14.05.32.12"},
    {8, "07/01/2013", "140532"},
    {9, " Lunes 07 de Enero de 2013", "14:05:32"},
    {10, "07/Enero/2013", "14:05:32"},
    {11, "07012013", "140532"},
    {12, "2013", "006"},
    {13, "07/01/2013", "14:05:32"},
    {14, "Lunes", ""},
    {0, "20130107", "140532123"},
    {-3, "20130107", "140532123"},
    {15, "20130107", "140532123"},
};

} // namespace

TEST(TimeStamp, EveryModeHasItsLayout)
{
    for (const auto& [mode, date, time] : kLayouts) {
        SCOPED_TRACE(mode);
        const TimeStamp stamp = FormatTimeStamp(mode, kMonday);
        EXPECT_EQ(stamp.date, date);
        EXPECT_EQ(stamp.time, time);
    }
}

TEST(TimeStamp, SmallFieldsKeepTheirLeadingZeros)
{
    const ClockReading early{2013, 2, 1, 9, 5, 3, 7, 31, 5};
    const TimeStamp salt = FormatTimeStamp(2, early);
    EXPECT_EQ(salt.date + salt.time, "01022013090503007");
    EXPECT_EQ(FormatTimeStamp(1, early).time, "09050300");
    EXPECT_EQ(FormatTimeStamp(6, early).time, "09:05:03:00");
    EXPECT_EQ(FormatTimeStamp(7, early).time, "09.05.03.00");
    EXPECT_EQ(FormatTimeStamp(99, early).time, "090503007");
    EXPECT_EQ(FormatTimeStamp(9, early).date, " Viernes 01 de Febrero de 2013");
}

TEST(TimeStamp, DayOfTheYearCountsFromZero)
{
    EXPECT_EQ(FormatTimeStamp(12, {2024, 1, 1, 0, 0, 0, 0, 0, 1}).time, "000");
    EXPECT_EQ(FormatTimeStamp(12, {2024, 12, 31, 23, 59, 59, 999, 365, 2}).time, "365");
}

TEST(TimeStamp, TheLocalClockGivesA17CharacterSalt)
{
    const TimeStamp salt = FormatTimeStamp(2);
    EXPECT_EQ(salt.date.size() + salt.time.size(), 17u);
    const ClockReading now = ReadLocalClock();
    EXPECT_GE(now.millisecond, 0);
    EXPECT_LE(now.millisecond, 999);
}
