#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QVector>

/// Where to put a numbered circle of that radius on each target of a
/// screenshot: its centre on the target's edge, half a radius outside it or
/// just inside it, and nearer to that target than to any other, wherever the
/// circle hides the least of the picture (of text above all) and no other
/// circle.
QVector<QPoint> markPlaces(const QImage &image, const QVector<QRect> &targets, int radius);
