#include "declfile/unseal_status.h"

#include <array>

namespace {

struct Meaning {
    int code;
    std::string_view text;
};

// By Cause, in its order.
constexpr std::array<Meaning, 13> kMeanings = {{
    {0, "ok"},
    {1, "the check digits do not match the declaration (the file was changed or sealed with other keys)"},
    {2, "too short to hold a declaration"},
    {3, "not enough memory to unseal it"},
    {4, "not a sealed declaration text (a character outside the alphabet)"},
    {4, "not a sealed declaration text (wrong padding)"},
    {4, "not a sealed declaration text (text after the padding)"},
    {4, "not a sealed declaration text (its last group is cut short)"},
    {4, "not a sealed declaration text (bits left over after the last byte)"},
    {4, "not enough memory to decode it"},
    {5, "cannot be read"},
    {5, "cannot be read: not a regular file (a folder, a FIFO or a device)"},
    {5, "cannot be read: larger than any declaration file (over 4 MiB)"},
}};

const Meaning& MeaningOf(UnsealStatus::Cause cause)
{
    return kMeanings[static_cast<std::size_t>(cause)];
}

} // namespace

int UnsealStatus::Code() const
{
    return MeaningOf(m_cause).code;
}

std::string_view UnsealStatus::Describe() const
{
    return MeaningOf(m_cause).text;
}
