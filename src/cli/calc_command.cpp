#include "cli/calc_command.h"

#include <stdexcept>

#include "cli/number_option.h"
#include "core/math_helpers.h"
#include "core/responses.h"

namespace tavrel::cli {

namespace {

constexpr const char* kApproxNames[kApproxCount] = {"butterworth", "chebyshev", "inverse_chebyshev", "elliptic",
                                                     "bessel"};

constexpr FilterKind kSpecifiedKinds[] = {FilterKind::Lowpass, FilterKind::Highpass, FilterKind::Bandpass,
                                          FilterKind::Bandstop};

FilterKind ParseKind(const std::string& text) {
    for (const FilterKind kind : kSpecifiedKinds)
        if (text == KindName(kind)) return kind;
    throw std::invalid_argument("unknown kind: " + text);
}

// The unit box of all three frequencies: Hz display for hz and khz, rad/s otherwise.
void ApplyUnit(const std::string& unit, DesignState& state, SpecEntries& entries) {
    int index;
    if (unit == "hz" || unit == "rad/s")
        index = 0;
    else if (unit == "khz" || unit == "krad/s")
        index = 1;
    else
        throw std::invalid_argument("unknown unit: " + unit);
    state.HzUnits = unit == "hz" || unit == "khz";
    entries.UnitIndex = {index, index, index};
}

void ApplyRange(const std::string& range, bool linear, DesignState& state) {
    const std::vector<std::string> items = SplitList(range);
    if (items.size() != 2) throw std::invalid_argument("--range takes LO,HI");
    const long double lo = NumberOption(items[0], "--range"), hi = NumberOption(items[1], "--range");
    if (!(lo > 0 && hi > lo)) throw std::invalid_argument("--range needs 0 < LO < HI");
    const long double toDisplay = state.HzUnits ? 1 : 2 * kPi;
    state.FreqLo = lo * toDisplay;
    state.FreqHi = hi * toDisplay;
    state.LogFrequencyAxis = !linear;
    BuildFrequencyGrid(state);
    for (int approx = 0; approx < kApproxCount; ++approx)
        if (IsUsable(state, approx)) ComputeResponses(state, approx);
}

nlohmann::json Poles(const DesignState& state, int approx) {
    nlohmann::json poles = nlohmann::json::array();
    const ApproxRecord& record = state.Approx[approx];
    for (int k = 1; k <= record.PolePairCount; ++k) {
        const PolePairRecord& pair = state.PolePair[approx][k];
        const long double sigma = pair.B0 / 2;
        if (pair.B0 * pair.B0 > 4 * pair.C0) {  // two real poles
            const long double root = std::sqrt(sigma * sigma - pair.C0);
            poles.push_back({static_cast<double>(-(sigma - root)), 0.0});
            poles.push_back({static_cast<double>(-(sigma + root)), 0.0});
        } else {
            const PoleEntry& pole = state.Pole[approx][k];
            poles.push_back({static_cast<double>(-pole.Sigma), static_cast<double>(pole.Omega)});
        }
    }
    if (record.HasRealPole) poles.push_back({static_cast<double>(-record.RealPole), 0.0});
    if (record.HasRealPole2) poles.push_back({static_cast<double>(-record.RealPole2), 0.0});
    return poles;
}

nlohmann::json Zeros(const DesignState& state, int approx) {
    nlohmann::json zeros = nlohmann::json::array();
    const ApproxRecord& record = state.Approx[approx];
    for (int k = 1; k <= record.ZeroPairCount; ++k) {
        const long double wz = state.Zero[approx][k].Wz;
        if (wz == 0) {
            zeros.push_back({0.0, 0.0});
            zeros.push_back({0.0, 0.0});
        } else {
            zeros.push_back({0.0, static_cast<double>(wz)});
        }
    }
    if (record.HasRealZero) zeros.push_back({static_cast<double>(record.RealZero), 0.0});
    return zeros;
}

nlohmann::json Response(const DesignState& state, int approx) {
    nlohmann::json r;
    std::vector<double> f, w, db, vv, phase, delay, t, step, impulse;
    for (int j = 0; j < kGridPoints; ++j) {
        const ResponsePoint& p = state.IdealResponse[approx][j];
        f.push_back(static_cast<double>(state.FreqGrid[j].F));
        w.push_back(static_cast<double>(state.FreqGrid[j].W));
        db.push_back(static_cast<double>(p.GainDb));
        vv.push_back(static_cast<double>(p.GainVv));
        phase.push_back(static_cast<double>(-p.PhaseDeg));  // the stored value is a lag
        delay.push_back(static_cast<double>(p.DelaySec));
        t.push_back(static_cast<double>(state.TimeGrid[j]));
        step.push_back(static_cast<double>(p.Step));
        impulse.push_back(static_cast<double>(p.Impulse));
    }
    r["f_hz"] = f, r["w"] = w, r["gain_db"] = db, r["gain_vv"] = vv, r["phase_deg"] = phase;
    r["delay_s"] = delay, r["t_s"] = t, r["step"] = step, r["impulse"] = impulse;
    return r;
}

// The default text of one entry for every kind, as the specification window starts it:
// "lowpass 1, highpass 2, ...".
std::string DefaultsByKind(std::string SpecEntries::*entry, bool bandOnly) {
    std::string text;
    for (const FilterKind kind : kSpecifiedKinds) {
        if (bandOnly && !IsBandKind(kind)) continue;
        text += (text.empty() ? "" : ", ") + std::string(KindName(kind)) + " " + DefaultEntries(kind, false).*entry;
    }
    return text;
}

}  // namespace

const char* KindName(FilterKind kind) {
    switch (kind) {
        case FilterKind::Lowpass: return "lowpass";
        case FilterKind::Highpass: return "highpass";
        case FilterKind::Bandpass: return "bandpass";
        case FilterKind::Bandstop: return "bandstop";
        case FilterKind::UserDefined: break;
    }
    return "user";
}

void AddCalcOptions(CLI::App& command, CalcOptions& options) {
    const SpecEntries defaults;
    command.add_option("--kind", options.kind, "lowpass|highpass|bandpass|bandstop (default " + options.kind + ")")
        ->type_name("KIND");
    command.add_option("--apb", options.apb, "passband attenuation, dB (default " + defaults.Apb + ")")
        ->type_name("DB");
    command.add_option("--asb", options.asb, "stopband attenuation, dB (default " + defaults.Asb + ")")
        ->type_name("DB");
    command
        .add_option("--f1", options.f1,
                    "passband edge (lowpass, highpass) or bandwidth (bandpass, bandstop), in --unit (default " +
                        DefaultsByKind(&SpecEntries::F1, false) + ")")
        ->type_name("X");
    command
        .add_option("--f2", options.f2,
                    "stopband edge or bandwidth, in --unit (default " + DefaultsByKind(&SpecEntries::F2, false) + ")")
        ->type_name("X");
    command
        .add_option("--f0", options.f0,
                    "center frequency, in --unit (default " + DefaultsByKind(&SpecEntries::F0, true) + ")")
        ->type_name("X");
    command
        .add_option("--unit", options.unit,
                    "hz|khz|rad/s|krad/s, the unit of --f1, --f2, --f0 (default " + options.unit + ")")
        ->type_name("UNIT");
    command
        .add_option("--force-order", options.forceOrder, "forced filter order (default: the lowest that meets --asb)")
        ->type_name("N");
    auto* gain = command.add_option("--gain", options.gain, "overall gain, V/V (default " + defaults.Gain + ")")
                     ->type_name("VV");
    command.add_option("--gain-db", options.gainDb, "overall gain, dB (instead of --gain)")
        ->excludes(gain)
        ->type_name("DB");
    command
        .add_option("--range", options.range,
                    "frequency range of the response grid, Hz (default: the range the program sets around the edges)")
        ->type_name("LO,HI");
    command.add_flag("--linear", options.linear, "linear frequency grid (default logarithmic)");
}

void AddCalcCommandOptions(CLI::App& command, CalcOptions& options) {
    AddCalcOptions(command, options);
    command.add_flag("--brief", options.brief, "orders, pole Q, poles and zeros without the response arrays");
}

CalcRun RunSpecification(const CalcOptions& options, const CalcEnvironment& env, DesignState& state) {
    CalcRun run;
    const FilterKind kind = ParseKind(options.kind);
    SpecEntries entries = DefaultEntries(kind, options.gainDb.has_value());
    ApplyUnit(options.unit, state, entries);
    state.FilterKind = kind;
    state.HighestApprox = 4;
    state.DbDisplay = options.gainDb.has_value();
    if (options.apb) entries.Apb = EntryText(*options.apb);
    if (options.asb) entries.Asb = EntryText(*options.asb);
    if (options.f1) entries.F1 = EntryText(*options.f1);
    if (options.f2) entries.F2 = EntryText(*options.f2);
    if (options.f0) entries.F0 = EntryText(*options.f0);
    if (options.gain) entries.Gain = EntryText(*options.gain);
    if (options.gainDb) entries.Gain = EntryText(*options.gainDb);
    if (options.forceOrder) {
        entries.ForceOrder = true;
        entries.ForcedOrder = *options.forceOrder;
    }
    run.outcome = Calculate(state, entries, env);
    const CalcOutcome& outcome = run.outcome;
    if (const auto& rejected = outcome.rejected ? outcome.rejected : outcome.gainRejected) {
        run.error = {{"error", rejected->message}, {"field", FieldName(rejected->field)}};
        run.status = 2;
    } else if (outcome.error) {
        run.status = 1;
        run.reason = *outcome.error;
    } else if (options.range && state.GainAccepted) {
        ApplyRange(*options.range, options.linear, state);
    }
    return run;
}

nlohmann::json CalcDocument(const CalcRun& run, const DesignState& state, bool brief) {
    nlohmann::json doc;
    doc["kind"] = KindName(state.FilterKind);
    doc["warnings"] = run.outcome.warnings;
    nlohmann::json list = nlohmann::json::array();
    for (int approx = 0; approx < kApproxCount; ++approx) {
        const ApproxRecord& record = state.Approx[approx];
        nlohmann::json a;
        a["name"] = kApproxNames[approx];
        a["order"] = record.Order;
        a["order_too_high"] = record.OrderTooHigh != 0;
        a["failed"] = state.ApproxFailed[approx];
        a["circuit_stages"] = record.OrderTooHigh ? 0 : record.Order / 2 + record.Order % 2;
        if (IsUsable(state, approx) && state.ResultsValid) {
            a["max_pole_q"] = static_cast<double>(record.MaxPoleQ);
            a["gain_const"] = static_cast<double>(record.GainConst);
            a["gain_text"] = record.GainText;
            a["poles"] = Poles(state, approx);
            a["zeros"] = Zeros(state, approx);
            if (state.GainAccepted && !brief) a["response"] = Response(state, approx);
        }
        list.push_back(a);
    }
    doc["approximations"] = list;
    return doc;
}

}  // namespace tavrel::cli
