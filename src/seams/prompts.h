#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

/// The caption of plain message boxes.
inline const QString kApplicationTitle = QStringLiteral("Vireok");

/// Message boxes and the save dialog. Texts are shown exactly as given.
class Prompts {
public:
    virtual ~Prompts() = default;
    /// A plain box titled with the application title and an OK button.
    virtual void inform(QWidget *parent, const QString &text) = 0;
    /// The same box without waiting for it: the caller goes on at once and
    /// closed runs when the user dismisses the box.
    virtual void notify(QWidget *parent, const QString &text, std::function<void()> closed) = 0;
    /// A box with an error icon and the given title.
    virtual void error(QWidget *parent, const QString &title, const QString &text) = 0;
    /// The store's own error text in the standard error box.
    virtual void storeError(QWidget *parent, const QString &text) = 0;
    /// A yes/no question whose default answer is no; true for yes.
    virtual bool confirm(QWidget *parent, const QString &text) = 0;
    /// The save dialog of the exports and the pictures, offering the name
    /// filters in their order; empty when the user cancels.
    virtual QString saveFileName(QWidget *parent, const QString &folder, const QString &proposedName,
                                 const QStringList &filters) = 0;
};
