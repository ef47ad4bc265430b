#include "declfile/time_stamp.h"

#include <gtest/gtest.h>

using namespace formulario;

// Every mode's layout; the program seals with mode 2.
TEST(TimeStamp, ModesLayOutTheClockWithLeadingZerosAndTheLocalClockGivesA17CharacterSalt)
{
    const ClockReading monday{2013, 1, 7, 14, 5, 32, 123, 6, 1};  // Monday 7 January 2013, 14:05:32.123
    const ClockReading friday{2013, 2, 1, 9, 5, 3, 7, 31, 5};     // Friday 1 February 2013, 09:05:03.007
    for (const auto& [clock, mode, date, time] :
         {std::tuple<ClockReading, int, const char*, const char*>{monday, 2, "07012013", "140532123"},
          {friday, 2, "01022013", "090503007"}, {friday, 1, "01022013", "09050300"},
          {monday, 7, "2013.01.07", "14.05.32.12"}, {monday, 9, " Lunes 07 de Enero de 2013", "14:05:32"},
          {friday, 10, "01/Febrero/2013", "09:05:03"}, {monday, 14, "Lunes", ""}, {monday, 12, "2013", "006"},
          {{2024, 12, 31, 23, 59, 59, 999, 365, 2}, 12, "2024", "365"}, {monday, 0, "20130107", "140532123"},
          {monday, 15, "20130107", "140532123"}, {monday, -3, "20130107", "140532123"},
          {friday, 99, "20130201", "090503007"}, {monday, 3, "07012013", "140532"},
          {monday, 4, "2013:01:07", "14:05:32"}, {monday, 5, "20130107", "140532"},
          {friday, 6, "2013:02:01", "09:05:03:00"}, {monday, 8, "07/01/2013", "140532"},
          {monday, 11, "07012013", "140532"}, {monday, 13, "07/01/2013", "14:05:32"}}) {
        const TimeStamp stamp = FormatTimeStamp(mode, clock);
        EXPECT_EQ(stamp.date + "|" + stamp.time, std::string(date) + "|" + time) << mode;
    }
    const TimeStamp salt = FormatTimeStamp(2);  // from the local clock
    EXPECT_EQ(salt.date.size() + salt.time.size(), 17u);
    EXPECT_LE(static_cast<unsigned>(ReadLocalClock().millisecond), 999u);
}
