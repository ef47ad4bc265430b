#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace formulario {

// CRC-32/BZIP2: polynomial 0x04C11DB7, most significant bit first, no
// reflection, register preset to all ones and complemented at the end.
using CrcTable = std::array<std::uint32_t, 256>;

constexpr CrcTable MakeCrcTable()
{
    constexpr std::uint32_t kPolynomial = 0x04C11DB7u;
    CrcTable table{};
    for (std::uint32_t i = 0; i < table.size(); ++i) {
        std::uint32_t entry = i << 24;
        for (int bit = 0; bit < 8; ++bit)
            entry = (entry & 0x80000000u) ? (entry << 1) ^ kPolynomial : entry << 1;
        table[i] = entry;
    }
    return table;
}

inline constexpr CrcTable kCrcTable = MakeCrcTable();

// The CRC of `data`; 0 for no data.
std::uint32_t ComputeCrc(std::string_view data);

// The CRC of `first` followed by `second`, without joining them.
std::uint32_t ComputeCrc(std::string_view first, std::string_view second);

}  // namespace formulario
