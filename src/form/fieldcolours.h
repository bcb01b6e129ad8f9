#pragma once

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QWidget>

/// The background colours that tell the user what a field is in.
namespace FieldColours {
inline const QColor red{255, 0, 0};            ///< repeat as heard station only
inline const QColor aqua{0, 255, 255};         ///< repeat as worked station only
inline const QColor moneyGreen{192, 220, 192}; ///< manual entry
inline const QColor yellow{255, 255, 0};       ///< editing

inline QColor window()
{
    return QApplication::palette().color(QPalette::Base);
}
inline QColor buttonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

inline void paint(QWidget *field, const QColor &colour)
{
    QPalette p = field->palette();
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Button, colour); // editable combo boxes draw their frame in Button
    field->setPalette(p);
}

inline QColor of(const QWidget *field)
{
    return field->palette().color(QPalette::Base);
}
} // namespace FieldColours
