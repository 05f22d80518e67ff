#include "core/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ostream>

#include "core/arithmetic_failure.h"
#include "core/db_converter.h"
#include "core/math_helpers.h"
#include "support/case_name.h"

namespace tavrel {
namespace {

TEST(NumberFormat, Sci) {
    EXPECT_EQ(Sci(1234.5L, 7, 5), " 1.23450E+3");
    EXPECT_EQ(Sci(-0.00125L, 7, 5), "-1.25000E-3");
    EXPECT_EQ(Sci(0, 7, 5), " 0.00000E+0");
    EXPECT_EQ(Sci(1e-38L, 7, 5), " 0.00000E+0");
    EXPECT_EQ(Sci(100e-6L, 3, 0), " 1E-4");
    EXPECT_EQ(Sci(12, 4, 1), " 1.2E+1");
}

TEST(NumberFormat, FixedPadsToTheWidth) {
    EXPECT_EQ(Fixed(3.14159L, 7, 2), "   3.14");
    EXPECT_EQ(Fixed(12345.6L, 2, 0), "12346");
    EXPECT_EQ(Fixed(-0.5L, 5, 1), " -0.5");
}

TEST(NumberFormat, Trimming) {
    EXPECT_EQ(TrimZeros("  1.2500"), "1.25");
    EXPECT_EQ(TrimZeros(" 2.000"), "2");
    EXPECT_EQ(TrimZeros(" 100"), "100");  // no point: zeros stay
    EXPECT_EQ(TrimLeading("  a "), "a ");
    EXPECT_EQ(TrimTrailing("  a  "), "  a");
}

TEST(NumberFormat, RoundToWidth) {
    EXPECT_EQ(RoundToWidth("123.7", 3), "124");
    EXPECT_EQ(RoundToWidth("9.996", 3), "10.0");
    EXPECT_EQ(RoundToWidth("999.96", 4), "1000");
    EXPECT_EQ(RoundToWidth("12.345", 4), "12.35");
    EXPECT_EQ(RoundToWidth("12.344", 4), "12.34");
    EXPECT_EQ(RoundToWidth("4.7", 3), "4.7");
}

struct UnitCase {
    long double value;
    bool option;
    const char* text;
};

TEST(NumberFormat, Capacitance) {
    const UnitCase cases[] = {
        {4.7e-9L, false, "4.7nF"},    {1.0e-12L, false, "1pF"},   {2.2e-3L, false, "0.00"},
        {9.996e-12L, false, "10.0pF"}, {1.5e-6L, false, "1.5uF"},  {9.99995e-10L, false, "1nF"},
        {3.3333e-8L, false, "33.3nF"}, {3.3333e-8L, true, "33.333nF"}};
    for (const auto& c : cases) EXPECT_EQ(FormatCapacitance(c.value, c.option), c.text) << c.text;
}

TEST(NumberFormat, Resistance) {
    const UnitCase cases[] = {{12345, false, "12.35K"}, {12345, true, "12.345K"}, {0, false, "  N/A"},
                              {999.96L, false, "1000"},  {4.7e6L, false, "4.7M"},  {2.2e9L, false, "2.2G"},
                              {56.2L, false, "56.2"}};
    for (const auto& c : cases) EXPECT_EQ(FormatResistance(c.value, c.option), c.text) << c.text;
}

TEST(NumberFormat, Frequency) {
    const UnitCase cases[] = {{2 * kPi * 1500, true, "1.5 KHz"}, {9424.78L, false, "9.425 Krad/s"},
                              {2 * kPi * 50, true, "50 Hz"},      {10, false, "10 rad/s"},
                              {2 * kPi * 2.5e6L, true, "2.5 MHz"}, {3e9L, false, "3 Grad/s"}};
    for (const auto& c : cases) EXPECT_EQ(FormatFrequency(c.value, c.option), c.text) << c.text;
}

TEST(NumberFormat, ReadRealIsAPlainDecimalConversion) {
    EXPECT_EQ(ReadReal("0.5"), 0.5L);
    EXPECT_EQ(ReadReal(" -40 "), -40.0L);
    EXPECT_EQ(ReadReal("100E-6"), 100e-6L);
    EXPECT_EQ(ReadReal("1."), 1.0L);
    EXPECT_EQ(ReadReal(".5"), 0.5L);
    for (const char* bad : {"", "abc", "nan", "inf", "1,5", "0x10", "1e", "--1", "1 2", "."})
        EXPECT_EQ(ReadReal(bad), 0.0L) << bad;
    EXPECT_EQ(ReadReal("1e-5000"), 0.0L);
    EXPECT_THROW(ReadReal("1e5000"), ArithmeticFailure);
    EXPECT_EQ(ReadReal(std::string(5000, 'x')), 0.0L);
}

// A suffixed value and the plain spelling of the same number: the two must read alike to the
// last bit, so that "4.7K" is rounded once, as "4.7e3" is.
struct EngineeringCase {
    const char* typed;
    const char* plain;
};

void PrintTo(const EngineeringCase& c, std::ostream* os) { *os << c.typed; }

class EngineeringNumber : public ::testing::TestWithParam<EngineeringCase> {};

TEST_P(EngineeringNumber, ReadsAsThePlainSpelling) {
    const auto value = ReadEngineeringNumber(GetParam().typed);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, std::strtold(GetParam().plain, nullptr));
}

INSTANTIATE_TEST_SUITE_P(Accepted, EngineeringNumber,
                         ::testing::Values(EngineeringCase{"4.7K", "4.7e3"}, EngineeringCase{"4.7k", "4.7e3"},
                                           EngineeringCase{"1.5M", "1.5e6"}, EngineeringCase{"1.5m", "1.5e-3"},
                                           EngineeringCase{"10n", "10e-9"}, EngineeringCase{"220p", "220e-12"},
                                           EngineeringCase{"1u", "1e-6"}, EngineeringCase{"2.2G", "2.2e9"},
                                           EngineeringCase{"1MEG", "1e6"}, EngineeringCase{"3.3meg", "3.3e6"},
                                           EngineeringCase{"2e3k", "2e6"}, EngineeringCase{"1E-3u", "1e-9"},
                                           EngineeringCase{"-2k", "-2000"}, EngineeringCase{"+.5n", "0.5e-9"},
                                           EngineeringCase{"1.k", "1000"}, EngineeringCase{"  47k\t", "47000"},
                                           EngineeringCase{"0.1", "0.1"}, EngineeringCase{"1e-3", "0.001"},
                                           EngineeringCase{"1000", "1000"}, EngineeringCase{"0k", "0"}),
                         testing_support::PrintedName());

TEST(EngineeringNumber, RefusesWhatIsNotOneNumberWithOneSuffix) {
    for (const char* bad : {"", " ", "2 k", "k2", "k", "1kk", "1km", "nan", "inf", "1e", "1ek", "1e3.5k", "1x",
                            "1Meg", "1MEGk", "1K2", "0x10", "1,5k", "1 000", "--1", ".k", "1F", "1kHz"})
        EXPECT_FALSE(ReadEngineeringNumber(bad).has_value()) << '"' << bad << '"';
}

TEST(EngineeringNumber, RangeLimitsAreThoseOfPlainNumbers) {
    EXPECT_THROW(ReadEngineeringNumber("1e4930G"), ArithmeticFailure);
    EXPECT_THROW(ReadEngineeringNumber("1e99999999999999999999k"), ArithmeticFailure);
    EXPECT_EQ(ReadEngineeringNumber("1e-4940p"), 0.0L);
    EXPECT_EQ(ReadEngineeringNumber("1e-99999999999999999999p"), 0.0L);
}

TEST(DbConverter, ConvertsBothWays) {
    DbConverter converter;
    EXPECT_EQ(converter.text, "0.0000");
    EXPECT_FALSE(ConvertVvToDb(converter));  // not in the V/V state: nothing happens
    EXPECT_EQ(converter.text, "0.0000");
    converter.text = "20";
    EXPECT_FALSE(ConvertDbToVv(converter));
    EXPECT_EQ(converter.text, " 1.000000E+1");
    EXPECT_EQ(converter.holds, DbConverter::Holds::VoltsPerVolt);
    EXPECT_FALSE(ConvertVvToDb(converter));
    EXPECT_EQ(converter.text, "20");
    EXPECT_EQ(converter.holds, DbConverter::Holds::Db);
}

TEST(DbConverter, LimitsAndSigns) {
    DbConverter converter;
    converter.text = "-700.5";
    EXPECT_EQ(ConvertDbToVv(converter), std::optional<std::string>("dB limited here to +/- 700"));
    EXPECT_EQ(converter.text, "-700.5");
    EXPECT_EQ(converter.holds, DbConverter::Holds::Db);

    converter = {DbConverter::Holds::VoltsPerVolt, "-0.1"};
    EXPECT_EQ(ConvertVvToDb(converter), std::optional<std::string>("Negative sign ignored"));
    EXPECT_EQ(converter.text, "-20");

    converter = {DbConverter::Holds::VoltsPerVolt, "0"};
    EXPECT_FALSE(ConvertVvToDb(converter));
    EXPECT_EQ(converter.text, "-1000");
    EXPECT_TRUE(DbConverterAcceptsChar('7'));
    EXPECT_FALSE(DbConverterAcceptsChar('\r'));
    EXPECT_FALSE(DbConverterAcceptsChar('x'));
}

}  // namespace
}  // namespace tavrel
