#include "declfile/time_stamp.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string_view>

namespace formulario {

namespace {

constexpr std::array<std::string_view, 7> kDayNames = {"Domingo", "Lunes",   "Martes", "Miercoles",
                                                       "Jueves",  "Viernes", "Sabado"};

constexpr std::array<std::string_view, 12> kMonthNames = {"Enero",      "Febrero", "Marzo",     "Abril",
                                                          "Mayo",       "Junio",   "Julio",     "Agosto",
                                                          "Septiembre", "Octubre", "Noviembre", "Diciembre"};

template <typename... Args> std::string Format(const char* format, Args... args)
{
    const int length = std::snprintf(nullptr, 0, format, args...);
    std::string text(static_cast<std::size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, format, args...);
    return text;
}

template <std::size_t N> std::string NameAt(const std::array<std::string_view, N>& names, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= names.size())
        return {};
    return std::string(names[static_cast<std::size_t>(index)]);
}

// The parts of one clock reading that the layouts print.
struct Fields {
    explicit Fields(const ClockReading& now)
        : d(now.day), m(now.month), h(now.hour), mi(now.minute), s(now.second),
          ms(static_cast<unsigned>(now.millisecond)), cs(ms / 10), yearDay(now.dayOfYear),
          // The year is four characters of its decimal text, as the C
          // library's time-to-text form writes it.
          yearText(std::to_string(now.year)), dayName(NameAt(kDayNames, now.dayOfWeek)),
          monthName(NameAt(kMonthNames, now.month - 1))
    {
    }
    const char* Year() const { return yearText.c_str(); }

    int d, m, h, mi, s;
    unsigned ms, cs;
    int yearDay;
    std::string yearText, dayName, monthName;
};

using Layout = TimeStamp (*)(const Fields&);

// Indexed by mode; entry 0 serves every mode outside 1 to 14.
constexpr std::array<Layout, 15> kLayouts = {
    [](const Fields& f) -> TimeStamp {
        return {Format("%.4s%.2d%.2d", f.Year(), f.m, f.d), Format("%.2d%.2d%.2d%.3u", f.h, f.mi, f.s, f.ms)};
    },
    [](const Fields& f) -> TimeStamp {
        return {Format("%.2d%.2d%.4s", f.d, f.m, f.Year()), Format("%.2d%.2d%.2d%.2u", f.h, f.mi, f.s, f.cs)};
    },
    [](const Fields& f) -> TimeStamp {
        return {Format("%.2d%.2d%.4s", f.d, f.m, f.Year()), Format("%.2d%.2d%.2d%.3u", f.h, f.mi, f.s, f.ms)};
    },
    [](const Fields& f) -> TimeStamp {
        return {Format("%.2d%.2d%.4s", f.d, f.m, f.Year()), Format("%.2d%.2d%.2d", f.h, f.mi, f.s)};
    },
    [](const Fields& f) -> TimeStamp {
        return {Format("%.4s:%.2d:%.2d", f.Year(), f.m, f.d), Format("%.2d:%.2d:%.2d", f.h, f.mi, f.s)};
    },
    [](const Fields& f) -> TimeStamp {
        return {Format("%.4s%.2d%.2d", f.Year(), f.m, f.d), Format("%.2d%.2d%.2d", f.h, f.mi, f.s)};
    },
    [](const Fields& f) -> TimeStamp {
        return {Format("%.4s:%.2d:%.2d", f.Year(), f.m, f.d), Format("%.2d:%.2d:%.2d:%.2u", f.h, f.mi, f.s, f.cs)};
    },
    [](const Fields& f) -> TimeStamp {
        return {Format("%.4s.%.2d.%.2d", f.Year(), f.m, f.d), Format("%.2d.%.2d.%.2d.%.2u", f.h, f.mi, f.s, f.cs)};
    },
    [](const Fields& f) -> TimeStamp {
        return {Format("%.2d/%.2d/%.4s", f.d, f.m, f.Year()), Format("%.2d%.2d%.2d", f.h, f.mi, f.s)};
    },
    [](const Fields& f) -> TimeStamp {
        return {Format(" %s %.2d de %s de %.4s", f.dayName.c_str(), f.d, f.monthName.c_str(), f.Year()),
                Format("%.2d:%.2d:%.2d", f.h, f.mi, f.s)};
    },
    [](const Fields& f) -> TimeStamp {
        return {Format("%.2d/%s/%.4s", f.d, f.monthName.c_str(), f.Year()), Format("%.2d:%.2d:%.2d", f.h, f.mi, f.s)};
    },
    [](const Fields& f) -> TimeStamp {
        return {Format("%.2d%.2d%.4s", f.d, f.m, f.Year()), Format("%.2d%.2d%.2d", f.h, f.mi, f.s)};
    },
    [](const Fields& f) -> TimeStamp {
        return {Format("%.4s", f.Year()), Format("%.3d", f.yearDay)};
    },
    [](const Fields& f) -> TimeStamp {
        return {Format("%.2d/%.2d/%.4s", f.d, f.m, f.Year()), Format("%.2d:%.2d:%.2d", f.h, f.mi, f.s)};
    },
    [](const Fields& f) -> TimeStamp {
        return {f.dayName, {}};
    },
};

}  // namespace

ClockReading ReadLocalClock()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()) % 1000;
    const std::tm* broken = std::localtime(&seconds);
    if (!broken)
        return {};
    const std::tm& local = *broken;
    return {local.tm_year + 1900,
            local.tm_mon + 1,
            local.tm_mday,
            local.tm_hour,
            local.tm_min,
            local.tm_sec,
            static_cast<int>((millis.count() + 1000) % 1000),
            local.tm_yday,
            local.tm_wday};
}

TimeStamp FormatTimeStamp(int mode, const ClockReading& now)
{
    const std::size_t row = mode >= 1 && mode < static_cast<int>(kLayouts.size()) ? static_cast<std::size_t>(mode) : 0;
    return kLayouts[row](Fields(now));
}

TimeStamp FormatTimeStamp(int mode)
{
    return FormatTimeStamp(mode, ReadLocalClock());
}

}  // namespace formulario
