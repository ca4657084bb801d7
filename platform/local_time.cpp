#include "platform/local_time.h"

std::string timeText(const LocalTime& t) {
    char text[] = "0000-00-00 00:00:00";
    const int fields[] = {t.year, t.month, t.day, t.hour, t.minute, t.second};
    for (int f = 0, at = 0; f < 6; ++f) {
        const int width = f == 0 ? 4 : 2;
        for (int i = width - 1, v = fields[f]; i >= 0; --i, v /= 10)
            text[at + i] = static_cast<char>('0' + v % 10);
        at += width + 1;
    }
    return text;
}
