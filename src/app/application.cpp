#include "application.h"

#include "fonts.h"

#include <QApplication>

void setUpApplication()
{
    // No display name: on X11 Qt would append it to every window's caption.
    // Plain message boxes carry the application title themselves.
    QApplication::setApplicationName(QStringLiteral("vireok"));
    Fonts::load();
    QApplication::setFont(Fonts::sansSerif(11));
}
