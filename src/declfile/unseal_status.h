#pragma once

#include <cstdint>
#include <string_view>

// Far above any declaration file (a full one is under 100 kB): a larger
// file, or stream, is refused before it is read.
inline constexpr std::uintmax_t kMaxDeclarationFileBytes = 4 * 1024 * 1024;

// The outcome of reading a sealed declaration file: ok, or the first thing
// found wrong with it. Code() is the unsealing code the command line exits
// with (0 ok, 1 check digits, 2 too short, 3 memory, 4 not a sealed text,
// 5 unreadable: no such file, not a regular file, or too large); Describe() says in words what the cause is.
class UnsealStatus {
public:
    enum class Cause : unsigned char {
        kNone,
        kCheckMismatch,
        kTooShort,
        kNoMemory,
        kOutsideAlphabet,
        kWrongPadding,
        kTextAfterPadding,
        kGroupCutShort,
        kBitsLeftOver,
        kNoMemoryToDecode,
        kUnreadable,
        kNotRegularFile,
        kFileTooLarge,
    };

    constexpr UnsealStatus(Cause cause = Cause::kNone) : m_cause(cause) {}

    bool ok() const { return m_cause == Cause::kNone; }
    Cause cause() const { return m_cause; }
    int Code() const;
    std::string_view Describe() const;

    friend bool operator==(UnsealStatus, UnsealStatus) = default;

private:
    Cause m_cause;
};
