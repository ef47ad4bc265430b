#pragma once

#include "declfile/seal_keys.h"
#include "declfile/status.h"

#include <string>
#include <string_view>

namespace formulario {

// Reads sealed declaration files back (the layout is described in seal.h).
class CSealCodec {
public:
    CSealCodec();

    // Unseals the text of a sealed declaration file: the declaration XML in
    // UTF-8, or the cause, whose Code() is the unsealing code.
    CResult<std::string> Unseal(std::string_view sealed) const;

private:
    // The XML of a decoded payload, deciphered in place.
    CResult<std::string> Open(std::string& payload) const;

    SealKeys m_keys;
};

}  // namespace formulario
