#include "declfile/crc.h"

namespace formulario {

namespace {

constexpr std::uint32_t kPreset = 0xFFFFFFFFu;

// Tables for eight bytes at a time: entry i of table k is the CRC register
// contribution of byte i followed by k zero bytes.
using SliceTables = std::array<CrcTable, 8>;

constexpr SliceTables MakeSliceTables()
{
    SliceTables tables{};
    tables[0] = kCrcTable;
    for (std::size_t k = 1; k < tables.size(); ++k)
        for (std::size_t i = 0; i < 256; ++i)
            tables[k][i] = (tables[k - 1][i] << 8) ^ kCrcTable[tables[k - 1][i] >> 24];
    return tables;
}

constexpr SliceTables kSlices = MakeSliceTables();

std::uint32_t ByteAt(const char* data, std::size_t index)
{
    return static_cast<unsigned char>(data[index]);
}

std::uint32_t UpdateByte(std::uint32_t crc, std::uint32_t byte)
{
    return (crc << 8) ^ kCrcTable[((crc >> 24) ^ byte) & 0xFFu];
}

std::uint32_t Update(std::uint32_t crc, std::string_view data)
{
    const char* p = data.data();
    std::size_t left = data.size();
    for (; left >= 8; left -= 8, p += 8) {
        crc ^= ByteAt(p, 0) << 24 | ByteAt(p, 1) << 16 | ByteAt(p, 2) << 8 | ByteAt(p, 3);
        crc = kSlices[7][crc >> 24] ^ kSlices[6][(crc >> 16) & 0xFFu] ^ kSlices[5][(crc >> 8) & 0xFFu] ^
              kSlices[4][crc & 0xFFu] ^ kSlices[3][ByteAt(p, 4)] ^ kSlices[2][ByteAt(p, 5)] ^ kSlices[1][ByteAt(p, 6)] ^
              kSlices[0][ByteAt(p, 7)];
    }
    for (; left > 0; --left, ++p)
        crc = UpdateByte(crc, ByteAt(p, 0));
    return crc;
}

}  // namespace

std::uint32_t ComputeCrc(std::string_view data)
{
    return ComputeCrc(data, {});
}

std::uint32_t ComputeCrc(std::string_view first, std::string_view second)
{
    if (first.empty() && second.empty())
        return 0;
    return ~Update(Update(kPreset, first), second);
}

}  // namespace formulario
