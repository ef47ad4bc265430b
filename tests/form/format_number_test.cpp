// formatNumber, strip, separate and round2, run in the page's own scripts.
#include "form_test.h"

namespace {

using FormatNumberTest = FormTest;

TEST_F(FormatNumberTest, FormatsToThePictureRoundingTheDecimalTextHalfUp)
{
    struct Case {
        const char* number;    // a script expression: a number or a text
        const char* format;
        const char* expected;  // JSON of the result: a quoted text, or null
    };
    const Case cases[] = {
        // padding, and halves going up
        {"12.5", "0.00", R"("12.50")"}, {"'25'", "0.0000", R"("25.0000")"}, {"1.5", "0", R"("2")"},
        {"0.4", "0", R"("0")"}, {"0.125", "0.0#", R"("0.13")"}, {"0.5", "0.0#", R"("0.5")"}, {"5", "0.0#", R"("5.0")"},
        // binary floating point would round these down (1.005 is 1.00499999...): the
        // digits of the decimal text decide, and only the first dropped one
        {"1.005", "0.00", R"("1.01")"}, {"2.675", "0.00", R"("2.68")"}, {"1.0049", "0.00", R"("1.00")"},
        {"0.00005", "0.0000", R"("0.0001")"},
        // carries into the integer part
        {"0.999", "0.00", R"("1.00")"}, {"9.995", "0.00", R"("10.00")"}, {"99.9999", "0.00", R"("100.00")"},
        {"1099.995", "#,##0.00", R"("1,100.00")"},
        // the sign of a negative input is kept
        {"-0.004", "0.00", R"("-0.00")"}, {"'-5'", "0.00", R"("-5.00")"}, {"-1.005", "0.00", R"("-1.01")"},
        {"-5", "$0.00", "\"($5.00)\""},
        // separator, percent and currency pictures
        {"1234567.891", "#,##0.00", R"("1,234,567.89")"}, {"123", "#,##0", R"("123")"}, {"1000", "#,##0", R"("1,000")"},
        {"0.5", "0%", R"("50%")"}, {"1234.5", "$#,##0.00", R"("$1,234.50")"},
        // texts, and null for what is no number
        {"''", "0.00", R"("0.00")"}, {"' 12 '", "0.00", R"("12.00")"}, {"'abc'", "0.00", "null"},
        {"'1,000'", "0.00", "null"}, {"'12abc'", "0.00", "null"}, {"'Infinity'", "0.00", "null"}, {"null", "0.00", "null"},
        // numbers whose shortest text has an exponent still give their digits
        {"'0.0000001'", "0.00", R"("0.00")"}, {"0.0000006", "0.000000", R"("0.000001")"},
        {"1e21", "0.00", R"("1000000000000000000000.00")"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(js(QStringLiteral("JSON.stringify(formatNumber(%1, '%2'))").arg(QLatin1String(c.number),
                                                                                  QLatin1String(c.format))).toString(),
                  QLatin1String(c.expected)) << c.number << " with " << c.format;
}

// round2 sends halves up, towards positive infinity.
TEST_F(FormatNumberTest, StripSeparateAndRound2)
{
    EXPECT_EQ(js(QStringLiteral("[strip('$1,234.5%', ',%$'), separate('1234567', ','), separate('123456', ','),"
                                " separate('12', ','), round2(0.125), round2(0.015), round2(-0.015), round2(2.344),"
                                " round2(-2.346)].join(' ')")).toString(),
              "1234.5 1,234,567 123,456 12 0.13 0.02 -0.01 2.34 -2.35");
}

}  // namespace
