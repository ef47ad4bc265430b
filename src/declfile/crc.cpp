#include "declfile/crc.h"

std::uint32_t ComputeCrc(std::string_view data)
{
    if (data.empty())
        return 0;
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : data) {
        const auto byte = static_cast<unsigned char>(c);
        crc = (crc << 8) ^ kCrcTable[((crc >> 24) ^ byte) & 0xFFu];
    }
    return ~crc;
}
