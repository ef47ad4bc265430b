#pragma once

#include "declfile/seal_keys.h"

#include <string>
#include <string_view>

// Reads sealed declaration files back (the layout is described in seal.h).
class CSealCodec {
public:
    static constexpr int kUnsealOk = 0;        // the XML, its check digits verified
    static constexpr int kUnsealChecksum = 1;  // the check digits do not match
    static constexpr int kUnsealTooShort = 2;  // 40 bytes or fewer decoded
    static constexpr int kUnsealNoMemory = 3;  // no memory for the XML
    static constexpr int kUnsealBadText = 4;   // not a text of the Base64 variant

    CSealCodec();

    // Unseals the text of a sealed declaration file. On kUnsealOk `xml` is
    // the declaration XML in UTF-8; otherwise it is left empty.
    int Unseal(std::string_view sealed, std::string& xml) const;

private:
    SealKeys m_keys;
};

inline constexpr int kUnsealOk = CSealCodec::kUnsealOk;
inline constexpr int kUnsealChecksum = CSealCodec::kUnsealChecksum;
inline constexpr int kUnsealTooShort = CSealCodec::kUnsealTooShort;
inline constexpr int kUnsealNoMemory = CSealCodec::kUnsealNoMemory;
inline constexpr int kUnsealBadText = CSealCodec::kUnsealBadText;
