#include "timesynccommand.h"

#include "tidsntp.h"

#include "seams/prompts.h"
#include "seams/timeseams.h"

#include <QApplication>
#include <QLabel>

TimeSyncCommand::TimeSyncCommand(TIdSNTP &sntp, Prompts &prompts, QLabel *statusPanel, QWidget *window)
    : m_sntp(sntp), m_prompts(prompts), m_status(statusPanel), m_window(window)
{}

void TimeSyncCommand::run()
{
    m_status->setText(QStringLiteral("Синхронизация времени... подождите!"));
    m_status->repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool synchronised = false;
    try {
        synchronised = m_sntp.SynchroniseClock();
    } catch (const SntpError &) {
        synchronised = false;
    }
    QApplication::restoreOverrideCursor();
    if (synchronised) {
        m_prompts.inform(m_window, QStringLiteral("Синхронизация времени с сервером времени прошла успешно!"));
        m_status->setText(QStringLiteral("ОК"));
        return;
    }
    m_status->setText(QStringLiteral("Ошибка соединения с сервером времени"));
    m_prompts.inform(m_window, QStringLiteral("Ошибка при попытке синхронизации времени с сервером!\n\r"
                                              "Проверьте соединение с интернет каналом."));
}
