#pragma once

#include "declfile/seal_keys.h"
#include "declfile/unseal_status.h"

#include <string>
#include <string_view>

// Reads sealed declaration files back (the layout is described in seal.h).
class CSealCodec {
public:
    CSealCodec();

    // Unseals the text of a sealed declaration file. When the status is ok
    // `xml` is the declaration XML in UTF-8; otherwise it is left empty.
    UnsealStatus Unseal(std::string_view sealed, std::string& xml) const;

private:
    SealKeys m_keys;
};
