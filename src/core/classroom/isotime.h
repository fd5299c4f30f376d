#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Days and moments as the classroom files write them: "2026-12-20" and
// "2026-12-08T10:15:02Z", always UTC, years 0000..9999. Reading takes exactly
// that form and a real date and time (no leap seconds); anything else is none.

std::optional<std::chrono::sys_days> ParseIsoDay(std::string_view text);
std::string IsoDay(std::chrono::sys_days day);

// Seconds since 1970-01-01 UTC.
std::optional<std::int64_t> ParseIsoUtc(std::string_view text);
// A moment outside the years 0000..9999 is written as the nearest one inside.
std::string IsoUtc(std::int64_t utcSeconds);
