// Every damage to a sealed declaration file is refused on reopening, while
// the line breaks, spaces and tabs a text editor may change are not damage.

#include "declaration_sample.h"
#include "declfile/base64_variant.h"
#include "declfile/seal.h"
#include "declfile/seal_codec.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>

namespace {

const std::string kSymbols = std::string(kBase64Alphabet) + "=\r\n";

bool IsBlank(char c)
{
    return c == '\r' || c == '\n' || c == ' ' || c == '\t';
}

bool OnlyBlanks(std::string_view text)
{
    return text.find_first_not_of("\r\n \t") == std::string_view::npos;
}

class TamperSweep : public testing::Test {
protected:
    // Whether the damaged text unseals, and counts the check.
    bool Opens(const std::string& text)
    {
        ++checked_;
        std::string xml;
        return codec_.Unseal(text, xml) == kUnsealOk;
    }

    void ExpectRefused(const std::string& text, const std::string& what)
    {
        if (Opens(text))
            ADD_FAILURE() << what << " was accepted";
    }

    void TearDown() override
    {
        std::cout << "[ tamper   ] " << checked_ << " damaged texts checked\n";
    }

    const std::string sealed_ = SealDeclaration(SampleDeclarationXml(3)).value();
    CSealCodec codec_;
    long checked_ = 0;
};

TEST_F(TamperSweep, EveryChangedCharacterIsRefusedUnlessBothAreLineBreaks)
{
    for (std::size_t at = 0; at < sealed_.size(); ++at) {
        for (const char symbol : kSymbols) {
            if (symbol == sealed_[at])
                continue;
            std::string damaged = sealed_;
            damaged[at] = symbol;
            if (IsBlank(sealed_[at]) && IsBlank(symbol))
                EXPECT_TRUE(Opens(damaged)) << "line break changed at " << at;
            else
                ExpectRefused(damaged, "'" + std::string(1, symbol) + "' at " + std::to_string(at));
        }
    }
}

TEST_F(TamperSweep, EveryDeletedCharacterIsRefusedUnlessALineBreak)
{
    for (std::size_t at = 0; at < sealed_.size(); ++at) {
        const std::string damaged = std::string(sealed_).erase(at, 1);
        if (IsBlank(sealed_[at]))
            EXPECT_TRUE(Opens(damaged)) << "line break deleted at " << at;
        else
            ExpectRefused(damaged, "deletion at " + std::to_string(at));
    }
}

TEST_F(TamperSweep, EveryTruncationIsRefusedUnlessItCutsOnlyLineBreaks)
{
    for (std::size_t length = 0; length < sealed_.size(); ++length) {
        const std::string damaged = sealed_.substr(0, length);
        if (OnlyBlanks(std::string_view(sealed_).substr(length)))
            EXPECT_TRUE(Opens(damaged));
        else
            ExpectRefused(damaged, "truncation to " + std::to_string(length));
    }
}

TEST_F(TamperSweep, BlanksAddedAnywhereAndLineBreaksRewrittenAreAccepted)
{
    for (std::size_t at = 0; at <= sealed_.size(); at += 7)
        for (const char* blank : {" ", "\t", "\n", "\r\n"})
            EXPECT_TRUE(Opens(std::string(sealed_).insert(at, blank))) << "blank at " << at;

    std::string lineFeedsOnly;
    for (const char c : sealed_)
        if (c != '\r')
            lineFeedsOnly += c;
    EXPECT_TRUE(Opens(lineFeedsOnly));
}

} // namespace
