// The stage functions of all catalog circuits and their compensated variants from one set of
// component values, each evaluated at 351 frequencies, as the final response does it.
#include <benchmark/benchmark.h>

#include <random>

#include "circuits/catalog/circuit_definition.h"
#include "circuits/network/nodal_analysis.h"
#include "circuits/network/stage_function.h"

namespace {

using namespace tavrel;

ComponentValues SomeValues() {
    std::mt19937 rng(1);
    std::uniform_real_distribution<double> u(1, 10);
    ComponentValues v;
    for (size_t i = 1; i < v.R.size(); ++i) v.R[i] = 1000 * u(rng);
    for (size_t j = 1; j < v.C.size(); ++j) v.C[j] = 1e-8 * u(rng);
    return v;
}

Complex Polynomial(const std::vector<long double>& p, Complex s) {
    Complex sum = 0;
    for (size_t j = p.size(); j-- > 0;) sum = sum * s + p[j];
    return sum;
}

void AllStageFunctions(benchmark::State& bench) {
    const ComponentValues v = SomeValues();
    for (auto _ : bench) {
        Complex sum = 0;
        for (const CircuitDefinition& circuit : Circuits()) {
            const StageFunction f = StageFunctionOf(circuit, v);
            for (int k = 0; k < 351; ++k) sum += EvaluateStageFunction(f, Complex(0, 10.0L * (k + 1)));
            if (!circuit.compensated) continue;
            const TransferPolynomials h = NodalTransfer(circuit.compensated->topology, v);
            for (int k = 0; k < 351; ++k) {
                const Complex s(0, 10.0L * (k + 1));
                sum += Polynomial(h.numerator, s) / Polynomial(h.denominator, s);
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}

BENCHMARK(AllStageFunctions)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
