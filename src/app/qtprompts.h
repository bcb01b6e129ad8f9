#pragma once

#include "seams/desktop.h"
#include "seams/prompts.h"

/// The real message boxes and save dialog.
class QtPrompts : public Prompts {
public:
    void inform(QWidget *parent, const QString &text) override;
    void notify(QWidget *parent, const QString &text, std::function<void()> closed) override;
    void error(QWidget *parent, const QString &title, const QString &text) override;
    void storeError(QWidget *parent, const QString &text) override;
    bool confirm(QWidget *parent, const QString &text) override;
    QString saveFileName(QWidget *parent, const QString &folder, const QString &proposedName,
                         const QStringList &filters) override;
};

/// Opens documents through the desktop's viewer.
class QtDesktop : public Desktop {
public:
    void openDocument(const QString &path) override;
};
