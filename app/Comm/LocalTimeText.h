#pragma once

#include <cstdint>
#include <limits>
#include <string>

// Times (seconds since the epoch) as local-time text, for listings of many files. Qt's date
// conversion took most of the time of a listing of many thousand files; the C library's, with
// the last value kept (files of one tree often share their minute), is far cheaper and gives
// the same text.
class LocalTimeText {
public:
    // FORMAT for strftime, showing nothing finer than UNIT seconds (60 for minutes).
    LocalTimeText(const char* format, std::int64_t unit);

    const std::string& of(std::int64_t seconds);

private:
    const char* m_format;
    std::int64_t m_unit;
    std::int64_t m_last = std::numeric_limits<std::int64_t>::min();
    std::string m_text;
};
