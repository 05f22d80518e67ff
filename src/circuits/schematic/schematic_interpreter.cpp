#include "circuits/schematic/schematic_interpreter.h"

#include <optional>
#include <string_view>

#include "circuits/schematic/schematic_geometry.h"

namespace tavrel::schematic {

namespace {

constexpr int kTokenWidth = 5;
constexpr int kTokenPitch = 6;  // five characters and the blank between tokens
constexpr int kTokensPerLine = 10;

std::optional<int> TwoDigits(std::string_view token, size_t at) {
    if (token.size() < at + 2) return std::nullopt;
    const char a = token[at];
    const char b = token[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return std::nullopt;
    return (a - '0') * 10 + (b - '0');
}

std::optional<GridPoint> PointOf(std::string_view token) {
    const auto x = TwoDigits(token, 1);
    const auto y = TwoDigits(token, 3);
    if (!x || !y) return std::nullopt;
    return GridPoint{*x, *y};
}

std::optional<Side> SideOf(char c) {
    switch (c) {
        case 'L': return Side::Left;
        case 'R': return Side::Right;
        case 'U': return Side::Up;
        case 'D': return Side::Down;
        default: return std::nullopt;
    }
}

bool IsAcross(Side s) { return s == Side::Left || s == Side::Right; }

class Interpreter {
public:
    SchematicDrawing Run(const std::vector<std::string>& lines) {
        for (size_t l = 0; l < lines.size(); ++l) {
            for (int i = 0; i < kTokensPerLine; ++i) {
                const size_t at = static_cast<size_t>(i) * kTokenPitch;
                if (at >= lines[l].size()) break;
                line_ = static_cast<int>(l) + 1;
                position_ = i + 1;
                token_ = std::string_view(lines[l]).substr(at, kTokenWidth);
                Execute();
            }
        }
        return std::move(drawing_);
    }

private:
    void Problem(const std::string& reason) {
        drawing_.problems.push_back({line_, position_, std::string(token_), reason});
    }

    // Runs `draw` at the token's grid point, or reports the token.
    template <typename Draw>
    void AtPoint(Draw draw) {
        const auto p = PointOf(token_);
        if (!p) return Problem("the grid point is not two two-digit numbers");
        draw(*p);
    }

    void Execute() {
        switch (token_[0]) {
            case 'M': return AtPoint([&](GridPoint p) { current_ = p; });
            case 'D': return AtPoint([&](GridPoint p) { Wire(current_, p); current_ = p; });
            case 'J':
                return AtPoint([&](GridPoint p) {
                    current_ = p;
                    drawing_.junctions.push_back({p, colour_});
                });
            case 'T':
                return AtPoint([&](GridPoint p) {
                    current_ = p;
                    drawing_.terminals.push_back({p, TerminalRole::Unnamed, colour_});
                });
            case 'G': drawing_.grounds.push_back({current_, GroundStyle::Bars, colour_}); return;
            case 'Z':
                return AtPoint([&](GridPoint p) {
                    current_ = p;
                    drawing_.grounds.push_back({p, GroundStyle::Triangle, colour_});
                });
            case 'H': return Colour();
            case 'R': return TwoPole(SymbolKind::Resistor);
            case 'C': return TwoPole(SymbolKind::Capacitor);
            case 'O': return OpAmp();
            case 'L': return Label();
            case 'P': {
                const auto n = TwoDigits(token_, 1);
                if (!n) return Problem("the parameter is not a two-digit number");
                parameter_ = *n;
                return;
            }
            case 'Q': return AtPoint([&](GridPoint p) { OutputStage(p); });
            default: return;  // padding and anything else draw nothing
        }
    }

    void Wire(GridPoint from, GridPoint to) { drawing_.wires.push_back({from, to, colour_}); }

    void Colour() {
        if (token_.substr(1) == "BLCK") {
            colour_ = PenColour::Black;
        } else if (token_.substr(1) == "BLUE") {
            colour_ = PenColour::Blue;
        } else {
            Problem("the colour is neither BLCK nor BLUE");
        }
    }

    void TwoPole(SymbolKind kind) {
        if (token_.size() < kTokenWidth) return Problem("the token is cut short");
        const auto direction = SideOf(token_[2]);
        const auto valueSide = SideOf(token_[3]);
        const char digit = token_[4];
        if (!direction) return Problem("the drawing direction is not L, R, U or D");
        if (!valueSide) return Problem("the label side is not L, R, U or D");
        if (digit < '0' || digit > '9') return Problem("the component number is not a digit");
        const char orientation = token_[1];
        if (orientation != (IsAcross(*direction) ? 'H' : 'V')) {
            return Problem("the orientation does not match the drawing direction");
        }
        const int number = digit == '0' ? 10 : digit - '0';
        SchematicSymbol s =
            TwoPoleSymbol(kind, number, current_, *direction, *valueSide, ComponentSpan(*direction, parameter_));
        s.colour = colour_;
        current_ = s.pins[1];
        drawing_.symbols.push_back(std::move(s));
    }

    void PlaceOpAmp(GridPoint upperInput, bool plusOnTop, bool outputRight, bool large) {
        SchematicSymbol s = OpAmpSymbol(upperInput, plusOnTop, outputRight, large);
        s.number = ++opAmps_;
        s.colour = colour_;
        current_ = s.pins[2];
        drawing_.symbols.push_back(std::move(s));
    }

    void OpAmp() {
        if (token_.size() < 4) return Problem("the token is cut short");
        const char order = token_[1];
        const char output = token_[2];
        const char variant = token_[3];
        if (order != 'U' && order != 'D') return Problem("the input order is neither U nor D");
        if (output != 'L' && output != 'R') return Problem("the output direction is neither L nor R");
        if (variant != 'U' && variant != 'L') return Problem("the variant is neither U nor L");
        PlaceOpAmp(current_, order == 'U', output == 'R', variant == 'L');
    }

    void Label() {
        if (token_.size() < kTokenWidth) return Problem("the token is cut short");
        const auto side = SideOf(token_[1]);
        if (!side) return Problem("the label side is not L, R, U or D");
        const std::string text(token_.substr(2));
        drawing_.labels.push_back({current_, *side, text});
        const TerminalRole role =
            text == "V i" ? TerminalRole::Input : (text == "V o" ? TerminalRole::Output : TerminalRole::Unnamed);
        if (role == TerminalRole::Unnamed) return;
        for (SchematicTerminal& t : drawing_.terminals) {
            if (t.at == current_) t.role = role;
        }
    }

    void OutputStage(GridPoint p) {
        const GridPoint branch{p.x - 2, p.y};
        const GridPoint plus{p.x, p.y + kOpAmpInputSpacing};
        const GridPoint groundLead{p.x - 1, plus.y};
        const GridPoint ground{groundLead.x, plus.y + 2};
        Wire(branch, p);
        drawing_.junctions.push_back({branch, colour_});
        Wire(plus, groundLead);
        Wire(groundLead, ground);
        drawing_.grounds.push_back({ground, GroundStyle::Bars, colour_});
        PlaceOpAmp(p, false, true, false);
        const GridPoint output = current_;
        const GridPoint feedback{p.x + kOutputStageFeedbackColumn, output.y};
        const GridPoint terminal{p.x + kOutputStageTerminalColumn, output.y};
        Wire(output, terminal);
        drawing_.junctions.push_back({feedback, colour_});
        drawing_.terminals.push_back({terminal, TerminalRole::Output, colour_});
        drawing_.labels.push_back({terminal, Side::Right, "V o"});
        current_ = feedback;
    }

    SchematicDrawing drawing_;
    GridPoint current_;
    PenColour colour_ = PenColour::Black;
    int parameter_ = 0;
    int opAmps_ = 0;
    int line_ = 0;
    int position_ = 0;
    std::string_view token_;
};

}  // namespace

SchematicDrawing InterpretSchematicScript(const std::vector<std::string>& tokenLines) {
    return Interpreter().Run(tokenLines);
}

}  // namespace tavrel::schematic
