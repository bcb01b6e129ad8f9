#pragma once

#include <QLabel>

/// Names a control that has no caption of its own beside it. A screen reader
/// on Linux takes a control's label before its name, and would otherwise
/// speak a combo box's text or the title of the group box around it; so the
/// name is given as a label that is never shown.
inline void nameForScreenReaders(QWidget *control, const QString &name)
{
    auto *label = new QLabel(name, control->parentWidget());
    label->setBuddy(control);
    label->hide();
}
