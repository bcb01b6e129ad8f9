#pragma once

#include "seams/speech.h"

#include <QObject>

/// Speech for screen readers that have no announcement to listen to (Qt has
/// none before 6.8): the phrase becomes the description of the control that
/// gets the focus, which a reader speaks with the control's name as the
/// focus arrives. The caller moves the focus before it changes the control's
/// text, or the reader takes the text's events as the focus and stays silent.
/// The phrase is said once: it goes when the focus leaves the control.
class DescriptionSpeech final : public QObject, public Speech {
public:
    void say(QWidget *focus, const QString &phrase) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
