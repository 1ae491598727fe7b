#include "ui/measure/value_panel.h"

#include "ui/qt_text.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>

namespace tavimo::ui {

namespace {

QString name(const char* prefix, int id) { return QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(id + 1); }

QFont pixelFont(int pixels, bool fixed)
{
    QFont f = fixed ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : QFont();
    f.setPixelSize(pixels);
    f.setBold(true);
    return f;
}

} // namespace

ValuePanel::ValuePanel(int id, QWidget* parent) : QFrame(parent), id_(id)
{
    setObjectName(name("Panel", id));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setFixedHeight(kPanelHeight);

    auto* label = new QLabel(qs(" ID ") + QString::number(id), this);
    label->setObjectName(name("Label", id));
    label->setFont(pixelFont(13 * kPanelScale, false));
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral(" ID 0 ")));

    value_ = new QLabel(QStringLiteral("0.0000"), this);
    value_->setObjectName(name("MeasureValue", id));
    value_->setFont(pixelFont(22 * kPanelScale, true));
    value_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value_->setStyleSheet(QStringLiteral("QLabel { background: #000000; color: #FFFFFF; padding: 0 8px; }"
                                         "QLabel:disabled { color: #7F7F7F; }"));
    // Room for the widest value the controllers show ("-1000.0000").
    value_->setMinimumWidth(value_->fontMetrics().horizontalAdvance(QStringLiteral("-0000.0000")) + 20);

    volt_ = new QLabel(QStringLiteral("V"), this);
    volt_->setObjectName(name("VoltIndicator", id));
    volt_->setFont(pixelFont(18 * kPanelScale, false));
    volt_->setStyleSheet(QStringLiteral("QLabel:disabled { color: #7F7F7F; }"));
    volt_->setMinimumWidth(volt_->fontMetrics().horizontalAdvance(QStringLiteral("VV")));

    hi_ = lamp("HiIndicator", kHiColour);
    go_ = lamp("GoIndicator", kGoColour);
    lo_ = lamp("LoIndicator", kLoColour);
    zero_ = lamp("ZeroIndicator", kZeroColour);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(3 * kPanelScale, 2 * kPanelScale, 3 * kPanelScale, 2 * kPanelScale);
    row->setSpacing(3 * kPanelScale);
    row->addWidget(label);
    row->addWidget(value_, 1);
    row->addWidget(volt_);
    for (QLabel* l : {hi_, go_, lo_, zero_}) row->addWidget(l);
}

QLabel* ValuePanel::lamp(const char* prefix, const QColor& lit)
{
    auto* l = new QLabel(this);
    l->setObjectName(name(prefix, id_));
    l->setAlignment(Qt::AlignCenter);
    l->setFont(pixelFont(12 * kPanelScale, false));
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("ZERO")) + 12 * kPanelScale);
    l->setProperty("litColour", lit);
    light(l, false);
    return l;
}

void ValuePanel::light(QLabel* lamp, bool on)
{
    if (lamp->property("lit").isValid() && lamp->property("lit").toBool() == on) return;
    lamp->setProperty("lit", on);
    const QColor back = on ? lamp->property("litColour").value<QColor>() : kDarkColour;
    // A dark lamp keeps its name faintly readable.
    const QString text = on ? QStringLiteral("#000000") : QStringLiteral("#505050");
    lamp->setStyleSheet(QStringLiteral("QLabel { background: %1; color: %2; }").arg(back.name(), text));
}

bool ValuePanel::lampLit(const QString& prefix) const
{
    const auto* l = findChild<QLabel*>(prefix + QStringLiteral("Indicator%1").arg(id_ + 1));
    return l && l->property("lit").toBool();
}

void ValuePanel::keepTexts() { voltText_ = volt_->text(); }

void ValuePanel::showView(const measure::PanelView& view)
{
    const QString v = qs(view.value);
    if (value_->text() != v) value_->setText(v);
    const QString unit = view.volt ? voltText_ : QString();
    if (volt_->text() != unit) volt_->setText(unit);
    light(hi_, view.hi);
    light(go_, view.go);
    light(lo_, view.lo);
    light(zero_, view.zero);
}

void ValuePanel::setChecked(bool checked)
{
    value_->setEnabled(checked);
    volt_->setEnabled(checked);
}

} // namespace tavimo::ui
