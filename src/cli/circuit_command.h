#pragma once
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace tavrel::cli {

// `circuit`: the coefficients and response of one catalog circuit from component values,
// and optionally a netlist of that one stage.
struct CircuitOptions {
    int no = 0;
    std::string r, c;  // comma-separated values in ohm and farad
    bool compensated = false;
    std::optional<std::string> fHz;  // comma-separated frequencies
    std::optional<std::string> netlist;
    std::string dialect = "pspice";
};

void AddCircuitOptions(CLI::App& command, CircuitOptions& options);

// The document; writes the netlist when asked. Throws std::invalid_argument for bad usage,
// std::runtime_error when the netlist cannot be written and ArithmeticFailure.
nlohmann::json RunCircuit(const CircuitOptions& options);

}  // namespace tavrel::cli
