#include "render/brand_catalogue.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kBrands = kBrandCatalogue.size() - 1;
constexpr std::string_view kAcute = "\xC2\xB4";  // "´" in UTF-8

// Entry numbers (from 1) whose text contains `part`.
std::vector<std::size_t> EntriesHolding(std::string_view part)
{
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < kBrands; ++i)
        if (kBrandCatalogue[i].find(part) != std::string_view::npos)
            found.push_back(i + 1);
    return found;
}

// "FA", six digits, ".", two digits, then a blank.
bool StartsWithProductCode(std::string_view entry)
{
    if (entry.size() < 12 || entry.substr(0, 2) != "FA" || entry[8] != '.' || entry[11] != ' ')
        return false;
    for (std::size_t i : {2, 3, 4, 5, 6, 7, 9, 10})
        if (!std::isdigit(static_cast<unsigned char>(entry[i])))
            return false;
    return true;
}

}  // namespace

TEST(BrandCatalogue, HoldsSeventySevenBrandsThenTheEmptyEnd)
{
    EXPECT_EQ(kBrands, 77u);
    EXPECT_TRUE(kBrandCatalogue.back().empty());
    for (std::size_t i = 0; i < kBrands; ++i)
        EXPECT_FALSE(kBrandCatalogue[i].empty()) << "entry " << i + 1;
}

TEST(BrandCatalogue, EveryEntryIsAUniqueCodeAndADescription)
{
    std::set<std::string_view> codes;
    for (std::size_t i = 0; i < kBrands; ++i) {
        const std::string_view entry = kBrandCatalogue[i];
        EXPECT_TRUE(StartsWithProductCode(entry)) << entry;
        EXPECT_TRUE(codes.insert(entry.substr(0, 11)).second) << "code repeated: " << entry;
        // 23 to 51 characters once written in Windows-1252, where "´" is one byte.
        const std::size_t length = entry.size() - (entry.find(kAcute) != std::string_view::npos);
        EXPECT_GE(length, 23u) << entry;
        EXPECT_LE(length, 51u) << entry;
        EXPECT_NE(entry.back(), ' ') << entry;
    }
}

TEST(BrandCatalogue, KeepsItsOrder)
{
    struct Case { std::size_t number; std::string_view text; };
    const Case cases[] = {
        {1, "FA030807.00 LIDER KS SOF 21"},
        {24, "FA031386.00 DIMPLOMAT 100 BOX 20"},
        {42, "FA035127.00 L&M ETIQUETA VERDE MNT KS BOX 20"},
        {51, "FA001849.03 RUBIOS FULL FLAVOR BOX 20\xC2\xB4S"},
        {64, "FA011135.01 DIPLOMAT 100 BOX 20"},
        {66, "FA035133.00 L&M MENTOL 24\xC2\xB4S"},
        {77, "FA021323.01 MARLBORO FRESH MINT KS BOX 20"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kBrandCatalogue[c.number - 1], c.text) << "entry " << c.number;
}

// The ampersands stay bare and the accent stays the UTF-8 acute accent, so
// the texts match what the form stores and the declaration carries.
TEST(BrandCatalogue, AmpersandsAndAccentsAreWhereTheBrandsHaveThem)
{
    EXPECT_EQ(EntriesHolding("&"), (std::vector<std::size_t>{42, 43, 44, 45, 49, 50, 66}));
    EXPECT_TRUE(EntriesHolding("&amp;").empty());
    EXPECT_EQ(EntriesHolding(kAcute), (std::vector<std::size_t>{51, 52, 66}));
    EXPECT_EQ(EntriesHolding("MARLBORO GOLD ORIGINAL KS BOX 20").size(), 5u);
}
