// Small builders of the windows: a control created with its form name as
// objectName, and the framed read-out label the chart screens use.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QString>
#include <QWidget>

namespace tavimo::ui {

template <class W>
W* named(W* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

inline QLabel* label(QWidget* parent, const char* name) { return named(new QLabel(parent), name); }

// A read-out: a sunken, right-aligned label holding a number, first `zero`.
inline QLabel* readout(QWidget* parent, const char* name, const char* zero)
{
    QLabel* l = label(parent, name);
    l->setText(QString::fromLatin1(zero));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(80);
    return l;
}

} // namespace tavimo::ui
