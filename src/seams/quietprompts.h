#pragma once

#include "prompts.h"

#include <QStringList>

/// Shows no box: keeps every text it was given and answers as told, for
/// tests and for tools that drive the windows without a user.
class QuietPrompts : public Prompts {
public:
    void inform(QWidget *, const QString &text) override { informed << text; }
    /// Closed at once, as if the user pressed OK.
    void notify(QWidget *, const QString &text, std::function<void()> closed) override
    {
        informed << text;
        closed();
    }
    void error(QWidget *, const QString &title, const QString &text) override { errors << title + '|' + text; }
    void storeError(QWidget *, const QString &text) override { storeErrors << text; }
    bool confirm(QWidget *, const QString &text) override
    {
        questions << text;
        return answer;
    }
    QString saveFileName(QWidget *, const QString &folder, const QString &proposed, const QStringList &filters) override
    {
        dialogFolder = folder;
        proposedName = proposed;
        dialogFilters = filters;
        return chosenFile;
    }

    QStringList informed, errors, storeErrors, questions;
    bool answer = false;

    QString chosenFile, dialogFolder, proposedName;
    QStringList dialogFilters;
};
