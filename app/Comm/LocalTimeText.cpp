#include "app/Comm/LocalTimeText.h"

#include <ctime>

LocalTimeText::LocalTimeText(const char* format, std::int64_t unit)
    : m_format(format), m_unit(unit > 0 ? unit : 1) {}

const std::string& LocalTimeText::of(std::int64_t seconds) {
    const std::int64_t step = seconds >= 0 ? seconds / m_unit : (seconds - (m_unit - 1)) / m_unit;
    if (step == m_last)
        return m_text;
    const std::time_t t = std::time_t(step * m_unit);
    struct tm local {};
    char text[40] = "";
    if (::localtime_r(&t, &local) != nullptr)
        std::strftime(text, sizeof text, m_format, &local);
    m_last = step;
    m_text = text;
    return m_text;
}
