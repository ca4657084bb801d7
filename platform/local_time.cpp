#include "platform/local_time.h"

#include "platform/number_text.h"

std::string timeText(const LocalTime& t) {
    const auto two = [](int v) { return decimalText(static_cast<std::uint32_t>(v), 2); };
    return decimalText(static_cast<std::uint32_t>(t.year), 4) + "-" + two(t.month) + "-" +
           two(t.day) + " " + two(t.hour) + ":" + two(t.minute) + ":" + two(t.second);
}
