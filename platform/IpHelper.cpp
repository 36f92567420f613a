#include "platform/IpHelper.h"

IPAddr InetAddr(const std::string& text)
{
    // Four decimal numbers of 0 to 255 separated by dots, nothing else.
    std::uint32_t parts[4] = {};
    int count = 0;
    std::size_t i = 0;
    while (count < 4) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9') return INADDR_NONE;
        std::uint32_t value = 0;
        int digits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value = value * 10 + static_cast<std::uint32_t>(text[i] - '0');
            if (++digits > 3 || value > 255) return INADDR_NONE;
            ++i;
        }
        parts[count++] = value;
        if (count < 4) {
            if (i >= text.size() || text[i] != '.') return INADDR_NONE;
            ++i;
        }
    }
    if (i != text.size()) return INADDR_NONE;
    // Network byte order: the first number in the lowest byte.
    return parts[0] | (parts[1] << 8) | (parts[2] << 16) | (parts[3] << 24);
}
