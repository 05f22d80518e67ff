#include "io/ascii_export.h"

#include <gtest/gtest.h>

#include <memory>

#include "analysis/workflow.h"
#include "core/calculate.h"
#include "core/math_helpers.h"
#include "core/number_format.h"
#include "core/specification.h"
#include "io/design_file/golden_designs.h"
#include "support/scratch_directory.h"

namespace tavrel {
namespace {

using design_file_testing::StagesDesign;
using design_file_testing::UserDefinedDesign;

constexpr AsciiExportOptions kNothing{false, false, false, false, false};

// The default lowpass (0.5 dB to 1 kHz, 30 dB from 2 kHz), calculated and taken to its stages
// with the approximation chosen.
std::unique_ptr<Design> CalculatedLowpass(int approx) {
    auto design = std::make_unique<Design>();
    StartDesign(*design, FilterKind::Lowpass);
    Calculate(design->State, DefaultEntries(FilterKind::Lowpass, false),
                                          {std::string(TAVREL_BIN_DIR) + "/BessRoot.dat"});
    EXPECT_TRUE(design->State.ResultsValid);
    SpecificationNext(*design);
    ChooseApproximation(*design, approx);
    ApproximationNext(*design, approx);
    return design;
}

TEST(AsciiExport, WithNothingChosenTheFileIsTheDateAndTheTitle) {
    const auto design = CalculatedLowpass(Butterworth);
    const int order = design->State.Approx[Butterworth].Order;
    EXPECT_EQ(AsciiExportLines(*design, kNothing, "11.12.2026 17:00:00"),
              (std::vector<std::string>{"11.12.2026 17:00:00", "", "BUTTERWORTH LOWPASS FILTER  N=" + std::to_string(order), ""}));
}

TEST(AsciiExport, TheFrequencySectionHas351Points) {
    const auto design = CalculatedLowpass(Chebyshev);
    AsciiExportOptions options = kNothing;
    options.frequencyData = true;
    const auto lines = AsciiExportLines(*design, options, "now");
    ASSERT_EQ(lines.size(), 4u + 2 + 351);
    EXPECT_EQ(lines[4], "        FREQUENCY                MAGNITUDE            PHASE        DELAY");
    // The first point: its frequency in Hz and rad/s, the passband gain 1 V/V.
    const GridPoint& first = design->State.FreqGrid[0];
    EXPECT_EQ(lines[6].substr(0, 13), Sci(first.F, 9, 7));
    EXPECT_NEAR(std::stod(lines[6].substr(32, 13)), 1, 0.06);
}

TEST(AsciiExport, InputParametersOfALowpass) {
    const auto design = CalculatedLowpass(Butterworth);
    AsciiExportOptions options = kNothing;
    options.inputParameters = true;
    options.hz = true;
    const auto lines = AsciiExportLines(*design, options, "now");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 4, lines.end()),
              (std::vector<std::string>{"Maximum passband attenuation: 0.500 dB", "Passband edge frequency: 1 KHz",
                                        "Minimum stopband attenuation: 30.000 dB", "Stopband edge frequency: 2 KHz",
                                        "", ""}));
}

TEST(AsciiExport, AUserDefinedFilterHasNoInputParameters) {
    AsciiExportOptions options = kNothing;
    options.inputParameters = true;
    const auto lines = AsciiExportLines(*UserDefinedDesign(), options, "now");
    EXPECT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2], "USER DEFINED FILTER  N=3");
}

TEST(AsciiExport, TransferFunctionsOfFiveStagesInHertz) {
    auto design = StagesDesign();
    design->State.StageCount = 5;
    design->Stage(4) = {StageCode::SN, "SN  ", 0, 0, 0, 0, 2 * kPi * 50, 3, 2 * kPi * 50, 0, 0, 0, 1};
    design->Stage(5) = design->Stage(1);
    design->Circuit(4).ActualGain = 2;
    AsciiExportOptions options = kNothing;
    options.transferFunctions = true;
    options.hz = true;
    const auto lines = AsciiExportLines(*design, options, "now");
    ASSERT_GE(lines.size(), 4u + 5 + 10);
    EXPECT_EQ(lines[8], "Stage ->    1              2              3              4              5");
    const auto cell = [&](int row, int stage) { return lines[9 + row].substr(6 + 15 * (stage - 1), 15); };
    EXPECT_EQ(lines[9].substr(0, 6), "To    ");
    EXPECT_EQ(cell(0, 4), " 2.0000000E+0  ");
    EXPECT_EQ(cell(1, 4), " 1.0           ");  // A
    EXPECT_EQ(cell(3, 4), " 2.5000000E+3  ");  // C = fz^2
    EXPECT_EQ(cell(7, 4), " 5.0000000E+1  ");  // wp
    EXPECT_EQ(cell(8, 4), " 3.0000000E+0  ");  // Qp
    EXPECT_EQ(cell(9, 4), " 5.0000000E+1  ");  // wz
    EXPECT_EQ(cell(7, 1), " ----          ");  // a first-order stage has no wp
    EXPECT_EQ(cell(1, 1), " 0             ");
}

TEST(AsciiExport, PolesAndZerosOfThePairingLists) {
    AsciiExportOptions options = kNothing;
    options.poleZeroData = true;
    const auto lines = AsciiExportLines(*StagesDesign(), options, "now");
    ASSERT_EQ(lines.size(), 4u + 1 + 3 + 2 + 1 + 1);
    EXPECT_EQ(lines[5], " PAIR   - 3.0000000E+2   \xC2\xB1 j    4.0000000E+3   wp:  5.8010000E+3 rad/s   Q: 0.9000000");
    EXPECT_EQ(lines[7], " SNGL   - 9.0000000E+2   + j    0.0000000E+0");
    EXPECT_EQ(lines[9], "ZEROS:");
    EXPECT_EQ(lines[10], " PAIR   wz:  9.0000000E+3");
}

TEST(AsciiExport, TheFileIsWrittenLineByLine) {
    testing_support::ScratchDirectory dir;
    EXPECT_EQ(WriteAsciiExport(dir / "a.dat", *UserDefinedDesign(), kNothing, "now"), std::nullopt);
    EXPECT_EQ(testing_support::ReadWholeFile(dir / "a.dat"), "now\n\nUSER DEFINED FILTER  N=3\n\n");
}

}  // namespace
}  // namespace tavrel
