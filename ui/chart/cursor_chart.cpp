#include "ui/chart/cursor_chart.h"

#include <QGridLayout>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>

namespace tavimo::ui {

namespace {

constexpr int kPageStep = 6;
constexpr int kDesignThickness = 12; // pixels at 96 dpi

int index(waveform::CursorLine line) { return static_cast<int>(line); }

bool vertical(waveform::CursorLine line)
{
    return line == waveform::CursorLine::L1 || line == waveform::CursorLine::L2;
}

} // namespace

CursorChart::CursorChart(QWidget* parent) : QWidget(parent), view_(new ChartView(this))
{
    const int dpi = screen() ? static_cast<int>(screen()->logicalDotsPerInch()) : 96;
    const int thickness = std::max(kDesignThickness, kDesignThickness * dpi / 96);
    using waveform::CursorLine;
    for (CursorLine line : {CursorLine::L1, CursorLine::L2, CursorLine::T1, CursorLine::T2}) {
        auto* b = new QScrollBar(vertical(line) ? Qt::Vertical : Qt::Horizontal, this);
        b->setObjectName(QStringLiteral("ScrollBar%1").arg(index(line) + 1));
        b->setPageStep(kPageStep);
        if (vertical(line))
            b->setFixedWidth(thickness);
        else
            b->setFixedHeight(thickness);
        connect(b, &QScrollBar::valueChanged, this, [this, line](int v) { Q_EMIT cursorMoved(line, v); });
        bars_[index(line)] = b;
    }
    connect(view_, &ChartView::cursorDragged, this, &CursorChart::cursorMoved);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(1);
    grid->addWidget(bars_[0], 0, 0);
    grid->addWidget(bars_[1], 0, 1);
    grid->addWidget(view_, 0, 2);
    grid->addWidget(bars_[2], 1, 2);
    grid->addWidget(bars_[3], 2, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(0, 1);
}

QScrollBar* CursorChart::bar(waveform::CursorLine line) const { return bars_[index(line)]; }

void CursorChart::showCursors(const waveform::CursorPositions& positions, bool valueCursors, bool timeCursors)
{
    view_->setCursors(positions, valueCursors, timeCursors);
    const int values[4] = {positions.L1, positions.L2, positions.T1, positions.T2};
    for (int i = 0; i < 4; ++i) {
        const QSignalBlocker block(bars_[i]);
        bars_[i]->setValue(values[i] - 1);
    }
}

void CursorChart::setCursorControlsEnabled(bool value, bool time)
{
    bars_[0]->setEnabled(value);
    bars_[1]->setEnabled(value);
    bars_[2]->setEnabled(time);
    bars_[3]->setEnabled(time);
    view_->setCursorDragEnabled(value, time);
}

void CursorChart::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateRanges();
}

void CursorChart::updateRanges()
{
    const waveform::CursorPositions& c = view_->cursors();
    const int values[4] = {c.L1, c.L2, c.T1, c.T2};
    for (int i = 0; i < 4; ++i) {
        const QSignalBlocker block(bars_[i]);
        bars_[i]->setRange(0, i < 2 ? view_->height() : view_->width());
        bars_[i]->setValue(values[i] - 1);
    }
}

} // namespace tavimo::ui
