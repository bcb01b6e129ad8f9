#include "editor.h"

#include "entryedit.h"
#include "recordingrules.h"
#include "screenmode.h"
#include "timecheck.h"

#include "form/fieldcolours.h"
#include "form/loggrid.h"
#include "log/logmodel.h"
#include "seams/clocksource.h"
#include "seams/prompts.h"
#include "store/store.h"
#include "store/storeerror.h"
#include "store/storeguard.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace {

/// vireok-YYYY-MM-DD-HHMM.mdb beside the store, with -2, -3... when taken.
QString copyName(const QString &storePath, const QDateTime &local)
{
    const QDir folder = QFileInfo(storePath).absoluteDir();
    const QString stem = QStringLiteral("vireok-") + local.toString(QStringLiteral("yyyy-MM-dd-HHmm"));
    QString name = stem + QStringLiteral(".mdb");
    for (int n = 2; QFileInfo::exists(folder.filePath(name)); ++n)
        name = stem + QStringLiteral("-%1.mdb").arg(n);
    return folder.filePath(name);
}

} // namespace

Editor::Editor(const EntryContext &context, const ClockSource &clock, QObject *parent)
    : QObject(parent), m_c(context), m_clock(clock)
{
    connect(m_c.form.editOk, &QPushButton::clicked, this, &Editor::saveEdit);
}

int Editor::currentRow() const
{
    const QModelIndex current = m_c.form.grid->currentIndex();
    return current.isValid() && current.row() < m_c.log.rowCount() ? current.row() : -1;
}

void Editor::editRecord()
{
    const MainForm &f = m_c.form;
    const int row = currentRow();
    if (row < 0)
        return;
    m_row = row;
    const QsoRecord q = m_c.log.record(row);
    using Field = EntryState::Field;
    EntryState &e = m_c.entry;
    m_manualDate = e.text(Field::Date);
    m_manualTime = e.text(Field::Time);
    m_band = e.text(Field::Band);
    m_mode = e.text(Field::Mode);
    m_c.screen.setEditing(true);
    const std::pair<Field, QString> shown[] = {{Field::HeardCall, q.call1},   {Field::HeardReport, q.rst1},
                                               {Field::HeardNumber, q.nr1},   {Field::WorkedCall, q.call2},
                                               {Field::WorkedReport, q.rst2}, {Field::WorkedNumber, q.nr2},
                                               {Field::Date, q.data},         {Field::Time, q.time},
                                               {Field::Mode, q.mode},         {Field::Band, q.band}};
    for (const auto &[field, text] : shown)
        e.setText(field, text);
    f.heardCall->setFocus();
    f.statusPanel->setText(QStringLiteral("Режим редактирования"));
    f.heardReport->setEnabled(true);
    f.workedReport->setEnabled(true);
}

void Editor::saveEdit()
{
    const MainForm &f = m_c.form;
    using Field = EntryState::Field;
    EntryState &e = m_c.entry;
    if (!e.screen().editing)
        return;
    const EditTimeCheck check = checkEditedTime(e.text(Field::Time));
    for (const TimeMessage &m : check.messages) {
        if (m.conversionError)
            m_c.prompts.error(f.window, kApplicationTitle, m.text);
        else
            m_c.prompts.inform(f.window, m.text);
    }
    if (!check.mayStore)
        return;
    if (e.text(Field::WorkedNumber).isEmpty())
        e.setText(Field::WorkedReport, QString());
    if (!guarded(
            m_c.prompts, f.window, [&] { m_c.log.change(m_row, RecordingRules::edited(e)); },
            QStringLiteral("Запись не изменена")))
        return;
    for (Field field : {Field::HeardCall, Field::HeardNumber, Field::WorkedCall, Field::WorkedNumber})
        e.setText(field, QString());
    e.setText(Field::Band, m_band);
    e.setText(Field::Mode, m_mode);
    m_c.screen.setEditing(false);
    writeCounters(m_c);
    selectRow(m_c, m_row);
    f.statusPanel->setText(QStringLiteral("OK"));
    if (e.screen().manual) {
        // Back to manual entry as it was before the edit.
        e.setText(Field::Date, m_manualDate);
        e.setText(Field::Time, m_manualTime);
        f.timeField->setFocus();
    } else {
        f.heardCall->setFocus();
    }
    if (!e.screen().ham)
        return;
    guarded(m_c.prompts, f.window, [&] { putOwnCall(m_c); });
}

void Editor::deleteRecord()
{
    const int row = currentRow();
    if (row < 0)
        return;
    const bool removed = guarded(
        m_c.prompts, m_c.form.window, [&] { m_c.log.remove(row); }, QStringLiteral("Запись не удалена"));
    // The next QSO is typed right after a deletion: into the call field, not the grid.
    entryCallField(m_c.form)->setFocus();
    if (!removed)
        return;
    // The row that followed becomes current; after the last row, the new last.
    selectRow(m_c, row);
    writeCounters(m_c);
}

void Editor::clearLog()
{
    if (!guarded(m_c.prompts, m_c.form.window, [&] { m_c.store.open(); }))
        return;
    const qint64 count = m_c.log.qsoCount();
    const QString copy = copyName(m_c.store.path(), m_clock.nowUtc().toLocalTime());
    const QString copyFile = QFileInfo(copy).fileName();
    // One slip of the mouse must not lose a whole contest: the question
    // first, then a copy that opens as a store, and only then the deletion.
    if (!m_c.prompts.confirm(m_c.form.window,
                             QStringLiteral("Очистить лог?\nБудут удалены все QSO: %1.\nПеред очисткой весь журнал "
                                            "будет сохранён в файл %2.")
                                 .arg(count)
                                 .arg(copyFile)))
        return;
    try {
        m_c.store.copyTo(copy);
    } catch (const StoreError &e) {
        m_c.prompts.storeError(m_c.form.window, QStringLiteral("Лог не очищен: копию журнала не удалось сохранить в "
                                                               "файл %1.\n\r")
                                                        .arg(copyFile) +
                                                    e.text());
        return;
    }
    try {
        m_c.log.clear();
    } catch (const StoreError &e) {
        m_c.prompts.storeError(m_c.form.window,
                               QStringLiteral("Лог не очищен: журнал остался как был. Копия, записанная перед "
                                              "очисткой, сохранена в файле %1.\n\r")
                                       .arg(copyFile) +
                                   e.text());
        return;
    }
    writeCounters(m_c);
    m_c.form.statusPanel->setText(QStringLiteral("Лог очищен, копия: ") + copyFile);
}
