#include "stages/user_filter.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <utility>
#include <vector>

#include "core/math_helpers.h"
#include "stages/stage_record.h"

namespace tavrel {

namespace {

constexpr std::size_t At(int i) { return static_cast<std::size_t>(i); }

// Field positions in window order.
enum Field { kFirstValue = 0, kSecondValue = 1, kZeroValue = 2, kImaginaryValue = 3, kGainValue = 4 };

// The fields the window shows for the choice, in the order they are checked.
std::vector<int> VisibleFields(const UserStageInput& in) {
    if (!in.secondOrder) return {kFirstValue, kGainValue};
    const bool bandstop = in.section == UserSection::Bandstop;
    if (in.mode == 0) {
        if (bandstop) return {kFirstValue, kSecondValue, kZeroValue, kGainValue};
        return {kFirstValue, kSecondValue, kGainValue};
    }
    if (bandstop) return {kFirstValue, kSecondValue, kImaginaryValue, kGainValue};
    return {kFirstValue, kImaginaryValue, kGainValue};
}

// A plain decimal conversion of the text as far as it reads.
long double Number(const std::string& text) { return std::strtold(text.c_str(), nullptr); }

bool IsSecondOrder(const StageRecord& stage) { return !IsFirstOrderStage(stage.StageType); }
bool UsesZeroSlot(const StageRecord& stage) {
    return stage.StageType == StageCode::SHP || IsNotchStage(stage.StageType);
}

// The lowest slot of approximation 0 that no stage entered so far uses.
int LowestFreeSlot(const DesignState& state, const StageTables& stages, bool zeroSlot) {
    for (int slot = 1; slot <= kMaxPairs; ++slot) {
        bool used = false;
        for (int s = 1; s <= state.StageCount; ++s) {
            const StageRecord& stage = stages.Stage[At(s)];
            if (zeroSlot ? UsesZeroSlot(stage) && stage.Zero1 == slot : IsSecondOrder(stage) && stage.Pole1 == slot)
                used = true;
        }
        if (!used) return slot;
    }
    return 0;
}

std::uint8_t NotchType(long double wz, long double wp) {
    if (wz > wp) return StageCode::SLPN;
    if (wz < wp) return StageCode::SHPN;
    return StageCode::SN;
}

}  // namespace

void StartUserEntry(DesignState& state, StageTables& stages, UserEntryTable& entries) {
    state.DesignStep = Step::UserEntryOpened;
    state.ApproxIndex = 0;
    state.OverallGain = 1;
    state.StageCount = 0;
    ClearApproximation(state, 0);
    state.Approx[0].GainConst = 1;
    stages.PairPoleList = {};
    stages.PairZeroList = {};
    stages.PoleEntryCount = 0;
    stages.ZeroEntryCount = 0;
    entries = {};
}

std::optional<std::string> AddUserStage(DesignState& state, StageTables& stages, UserEntryTable& entries,
                                        const UserStageInput& in) {
    ApproxRecord& slot0 = state.Approx[0];
    if (slot0.Order >= kMaxOrder || (slot0.Order == kMaxOrder - 1 && in.secondOrder))
        return std::string("Unable to add section as maximum filter order of 20 will be exceeded.");
    if (!in.secondOrder && slot0.HasRealPole && slot0.HasRealPole2)
        throw std::invalid_argument("a user-defined filter takes two first-order stages at most");
    for (const int field : VisibleFields(in)) {
        if (in.fields[At(field)] == "0") return std::string("Value must be non-zero.");
        if (field == kFirstValue && in.secondOrder && in.mode == 0 && !(Number(in.fields[At(field)]) > 0.5L))
            return std::string("Q must be >0.5.");
    }
    const long double toRadians = state.HzUnits ? 2 * kPi : 1;
    const auto frequency = [&](int field) { return Number(in.fields[At(field)]) * toRadians; };
    const long double to = Number(in.fields[kGainValue]);

    const int k = ++state.StageCount;
    StageRecord& stage = stages.Stage[At(k)];
    stage = StageRecord{};
    slot0.GainConst *= to;
    state.OverallGain *= to;
    stage.To = to;
    if (!in.secondOrder) {
        const long double p = frequency(kFirstValue);
        slot0.Order += 1;
        if (!slot0.HasRealPole) {
            slot0.HasRealPole = 1;
            slot0.RealPole = p;
        } else {
            slot0.HasRealPole2 = 1;
            slot0.RealPole2 = p;
        }
        stage.Wc = p;
        stage.StageType = in.section == UserSection::Highpass ? StageCode::FHP : StageCode::FLP;
        if (stage.StageType == StageCode::FHP) slot0.HasRealZero = 1;
    } else {
        slot0.Order += 2;
        slot0.PolePairCount += 1;
        const int poleSlot = LowestFreeSlot(state, stages, false);
        stage.Pole1 = static_cast<std::int16_t>(poleSlot);
        long double sigma = 0, omega = 0;
        if (in.mode == 0) {
            stage.Wp = frequency(kSecondValue);
            stage.Qp = Number(in.fields[kFirstValue]);
            sigma = stage.Wp / (2 * stage.Qp);
            omega = std::sqrt(stage.Wp * stage.Wp - sigma * sigma);
        } else {
            sigma = frequency(kFirstValue);
            omega = frequency(kImaginaryValue);
            stage.Wp = std::sqrt(sigma * sigma + omega * omega);
            stage.Qp = stage.Wp / (2 * sigma);
        }
        stage.Wc = sigma;
        PolePairRecord& pair = state.PolePair[0][At(poleSlot)];
        pair = PolePairRecord{};
        pair.B0 = stage.Wp / stage.Qp;
        pair.C0 = stage.Wp * stage.Wp;
        pair.Qp = stage.Qp;
        state.Pole[0][At(poleSlot)].Sigma = sigma;
        state.Pole[0][At(poleSlot)].Omega = omega;
        switch (in.section) {
            case UserSection::Lowpass: stage.StageType = StageCode::SLP; break;
            case UserSection::Bandpass: stage.StageType = StageCode::SBP; break;
            case UserSection::Highpass:
            case UserSection::Bandstop: {
                const bool highpass = in.section == UserSection::Highpass;
                const long double wz = highpass ? 0 : frequency(in.mode == 0 ? kZeroValue : kSecondValue);
                const int zeroSlot = LowestFreeSlot(state, stages, true);
                slot0.ZeroPairCount += 1;
                if (highpass) slot0.RealZeroCount += 2;
                else slot0.FiniteZeroPairs += 1;
                stage.Zero1 = static_cast<std::int16_t>(zeroSlot);
                stage.Wz = wz;
                state.Zero[0][At(zeroSlot)].Wz = wz;
                state.ZeroPair[0][At(zeroSlot)].Wz2 = wz * wz;
                stage.StageType = highpass ? StageCode::SHP : NotchType(wz, stage.Wp);
                // A lowpass notch is entered by its gain at zero frequency.
                if (stage.StageType == StageCode::SLPN) stage.To = (stage.Wp / wz) * (stage.Wp / wz) * to;
                break;
            }
        }
    }
    stage.TypeName = StageTypeText(stage.StageType);
    UserStageEntry& entry = entries[At(k)];
    entry.Mode = in.secondOrder ? in.mode : 1;
    for (int f = 0; f < 5; ++f) entry.Fields[At(f)] = in.fields[At(f)].substr(0, kUserEntryFieldChars);
    return std::nullopt;
}

void DeleteUserStage(DesignState& state, StageTables& stages, UserEntryTable& entries, int s) {
    ApproxRecord& slot0 = state.Approx[0];
    const StageRecord& stage = stages.Stage[At(s)];
    state.OverallGain /= stage.To;
    if (IsFirstOrderStage(stage.StageType)) {
        if (slot0.HasRealPole2) {
            if (slot0.RealPole == stage.Wc) slot0.RealPole = slot0.RealPole2;
            slot0.HasRealPole2 = 0;
        } else {
            slot0.HasRealPole = 0;
        }
        if (stage.StageType == StageCode::FHP) slot0.HasRealZero = 0;
        slot0.Order -= 1;
    } else {
        slot0.Order -= 2;
        slot0.PolePairCount -= 1;
        if (UsesZeroSlot(stage)) {
            slot0.ZeroPairCount -= 1;
            if (stage.StageType == StageCode::SHP) slot0.RealZeroCount -= 2;
            else slot0.FiniteZeroPairs -= 1;
        }
    }
    for (int t = s; t < state.StageCount; ++t) {
        stages.Stage[At(t)] = stages.Stage[At(t + 1)];
        entries[At(t)] = entries[At(t + 1)];
    }
    stages.Stage[At(state.StageCount)] = StageRecord{};
    entries[At(state.StageCount)] = UserStageEntry{};
    state.StageCount -= 1;
}

void MoveUserStage(DesignState& state, StageTables& stages, UserEntryTable& entries, int s, int direction) {
    const int other = s + direction;
    if (other < 1 || other > state.StageCount) return;
    std::swap(stages.Stage[At(s)], stages.Stage[At(other)]);
    std::swap(entries[At(s)], entries[At(other)]);
}

}  // namespace tavrel
