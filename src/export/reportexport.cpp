#include "reportexport.h"

#include "adif.h"
#include "cabrillo.h"
#include "ownfiles.h"

#include "clock/localformats.h"
#include "files/wholefile.h"
#include "seams/clocksource.h"
#include "seams/prompts.h"
#include "store/store.h"
#include "store/storeerror.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

namespace {

const QString kNoCall =
    QStringLiteral("Выгрузка невозможна!\n\rЗаполните раздел \"Сведения о станции\".\n\rМеню -> \"Установки\"");
const QString kErrorTitle = QStringLiteral("Ошибка");
const QString kOpenError = QStringLiteral("Произошла ошибка открытия файла");
const QString kWriteError = QStringLiteral("Произошла ошибка записи данных в файл");
const QString kSaveSettingsFirst = QStringLiteral(
    "Выгрузка невозможна: не заданы ширины групп отчета.\n\rСначала сохраните настройки соревнования:\n\r"
    "Меню -> \"Соревнования\", кнопка \"СОХРАНИТЬ\".");

const QString kWidthOutOfBounds =
    QStringLiteral("Выгрузка невозможна: ширина группы отчета %1 равна %2, а больше %3 быть не может.\n\r"
                   "Сохраните настройки соревнования заново:\n\rМеню -> \"Соревнования\", кнопка \"СОХРАНИТЬ\".");
const QString kOwnFile =
    QStringLiteral("Отчет нельзя записать в файл %1:\n\rэто файл журнала Vireok (%2), отчет уничтожил бы журнал.\n\r"
                   "Выберите другое имя файла.");
const QString kSettingsFile = QStringLiteral(
    "Отчет нельзя записать в файл %1:\n\rэто файл настроек Vireok (%2), отчет уничтожил бы настройки.\n\r"
    "Выберите другое имя файла.");

constexpr int kPage = 4096;
constexpr qsizetype kFlushAt = 1 << 16;

FieldGetter getter(const Record &r)
{
    return [r](const QString &field) { return r.value(field); };
}

/// Streams every QSO in the order of adding, a page at a time.
template <typename Each>
void forEachQso(Store &store, Each each)
{
    qint64 next = 0;
    for (;;) {
        const std::vector<QsoRecord> page = store.qsosFrom(next, kPage);
        for (const QsoRecord &q : page)
            if (!each(q))
                return;
        if (page.size() < size_t(kPage))
            return;
        next = page.back().id + 1;
    }
}

/// The file is replaced only when everything was written; on any failure
/// the old file of that name stays and no partial file is left. A device
/// (such as /dev/full) is written in place: it cannot be replaced, and a
/// replacement would put a plain file where the device was.
class ReportFile {
public:
    explicit ReportFile(const QString &path)
    {
        const QFileInfo target(path);
        if (target.exists() && !target.isFile() && !target.isDir())
            m_device = std::make_unique<QFile>(path);
        else
            m_whole = std::make_unique<WholeFile>(path);
    }
    bool open() { return m_device ? m_device->open(QIODevice::WriteOnly) : m_whole->open(); }
    void add(QByteArray &buffer)
    {
        if (buffer.size() >= kFlushAt)
            flush(buffer);
    }
    bool commit(QByteArray &buffer)
    {
        flush(buffer);
        if (m_failed || file().error() != QFileDevice::NoError)
            return false;
        if (m_whole)
            return m_whole->commit();
        m_device->close();
        return m_device->error() == QFileDevice::NoError;
    }
    /// Leaves the old file as it was, now rather than when this goes.
    void abandon()
    {
        if (m_device)
            m_device->close();
        else
            m_whole.reset();
    }

private:
    QFile &file() { return m_device ? *m_device : m_whole->device(); }
    void flush(QByteArray &buffer)
    {
        if (file().write(buffer) != buffer.size() || !file().flush())
            m_failed = true;
        buffer.resize(0); // keeps its capacity for the next lines
    }

    std::unique_ptr<QFile> m_device;
    std::unique_ptr<WholeFile> m_whole; ///< removes its temporary file unless committed
    bool m_failed = false;
};

} // namespace

ReportExport::ReportExport(Store &store, Prompts &prompts, const ClockSource &clock, QWidget *window, Hooks hooks)
    : m_store(store), m_prompts(prompts), m_clock(clock), m_window(window), m_hooks(std::move(hooks))
{}

QString ReportExport::chooseFile(const QString &extension, QString &call)
{
    call = trimReport(m_store.readLog().value(QStringLiteral("CALLSIGN")));
    if (call.isEmpty()) {
        m_prompts.inform(m_window, kNoCall);
        return {};
    }
    const QString path = m_prompts.saveFileName(
        m_window, m_hooks.dialogFolder(), call + extension,
        {QStringLiteral("Файлы отчетов (*.cbr *.txt *.adif *.adi)"), QStringLiteral("Все файлы (*.*)")});
    if (path.isEmpty())
        return {};
    if (const auto own = ownFileAt(path, m_store.path(), m_hooks.settingsFile)) {
        m_prompts.error(m_window, kErrorTitle,
                        (own->isSettings ? kSettingsFile : kOwnFile).arg(path, QFileInfo(own->path).fileName()));
        return {};
    }
    return path;
}

void ReportExport::cabrillo()
{
    report(Kind::Cabrillo);
}

void ReportExport::ermak()
{
    report(Kind::Ermak);
}

void ReportExport::report(Kind kind)
{
    try {
        QString call;
        const QString path = chooseFile(QStringLiteral(".cbr"), call);
        if (path.isEmpty())
            return;
        // Read everything the header needs before a file is created.
        const Record log = m_store.readLog();
        if (const auto bad = widthOutOfBounds(getter(log))) {
            m_prompts.inform(m_window, kWidthOutOfBounds.arg(bad->first, bad->second).arg(kMaxGroupWidth));
            return;
        }
        const auto layout = reportLayout(getter(log));
        if (!layout) {
            m_prompts.inform(m_window, kSaveSettingsFirst);
            return;
        }
        const QVector<HeaderLine> header = kind == Kind::Cabrillo
                                               ? cabrilloHeader(getter(log))
                                               : ermakHeader(getter(log), getter(m_store.readOperator()));
        ReportFile file(path);
        if (!file.open()) {
            m_prompts.error(m_window, kErrorTitle, withRefusalCause(kOpenError, path));
            return;
        }
        QByteArray buffer;
        appendHeader(buffer, header);
        try {
            forEachQso(m_store, [&](const QsoRecord &q) {
                appendQsoLine(buffer, q, *layout);
                file.add(buffer);
                return true;
            });
        } catch (const StoreError &) {
            file.abandon();
            throw;
        }
        buffer += kEndOfLog;
        if (m_hooks.afterWalk)
            m_hooks.afterWalk(false);
        if (!file.commit(buffer)) {
            m_prompts.error(m_window, kErrorTitle, withRefusalCause(kWriteError, path));
            return;
        }
        m_prompts.inform(m_window, QStringLiteral("Выгрузка в файл  ") + path +
                                       (kind == Kind::Cabrillo ? QStringLiteral(" фомата \"CABRILLO\" произведена!")
                                                               : QStringLiteral("  формата \"ЕРМАК\" произведена!")));
    } catch (const StoreError &e) {
        m_prompts.storeError(m_window, e.text());
    }
}

void ReportExport::adif()
{
    try {
        QString call;
        const QString path = chooseFile(QStringLiteral(".adi"), call);
        if (path.isEmpty())
            return;
        ReportFile file(path);
        if (!file.open()) {
            m_prompts.error(m_window, kErrorTitle, withRefusalCause(kOpenError, path));
            return;
        }
        const QDateTime local = m_clock.nowUtc().toLocalTime();
        QByteArray buffer = adifHeader(m_hooks.webAddress, LocalFormats::shortDate(local.date()) + QLatin1Char(' ') +
                                                               LocalFormats::longTime(local.time()));
        QString badBand;
        try {
            forEachQso(m_store, [&](const QsoRecord &q) {
                const auto frequency = adifFrequency(q.band);
                if (!frequency) {
                    badBand = QStringLiteral("Выгрузка прервана: диапазон \"%1\" не является числом "
                                             "(QSO %2 %3).\n\rИсправьте эту запись и повторите выгрузку.")
                                  .arg(q.band, q.data, q.time);
                    return false;
                }
                appendAdifRecords(buffer, call, q, *frequency);
                file.add(buffer);
                return true;
            });
        } catch (const StoreError &) {
            file.abandon();
            throw;
        }
        if (m_hooks.afterWalk)
            m_hooks.afterWalk(true);
        if (!badBand.isEmpty()) {
            file.abandon();
            m_prompts.error(m_window, kErrorTitle, badBand);
            return;
        }
        if (!file.commit(buffer)) {
            m_prompts.error(m_window, kErrorTitle, withRefusalCause(kWriteError, path));
            return;
        }
        m_prompts.inform(m_window, QStringLiteral("Выгрузка в файл  ") + path +
                                       QStringLiteral("  формата \"ADIF\" произведена!"));
    } catch (const StoreError &e) {
        m_prompts.storeError(m_window, e.text());
    }
}
