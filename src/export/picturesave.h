#pragma once

#include <QString>

class Prompts;
class QImage;
class QWidget;

/// Where a picture may go: the save dialog's folder, and the files it must
/// never replace.
struct PictureTarget {
    QString folder;
    QString storePath;
    QString settingsFile;
};

/// "Сохранить как изображение…": asks for a name with the PNG filter, adds
/// ".png" to a name without an extension, refuses the program's own files as
/// the reports do, and writes the PNG whole or not at all; every failure is
/// told in an error box. True when the file was written.
bool savePicture(const QImage &picture, Prompts &prompts, QWidget *parent, const PictureTarget &target);
