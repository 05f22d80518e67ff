#include "circuits/equations/sensitivity.h"

#include <cmath>

#include "stages/stage_record.h"

namespace tavrel {

namespace {

// Q = 0.5 makes 2·Q - 1 vanish: the real pole of the network then meets the pole pair and
// the figures grow without bound. Within this distance of 0.5 the transform is evaluated at
// the edge of the band (0.5 + 0.0005 from above, 0.5 - 0.0005 from below, 0.5 itself counting
// as above), so such a stage shows very large, finite values.
constexpr long double kMinimumQOffset = 1e-3L;

long double UsableQ(long double q) {
    const long double offset = 2 * q - 1;
    if (std::fabs(offset) >= kMinimumQOffset) return q;
    return 0.5L + (offset < 0 ? -kMinimumQOffset : kMinimumQOffset) / 2;
}

void TransformRow(ComponentEntry& entry, int stageType, long double q, long double x0, long double x1,
                  long double x2, bool poleFlag, long double w1, long double w2, long double w3) {
    q = UsableQ(q);
    const long double m = 2 * q - 1;
    const long double f = (x1 * w2 * q + x0 * w1 * (q - 1) - x2 * w3 * q) / (2 * m);
    const long double g =
        (x2 * (q - 2 * q * q) * w3 + x1 * (q - 2 * q * q) * w2 + x0 * (q + 2 * q * q - 1) * w1) / (2 * m);
    const long double h = (x2 * w3 + x0 * w1 - x1 * w2) * q / m;
    if (poleFlag) {
        entry.Sens[SensSlot::PoleFrequency] = f;
        entry.Sens[SensSlot::PoleQ] = g;
        entry.Sens[SensSlot::ThirdPole] = h;
        return;
    }
    if (IsNotchStage(stageType)) {
        entry.Sens[SensSlot::ZeroFrequency] = f;
        entry.Sens[SensSlot::ZeroQ] = g;
    }
    entry.Sens[SensSlot::ThirdZero] = h;
}

void AddSlot(std::array<Real48, kSensTotals>& totals, int sum, int set, long double value, bool marked) {
    totals[static_cast<size_t>(sum + set)] += value;
    if (marked) totals[static_cast<size_t>(sum + set + SensSum::Squares)] += value * value;
}

void AddComponent(StageCircuitRecord& record, const ComponentEntry& entry, int set, int stageType) {
    const bool marked = entry.Marked != 0;
    auto& totals = record.SensTotals;
    AddSlot(totals, SensSum::PoleFrequency, set, entry.Sens[SensSlot::PoleFrequency], marked);
    AddSlot(totals, SensSum::PoleQ, set, entry.Sens[SensSlot::PoleQ], marked);
    if (record.TwinT) {
        AddSlot(totals, SensSum::ThirdPole, set, entry.Sens[SensSlot::ThirdPole], marked);
        AddSlot(totals, SensSum::ThirdZero, set, entry.Sens[SensSlot::ThirdZero], marked);
    }
    if (IsNotchStage(stageType)) AddSlot(totals, SensSum::ZeroFrequency, set, entry.Sens[SensSlot::ZeroFrequency], marked);
}

}  // namespace

void SensitivityTransform(StageCircuitRecord& record, int stageType, long double q, const SensitivityMatrix& matrix,
                          bool poleFlag, long double w1, long double w2, long double w3) {
    for (int i = 0; i < record.ResistorCount && i < kMaxResistors; ++i) {
        const auto& row = matrix[static_cast<size_t>(i)];
        TransformRow(record.Resistors[static_cast<size_t>(i)], stageType, q, row[0], row[1], row[2], poleFlag, w1,
                     w2, w3);
    }
    for (int j = 0; j < record.CapacitorCount && j < kMaxCapacitors; ++j) {
        const auto& row = matrix[static_cast<size_t>(j)];
        TransformRow(record.Capacitors[static_cast<size_t>(j)], stageType, q, row[3], row[4], row[5], poleFlag, w1,
                     w2, w3);
    }
}

void SensitivitySums(StageCircuitRecord& record, int stageType) {
    record.SensTotals.fill(0);
    for (int i = 0; i < record.ResistorCount && i < kMaxResistors; ++i)
        AddComponent(record, record.Resistors[static_cast<size_t>(i)], SensSum::Resistors, stageType);
    for (int j = 0; j < record.CapacitorCount && j < kMaxCapacitors; ++j)
        AddComponent(record, record.Capacitors[static_cast<size_t>(j)], SensSum::Capacitors, stageType);
    for (int sum : {SensSum::PoleFrequency, SensSum::PoleQ, SensSum::ZeroFrequency, SensSum::ThirdPole,
                    SensSum::ThirdZero}) {
        for (int squares : {0, SensSum::Squares}) {
            auto& t = record.SensTotals;
            t[static_cast<size_t>(sum + squares + SensSum::Total)] =
                t[static_cast<size_t>(sum + squares + SensSum::Resistors)] +
                t[static_cast<size_t>(sum + squares + SensSum::Capacitors)];
        }
    }
}

}  // namespace tavrel
