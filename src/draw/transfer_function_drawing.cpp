#include "draw/transfer_function_drawing.h"

#include <QFontMetricsF>
#include <algorithm>

#include "stages/pairing_text.h"
#include "stages/transfer_function.h"

namespace tavrel::draw {

namespace {

constexpr double kMargin = 12;
constexpr double kCellPad = 8;
constexpr int kColumns = 11;

QFont PageFont() {
    QFont font("Arial");
    font.setPointSizeF(8);
    return font;
}

QFont Smaller(QFont font) {
    font.setPointSizeF(font.pointSizeF() * 0.7);
    return font;
}

// Places texts left to right on one line, some of them raised like an exponent.
class TextRun {
public:
    TextRun(QPainter* painter, const QFont& font, QPaintDevice* device, QPointF baseline)
        : painter_(painter), font_(font), device_(device), at_(baseline) {}
    TextRun& Text(const QString& text) { return Put(text, font_, 0); }
    TextRun& Raised(const QString& text) {
        return Put(text, Smaller(font_), -QFontMetricsF(font_, device_).ascent() * 0.45);
    }
    TextRun& Skip(double x) {
        at_.rx() += x;
        return *this;
    }
    double X() const { return at_.x(); }

private:
    TextRun& Put(const QString& text, const QFont& font, double rise) {
        if (painter_) {
            painter_->setFont(font);
            painter_->drawText(at_ + QPointF(0, rise), text);
        }
        at_.rx() += QFontMetricsF(font, device_).horizontalAdvance(text);
        return *this;
    }
    QPainter* painter_;
    QFont font_;
    QPaintDevice* device_;
    QPointF at_;
};

struct Geometry {
    double line = 0;  // height of one text line
    double ascent = 0;
    std::array<double, kColumns> columns{};
    double tableWidth = 0;
    double formulaIndent = 0;
};

Geometry Measure(QPaintDevice* device, const TransferFunctionPage& page) {
    const QFontMetricsF m(PageFont(), device);
    Geometry g;
    g.line = m.height();
    g.ascent = m.ascent();
    for (int c = 0; c < kColumns; ++c) {
        double width = m.horizontalAdvance(QString::fromStdString(page.heads[c]));
        for (const auto& row : page.rows) width = std::max(width, m.horizontalAdvance(QString::fromStdString(row[c])));
        g.columns[c] = width + 2 * kCellPad;
        g.tableWidth += g.columns[c];
    }
    g.formulaIndent = m.horizontalAdvance("For 2nd order stage:") + 2 * kCellPad;
    return g;
}

QString Title(const TransferFunctionPage& page) {
    if (page.printed) return "Biquadratic Coefficients";
    return QString::fromStdString(page.title) + "  --  Biquadratic Coefficients";
}

// Draws (painter set) or measures (painter null) the page; returns its size.
QSizeF Lay(QPainter* painter, QPaintDevice* device, QPointF origin, const TransferFunctionPage& page) {
    const Geometry g = Measure(device, page);
    const QFont font = PageFont();
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF m(font, device);
    const QString w = page.hz ? "f" : "w";
    double y = origin.y() + kMargin + g.ascent;
    const double left = origin.x() + kMargin;
    double right = left + g.tableWidth;

    // Title.
    TextRun title(painter, bold, device, {left, y});
    title.Text(Title(page));
    right = std::max(right, title.X());
    y += 2 * g.line;

    // T(s) = To * (As² + Bs + C) / (Ds² + Es + F), the fraction centred on the text line.
    TextRun general(painter, font, device, {left, y});
    general.Text("T(s) = To * ").Skip(m.horizontalAdvance(" "));
    const QString numerator = "As\u00B2 + Bs + C", denominator = "Ds\u00B2 + Es + F";
    const double fractionWidth = std::max(m.horizontalAdvance(numerator), m.horizontalAdvance(denominator));
    const double barY = y - m.xHeight() / 2;
    if (painter) {
        painter->setFont(font);
        painter->drawText(QPointF(general.X() + (fractionWidth - m.horizontalAdvance(numerator)) / 2, barY - m.descent() - 1),
                          numerator);
        painter->drawText(
            QPointF(general.X() + (fractionWidth - m.horizontalAdvance(denominator)) / 2, barY + g.ascent + 1),
            denominator);
        painter->drawLine(QPointF(general.X(), barY), QPointF(general.X() + fractionWidth, barY));
    }
    right = std::max(right, general.X() + fractionWidth);
    y += 2.5 * g.line;

    // The pole and zero values of a stage from its coefficients.
    TextRun second(painter, font, device, {left, y});
    second.Text("For 2nd order stage:").Skip(g.formulaIndent - second.X() + left);
    second.Text(w + "p").Text(" = F").Raised("\u00BD").Text("        Qp = ").Text(w + "p").Text("/E");
    right = std::max(right, second.X());
    y += 1.4 * g.line;
    TextRun notch(painter, font, device, {left, y});
    notch.Text("For notch stage:").Skip(g.formulaIndent - notch.X() + left);
    notch.Text(w + "z").Text(" = C").Raised("\u00BD");
    y += 1.2 * g.line;

    // The table: heads, a heavy line, one row per stage.
    const double rowHeight = g.line + kCellPad / 2;
    const double tableTop = y;
    const int rows = static_cast<int>(page.rows.size()) + 1;
    if (painter) {
        painter->setFont(font);
        painter->setPen(Qt::black);
        for (int r = 0; r < rows; ++r) {
            const auto& texts = r == 0 ? page.heads : page.rows[static_cast<size_t>(r - 1)];
            double x = left;
            for (int c = 0; c < kColumns; ++c) {
                const QRectF cell(x, tableTop + r * rowHeight, g.columns[c], rowHeight);
                painter->drawText(cell, Qt::AlignCenter, QString::fromStdString(texts[c]));
                x += g.columns[c];
            }
        }
        const QPen grey(QColor(160, 160, 160), 0);
        for (int r = 0; r <= rows; ++r) {
            painter->setPen(r == 1 ? QPen(Qt::black, 2) : grey);
            const double ly = tableTop + r * rowHeight;
            painter->drawLine(QPointF(left, ly), QPointF(left + g.tableWidth, ly));
        }
        painter->setPen(grey);
        double x = left;
        for (int c = 0; c <= kColumns; ++c) {
            painter->drawLine(QPointF(x, tableTop), QPointF(x, tableTop + rows * rowHeight));
            if (c < kColumns) x += g.columns[c];
        }
        painter->setPen(Qt::black);
    }
    y = tableTop + rows * rowHeight;

    if (!page.printed) {
        y += 1.5 * g.line + g.ascent;
        for (auto [label, text] : {std::pair{"To print:", "File...Print...Include transfer function(s)"},
                                   std::pair{"To save to file:",
                                             "File...Save data to ASCII file...Include transfer function(s)"}}) {
            TextRun hint(painter, font, device, {left, y});
            hint.Text(label).Skip(g.formulaIndent - hint.X() + left).Text(text);
            right = std::max(right, hint.X());
            y += 1.3 * g.line;
        }
    }
    return {right - origin.x() + kMargin, y - origin.y() + kMargin};
}

}  // namespace

TransferFunctionPage TransferFunctionPageOf(const DesignState& state, const StageTables& tables, bool hz,
                                            bool printed) {
    TransferFunctionPage page;
    page.title = DesignTitle(state);
    page.hz = hz;
    page.printed = printed;
    page.heads = TransferFunctionHeads(hz);
    for (int stage = 1; stage <= state.StageCount && stage <= kMaxStages; ++stage) {
        const StageRecord& record = tables.Stage[static_cast<size_t>(stage)];
        if (!record.TypeName.empty()) page.rows.push_back(TransferFunctionRow(record, stage, hz));
    }
    return page;
}

QSizeF TransferFunctionPageSize(QPaintDevice* device, const TransferFunctionPage& page) {
    return Lay(nullptr, device, {0, 0}, page);
}

void DrawTransferFunctionPage(QPainter& painter, const QRectF& rect, const TransferFunctionPage& page) {
    painter.save();
    painter.setPen(Qt::black);
    Lay(&painter, painter.device(), rect.topLeft(), page);
    painter.restore();
}

}  // namespace tavrel::draw
