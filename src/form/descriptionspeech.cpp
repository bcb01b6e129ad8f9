#include "descriptionspeech.h"

#include <QEvent>
#include <QWidget>

namespace {
const char kPhrase[] = "vireokSpokenPhrase";
}

void DescriptionSpeech::say(QWidget *focus, const QString &phrase)
{
    focus->setAccessibleDescription(phrase);
    focus->setProperty(kPhrase, phrase);
    focus->removeEventFilter(this);
    focus->installEventFilter(this);
}

bool DescriptionSpeech::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::FocusOut)
        return false;
    auto *control = static_cast<QWidget *>(watched);
    // Typing may have put a description of its own there meanwhile (a repeat).
    if (control->accessibleDescription() == control->property(kPhrase).toString())
        control->setAccessibleDescription(QString());
    control->setProperty(kPhrase, QVariant());
    control->removeEventFilter(this);
    return false;
}
