#pragma once

#include <QLabel>
#include <QPushButton>
#include <QString>

namespace rov2 {

/// The caption in front of an input: right-aligned, so that a column of
/// captions ends where its inputs begin.
inline QLabel* caption(const char* text, QWidget* parent)
{
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

/// A command button. Never an auto-default button: Enter moves between the
/// inputs on every screen and must not press a button the focus is not on.
inline QPushButton* button(const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setAutoDefault(false);
    return b;
}

inline QPushButton* button(const char* text, QWidget* parent) { return button(QString::fromUtf8(text), parent); }

} // namespace rov2
