#include "circuits/adjustment/resistor_resolve.h"

#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <span>

#include "circuits/catalog/circuit_definition.h"
#include "circuits/network/realized_figures.h"
#include "circuits/network/stage_function.h"

namespace tavrel {

namespace {

constexpr int kMaxHeld = 5;
// How closely a re-solved stage must give back its held figures (relative).
constexpr long double kHeldTolerance = 1e-9L;
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
constexpr int kSallenKeyLowpassII = 12;
constexpr int kSallenKeyHighpassI = 26;
constexpr int kSallenKeyHighpassII = 27;
constexpr int kDeliyannisBandpassI = 41;
constexpr int kDeliyannisBandpassII = 42;

struct Primed {
    long double r1, r2, c1, c2;  // values before the change
    long double n1, n2;          // capacitors now
};

Primed PrimedOf(const StageCircuitRecord& record) {
    const auto& r = record.Resistors;
    const auto& c = record.Capacitors;
    return {r[0].PrevValue, r[1].PrevValue, c[0].PrevValue, c[1].PrevValue, c[0].Value, c[1].Value};
}

void SetResistor(ComponentEntry& e, long double value) {
    e.Value = value;
    e.Delta = value - e.PrevValue;
}

// The unity-gain Sallen-Key lowpass keeps wp and Qp exactly: with equal resistors its Q is
// the largest the capacitor ratio allows, so the resistor ratio n² comes from a quadratic; a
// smaller ratio than 4·Q² cannot be realised (t < 2).
ResolveOutcome ResolveSallenKeyLowpass(StageCircuitRecord& record) {
    const Primed p = PrimedOf(record);
    const long double sum = std::sqrt(p.r2 / p.r1) + std::sqrt(p.r1 / p.r2);
    const long double t = sum * std::sqrt(p.n2 * p.c1 / (p.n1 * p.c2));
    if (!(t >= 2)) return {ResolveFailure::RatioTooSmall, 4 * (p.c2 / p.c1) / (sum * sum)};
    const long double n = t / 2 + std::sqrt(t * t / 4 - 1);
    const long double r2 = std::sqrt(p.c2 * p.c1 * p.r2 * p.r1 / (p.n2 * p.n1 * n * n));
    SetResistor(record.Resistors[1], r2);
    SetResistor(record.Resistors[0], r2 * n * n);
    return {};
}

// The unity-gain Sallen-Key highpass: sqrt(R2/R1) scales with 1/(sqrt(C1/C2) + sqrt(C2/C1)).
ResolveOutcome ResolveSallenKeyHighpass(StageCircuitRecord& record) {
    const Primed p = PrimedOf(record);
    const long double t = (std::sqrt(p.c1 / p.c2) + std::sqrt(p.c2 / p.c1)) * std::sqrt(p.r2 / p.r1) /
                          (std::sqrt(p.n1 / p.n2) + std::sqrt(p.n2 / p.n1));
    const long double r1 = std::sqrt(p.c2 * p.c1 * p.r2 * p.r1 / (p.n2 * p.n1 * t * t));
    SetResistor(record.Resistors[0], r1);
    SetResistor(record.Resistors[1], r1 * t * t);
    return {};
}

// The pole frequency and Q of a set of values of the circuit, from its stage function.
struct Pole {
    long double w = 0, q = 0;
};

Pole PoleOf(const CircuitDefinition& circuit, const ComponentValues& v) {
    const StageFunction f = StageFunctionOf(circuit, v);
    const long double w = std::sqrt(f.d[0]);
    return {w, f.d[1] > 0 ? w / f.d[1] : 0};
}

// The values before the change.
ComponentValues PreviousValues(const StageCircuitRecord& record) {
    ComponentValues v = ValuesOf(record);
    for (int i = 1; i <= record.ResistorCount; ++i)
        v.R[static_cast<size_t>(i)] = record.Resistors[static_cast<size_t>(i - 1)].PrevValue;
    for (int j = 1; j <= record.CapacitorCount; ++j)
        v.C[static_cast<size_t>(j)] = record.Capacitors[static_cast<size_t>(j - 1)].PrevValue;
    return v;
}

// The Deliyannis bandpass I (MFB bandpass): wp² = 1/(R1·R2·C1·C2), wp/Q = (C1 + C2)/(C1·C2·R2),
// so R2 = Q·(C1 + C2)/(wp·C1·C2) and R1 = 1/(wp²·C1·C2·R2) keep both exactly.
ResolveOutcome ResolveDeliyannisBandpassI(StageCircuitRecord& record, const CircuitDefinition& circuit) {
    const Pole pole = PoleOf(circuit, PreviousValues(record));
    const long double c1 = record.Capacitors[0].Value, c2 = record.Capacitors[1].Value;
    const long double r2 = pole.q * (c1 + c2) / (pole.w * c1 * c2);
    SetResistor(record.Resistors[1], r2);
    SetResistor(record.Resistors[0], 1 / (pole.w * pole.w * c1 * c2 * r2));
    return {};
}

// The Sallen-Key II and Deliyannis II circuits: R1 and R2 scale by sqrt(C1'·C2'/(C1·C2)),
// which keeps wp (the product R1·R2·C1·C2); the Q that the new capacitor ratio changes comes
// back through the amplifier's gain, the resistor of the pair beside the one that keeps its
// default value: Q is monotonic in it, so it is bracketed and bisected in its logarithm.
ResolveOutcome ResolveThroughGainPair(StageCircuitRecord& record, const CircuitDefinition& circuit) {
    const Pole target = PoleOf(circuit, PreviousValues(record));
    const Primed p = PrimedOf(record);
    const long double scale = std::sqrt(p.c1 * p.c2 / (p.n1 * p.n2));
    ComponentValues v = PreviousValues(record);
    v.C = ValuesOf(record).C;  // the capacitors as they are now
    v.R[1] *= scale;
    v.R[2] *= scale;
    const size_t gain = static_cast<size_t>(circuit.resistorCount - 1);
    auto excess = [&](long double logR) {
        ComponentValues w = v;
        w.R[gain] = std::exp(logR);
        return PoleOf(circuit, w).q - target.q;
    };
    long double lo = std::log(static_cast<long double>(v.R[gain])), hi = lo;
    const long double start = excess(lo);
    if (!std::isfinite(start)) return {ResolveFailure::InvalidSolution};
    // Widen towards the side where the excess changes sign (at most a factor of 1e6 each way).
    bool bracketed = start == 0;
    for (int k = 1; k <= 40 && !bracketed; ++k) {
        const long double step = std::log(2.0L) * k;
        for (const long double probe : {lo - step, lo + step}) {
            const long double e = excess(probe);
            if (std::isfinite(e) && (e == 0 || (e > 0) != (start > 0))) {
                hi = probe;
                bracketed = true;
                break;
            }
        }
    }
    if (!bracketed) return {ResolveFailure::InvalidSolution};
    for (int i = 0; i < 200 && hi != lo; ++i) {
        const long double mid = (lo + hi) / 2;
        if (mid == lo || mid == hi) break;
        ((excess(mid) > 0) == (start > 0) ? lo : hi) = mid;
    }
    const long double value = std::exp((lo + hi) / 2);
    if (!(value > 0)) return {ResolveFailure::InvalidSolution};
    SetResistor(record.Resistors[0], v.R[1]);
    SetResistor(record.Resistors[1], v.R[2]);
    SetResistor(record.Resistors[gain - 1], value);
    return {};
}

// First-order circuits keep R·C of the listed resistor (and the resistor that sets the gain
// with it, which keeps their ratio); with two capacitors the other follows the changed one.
ResolveOutcome ResolveFirstOrder(StageCircuitRecord& record, const CircuitDefinition& circuit) {
    int changed = 1;
    for (int j = 1; j <= record.CapacitorCount; ++j)
        if (record.Capacitors[static_cast<size_t>(j - 1)].Delta != 0) changed = j;
    ComponentEntry& c = record.Capacitors[static_cast<size_t>(changed - 1)];
    const long double factor = c.PrevValue / c.Value;  // C'/C
    for (int j = 1; j <= record.CapacitorCount; ++j) {
        ComponentEntry& other = record.Capacitors[static_cast<size_t>(j - 1)];
        if (j == changed) continue;
        other.Value = other.PrevValue / factor;
        other.Delta = other.Value - other.PrevValue;
    }
    const int listed = circuit.adjust.resistors[0];
    const bool pairSetsGain = circuit.resistorCount == 2;
    for (int i = 1; i <= circuit.resistorCount; ++i)
        if (i == listed || pairSetsGain) {
            ComponentEntry& r = record.Resistors[static_cast<size_t>(i - 1)];
            SetResistor(r, r.PrevValue * factor);
        }
    return {};
}

// The figure a held parameter code names: 1 the pole frequency, 2 the pole Q, 3 the gain, 4 the
// zero frequency, 5 the real pole of a third-order circuit, 7 the zero Q (for a third-order
// circuit those of its complex pairs); nothing for the third zero or where the function gives none.
std::optional<long double> HeldFigure(const StageFunction& f, const CircuitDefinition& circuit, int code) {
    const RealizedFigures r = RealizedFiguresOf(f, circuit);
    long double x = 0;
    switch (code) {
        case 1: x = r.wp; break;
        case 2: x = r.qp; break;
        case 3: x = std::fabs(r.gain); break;
        case 4: x = r.wz; break;
        case 5: x = std::fabs(r.p3); break;
        case 7: x = r.qz; break;
        default: return std::nullopt;
    }
    if (!(x > 0) || !std::isfinite(x)) return std::nullopt;
    return x;
}

// Newton steps in the logarithms of the listed resistors: the held figures of the values now
// against those of the values before the change, with the slopes d ln p / d ln R taken from the
// stage function at the values now (a capacitor step of 10 % moves them too far for the slots of
// the design to serve to the end). Each step is taken whole, or half of it, or a quarter: the
// first that brings the figures closer.
struct Departure {
    long double left = 0;       // the largest relative departure of a held figure left
    long double untouched = 0;  // the same with the resistors as they were before the change
};
// Nothing departs where a held figure is none the function gives: the linear solve stands.
template <typename Listed>
Departure RefineAgainstTheStageFunction(StageCircuitRecord& record, const CircuitDefinition& circuit,
                                          const std::array<int, kMaxHeld>& codes, int n, Listed listed) {
    const StageFunction before = StageFunctionOf(circuit, PreviousValues(record));
    Vector target{};
    for (int j = 0; j < n; ++j) {
        const auto figure = HeldFigure(before, circuit, codes[static_cast<size_t>(j)]);
        if (!figure) return {};
        target[j] = *figure;
    }
    auto residual = [&](Vector& e) {
        const StageFunction now = StageFunctionOf(circuit, ValuesOf(record));
        long double worst = 0;
        for (int j = 0; j < n; ++j) {
            const auto figure = HeldFigure(now, circuit, codes[static_cast<size_t>(j)]);
            if (!figure) return std::numeric_limits<long double>::infinity();
            e[j] = std::log(*figure / target[j]);
            worst = std::max(worst, std::fabs(e[j]));
        }
        return worst;
    };
    Departure departure;
    {
        std::array<long double, kMaxHeld> solved{};
        for (int k = 0; k < n; ++k) solved[static_cast<size_t>(k)] = listed(k).Value, listed(k).Value = listed(k).PrevValue;
        Vector untouched{};
        departure.untouched = residual(untouched);
        for (int k = 0; k < n; ++k) listed(k).Value = solved[static_cast<size_t>(k)];
    }
    Vector e{};
    long double& worst = departure.left;
    worst = residual(e);
    for (int step = 0; step < 20 && worst > 1e-12L; ++step) {
        std::array<long double, kMaxHeld> kept{};
        for (int k = 0; k < n; ++k) kept[static_cast<size_t>(k)] = listed(k).Value;
        // The slopes by central differences in ln R.
        constexpr long double h = 1e-6L;
        Matrix slopes{};
        for (int k = 0; k < n; ++k) {
            Vector up{}, down{};
            listed(k).Value = kept[static_cast<size_t>(k)] * std::exp(h);
            const long double a = residual(up);
            listed(k).Value = kept[static_cast<size_t>(k)] * std::exp(-h);
            const long double b = residual(down);
            listed(k).Value = kept[static_cast<size_t>(k)];
            if (!std::isfinite(a) || !std::isfinite(b)) return departure;
            for (int j = 0; j < n; ++j) slopes[j][k] = (up[j] - down[j]) / (2 * h);
        }
        Vector y = e;
        if (!SolveScaled(slopes, y, n)) return departure;
        bool improved = false;
        for (long double part = 1; part > 0.1L && !improved; part /= 2) {
            for (int k = 0; k < n; ++k) listed(k).Value = kept[static_cast<size_t>(k)] * std::exp(-part * y[k]);
            Vector next{};
            const long double better = residual(next);
            if (better < worst) worst = better, e = next, improved = true;
        }
        if (!improved) {
            for (int k = 0; k < n; ++k) listed(k).Value = kept[static_cast<size_t>(k)];
            return departure;
        }
    }
    return departure;
}

// The linearised re-solve of the adjustment descriptor's resistors: the sensitivity slots of
// the held parameters against the listed resistors, solved for the capacitors' change. Being
// linear it leaves a residual of second order in the change (half a percent of Q for a 5 %
// step of a capacitor of the MFB lowpass); where the held parameters are figures of the stage
// function (second-order circuits), the same matrix then takes out what is left against the
// exact function, until the parameters are as they were.
ResolveOutcome ResolveLinearised(StageCircuitRecord& record, const CircuitDefinition& circuit) {
    const AdjustDescriptor& d = circuit.adjust;
    int n = d.heldCount;
    if (n < 1 || n > kMaxHeld) return {ResolveFailure::Singular};
    std::array<int, kMaxHeld> codes{1, 2, d.extraParameters[0], d.extraParameters[1], d.extraParameters[2]};
    bool gainHeld = false;
    for (int j = 0; j < n; ++j) gainHeld = gainHeld || codes[static_cast<size_t>(j)] == 3;
    Matrix m{};
    Vector b{};
    for (int j = 0; j < n; ++j) {
        const int slot = SlotOfParameterCode(codes[static_cast<size_t>(j)]);
        if (slot < 0) return {ResolveFailure::Singular};
        for (int k = 0; k < n; ++k) {
            const int r = d.resistors[static_cast<size_t>(k)];
            if (r < 1 || r > record.ResistorCount) return {ResolveFailure::Singular};
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
        for (int i = j; i + 1 < n; ++i) m[i] = m[i + 1], b[i] = b[i + 1], codes[i] = codes[i + 1];
        --n;
    }
    if (n < 1 || !SolveScaled(m, b, n)) return {ResolveFailure::Singular};
    auto listed = [&](int k) -> ComponentEntry& {
        return record.Resistors[static_cast<size_t>(d.resistors[static_cast<size_t>(k)] - 1)];
    };
    long double gainShift = 0;
    for (const ComponentEntry& e : std::span(record.Capacitors).first(static_cast<size_t>(record.CapacitorCount)))
        if (e.PrevValue != 0) gainShift += e.Sens[SensSlot::Gain] * (e.Delta / e.PrevValue);
    // The first-order solution taken in the logarithms, so that no resistor can turn negative.
    for (int k = 0; k < n; ++k) {
        listed(k).Value = listed(k).PrevValue * std::exp(-b[k]);
        gainShift -= listed(k).Sens[SensSlot::Gain] * b[k];
    }
    const long double gainBefore = record.ActualGain;
    if (!gainHeld) record.ActualGain = record.ActualGain * (1 + gainShift);
    // Where the resistors cannot bring the stage closer to its held figures than leaving them
    // alone would, the capacitors ask for what this circuit cannot give: the resistors stay as
    // they were. (Closer but not all the way is kept: a twin-T at high Q rests on the balance
    // of its network, which its listed resistors cannot restore entirely.)
    const Departure departure = RefineAgainstTheStageFunction(record, circuit, codes, n, listed);
    if (departure.left > kHeldTolerance && departure.left >= departure.untouched) {
        for (int k = 0; k < n; ++k) listed(k).Value = listed(k).PrevValue;
        record.ActualGain = gainBefore;
        return {ResolveFailure::InvalidSolution};
    }
    for (int k = 0; k < n; ++k) listed(k).Delta = listed(k).Value - listed(k).PrevValue;
    return {};
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

ResolveOutcome ResolveResistorsForCapacitors(StageCircuitRecord& record) {
    const CircuitDefinition* circuit = FindCircuit(record.CircuitNo);
    if (circuit == nullptr) return {ResolveFailure::NoCircuit};
    switch (record.CircuitNo) {
        case kSallenKeyLowpassI: return ResolveSallenKeyLowpass(record);
        case kSallenKeyHighpassI: return ResolveSallenKeyHighpass(record);
        case kDeliyannisBandpassI: return ResolveDeliyannisBandpassI(record, *circuit);
        case kSallenKeyLowpassII:
        case kSallenKeyHighpassII:
        case kDeliyannisBandpassII: return ResolveThroughGainPair(record, *circuit);
        default: break;
    }
    if (IsFirstOrderStage(circuit->stageType)) return ResolveFirstOrder(record, *circuit);
    const AdjustDescriptor& d = circuit->adjust;
    if (d.keepCapRatio && record.CapacitorCount >= 2) {
        // C1 and C2 keep their ratio: the other one follows the one that changed.
        ComponentEntry &c1 = record.Capacitors[0], &c2 = record.Capacitors[1];
        if (c1.Delta != 0 && c2.Delta == 0) c2.Value = c2.PrevValue * (c1.Value / c1.PrevValue), c2.Delta = c2.Value - c2.PrevValue;
        else if (c2.Delta != 0 && c1.Delta == 0) c1.Value = c1.PrevValue * (c2.Value / c2.PrevValue), c1.Delta = c1.Value - c1.PrevValue;
    }
    return ResolveLinearised(record, *circuit);
}

}  // namespace tavrel
