#pragma once

#include <QString>

/// Asks the desktop to open a document with its viewer.
class Desktop {
public:
    virtual ~Desktop() = default;
    virtual void openDocument(const QString &path) = 0;
};
