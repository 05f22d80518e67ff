#include "cli/calc_command.h"

#include <stdexcept>

#include "core/math_helpers.h"
#include "core/number_format.h"
#include "core/responses.h"

namespace tavrel::cli {

namespace {

constexpr const char* kApproxNames[kApproxCount] = {"butterworth", "chebyshev", "inverse_chebyshev", "elliptic",
                                                     "bessel"};

FilterKind ParseKind(const std::string& text) {
    if (text == "lowpass") return FilterKind::Lowpass;
    if (text == "highpass") return FilterKind::Highpass;
    if (text == "bandpass") return FilterKind::Bandpass;
    if (text == "bandstop") return FilterKind::Bandstop;
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
    const auto comma = range.find(',');
    if (comma == std::string::npos) throw std::invalid_argument("--range takes LO,HI");
    const long double lo = ReadReal(range.substr(0, comma)), hi = ReadReal(range.substr(comma + 1));
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

}  // namespace

void AddCalcOptions(CLI::App& command, CalcOptions& options) {
    command.add_option("--kind", options.kind, "lowpass|highpass|bandpass|bandstop");
    command.add_option("--apb", options.apb, "passband attenuation (dB)");
    command.add_option("--asb", options.asb, "stopband attenuation (dB)");
    command.add_option("--f1", options.f1, "passband edge or bandwidth");
    command.add_option("--f2", options.f2, "stopband edge or bandwidth");
    command.add_option("--f0", options.f0, "center frequency");
    command.add_option("--unit", options.unit, "hz|khz|rad/s|krad/s");
    command.add_option("--force-order", options.forceOrder, "forced filter order");
    auto* gain = command.add_option("--gain", options.gain, "overall gain (V/V)");
    command.add_option("--gain-db", options.gainDb, "overall gain (dB)")->excludes(gain);
    command.add_option("--range", options.range, "frequency range LO,HI in Hz");
    command.add_flag("--linear", options.linear, "linear frequency grid");
}

CalcRun RunSpecification(const CalcOptions& options, const CalcEnvironment& env, DesignState& state) {
    CalcRun run;
    const FilterKind kind = ParseKind(options.kind);
    SpecEntries entries = DefaultEntries(kind, options.gainDb.has_value());
    ApplyUnit(options.unit, state, entries);
    state.FilterKind = kind;
    state.HighestApprox = 4;
    state.DbDisplay = options.gainDb.has_value();
    if (options.apb) entries.Apb = *options.apb;
    if (options.asb) entries.Asb = *options.asb;
    if (options.f1) entries.F1 = *options.f1;
    if (options.f2) entries.F2 = *options.f2;
    if (options.f0) entries.F0 = *options.f0;
    if (options.gain) entries.Gain = *options.gain;
    if (options.gainDb) entries.Gain = *options.gainDb;
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

nlohmann::json CalcDocument(const CalcRun& run, const DesignState& state) {
    nlohmann::json doc;
    constexpr const char* kKinds[] = {"lowpass", "highpass", "bandpass", "bandstop", "user"};
    doc["kind"] = kKinds[static_cast<int>(state.FilterKind)];
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
            if (state.GainAccepted) a["response"] = Response(state, approx);
        }
        list.push_back(a);
    }
    doc["approximations"] = list;
    return doc;
}

}  // namespace tavrel::cli
