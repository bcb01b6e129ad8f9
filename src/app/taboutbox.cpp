#include "taboutbox.h"

#include "fonts/fonts.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("О программе"));
    setObjectName(QStringLiteral("AboutBox"));
    setFixedSize(298, 203);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto *panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(8, 6, 281, 161);

    auto label = [panel](const QString &text, const QFont &font, int top, int height) {
        auto *l = new QLabel(text, panel);
        l->setFont(font);
        l->setGeometry(8, top, 265, height);
        return l;
    };
    QLabel *product = label(QStringLiteral("Vireok"), Fonts::verdana(19), 6, 24);
    product->setStyleSheet(QStringLiteral("color: rgb(0,0,255)"));
    label(QStringLiteral("Version: 1.4.0.0     05.2013"), Fonts::sansSerif(13), 32, 16);
    // No web address or contact line: a false address sends the user nowhere.
    label(QStringLiteral("Автор: команда Vireok, лицензия GPL-3.0-or-later"), Fonts::sansSerif(11), 64, 14);
    QLabel *purpose = label(QStringLiteral("Программа для ведения лога наблюдений в соревнованиях на КВ, УКВ "
                                           "диапазонах и составления отчета"),
                            Fonts::sansSerif(13), 96, 60);
    purpose->setAlignment(Qt::AlignCenter);
    purpose->setWordWrap(true);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(111, 172, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    if (const QScreen *screen = this->screen()) {
        const QRect avail = screen->geometry();
        move(avail.center() - rect().center());
    }
}
