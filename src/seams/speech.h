#pragma once

#include <QString>

class QWidget;

/// Says a short phrase to a screen reader user after a step they cannot see:
/// a QSO recorded, a band or mode changed. The phrase belongs to the control
/// that has the focus once the step is done.
class Speech {
public:
    virtual ~Speech() = default;
    virtual void say(QWidget *focus, const QString &phrase) = 0;
};
