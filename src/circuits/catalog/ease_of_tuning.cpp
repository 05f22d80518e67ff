#include "circuits/catalog/ease_of_tuning.h"

#include <array>

namespace tavrel {

namespace {

// One row of the ease-of-tuning table: a code and the circuit numbers that have it (the list
// ends at the first 0).
struct EaseOfTuningRow {
    const char* code;
    std::array<int, 10> circuits;
};

// In the order of the circuit numbers, as the table is read.
constexpr EaseOfTuningRow kEaseOfTuning[] = {
    {"EX", {1, 2, 3, 6, 7, 8, 9}},
    {"FA", {11}},
    {"GO", {12, 13}},
    {"FA", {14}},
    {"GO", {15}},
    {"PO", {16}},
    {"GO", {17}},
    {"EX", {18, 19}},
    {"GO", {20, 21, 22, 23, 26, 27, 28, 29, 30}},
    {"EX", {31, 32}},
    {"GO", {33, 34, 35, 41, 42, 43, 44, 45, 46, 47}},
    {"EX", {48, 49}},
    {"GO", {50, 51, 52, 53}},
    {"NR", {56}},
    {"FA", {57}},
    {"GO", {58}},
    {"PO", {59}},
    {"FA", {60}},
    {"EX", {61, 62}},
    {"GO", {63}},
    {"EX", {64, 65}},
    {"NR", {71}},
    {"FA", {72}},
    {"PO", {73}},
    {"FA", {74}},
    {"EX", {75, 76}},
    {"GO", {77}},
    {"EX", {78, 79}},
    {"NR", {86, 87, 88, 89, 90, 91, 92, 93, 94}},
};

struct EaseOfTuningWords {
    const char* code;
    const char* text;
};

constexpr EaseOfTuningWords kWords[] = {
    {"EX", "Excellent"}, {"GO", "Good"}, {"FA", "Fair"}, {"PO", "Poor"}, {"NR", "Not Recommended"},
};

}  // namespace

const char* EaseOfTuningCode(int circuitNo) {
    for (const EaseOfTuningRow& row : kEaseOfTuning)
        for (const int no : row.circuits)
            if (no != 0 && no == circuitNo) return row.code;
    return "";
}

std::string EaseOfTuningText(const std::string& code) {
    for (const EaseOfTuningWords& words : kWords)
        if (code == words.code) return words.text;
    return "";
}

}  // namespace tavrel
