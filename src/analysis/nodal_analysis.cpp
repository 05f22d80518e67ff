#include "analysis/nodal_analysis.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>

namespace tavrel {

namespace {

// The modified nodal equations A(s)·x = b of a template driven by V(1) = 1. Unknowns are
// the voltages of the nodes in use but ground and the input, then one output current per op amp.
class NodalSystem {
public:
    NodalSystem(const std::vector<TemplateElement>& elements, std::span<const long double> r,
                std::span<const long double> c, long double openLoopGain = 0)
        : elements_(elements), r_(r), c_(c), inverseGain_(openLoopGain > 0 ? 1 / openLoopGain : 0) {
        int highest = 2;
        for (const TemplateElement& e : elements)
            for (int n : e.nodes) highest = std::max(highest, n);
        nodeUnknown_.assign(static_cast<size_t>(highest) + 1, -1);
        for (const TemplateElement& e : elements)
            for (int n : e.nodes)
                if (n >= 2 && nodeUnknown_[static_cast<size_t>(n)] < 0) nodeUnknown_[static_cast<size_t>(n)] = 0;
        nodeUnknown_[2] = 0;
        for (int n = 2; n <= highest; ++n)
            if (nodeUnknown_[static_cast<size_t>(n)] == 0) nodeUnknown_[static_cast<size_t>(n)] = size_++;
        firstOpAmpRow_ = size_;
        for (const TemplateElement& e : elements)
            if (e.kind == 'X') ++size_;
    }

    int OutputUnknown() const { return nodeUnknown_[2]; }
    int Size() const { return size_; }

    // A(s) in row-major order and b.
    void Build(Complex s, std::vector<Complex>& a, std::vector<Complex>& b) const {
        a.assign(static_cast<size_t>(size_ * size_), Complex(0));
        b.assign(static_cast<size_t>(size_), Complex(0));
        int opAmpRow = firstOpAmpRow_;
        for (const TemplateElement& e : elements_) {
            if (e.kind == 'X') {
                // Output current enters the output node's equation; the row forces
                // v+ - v- = vout/A, which is v+ = v- for the ideal op amp.
                const int out = nodeUnknown_[static_cast<size_t>(e.nodes[2])];
                if (out >= 0) a[static_cast<size_t>(out * size_ + opAmpRow)] += Complex(1);
                Stamp(a, b, opAmpRow, e.nodes[0], Complex(1));
                Stamp(a, b, opAmpRow, e.nodes[1], Complex(-1));
                if (inverseGain_ != 0) Stamp(a, b, opAmpRow, e.nodes[2], Complex(-inverseGain_));
                ++opAmpRow;
                continue;
            }
            const Complex y = e.kind == 'R' ? Complex(1.0L / r_[static_cast<size_t>(e.number)])
                                            : s * c_[static_cast<size_t>(e.number)];
            const int p = e.nodes[0], q = e.nodes[1];
            StampBranch(a, b, p, p, y);
            StampBranch(a, b, p, q, -y);
            StampBranch(a, b, q, q, y);
            StampBranch(a, b, q, p, -y);
        }
    }

private:
    // Adds y to the equation of node row at the column of node col (known input moves to b).
    void StampBranch(std::vector<Complex>& a, std::vector<Complex>& b, int row, int col, Complex y) const {
        const int i = nodeUnknown_[static_cast<size_t>(row)];
        if (i < 0) return;
        Stamp(a, b, i, col, y);
    }

    void Stamp(std::vector<Complex>& a, std::vector<Complex>& b, int i, int node, Complex y) const {
        if (node == 0) return;
        if (node == 1) {
            b[static_cast<size_t>(i)] -= y;
            return;
        }
        a[static_cast<size_t>(i * size_ + nodeUnknown_[static_cast<size_t>(node)])] += y;
    }

    const std::vector<TemplateElement>& elements_;
    std::span<const long double> r_, c_;
    long double inverseGain_;
    std::vector<int> nodeUnknown_;
    int size_ = 0;
    int firstOpAmpRow_ = 0;
};

// Determinant by elimination with partial pivoting; a zero pivot column gives 0.
Complex Determinant(std::vector<Complex> a, int n) {
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
std::pair<Complex, Complex> CramerPair(const NodalSystem& system, Complex s) {
    std::vector<Complex> a, b;
    system.Build(s, a, b);
    const int n = system.Size(), out = system.OutputUnknown();
    std::vector<Complex> replaced = a;
    for (int i = 0; i < n; ++i) replaced[static_cast<size_t>(i * n + out)] = b[static_cast<size_t>(i)];
    return {Determinant(replaced, n), Determinant(a, n)};
}

// A scale near the circuit's natural frequencies keeps the fitted coefficients well conditioned.
long double FrequencyScale(const std::vector<TemplateElement>& elements, std::span<const long double> r,
                           std::span<const long double> c) {
    long double logR = 0, logC = 0;
    int nr = 0, nc = 0;
    for (const TemplateElement& e : elements) {
        const long double value = e.kind == 'R' ? r[static_cast<size_t>(e.number)]
                                  : e.kind == 'C' ? c[static_cast<size_t>(e.number)]
                                                  : 0;
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

TransferPolynomials NodalTransfer(const std::vector<TemplateElement>& elements, std::span<const long double> r,
                                  std::span<const long double> c) {
    // Each capacitor adds at most one power of s to the determinants, so a degree of at most
    // four is recovered exactly from eight points on a circle (a discrete Fourier transform).
    constexpr int kPoints = 8;
    const NodalSystem system(elements, r, c);
    const long double scale = FrequencyScale(elements, r, c);
    std::vector<Complex> num(kPoints), den(kPoints);
    for (int k = 0; k < kPoints; ++k) {
        const Complex z = std::polar(1.0L, 2 * std::numbers::pi_v<long double> * k / kPoints);
        std::tie(num[static_cast<size_t>(k)], den[static_cast<size_t>(k)]) = CramerPair(system, scale * z);
    }
    TransferPolynomials result;
    const int degree = 1 + static_cast<int>(std::count_if(elements.begin(), elements.end(),
                                                          [](const TemplateElement& e) { return e.kind == 'C'; }));
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

Complex NodalResponse(const std::vector<TemplateElement>& elements, std::span<const long double> r,
                      std::span<const long double> c, Complex s, long double openLoopGain) {
    const auto [num, den] = CramerPair(NodalSystem(elements, r, c, openLoopGain), s);
    return num / den;
}

}  // namespace tavrel
