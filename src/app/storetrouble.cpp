#include "storetrouble.h"

#include "seams/prompts.h"

#include <QTimer>
#include <QWidget>

#include <utility>

StoreTrouble::StoreTrouble(Prompts &prompts, QWidget *window) : QObject(window), m_prompts(prompts), m_window(window) {}

void StoreTrouble::report(const QString &storeText)
{
    // One locked file fails the repeat counts and the list's colours at the
    // same key: one box says it.
    if (m_pending.contains(storeText))
        return;
    m_pending << storeText;
    if (m_pending.size() == 1)
        QTimer::singleShot(0, this, &StoreTrouble::show);
}

void StoreTrouble::show()
{
    for (const QString &text : std::exchange(m_pending, {}))
        m_prompts.storeError(m_window, text);
}
