#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>
#include <unistd.h>

#include "circuits/catalog/circuit_definition.h"
#include "circuits/network/nodal_analysis.h"
#include "circuits/network/stage_function.h"
#include "cli/cli.h"
#include "support/cli_run.h"

namespace tavrel::cli {
namespace {

constexpr double kPi = std::numbers::pi;

using CircuitResult = testing_support::CommandOutput;

CircuitResult RunCircuitCommand(const std::vector<std::string>& args) {
    return testing_support::RunCommand("circuit", args);
}

ComponentValues ValuesOf(const std::vector<double>& r, const std::vector<double>& c) {
    ComponentValues v;
    for (size_t i = 0; i < r.size(); ++i) v.R[i + 1] = r[i];
    for (size_t j = 0; j < c.size(); ++j) v.C[j + 1] = c[j];
    return v;
}

std::filesystem::path ScratchDirectory() {
    const auto dir = std::filesystem::temp_directory_path() / ("tavrel_circuit_cli_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

std::string Join(const std::vector<double>& values) {
    std::ostringstream text;
    text.precision(17);
    for (size_t i = 0; i < values.size(); ++i) text << (i ? "," : "") << values[i];
    return text.str();
}

// The difference of two phases in degrees, brought into (-180, 180].
double PhaseDifference(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d <= -180) d += 360;
    if (d > 180) d -= 360;
    return d;
}

// The worked example of the Sallen-Key lowpass I: a = C2·C1·R2·R1 = 2e-8, b = C1·(R2 + R1) =
// 2e-4, so d0 = 1/a, d1 = b/a, wp = 1/sqrt(a) and Qp = 1/sqrt(2).
TEST(CliCircuit, SallenKeyLowpassWorkedExample) {
    const CircuitResult r = RunCircuitCommand({"--no", "11", "--r", "10000,10000", "--c", "10e-9,20e-9"});
    ASSERT_EQ(r.status, kDone) << r.err;
    const auto& doc = r.doc;
    EXPECT_EQ(doc["no"], 11);
    EXPECT_EQ(doc["type"], "SLP ");
    EXPECT_EQ(doc["index"], 1);
    EXPECT_EQ(doc["name"], "Sallen-Key (SK) Second Order Lowpass I");
    EXPECT_EQ(doc["form"], "unit-constant");
    EXPECT_EQ(doc["listed"], "02,01,02");
    EXPECT_FALSE(doc["inverting"]);
    EXPECT_FALSE(doc["third_order"]);
    // Component values are stored with 39 fraction bits, so the figures carry about 1e-12.
    EXPECT_NEAR(doc["d"][0].get<double>(), 1 / 2e-8, 1e-11 / 2e-8);
    EXPECT_NEAR(doc["d"][1].get<double>(), 2e-4 / 2e-8, 1e-11 * 1e4);
    EXPECT_EQ(doc["d"][2], 1.0);
    EXPECT_EQ(doc["d"][3], 0.0);
    EXPECT_EQ(doc["n"][0], doc["d"][0]);
    EXPECT_EQ(doc["k"], 1.0);
    EXPECT_NEAR(doc["wp"].get<double>(), 1 / std::sqrt(2e-8), 1e-8);
    EXPECT_NEAR(doc["qp"].get<double>(), 1 / std::sqrt(2.0), 1e-11);
    EXPECT_EQ(doc["wz"], 0.0);
    EXPECT_EQ(doc["wc"], 0.0);
    // Without --f-hz: 351 points, two decades either side of fp.
    const auto& f = doc["response"]["f_hz"];
    ASSERT_EQ(f.size(), 351u);
    const double fp = 1 / std::sqrt(2e-8) / (2 * kPi);
    EXPECT_NEAR(f[0].get<double>(), fp / 100, 1e-6 * fp);
    EXPECT_NEAR(f[175].get<double>(), fp, 1e-6 * fp);
    EXPECT_NEAR(f[350].get<double>(), fp * 100, 1e-6 * fp);
    // A maximally flat lowpass is 3 dB down at fp, lagging by 90 degrees.
    EXPECT_NEAR(doc["response"]["gain_db"][175].get<double>(), -3.0103, 1e-4);
    EXPECT_NEAR(doc["response"]["phase_deg"][175].get<double>(), -90, 1e-6);
}

// The multiple feedback lowpass I: d0 = D2·D1·G3·G2, d1 = D2·(G3 + G2 + G1), K = R2/R1,
// inverting.
TEST(CliCircuit, MultipleFeedbackLowpassClosedForm) {
    const double r1 = 12000, r2 = 33000, r3 = 4700, c1 = 2.2e-9, c2 = 47e-9;
    const CircuitResult r =
        RunCircuitCommand({"--no", "13", "--r", Join({r1, r2, r3}), "--c", Join({c1, c2}), "--f-hz", "1000"});
    ASSERT_EQ(r.status, kDone) << r.err;
    EXPECT_TRUE(r.doc["inverting"]);
    EXPECT_EQ(r.doc["form"], "monic");
    const double d0 = 1 / (c2 * c1 * r3 * r2), d1 = (1 / r3 + 1 / r2 + 1 / r1) / c2;
    EXPECT_NEAR(r.doc["d"][0].get<double>(), d0, 1e-10 * d0);
    EXPECT_NEAR(r.doc["d"][1].get<double>(), d1, 1e-10 * d1);
    EXPECT_NEAR(r.doc["k"].get<double>(), r2 / r1, 1e-10);
    EXPECT_NEAR(r.doc["wp"].get<double>(), std::sqrt(d0), 1e-9 * std::sqrt(d0));
    EXPECT_NEAR(r.doc["qp"].get<double>(), std::sqrt(d0) / d1, 1e-9);
}

struct ResponseCase {
    int no;
    std::vector<double> r, c;
    bool compensated = false;
};

void PrintTo(const ResponseCase& c, std::ostream* os) { *os << "circuit " << c.no; }

class CircuitResponse : public testing::TestWithParam<ResponseCase> {};

// The response in the document is the template's own function (solved by nodal analysis
// with ideal op amps), the inversion of an inverting circuit left out of the phase.
TEST_P(CircuitResponse, FollowsTheTemplate) {
    const ResponseCase& c = GetParam();
    const std::vector<double> hz = {30, 300, 1000, 1600, 2500, 8000, 60000};
    std::vector<std::string> args = {"--no", std::to_string(c.no), "--r", Join(c.r), "--c", Join(c.c), "--f-hz", Join(hz)};
    if (c.compensated) args.push_back("--compensated");
    const CircuitResult r = RunCircuitCommand(args);
    ASSERT_EQ(r.status, kDone) << r.err;
    const Topology& topology = FindCircuit(c.no)->plain.topology;
    const ComponentValues values = ValuesOf(c.r, c.c);
    const auto& response = r.doc["response"];
    ASSERT_EQ(response["f_hz"].size(), hz.size());
    for (size_t k = 0; k < hz.size(); ++k) {
        const std::complex<long double> h = NodalResponse(topology, values, {0, 2 * kPi * hz[k]});
        EXPECT_NEAR(response["f_hz"][k].get<double>(), hz[k], 0) << c.no;
        EXPECT_NEAR(response["gain_db"][k].get<double>(), 20 * std::log10(std::abs(h)), 1e-9) << c.no << " at " << hz[k];
        const double inversion = r.doc["inverting"].get<bool>() ? 180 : 0;
        EXPECT_NEAR(PhaseDifference(response["phase_deg"][k].get<double>() + inversion,
                                    static_cast<double>(std::arg(h)) * 180 / kPi),
                    0, 1e-7)
            << c.no << " at " << hz[k];
    }
    if (r.doc["third_order"]) {
        // (s - p3)·(s^2 + (wp/qp)·s + wp^2) gives back the denominator.
        const double p3 = r.doc["p3"], wp = r.doc["wp"], qp = r.doc["qp"];
        const double b1 = wp / qp, b0 = wp * wp;
        const auto& d = r.doc["d"];
        EXPECT_NEAR(d[2].get<double>(), b1 - p3, 1e-9 * std::fabs(d[2].get<double>()));
        EXPECT_NEAR(d[1].get<double>(), b0 - p3 * b1, 1e-9 * std::fabs(d[1].get<double>()));
        EXPECT_NEAR(d[0].get<double>(), -p3 * b0, 1e-9 * std::fabs(d[0].get<double>()));
    } else {
        EXPECT_FALSE(r.doc.contains("p3"));
    }
}

const ResponseCase kResponseCases[] = {
    {1, {10000}, {10e-9}},
    {9, {10000, 22000}, {10e-9}},                                             // inverting first order
    {13, {12000, 33000, 4700}, {2.2e-9, 47e-9}},                              // inverting
    {17, {10000, 10000, 5000, 30000, 10000}, {10e-9, 10e-9, 20e-9}},          // twin-T, third order
    {28, {47000, 6800}, {10e-9, 10e-9, 10e-9}, true},                         // compensated variant
    {52, {10000, 10000, 15000, 10000, 10000, 13000, 10000}, {10e-9, 10e-9}},  // inverting at fp
    {56, {10000, 12000, 15000, 47000, 22000, 33000, 27000}, {10e-9, 10e-9}},  // notch
    {88, {10000, 10000, 5000, 30000, 10000}, {10e-9, 10e-9, 20e-9}},          // twin-T notch
};

INSTANTIATE_TEST_SUITE_P(Circuits, CircuitResponse, testing::ValuesIn(kResponseCases),
                         [](const testing::TestParamInfo<ResponseCase>& info) {
                             return "No" + std::to_string(info.param.no) + (info.param.compensated ? "Compensated" : "");
                         });

// The notch frequency is that of the template's numerator, wz^2 = n0/n2.
// Values typed with suffixes are the same values as written out.
TEST(CliCircuit, TakesEngineeringSuffixes) {
    const CircuitResult plain = RunCircuitCommand({"--no", "11", "--r", "10000,4700", "--c", "10e-9,220e-12"});
    const CircuitResult suffixed = RunCircuitCommand({"--no", "11", "--r", "10k,4.7K", "--c", "10n,220p"});
    ASSERT_EQ(suffixed.status, kDone) << suffixed.err;
    EXPECT_EQ(suffixed.doc["d"], plain.doc["d"]);
    EXPECT_EQ(suffixed.doc["k"], plain.doc["k"]);
}

// Values off the design relations can make d0 (or a notch's n0) negative: a real pole (or zero)
// pair of opposite signs, which has no pole (zero) frequency. The coefficients are printed as
// the network gives them, the figures they do not give are null, and the command succeeds.
TEST(CliCircuit, FiguresTheCoefficientsDoNotGiveAreNull) {
    const std::vector<double> r14 = {275.6, 470.9, 9143, 173.3, 122.9}, c14 = {6.196e-9, 4.275e-9};
    const CircuitResult mfb = RunCircuitCommand({"--no", "14", "--r", Join(r14), "--c", Join(c14), "--f-hz", "1000"});
    ASSERT_EQ(mfb.status, kDone) << mfb.err;
    const TransferPolynomials h = NodalTransfer(FindCircuit(14)->plain.topology, ValuesOf(r14, c14));
    const double d0 = static_cast<double>(h.denominator[0] / h.denominator[2]);
    ASSERT_LT(d0, 0);
    EXPECT_NEAR(mfb.doc["d"][0].get<double>(), d0, 1e-9 * std::fabs(d0));
    EXPECT_TRUE(mfb.doc["wp"].is_null());
    EXPECT_TRUE(mfb.doc["qp"].is_null());

    const std::vector<double> r57 = {1.958e5, 1.686e5, 2.459e4, 1.686e5, 2.903e5},
                              c57 = {3.607e-9, 2.005e-10, 5.777e-7};
    const CircuitResult notch = RunCircuitCommand({"--no", "57", "--r", Join(r57), "--c", Join(c57), "--f-hz", "1000"});
    ASSERT_EQ(notch.status, kDone) << notch.err;
    ASSERT_LT(notch.doc["n"][0].get<double>(), 0);
    EXPECT_TRUE(notch.doc["wz"].is_null());
    EXPECT_NEAR(notch.doc["wp"].get<double>(), std::sqrt(notch.doc["d"][0].get<double>()), 1e-9);
}

TEST(CliCircuit, NotchFrequencyIsTheTemplatesZero) {
    const std::vector<double> r = {10000, 12000, 15000, 47000, 22000, 33000, 27000}, c = {10e-9, 10e-9};
    const CircuitResult result = RunCircuitCommand({"--no", "56", "--r", Join(r), "--c", Join(c), "--f-hz", "1000"});
    ASSERT_EQ(result.status, kDone) << result.err;
    const TransferPolynomials h = NodalTransfer(FindCircuit(56)->plain.topology, ValuesOf(r, c));
    const double wz = result.doc["wz"];
    EXPECT_NEAR(wz * wz, static_cast<double>(h.numerator[0] / h.numerator[2]), 1e-9 * wz * wz);
    EXPECT_GT(result.doc["wp"].get<double>(), 0);
}

TEST(CliCircuit, BadUsageIsStatusOne) {
    const std::string missing = (ScratchDirectory() / "no such folder" / "stage.cir").string();
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--no", "4", "--r", "1000", "--c", "1e-9"},  // between the ranges
             {"--no", "0", "--r", "1000", "--c", "1e-9"},
             {"--no", "95", "--r", "1000", "--c", "1e-9"},
             {"--no", "x", "--r", "1000", "--c", "1e-9"},
             {"--no", "11", "--r", "1000", "--c", "1e-9,1e-9"},  // one R too few
             {"--no", "11", "--r", "1000,1000,1000", "--c", "1e-9,1e-9"},
             {"--no", "11", "--r", "1000,1000", "--c", "1e-9"},  // one C too few
             {"--no", "11", "--r", "1000,1000", "--c", "1e-9,1e-9,1e-9"},
             {"--no", "11", "--r", "1000,0", "--c", "1e-9,1e-9"},  // not positive
             {"--no", "11", "--r", "1000,-1000", "--c", "1e-9,1e-9"},
             {"--no", "11", "--r", "1000,1000", "--c", "1e-9,0"},
             {"--no", "11", "--r", "1 k,1000", "--c", "1e-9,1e-9"},  // not a number
             {"--no", "11", "--r", "1kk,1000", "--c", "1e-9,1e-9"},
             {"--no", "11", "--r", "1000,1000", "--c", "1n,inf"},
             {"--no", "11", "--r", "1000,", "--c", "1e-9,1e-9"},
             {"--no", "11", "--r", "1000,nan", "--c", "1e-9,1e-9"},
             {"--no", "11", "--r", "1000,1e-60", "--c", "1e-9,1e-9"},  // stores as 0
             {"--no", "11", "--r", "1000,1000", "--c", "1e-9,1e-9", "--f-hz", "0"},
             {"--no", "11", "--r", "1000,1000", "--c", "1e-9,1e-9", "--f-hz", "10,-5"},
             {"--no", "15", "--r", "1,1,1,1,1", "--c", "1e-9,1e-9", "--compensated"},  // no variant
             {"--no", "11", "--r", "1000,1000", "--c", "1e-9,1e-9", "--dialect", "ngspice"},
             {"--no", "11", "--r", "1000,1000", "--c", "1e-9,1e-9", "--netlist", "x.cir", "--dialect", "spectre"},
             {"--no", "11", "--r", "1000,1000", "--c", "1e-9,1e-9", "--netlist", missing},
             {"--no", "11", "--c", "1e-9,1e-9"},
         }) {
        const CircuitResult r = RunCircuitCommand(args);
        EXPECT_EQ(r.status, kFailure) << ::testing::PrintToString(args);
        EXPECT_FALSE(r.err.empty()) << ::testing::PrintToString(args);
        EXPECT_TRUE(r.doc.is_null()) << ::testing::PrintToString(args);
    }
    EXPECT_FALSE(std::filesystem::exists("x.cir"));
}

TEST(CliCircuit, ValueBeyondTheStoredRangeIsAnArithmeticFailure) {
    const CircuitResult r = RunCircuitCommand({"--no", "11", "--r", "1e39,1000", "--c", "1e-9,1e-9"});
    ASSERT_EQ(r.status, kArithmetic);
    EXPECT_EQ(r.doc["error"], "Floating point overflow. Try using smaller numbers.");
}

// A compensated variant with two added resistors takes them after the others, or, when they
// are left out, copies the first op amp's divider as the design does: the added resistor to
// ground (R6) the divider's resistor to ground (R3), the other (R5) the other one (R4).
TEST(CliCircuit, CompensatedVariantTakesItsAddedResistors) {
    const auto dir = ScratchDirectory();
    const auto path = (dir / "sk2.cir").string();
    const CircuitResult given = RunCircuitCommand(
        {"--no", "12", "--r", "10000,20000,4700,5600,3300,6800", "--c", "10e-9,10e-9", "--compensated", "--netlist", path});
    ASSERT_EQ(given.status, kDone) << given.err;
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("R5 6 7 RMODEL 3.3K"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("R6 7 0 RMODEL 6.8K"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("XA2 5 7 6 IDEALOP"), std::string::npos);
    const CircuitResult copied =
        RunCircuitCommand({"--no", "12", "--r", "10000,20000,4700,5600", "--c", "10e-9,10e-9", "--compensated", "--netlist", path});
    ASSERT_EQ(copied.status, kDone) << copied.err;
    std::ifstream again(path);
    std::stringstream copiedText;
    copiedText << again.rdbuf();
    EXPECT_NE(copiedText.str().find("R5 6 7 RMODEL 5.6K"), std::string::npos) << copiedText.str();
    EXPECT_NE(copiedText.str().find("R6 7 0 RMODEL 4.7K"), std::string::npos);
    EXPECT_EQ(given.doc["response"], copied.doc["response"]);
    EXPECT_FALSE(std::filesystem::exists(path + ".partial"));
}

// The value of an element line of a netlist: the number with its SPICE suffix.
long double SpiceValue(const std::string& line) {
    const std::string text = line.substr(line.rfind(' ') + 1);
    size_t end = 0;
    const long double number = std::stold(text, &end);
    const std::string suffix = text.substr(end);
    if (suffix == "MEG") return number * 1e6L;
    if (suffix == "G") return number * 1e9L;
    if (suffix == "K") return number * 1e3L;
    if (suffix == "uF") return number * 1e-6L;
    if (suffix == "nF") return number * 1e-9L;
    if (suffix == "pF") return number * 1e-12L;
    return number;
}

// The resistors and capacitors a netlist of one stage carries.
ComponentValues NetlistValues(const std::filesystem::path& path) {
    ComponentValues v;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string name;
        words >> name;
        if (name.size() < 2 || (name[0] != 'R' && name[0] != 'C') || !std::isdigit(static_cast<unsigned char>(name[1])))
            continue;
        const size_t number = static_cast<size_t>(std::stoi(name.substr(1)));
        if (name[0] == 'R') v.R[number] = SpiceValue(line);
        else v.C[number] = SpiceValue(line);
    }
    return v;
}

// The relative shift of the pole frequency and Q per unit w/wt with single-pole op amps of
// unity-gain frequency wt, from the natural frequency near the ideal pole (Newton on the nodal
// determinant), with the terms in (w/wt)^2 taken out by Richardson's rule.
std::pair<long double, long double> FirstOrderShift(const Topology& t, const ComponentValues& v, long double w,
                                                    long double q) {
    const std::complex<long double> p0 = std::polar(w, std::numbers::pi_v<long double> - std::acos(1 / (2 * q)));
    auto shift = [&](long double eps) {
        const OpAmpModel opAmps{0, w / eps};
        std::complex<long double> p = p0;
        for (int i = 0; i < 60; ++i) {
            const std::complex<long double> h = 1e-7L * std::abs(p);
            const auto f = NodalDeterminant(t, v, p, opAmps);
            const auto df = (NodalDeterminant(t, v, p + h, opAmps) - NodalDeterminant(t, v, p - h, opAmps)) / (2.0L * h);
            p -= f / df;
        }
        const long double wp = std::abs(p), qp = wp / (-2 * p.real());
        return std::pair{-(wp / w - 1) / eps, -(qp / q - 1) / eps};
    };
    const long double eps = 1e-6L / q;
    const auto a = shift(eps), b = shift(2 * eps);
    return {2 * a.first - b.first, 2 * a.second - b.second};
}

// The netlist of a compensated stage written from designed values cancels the op amps'
// first-order shift, which the plain circuit has of the size of Qp.
TEST(CliCircuit, CompensatedNetlistOfDesignedValuesCancelsTheOpAmpShift) {
    std::ostringstream out, err;
    ASSERT_EQ(cli::Run({"design-stage", "--no", "12", "--wp", "10000", "--qp", "5", "--gain", "1"}, out, err,
                       TAVREL_BIN_DIR),
              kDone)
        << err.str();
    const nlohmann::json designed = nlohmann::json::parse(out.str());
    ASSERT_FALSE(designed["invalid"]);
    ASSERT_GT(std::fabs(designed["k1"].get<double>()), 1);
    std::vector<double> r, c;
    for (const auto& x : designed["r"]) r.push_back(x);
    for (const auto& x : designed["c"]) c.push_back(x);
    const auto path = ScratchDirectory() / "sk2_designed.cir";
    const CircuitResult written = RunCircuitCommand(
        {"--no", "12", "--r", Join(r), "--c", Join(c), "--compensated", "--netlist", path.string()});
    ASSERT_EQ(written.status, kDone) << written.err;
    const ComponentValues v = NetlistValues(path);
    ASSERT_GT(v.R[6], 0);
    const CircuitDefinition& circuit = *FindCircuit(12);
    const StageFunction ideal = StageFunctionOf(circuit, v);
    const long double w = std::sqrt(ideal.d[0]), q = w / ideal.d[1];
    const auto plain = FirstOrderShift(circuit.plain.topology, v, w, q);
    const auto compensated = FirstOrderShift(circuit.compensated->topology, v, w, q);
    EXPECT_GT(std::fabs(plain.first) + std::fabs(plain.second), 1);
    EXPECT_LT(std::fabs(compensated.first), 1e-3L * (std::fabs(plain.first) + std::fabs(plain.second)));
    EXPECT_LT(std::fabs(compensated.second), 1e-3L * (std::fabs(plain.first) + std::fabs(plain.second)));
}

TEST(CliCircuit, PspiceNetlistSweepsTheFrequencyRange) {
    const auto path = (ScratchDirectory() / "mfb.cir").string();
    const CircuitResult r = RunCircuitCommand(
        {"--no", "13", "--r", "12000,33000,4700", "--c", "2.2e-9,47e-9", "--f-hz", "5000,20,100", "--netlist", path});
    ASSERT_EQ(r.status, kDone) << r.err;
    EXPECT_EQ(r.doc["netlist"], path);
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "****  Tavrel Spice File  ****");
    EXPECT_EQ(lines.back(), ".END");
    const auto has = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    EXPECT_TRUE(has(".SUBCKT SLP1 1 2"));
    EXPECT_TRUE(has("       XA1 0 4 2 IDEALOP"));
    EXPECT_TRUE(has("V1 1 0 AC 1"));
    EXPECT_TRUE(has("X1 1 2 SLP1"));
    EXPECT_TRUE(has(".AC DEC 200 2.00000E+1 5.00000E+3"));
    EXPECT_TRUE(has(".PROBE V(2)"));
}

struct SimulatedCase {
    int no;
    std::vector<double> r, c;
    bool compensated = false;
};

void PrintTo(const SimulatedCase& c, std::ostream* os) { *os << "circuit " << c.no; }

class CircuitNetlistSimulated : public testing::TestWithParam<SimulatedCase> {};

// ngspice runs the netlist the command writes; its voltage at node 2 is the document's
// response (the op amps of gain 1e5 move these designs by less than 0.001 dB).
TEST_P(CircuitNetlistSimulated, NgspiceAgreesWithTheResponse) {
    const SimulatedCase& c = GetParam();
    // Quarter decades from 100 Hz lie on the simulator's sweep of 200 points per decade.
    std::vector<double> hz;
    for (int k = 0; k <= 8; ++k) hz.push_back(100 * std::pow(10.0, k / 4.0));
    const auto dir = ScratchDirectory();
    const std::string name = "stage" + std::to_string(c.no) + (c.compensated ? "c" : "");
    const auto netlist = dir / (name + ".cir");
    std::vector<std::string> args = {"--no", std::to_string(c.no), "--r", Join(c.r), "--c", Join(c.c),
                                     "--f-hz", Join(hz), "--netlist", netlist.string(), "--dialect", "ngspice"};
    if (c.compensated) args.push_back("--compensated");
    const CircuitResult r = RunCircuitCommand(args);
    ASSERT_EQ(r.status, kDone) << r.err;
    const std::string data = r.doc["netlist_data"];
    std::filesystem::remove(data);
    const auto log = dir / (name + ".log");
    const std::string command = "ngspice -b '" + netlist.string() + "' > '" + log.string() + "' 2>&1";
    // ngspice's exit status in batch mode with a control block says nothing; its data does.
    [[maybe_unused]] const int status = std::system(command.c_str());
    std::ifstream logIn(log);
    for (std::string line; std::getline(logIn, line);) EXPECT_EQ(line.find("rror"), std::string::npos) << line;
    std::vector<std::array<double, 3>> rows;
    std::ifstream in(data);
    for (double f, re, im; in >> f >> re >> im;) rows.push_back({f, re, im});
    ASSERT_GE(rows.size(), 401u) << data;
    const auto& response = r.doc["response"];
    const double inversion = r.doc["inverting"].get<bool>() ? 180 : 0;
    for (size_t k = 0; k < hz.size(); ++k) {
        const auto nearest = std::min_element(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
            return std::fabs(a[0] / hz[k] - 1) < std::fabs(b[0] / hz[k] - 1);
        });
        ASSERT_LT(std::fabs((*nearest)[0] / hz[k] - 1), 1e-6) << hz[k];
        const std::complex<double> v((*nearest)[1], (*nearest)[2]);
        EXPECT_NEAR(20 * std::log10(std::abs(v)), response["gain_db"][k].get<double>(), 0.01) << c.no << " at " << hz[k];
        EXPECT_NEAR(PhaseDifference(std::arg(v) * 180 / kPi, response["phase_deg"][k].get<double>() + inversion), 0, 0.1)
            << c.no << " at " << hz[k];
    }
}

const SimulatedCase kSimulatedCases[] = {
    {11, {10000, 10000}, {10e-9, 20e-9}},
    {13, {12000, 33000, 4700}, {2.2e-9, 47e-9}},
    {17, {10000, 10000, 5000, 30000, 10000}, {10e-9, 10e-9, 20e-9}},
    {44, {15000, 68000, 2200}, {10e-9, 10e-9}, true},
    {56, {10000, 12000, 15000, 47000, 22000, 33000, 27000}, {10e-9, 10e-9}},
};

INSTANTIATE_TEST_SUITE_P(Spice, CircuitNetlistSimulated, testing::ValuesIn(kSimulatedCases),
                         [](const testing::TestParamInfo<SimulatedCase>& info) {
                             return "No" + std::to_string(info.param.no) + (info.param.compensated ? "Compensated" : "");
                         });

}  // namespace
}  // namespace tavrel::cli
