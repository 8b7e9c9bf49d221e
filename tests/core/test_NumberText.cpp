#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace looplab;

TEST(TrimText, RemovesCodesUpTo32AtBothEnds) {
    EXPECT_EQ(trimText(" \t\r\n\x01 1.5 \x1f\x20"), "1.5");
    EXPECT_EQ(trimText("a b"), "a b");
    EXPECT_EQ(trimText(" \t "), "");
    EXPECT_EQ(trimText("\xC3\xA9"), "\xC3\xA9"); // bytes above 127 are kept
}

struct DoubleCase {
    const char* text;
    char separator;
    bool converts;
    double value;
};

class ParseDoubleTable : public ::testing::TestWithParam<DoubleCase> {};

TEST_P(ParseDoubleTable, StrictSyntax) {
    const DoubleCase& c = GetParam();
    double value = -12345.0;
    ASSERT_EQ(parseDouble(c.text, c.separator, value), c.converts) << "\"" << c.text << "\"";
    if (c.converts) {
        EXPECT_EQ(value, c.value) << c.text;
    } else {
        EXPECT_EQ(value, -12345.0) << "a failed conversion leaves the value alone";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseDoubleTable,
    ::testing::Values(DoubleCase{"1", '.', true, 1.0}, DoubleCase{"-0.002", '.', true, -0.002},
                      DoubleCase{"+3.5", '.', true, 3.5}, DoubleCase{"1e-6", '.', true, 1e-6},
                      DoubleCase{"2.5E+3", '.', true, 2500.0}, DoubleCase{".5", '.', true, 0.5},
                      DoubleCase{"5.", '.', true, 5.0}, DoubleCase{"1,5", ',', true, 1.5},
                      DoubleCase{"-1,5e2", ',', true, -150.0},
                      DoubleCase{"1e-400", '.', true, 0.0},
                      DoubleCase{"4.9e-324", '.', true, 4.9e-324},
                      DoubleCase{"1,5", '.', false, 0}, DoubleCase{"1.5", ',', false, 0},
                      DoubleCase{"", '.', false, 0}, DoubleCase{" 1", '.', false, 0},
                      DoubleCase{"1 ", '.', false, 0}, DoubleCase{"abc", '.', false, 0},
                      DoubleCase{"1e", '.', false, 0}, DoubleCase{"e5", '.', false, 0},
                      DoubleCase{".", '.', false, 0}, DoubleCase{"-", '.', false, 0},
                      DoubleCase{"1.2.3", '.', false, 0}, DoubleCase{"1e400", '.', false, 0},
                      DoubleCase{"-1e400", '.', false, 0}, DoubleCase{"nan", '.', false, 0},
                      DoubleCase{"inf", '.', false, 0}, DoubleCase{"0x10", '.', false, 0},
                      DoubleCase{"1,000.5", '.', false, 0}, DoubleCase{"--1", '.', false, 0},
                      DoubleCase{"1e+-2", '.', false, 0}));

TEST(ParseInt32, RangeAndSyntax) {
    int value = 0;
    EXPECT_TRUE(parseInt32("1", value));
    EXPECT_EQ(value, 1);
    EXPECT_TRUE(parseInt32("-2147483648", value));
    EXPECT_EQ(value, std::numeric_limits<int>::min());
    EXPECT_TRUE(parseInt32("+2147483647", value));
    EXPECT_EQ(value, std::numeric_limits<int>::max());
    for (const char* bad : {"2147483648", "-2147483649", "1.5", "", "+", "1e3", " 1", "abc",
                            "99999999999999999999"}) {
        EXPECT_FALSE(parseInt32(bad, value)) << bad;
    }
}

TEST(ConversionErrors, ExactMessages) {
    EXPECT_EQ(floatConversionError("abc"), "'abc' is not a valid floating point value");
    EXPECT_EQ(floatConversionError(""), "'' is not a valid floating point value");
    EXPECT_EQ(integerConversionError("1.5"), "''1.5'' is not a valid integer value");
}

struct FormatCase {
    double value;
    const char* dot;
    const char* comma;
};

class FormatNumberTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberTable, GeneralFifteenDigits) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(formatNumber(c.value, '.'), c.dot);
    EXPECT_EQ(formatNumber(c.value, ','), c.comma);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatNumberTable,
    ::testing::Values(
        FormatCase{0.0, "0", "0"}, FormatCase{-0.0, "0", "0"}, FormatCase{301.0, "301", "301"},
        FormatCase{-24.0, "-24", "-24"}, FormatCase{0.001, "0.001", "0,001"},
        FormatCase{0.000001, "1E-6", "1E-6"}, FormatCase{0.00001, "0.00001", "0,00001"},
        FormatCase{0.0000099, "9.9E-6", "9,9E-6"}, FormatCase{-1.5e-7, "-1.5E-7", "-1,5E-7"},
        FormatCase{0.1, "0.1", "0,1"}, FormatCase{1.0 / 3.0, "0.333333333333333", "0,333333333333333"},
        FormatCase{2.0 / 3.0, "0.666666666666667", "0,666666666666667"},
        FormatCase{123456789012345.0, "123456789012345", "123456789012345"},
        FormatCase{1234567890123456.0, "1.23456789012346E15", "1,23456789012346E15"},
        FormatCase{1e20, "1E20", "1E20"}, FormatCase{-2.5e300, "-2.5E300", "-2,5E300"},
        FormatCase{200000.0, "200000", "200000"}, FormatCase{100.5, "100.5", "100,5"},
        FormatCase{0.1 + 0.2, "0.3", "0,3"}, FormatCase{1e-300, "1E-300", "1E-300"},
        FormatCase{std::numeric_limits<double>::quiet_NaN(), "NaN", "NaN"},
        FormatCase{std::numeric_limits<double>::infinity(), "Inf", "Inf"},
        FormatCase{-std::numeric_limits<double>::infinity(), "-Inf", "-Inf"}));

TEST(FormatNumber, ReadsBackToTheSameFifteenDigits) {
    for (const double x : {0.0012345678901234567, -987.654321, 3.0e-5, 7.77e12, 1.0e-6 / 3}) {
        double back = 0.0;
        ASSERT_TRUE(parseDouble(formatNumber(x, ','), ',', back));
        EXPECT_EQ(formatNumber(back, '.'), formatNumber(x, '.'));
        EXPECT_NEAR(back, x, std::fabs(x) * 1e-14);
    }
}
