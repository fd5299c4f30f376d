#include "core/classroom/isotime.h"

#include <algorithm>
#include <cstdio>

using namespace std::chrono;

namespace {

constexpr std::int64_t SecondsPerDay = 86400;

// The number of `count` digits at text[at], or -1.
int Digits(std::string_view text, std::size_t at, std::size_t count)
{
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::optional<sys_days> DayAt(std::string_view text)
{
    if (text.size() < 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const int y = Digits(text, 0, 4), m = Digits(text, 5, 2), d = Digits(text, 8, 2);
    if (y < 0 || m < 0 || d < 0)
        return std::nullopt;
    const year_month_day date{year{y}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}};
    if (!date.ok())
        return std::nullopt;
    return sys_days{date};
}

} // namespace

std::optional<sys_days> ParseIsoDay(std::string_view text)
{
    return text.size() == 10 ? DayAt(text) : std::nullopt;
}

std::string IsoDay(sys_days day)
{
    const year_month_day date{day};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", std::clamp(static_cast<int>(date.year()), 0, 9999),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

std::optional<std::int64_t> ParseIsoUtc(std::string_view text)
{
    if (text.size() != 20 || text[10] != 'T' || text[13] != ':' || text[16] != ':' || text[19] != 'Z')
        return std::nullopt;
    const std::optional<sys_days> day = DayAt(text);
    const int h = Digits(text, 11, 2), m = Digits(text, 14, 2), s = Digits(text, 17, 2);
    if (!day || h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59)
        return std::nullopt;
    return std::int64_t{day->time_since_epoch().count()} * SecondsPerDay + h * 3600 + m * 60 + s;
}

std::string IsoUtc(std::int64_t utcSeconds)
{
    const auto dayStart = [](sys_days d) { return std::int64_t{d.time_since_epoch().count()} * SecondsPerDay; };
    const std::int64_t earliest = dayStart(year{0} / January / 1);
    const std::int64_t latest = dayStart(year{9999} / December / 31) + SecondsPerDay - 1;
    const std::int64_t t = std::clamp(utcSeconds, earliest, latest);
    // Floor division: a moment before 1970 belongs to the day it falls in.
    const std::int64_t dayNumber = (t >= 0 ? t : t - SecondsPerDay + 1) / SecondsPerDay;
    const std::int64_t rest = t - dayNumber * SecondsPerDay;
    char text[32];
    std::snprintf(text, sizeof text, "%sT%02d:%02d:%02dZ", IsoDay(sys_days{days{dayNumber}}).c_str(),
                  static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60));
    return text;
}
