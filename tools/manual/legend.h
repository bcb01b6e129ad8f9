#pragma once

#include <QRect>
#include <QVector>

class TMain;

/// The controls that the numbered legend under the main window's picture
/// explains, in its order, each as the rectangle of the main window that
/// holds it (a group of controls as one).
QVector<QRect> mainWindowLegend(TMain &main);
