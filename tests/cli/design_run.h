#pragma once
// The design command run on one specification, with the options of a test added.
#include <string>
#include <vector>

#include "support/cli_run.h"

namespace tavrel::cli {

// A Chebyshev lowpass of order 5: a first-order stage and two second-order ones.
inline const std::vector<std::string> kSpec{"--apb", "0.5", "--asb", "40", "--f1", "1k", "--f2", "2.5k", "--unit", "hz",
                                            "--approx", "chebyshev"};

inline testing_support::CommandOutput Design(std::vector<std::string> extra) {
    std::vector<std::string> args = kSpec;
    args.insert(args.end(), extra.begin(), extra.end());
    return testing_support::RunCommand("design", args);
}

}  // namespace tavrel::cli
