#pragma once

#include <functional>
#include <string>

namespace formulario {

// One reading of the local clock, broken down.
struct ClockReading {
    int year = 1970;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;  // 0 to 999
    int dayOfYear = 0;    // 0 for 1 January
    int dayOfWeek = 0;    // 0 for Sunday
};

// Where the time stamps take the time from; tests pass a fixed reading.
using ClockSource = std::function<ClockReading()>;

// The local time now, to the millisecond.
ClockReading ReadLocalClock();

// A time stamp in two parts, as the layout of its mode writes them.
struct TimeStamp {
    std::string date;
    std::string time;
};

// Renders `now` in the layout of `mode` (1 to 14; any other mode gives the
// compact year-first layout). Mode 2 is the seal's 17-character salt:
// DDMMYYYY and HHMMSSmmm.
TimeStamp FormatTimeStamp(int mode, const ClockReading& now);
TimeStamp FormatTimeStamp(int mode);

}  // namespace formulario
