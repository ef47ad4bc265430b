// formatNumber, strip and separate, run in the page's own scripts.
#include "blank_form_fixture.h"

namespace {

struct FormatCase {
    const char* number;    // a script expression: a number or a text
    const char* format;
    const char* expected;  // JSON of the result: a quoted text, or null
};

class FormatNumberTest : public BlankFormTest {
protected:
    void ExpectFormats(const FormatCase& c)
    {
        SCOPED_TRACE(std::string(c.number) + " with " + c.format);
        EXPECT_EQ(text(QStringLiteral("JSON.stringify(formatNumber(%1, '%2'))")
                           .arg(QString::fromUtf8(c.number), QString::fromUtf8(c.format))),
                  Utf8(c.expected));
    }
};

TEST_F(FormatNumberTest, PadsToThePictureAndRoundsHalfUp)
{
    const FormatCase cases[] = {
        {"12.5", "0.00", R"("12.50")"},
        {"0", "0.00", R"("0.00")"},
        {"'25'", "0.0000", R"("25.0000")"},
        {"18.7", "0.00", R"("18.70")"},
        {"1.5", "0", R"("2")"},
        {"0.4", "0", R"("0")"},
        {"0.125", "0.0#", R"("0.13")"},
        {"0.5", "0.0#", R"("0.5")"},
        {"5", "0.0#", R"("5.0")"},
    };
    for (const FormatCase& c : cases)
        ExpectFormats(c);
}

// Binary floating point would round these down (1.005 is 1.00499999...): the
// digits of the decimal text decide, and only the first dropped one.
TEST_F(FormatNumberTest, RoundsTheDecimalTextNotTheBinaryValue)
{
    const FormatCase cases[] = {
        {"1.005", "0.00", R"("1.01")"},
        {"2.675", "0.00", R"("2.68")"},
        {"1.0049", "0.00", R"("1.00")"},
        {"0.00005", "0.0000", R"("0.0001")"},
    };
    for (const FormatCase& c : cases)
        ExpectFormats(c);
}

TEST_F(FormatNumberTest, CarriesIntoTheIntegerPart)
{
    const FormatCase cases[] = {
        {"0.999", "0.00", R"("1.00")"},
        {"9.995", "0.00", R"("10.00")"},
        {"99.9999", "0.00", R"("100.00")"},
        {"1099.995", "#,##0.00", R"("1,100.00")"},
        {"0.99995", "0.0000", R"("1.0000")"},
    };
    for (const FormatCase& c : cases)
        ExpectFormats(c);
}

TEST_F(FormatNumberTest, KeepsTheSignOfANegativeInput)
{
    const FormatCase cases[] = {
        {"-0.004", "0.00", R"("-0.00")"},
        {"'-5'", "0.00", R"("-5.00")"},
        {"-1.005", "0.00", R"("-1.01")"},
        {"-5", "$0.00", "\"($5.00)\""},
    };
    for (const FormatCase& c : cases)
        ExpectFormats(c);
}

TEST_F(FormatNumberTest, HonoursSeparatorPercentAndCurrencyPictures)
{
    const FormatCase cases[] = {
        {"1234567.891", "#,##0.00", R"("1,234,567.89")"},
        {"123", "#,##0", R"("123")"},
        {"1000", "#,##0", R"("1,000")"},
        {"0.5", "0%", R"("50%")"},
        {"0.07", "0%", R"("7%")"},
        {"1234.5", "$#,##0.00", R"("$1,234.50")"},
    };
    for (const FormatCase& c : cases)
        ExpectFormats(c);
}

TEST_F(FormatNumberTest, TakesTextsAndGivesNullForWhatIsNoNumber)
{
    const FormatCase cases[] = {
        {"''", "0.00", R"("0.00")"},
        {"' 12 '", "0.00", R"("12.00")"},
        {"'abc'", "0.00", "null"},
        {"'1,000'", "0.00", "null"},
        {"'12abc'", "0.00", "null"},
        {"'Infinity'", "0.00", "null"},
        {"null", "0.00", "null"},
    };
    for (const FormatCase& c : cases)
        ExpectFormats(c);
}

// Numbers whose shortest text has an exponent still give their digits.
TEST_F(FormatNumberTest, WritesTinyAndHugeNumbersWithoutExponent)
{
    const FormatCase cases[] = {
        {"'0.0000001'", "0.00", R"("0.00")"},
        {"0.0000006", "0.000000", R"("0.000001")"},
        {"1e21", "0.00", R"("1000000000000000000000.00")"},
    };
    for (const FormatCase& c : cases)
        ExpectFormats(c);
}

TEST_F(FormatNumberTest, StripAndSeparate)
{
    EXPECT_EQ(text("strip('$1,234.5%', ',%$')"), QStringLiteral("1234.5"));
    EXPECT_EQ(text("separate('1234567', ',')"), QStringLiteral("1,234,567"));
    EXPECT_EQ(text("separate('123456', ',')"), QStringLiteral("123,456"));
    EXPECT_EQ(text("separate('12', ',')"), QStringLiteral("12"));
}

}  // namespace
