#include "tcontestup.h"

#include "seams/prompts.h"
#include "store/schema.h"
#include "store/store.h"
#include "store/storeguard.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TContestUp::TContestUp(Store &store, Prompts &prompts, QWidget *parent)
    : QDialog(parent), m_store(store), m_prompts(prompts)
{
    setObjectName(QStringLiteral("ContestUp"));
    setWindowTitle(QStringLiteral("Пополнение списка соревнований"));
    setFixedSize(457, 167);

    auto *shortLabel = new QLabel(QStringLiteral("Название (ENG):"), this);
    shortLabel->setGeometry(12, 16, 100, 21);
    m_short = new QLineEdit(this);
    m_short->setObjectName(QStringLiteral("contesten"));
    m_short->setGeometry(116, 14, 200, 23);
    shortLabel->setBuddy(m_short);
    auto *russianLabel = new QLabel(QStringLiteral("Расшифровка (RUS):"), this);
    russianLabel->setGeometry(12, 48, 200, 17);
    m_russian = new QLineEdit(this);
    m_russian->setObjectName(QStringLiteral("contestru"));
    m_russian->setGeometry(12, 68, 433, 23);
    russianLabel->setBuddy(m_russian);

    auto *add = new QPushButton(QStringLiteral("ДОБАВИТЬ"), this);
    add->setGeometry(120, 112, 100, 29);
    auto *cancel = new QPushButton(QStringLiteral("ОТМЕНА"), this);
    cancel->setGeometry(237, 112, 100, 29);
    connect(add, &QPushButton::clicked, this, &TContestUp::add);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TContestUp::add()
{
    FieldValues row{{QStringLiteral("contesten"), m_short->text()}, {QStringLiteral("contestru"), m_russian->text()}};
    for (const QString &tour : Schema::tourFields())
        row.append({tour, QStringLiteral("00:00:00")});
    if (!guarded(m_prompts, this, [&] { m_store.addContest(row); }))
        return;
    m_short->clear();
    m_russian->clear();
    accept();
}
