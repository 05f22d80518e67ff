#include "circuits/equations/capacitor_resolve.h"

#include <array>
#include <cmath>
#include <span>

#include "circuits/catalog/circuit_definition.h"

namespace tavrel {

namespace {

constexpr int kMaxHeld = 5;
using Matrix = std::array<std::array<long double, kMaxHeld>, kMaxHeld>;
using Vector = std::array<long double, kMaxHeld>;

// LU decomposition with partial pivoting, each row scaled by its largest magnitude when the
// pivot is chosen, then forward and back substitution. False for a singular matrix.
bool SolveScaled(Matrix a, Vector& b, int n) {
    Vector scale{};
    for (int i = 0; i < n; ++i) {
        long double big = 0;
        for (int j = 0; j < n; ++j) big = std::max(big, std::fabs(a[i][j]));
        if (big == 0) return false;
        scale[i] = 1 / big;
    }
    for (int k = 0; k < n; ++k) {
        int pivot = k;
        long double best = -1;
        for (int i = k; i < n; ++i) {
            const long double v = scale[i] * std::fabs(a[i][k]);
            if (v > best) best = v, pivot = i;
        }
        if (a[pivot][k] == 0) return false;
        std::swap(a[pivot], a[k]);
        std::swap(scale[pivot], scale[k]);
        std::swap(b[pivot], b[k]);
        for (int i = k + 1; i < n; ++i) {
            const long double f = a[i][k] / a[k][k];
            for (int j = k; j < n; ++j) a[i][j] -= f * a[k][j];
            b[i] -= f * b[k];
        }
    }
    for (int i = n - 1; i >= 0; --i) {
        long double sum = b[i];
        for (int j = i + 1; j < n; ++j) sum -= a[i][j] * b[j];
        b[i] = sum / a[i][i];
    }
    return true;
}

constexpr int kSallenKeyLowpassI = 11;
constexpr int kSallenKeyHighpassI = 26;

struct Primed {
    long double r1, r2, c1, c2;  // values before the change
    long double n1, n2;          // capacitors now
};

Primed PrimedOf(const StageCircuitRecord& record) {
    const auto& r = record.Resistors;
    const auto& c = record.Capacitors;
    return {r[0].Value, r[1].Value, c[0].PrevValue, c[1].PrevValue, c[0].Value, c[1].Value};
}

void SetResistor(ComponentEntry& e, long double value) {
    e.PrevValue = e.Value;
    e.Value = value;
    e.Delta = value - e.PrevValue;
}

// The unity-gain Sallen-Key lowpass keeps wp and Qp exactly: with equal resistors its Q is
// the largest the capacitor ratio allows, so the resistor ratio n² comes from a quadratic; a
// smaller ratio than 4·Q² cannot be realised (t < 2).
bool ResolveSallenKeyLowpass(StageCircuitRecord& record) {
    const Primed p = PrimedOf(record);
    const long double t = (std::sqrt(p.r2 / p.r1) + std::sqrt(p.r1 / p.r2)) * std::sqrt(p.n2 * p.c1 / (p.n1 * p.c2));
    if (!(t >= 2)) return false;
    const long double n = t / 2 + std::sqrt(t * t / 4 - 1);
    const long double r2 = std::sqrt(p.c2 * p.c1 * p.r2 * p.r1 / (p.n2 * p.n1 * n * n));
    SetResistor(record.Resistors[1], r2);
    SetResistor(record.Resistors[0], r2 * n * n);
    return true;
}

// The unity-gain Sallen-Key highpass: sqrt(R2/R1) scales with 1/(sqrt(C1/C2) + sqrt(C2/C1)).
bool ResolveSallenKeyHighpass(StageCircuitRecord& record) {
    const Primed p = PrimedOf(record);
    const long double t = (std::sqrt(p.c1 / p.c2) + std::sqrt(p.c2 / p.c1)) * std::sqrt(p.r2 / p.r1) /
                          (std::sqrt(p.n1 / p.n2) + std::sqrt(p.n2 / p.n1));
    const long double r1 = std::sqrt(p.c2 * p.c1 * p.r2 * p.r1 / (p.n2 * p.n1 * t * t));
    SetResistor(record.Resistors[0], r1);
    SetResistor(record.Resistors[1], r1 * t * t);
    return true;
}

}  // namespace

int SlotOfParameterCode(int code) {
    switch (code) {
        case 1: return SensSlot::PoleFrequency;
        case 2: return SensSlot::PoleQ;
        case 3: return SensSlot::Gain;
        case 4: return SensSlot::ZeroFrequency;
        case 5: return SensSlot::ThirdPole;
        case 6: return SensSlot::ThirdZero;
        case 7: return SensSlot::ZeroQ;
        default: return -1;
    }
}

bool ResolveResistorsForCapacitors(StageCircuitRecord& record) {
    if (record.CircuitNo == kSallenKeyLowpassI) return ResolveSallenKeyLowpass(record);
    if (record.CircuitNo == kSallenKeyHighpassI) return ResolveSallenKeyHighpass(record);
    const CircuitDefinition* circuit = FindCircuit(record.CircuitNo);
    if (circuit == nullptr) return false;
    const AdjustDescriptor& d = circuit->adjust;
    int n = d.heldCount;
    if (n < 1 || n > kMaxHeld) return false;
    const std::array<int, kMaxHeld> codes{1, 2, d.extraParameters[0], d.extraParameters[1], d.extraParameters[2]};
    bool gainHeld = false;
    for (int j = 0; j < n; ++j) gainHeld = gainHeld || codes[static_cast<size_t>(j)] == 3;
    Matrix m{};
    Vector b{};
    for (int j = 0; j < n; ++j) {
        const int slot = SlotOfParameterCode(codes[static_cast<size_t>(j)]);
        if (slot < 0) return false;
        for (int k = 0; k < n; ++k) {
            const int r = d.resistors[static_cast<size_t>(k)];
            if (r < 1 || r > record.ResistorCount) return false;
            m[j][k] = record.Resistors[static_cast<size_t>(r - 1)].Sens[static_cast<size_t>(slot)];
        }
        for (int c = 0; c < record.CapacitorCount; ++c) {
            const ComponentEntry& e = record.Capacitors[static_cast<size_t>(c)];
            if (e.PrevValue != 0) b[j] += e.Sens[static_cast<size_t>(slot)] * (e.Delta / e.PrevValue);
        }
    }
    // A held parameter that neither the listed resistors nor the capacitors move (the gain of
    // a twin-T circuit, set by its amplifier alone) holds itself: its row goes, and with it the
    // last listed resistor, which keeps its value.
    for (int j = n - 1; j >= 0; --j) {
        bool zero = b[j] == 0;
        for (int k = 0; k < n; ++k) zero = zero && m[j][k] == 0;
        if (!zero) continue;
        for (int i = j; i + 1 < n; ++i) m[i] = m[i + 1], b[i] = b[i + 1];
        --n;
    }
    if (n < 1 || !SolveScaled(m, b, n)) return false;
    long double gainShift = 0;
    for (const ComponentEntry& e : std::span(record.Capacitors).first(static_cast<size_t>(record.CapacitorCount)))
        if (e.PrevValue != 0) gainShift += e.Sens[SensSlot::Gain] * (e.Delta / e.PrevValue);
    for (int k = 0; k < n; ++k) {
        ComponentEntry& e = record.Resistors[static_cast<size_t>(d.resistors[static_cast<size_t>(k)] - 1)];
        e.PrevValue = e.Value;
        e.Value = e.PrevValue * (1 - b[k]);
        e.Delta = -b[k] * e.PrevValue;
        gainShift -= e.Sens[SensSlot::Gain] * b[k];
    }
    if (!gainHeld) record.ActualGain = record.ActualGain * (1 + gainShift);
    return true;
}

}  // namespace tavrel
