// TForm4's controls under their form names and their layout: the action
// panel on the left, the chart with its cursor bars and the grid on the
// right, the replay bar and the axis and cursor groups below.
#include "ui/buffering/buffering_window.h"

#include "ui/buffering/buffering_grid_model.h"
#include "ui/buffering/buffering_plot.h"
#include "ui/chart/cursor_chart.h"
#include "ui/chart/cursor_readouts.h"
#include "ui/named_controls.h"
#include "ui/number_edit.h"
#include "ui/radio_group.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavimo::ui {

namespace {

QPushButton* button(QWidget* parent, const char* name) { return named(new QPushButton(parent), name); }

QGroupBox* groupBox(QWidget* parent, const char* name) { return named(new QGroupBox(parent), name); }

} // namespace

void TForm4::buildControls()
{
    chart_ = new CursorChart(this);
    chart_->setMinimumSize(480, 300);

    gridModel_ = new BufferingGridModel(screen_->data(), this);
    grid_ = named(new QTableView(this), "StringGrid1");
    grid_->setModel(gridModel_);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(20);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid_->setFixedWidth(250);

    auto* chartArea = new QGridLayout;
    chartArea->setSpacing(2);
    chartArea->addWidget(chart_, 0, 0);
    chartArea->setRowStretch(0, 1);
    chartArea->setColumnStretch(0, 1);

    replay_ = named(new QSlider(Qt::Horizontal, this), "TrackBar1");
    replay_->setTickPosition(QSlider::NoTicks);
    chartArea->addWidget(replay_, 1, 0);

    auto* display = new QHBoxLayout;
    display->setSpacing(7); // the chart ends 7 pixels left of the grid
    display->addLayout(chartArea, 1);
    display->addWidget(grid_);

    auto* right = new QVBoxLayout;
    right->addLayout(display, 1);
    auto* lower = new QHBoxLayout;
    lower->addWidget(buildAxisPanel());
    lower->addWidget(buildCursorPanel(), 1);
    right->addLayout(lower);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildLeftPanel());
    layout->addLayout(right, 1);
}

QWidget* TForm4::buildLeftPanel()
{
    auto* panel = new QWidget(this);
    auto* v = new QVBoxLayout(panel);
    v->setContentsMargins(0, 0, 0, 0);

    auto* setting = groupBox(panel, "GroupBox1");
    auto* sv = new QVBoxLayout(setting);
    ids_ = new RadioGroup("RadioGroup1", 2, setting);
    sv->addWidget(ids_);
    sv->addWidget(button(setting, "BitBtn2"));
    v->addWidget(setting);

    auto* action = groupBox(panel, "GroupBox10");
    auto* av = new QHBoxLayout(action);
    av->addWidget(button(action, "Button1"));
    av->addWidget(button(action, "Button2"));
    v->addWidget(action);

    auto* status = groupBox(panel, "GroupBox7");
    auto* sg = new QGridLayout(status);
    sg->addWidget(label(status, "Label11"), 0, 0);
    sg->addWidget(readout(status, "Label20", "Unknown"), 0, 1);
    sg->addWidget(label(status, "Label12"), 1, 0);
    sg->addWidget(readout(status, "Label21", "Unknown"), 1, 1);
    sg->addWidget(label(status, "Label19"), 2, 0);
    sg->addWidget(readout(status, "Label22", "0"), 2, 1);
    v->addWidget(status);

    auto* file = groupBox(panel, "GroupBox11");
    auto* fv = new QHBoxLayout(file);
    fv->addWidget(button(file, "Button3"));
    fv->addWidget(button(file, "Button4"));
    auto* close = button(file, "Button5");
    close->hide();
    fv->addWidget(close);
    v->addWidget(file);

    v->addWidget(button(panel, "BitBtn1"));
    v->addStretch();
    panel->setFixedWidth(290);
    return panel;
}

QWidget* TForm4::buildAxisPanel()
{
    auto* panel = new QWidget(this);
    auto* v = new QVBoxLayout(panel);
    v->setContentsMargins(0, 0, 0, 0);

    auto* time = groupBox(panel, "GroupBox6");
    auto* tg = new QHBoxLayout(time);
    tg->addWidget(label(time, "Label13"));
    width_ = new UNumberEdit(time, "XWidthEdit");
    width_->setInteger(true);
    width_->setFigure("0");
    width_->SetMinMaxDef(1, 90, 50);
    width_->setFixedWidth(50);
    tg->addWidget(width_);
    tg->addWidget(label(time, "Label14"));
    auto* restoreWidth = named(new QToolButton(time), "SpeedButton2");
    restoreWidth->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    tg->addWidget(restoreWidth);
    tg->addStretch();
    v->addWidget(time);

    auto* value = groupBox(panel, "GroupBox2");
    auto* vv = new QHBoxLayout(value);
    auto* range = groupBox(value, "GroupBox3");
    auto* rg = new QGridLayout(range);
    max_ = new UNumberEdit(range, "UNumberEdit2");
    max_->setFigure("0.00");
    max_->SetMinMaxDef(-999, 1000, 5.0);
    min_ = new UNumberEdit(range, "UNumberEdit3");
    min_->setFigure("0.00");
    min_->SetMinMaxDef(-1000, 999, 0.0);
    max_->setFixedWidth(80);
    min_->setFixedWidth(80);
    rg->addWidget(label(range, "Label1"), 0, 0);
    rg->addWidget(max_, 0, 1);
    rg->addWidget(label(range, "Label2"), 0, 2);
    rg->addWidget(label(range, "Label3"), 1, 0);
    rg->addWidget(min_, 1, 1);
    rg->addWidget(label(range, "Label4"), 1, 2);
    vv->addWidget(range);
    auto* restoreValue = named(new QToolButton(value), "SpeedButton1");
    restoreValue->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    vv->addWidget(restoreValue, 0, Qt::AlignBottom);
    v->addWidget(value);
    return panel;
}

QWidget* TForm4::buildCursorPanel() { return buildCursorReadouts(this); }

} // namespace tavimo::ui
