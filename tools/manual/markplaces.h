#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QVector>

/// Where to put a numbered circle of that radius beside each target of a
/// screenshot: just outside its edge or just inside it, wherever the circle
/// hides the least of the picture (of text above all) and no other circle.
QVector<QPoint> markPlaces(const QImage &image, const QVector<QRect> &targets, int radius);
