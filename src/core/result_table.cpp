#include "core/result_table.h"

#include "core/number_format.h"

namespace tavrel {

namespace {

constexpr const char* kRowNames[] = {"Order",      "Circuit stages", "Passband ripple", "Pole pairs",
                                     "Single poles", "Zero pairs",  "Single zeros",    "Max. pole Qp"};
constexpr const char* kHeads[kApproxCount][2] = {
    {"Butter-", "worth"}, {"Cheby-", "shev"}, {"Inverse", "Cheby."}, {"Elliptic", ""}, {"Bessel", ""}};
constexpr const char* kNotApplicable = "---";

std::string QText(long double q) {
    const int decimals = q >= 10 ? 0 : (q >= 1 ? 1 : 2);
    return Fixed(q, 2, decimals);
}

}  // namespace

ResultTable BuildResultTable(const DesignState& state) {
    // Every cell starts with empty text, not red. (Written without "{}": the clang 14 used for the
    // fuzzer builds crashes on the braced form of this table.)
    ResultTable table;
    table[0][0].text = "Approximation:";
    for (int r = 0; r < 8; ++r) table[r + 2][0].text = kRowNames[r];
    for (int approx = 0; approx < kApproxCount; ++approx) {
        auto cell = [&](int row) -> ResultCell& { return table[row][approx + 2]; };
        cell(0).text = kHeads[approx][0];
        cell(1).text = kHeads[approx][1];
        const ApproxRecord& record = state.Approx[approx];
        const int n = record.Order;
        cell(2).text = record.OrderTooHigh ? ">" + std::to_string(kMaxOrder) : std::to_string(n);
        // Nothing to list for an approximation that cannot be chosen (an order below 1 has no
        // poles, stages or ripple).
        if (record.OrderTooHigh || state.ApproxFailed[approx] || n < 1) {
            for (int row = 3; row <= 9; ++row) cell(row).text = kNotApplicable;
            if (state.ApproxFailed[approx] && !state.ComputationFailed[approx]) {
                cell(9).text = ">300";
                cell(9).red = true;
            }
            continue;
        }
        cell(3).text = std::to_string(n / 2 + n % 2);
        const bool rippled = approx == Chebyshev || approx == Elliptic;
        cell(4).text = n == 2 ? kNotApplicable : (rippled ? Fixed(state.Apb, 2, 1) + " dB" : "0 dB");
        cell(5).text = std::to_string(record.PolePairCount);
        cell(6).text = std::to_string(record.HasRealPole + record.HasRealPole2);
        cell(7).text = std::to_string(record.FiniteZeroPairs);
        cell(8).text = std::to_string(record.RealZeroCount);
        cell(9).text = state.ForceOrder && n == 1 ? kNotApplicable : QText(record.MaxPoleQ);
    }
    return table;
}

}  // namespace tavrel
