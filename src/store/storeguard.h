#pragma once

#include "storeerror.h"

#include "seams/prompts.h"

#include <functional>

/// Runs a handler; a store error ends it there and is shown in the store
/// error box, after notDone ("QSO не записан") where given. True when the
/// handler ran to its end.
inline bool guarded(Prompts &prompts, QWidget *parent, const std::function<void()> &handler,
                    const QString &notDone = {})
{
    try {
        handler();
        return true;
    } catch (const StoreError &e) {
        prompts.storeError(parent, notDone.isEmpty() ? e.text() : notDone + QStringLiteral(".\n\r") + e.text());
        return false;
    }
}
