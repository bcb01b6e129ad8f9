#include "timesynccommand.h"

#include "tidsntp.h"

#include "seams/prompts.h"
#include "seams/timeseams.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>

TimeSyncCommand::TimeSyncCommand(TIdSNTP &sntp, Prompts &prompts, QLabel *statusPanel, QWidget *window)
    : m_sntp(sntp), m_prompts(prompts), m_status(statusPanel), m_window(window)
{}

namespace {
QString shown(const QDateTime &utc)
{
    return utc.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral(" UTC");
}
} // namespace

void TimeSyncCommand::run()
{
    m_status->setText(QStringLiteral("Синхронизация времени... подождите!"));
    m_status->repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_sntp.ConfirmLargeStep = [this](const QDateTime &computer, const QDateTime &server) {
        QApplication::restoreOverrideCursor();
        const bool yes = m_prompts.confirm(m_window, QStringLiteral("Время сервера сильно отличается от времени "
                                                                    "компьютера.\n\rКомпьютер: %1\n\rСервер: %2\n\r"
                                                                    "Установить на компьютере время сервера?")
                                                         .arg(shown(computer), shown(server)));
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return yes;
    };
    bool synchronised = false;
    try {
        synchronised = m_sntp.SynchroniseClock();
    } catch (const SntpError &) {
        synchronised = false;
    }
    m_sntp.ConfirmLargeStep = nullptr;
    QApplication::restoreOverrideCursor();
    if (m_sntp.Declined) {
        m_status->setText(QStringLiteral("Время не установлено"));
        return;
    }
    if (synchronised) {
        m_prompts.inform(m_window, QStringLiteral("Синхронизация времени с сервером времени прошла успешно!"));
        m_status->setText(QStringLiteral("ОК"));
        return;
    }
    m_status->setText(QStringLiteral("Ошибка соединения с сервером времени"));
    m_prompts.inform(m_window, QStringLiteral("Ошибка при попытке синхронизации времени с сервером!\n\r"
                                              "Проверьте соединение с интернет каналом."));
}
