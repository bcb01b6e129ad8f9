#pragma once

#include "storeerror.h"

#include "seams/prompts.h"

#include <functional>

/// Runs a handler; a store error ends it there and is shown in the store
/// error box. True when the handler ran to its end.
inline bool guarded(Prompts &prompts, QWidget *parent, const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (const StoreError &e) {
        prompts.storeError(parent, e.text());
        return false;
    }
}
