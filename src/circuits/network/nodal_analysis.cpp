#include "circuits/network/nodal_analysis.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>

namespace tavrel {

namespace {

// The modified nodal equations A(s)·x = b of a topology driven by V(1) = 1 (b is 0 when the
// input is grounded). Unknowns as the topology numbers them.
class NodalSystem {
public:
    NodalSystem(const Topology& topology, const ComponentValues& values, const OpAmpModel& opAmps)
        : t_(topology), v_(values), opAmps_(opAmps), n_(topology.unknowns) {}

    int Size() const { return n_; }
    int OutputUnknown() const { return t_.unknownOfNode[2]; }

    void Build(Complex s, std::vector<Complex>& a, std::vector<Complex>& b) const {
        a.assign(static_cast<size_t>(n_ * n_), Complex(0));
        b.assign(static_cast<size_t>(n_), Complex(0));
        const Complex inverseGain = (opAmps_.dcGain > 0 ? Complex(1 / opAmps_.dcGain) : Complex(0)) +
                                    (opAmps_.unityGainW > 0 ? s / opAmps_.unityGainW : Complex(0));
        int opAmpRow = t_.nodeUnknowns;
        for (const TemplateElement& e : t_.elements) {
            if (e.kind == 'X') {
                // The output current enters the output node's equation; the op amp's row reads
                // v+ - v- - vout/A = 0, which is v+ = v- for the ideal op amp.
                const int out = Unknown(e.nodes[2]);
                if (out >= 0) a[static_cast<size_t>(out * n_ + opAmpRow)] += Complex(1);
                Stamp(a, b, opAmpRow, e.nodes[0], Complex(1));
                Stamp(a, b, opAmpRow, e.nodes[1], Complex(-1));
                if (inverseGain != Complex(0)) Stamp(a, b, opAmpRow, e.nodes[2], -inverseGain);
                ++opAmpRow;
                continue;
            }
            const size_t k = static_cast<size_t>(e.number);
            const Complex y = e.kind == 'R' ? Complex(1.0L / v_.R[k]) : s * v_.C[k];
            const int p = e.nodes[0], q = e.nodes[1];
            StampBranch(a, b, p, p, y);
            StampBranch(a, b, p, q, -y);
            StampBranch(a, b, q, q, y);
            StampBranch(a, b, q, p, -y);
        }
    }

private:
    int Unknown(int node) const { return t_.unknownOfNode[static_cast<size_t>(node)]; }

    // Adds y to the equation of node row at the column of node col (the known input moves to b).
    void StampBranch(std::vector<Complex>& a, std::vector<Complex>& b, int row, int col, Complex y) const {
        const int i = Unknown(row);
        if (i >= 0) Stamp(a, b, i, col, y);
    }

    void Stamp(std::vector<Complex>& a, std::vector<Complex>& b, int i, int node, Complex y) const {
        if (node == 0) return;
        if (node == 1) {
            b[static_cast<size_t>(i)] -= y;
            return;
        }
        a[static_cast<size_t>(i * n_ + Unknown(node))] += y;
    }

    const Topology& t_;
    const ComponentValues& v_;
    OpAmpModel opAmps_;
    int n_;
};

// Determinant by elimination with partial pivoting; a zero pivot column gives 0.
Complex Determinant(std::vector<Complex>& a, int n) {
    Complex det(1);
    for (int k = 0; k < n; ++k) {
        int pivot = k;
        for (int i = k + 1; i < n; ++i)
            if (std::abs(a[static_cast<size_t>(i * n + k)]) > std::abs(a[static_cast<size_t>(pivot * n + k)])) pivot = i;
        if (a[static_cast<size_t>(pivot * n + k)] == Complex(0)) return Complex(0);
        if (pivot != k) {
            for (int j = 0; j < n; ++j)
                std::swap(a[static_cast<size_t>(k * n + j)], a[static_cast<size_t>(pivot * n + j)]);
            det = -det;
        }
        const Complex akk = a[static_cast<size_t>(k * n + k)];
        det *= akk;
        for (int i = k + 1; i < n; ++i) {
            const Complex f = a[static_cast<size_t>(i * n + k)] / akk;
            if (f == Complex(0)) continue;
            for (int j = k; j < n; ++j) a[static_cast<size_t>(i * n + j)] -= f * a[static_cast<size_t>(k * n + j)];
        }
    }
    return det;
}

// Numerator and denominator determinants (Cramer's rule for V(2)) at one frequency.
std::pair<Complex, Complex> CramerPair(const NodalSystem& system, Complex s, std::vector<Complex>& a,
                                       std::vector<Complex>& b) {
    system.Build(s, a, b);
    const int n = system.Size(), out = system.OutputUnknown();
    std::vector<Complex> replaced = a;
    for (int i = 0; i < n; ++i) replaced[static_cast<size_t>(i * n + out)] = b[static_cast<size_t>(i)];
    const Complex numerator = Determinant(replaced, n);
    return {numerator, Determinant(a, n)};
}

// A scale near the circuit's natural frequencies keeps the fitted coefficients well conditioned.
long double FrequencyScale(const Topology& topology, const ComponentValues& values) {
    long double logR = 0, logC = 0;
    int nr = 0, nc = 0;
    for (const TemplateElement& e : topology.elements) {
        const size_t k = static_cast<size_t>(e.number);
        const long double value = e.kind == 'R' ? values.R[k] : e.kind == 'C' ? values.C[k] : 0;
        if (!(value > 0)) continue;
        if (e.kind == 'R') logR += std::log(value), ++nr;
        if (e.kind == 'C') logC += std::log(value), ++nc;
    }
    const long double scale = std::exp(-(nr ? logR / nr : 0) - (nc ? logC / nc : 0));
    return std::isfinite(scale) && scale > 0 ? scale : 1;
}

// A power whose term stays below the rounding of the largest term on the fitting circle is
// exactly zero in the circuit (an absent s term, a capacitor of value 0).
void DropRoundingNoise(std::vector<long double>& p, long double scale) {
    constexpr long double kRelativeNoise = 1e-15L;
    long double largest = 0;
    for (size_t j = 0; j < p.size(); ++j)
        largest = std::max(largest, std::fabs(p[j]) * std::pow(scale, static_cast<long double>(j)));
    for (size_t j = 0; j < p.size(); ++j)
        if (std::fabs(p[j]) * std::pow(scale, static_cast<long double>(j)) <= kRelativeNoise * largest) p[j] = 0;
}

}  // namespace

TransferPolynomials NodalTransfer(const Topology& topology, const ComponentValues& values) {
    // A determinant of degree at most four is recovered exactly from eight points on a circle
    // (a discrete Fourier transform).
    constexpr int kPoints = 8;
    const NodalSystem system(topology, values, {});
    const long double scale = FrequencyScale(topology, values);
    std::vector<Complex> num(kPoints), den(kPoints), a, b;
    for (int k = 0; k < kPoints; ++k) {
        const Complex z = std::polar(1.0L, 2 * std::numbers::pi_v<long double> * k / kPoints);
        std::tie(num[static_cast<size_t>(k)], den[static_cast<size_t>(k)]) = CramerPair(system, scale * z, a, b);
    }
    TransferPolynomials result;
    const int degree = 1 + topology.capacitorCount;
    for (int j = 0; j < std::min(degree, kPoints); ++j) {
        Complex n(0), d(0);
        for (int k = 0; k < kPoints; ++k) {
            const Complex w = std::polar(1.0L, -2 * std::numbers::pi_v<long double> * j * k / kPoints);
            n += num[static_cast<size_t>(k)] * w;
            d += den[static_cast<size_t>(k)] * w;
        }
        const long double toS = std::pow(scale, static_cast<long double>(j)) * kPoints;
        result.numerator.push_back(n.real() / toS);
        result.denominator.push_back(d.real() / toS);
    }
    DropRoundingNoise(result.numerator, scale);
    DropRoundingNoise(result.denominator, scale);
    return result;
}

Complex NodalResponse(const Topology& topology, const ComponentValues& values, Complex s, const OpAmpModel& opAmps) {
    std::vector<Complex> a, b;
    const auto [num, den] = CramerPair(NodalSystem(topology, values, opAmps), s, a, b);
    return num / den;
}

Complex NodalDeterminant(const Topology& topology, const ComponentValues& values, Complex s,
                         const OpAmpModel& opAmps) {
    std::vector<Complex> a, b;
    NodalSystem(topology, values, opAmps).Build(s, a, b);
    return Determinant(a, topology.unknowns);
}

}  // namespace tavrel
