#pragma once

#include "repeatverdict.h"

#include "form/screenstate.h"

#include <QObject>
#include <QString>

#include <array>

/// What the entry shows and the rules read: the six station fields, band,
/// mode, tour number, the date and time of manual entry and editing, the
/// clock's date and time, the RST box, what the screen is busy with (SWL/HAM, COPY, editing, the
/// station panel) and the repeat verdict. The widgets bind to it both ways;
/// the recorder, editor, keys, repeat check, partial feed and rig follower
/// read and write it.
class EntryState : public QObject {
    Q_OBJECT
public:
    enum class Field {
        HeardCall,
        HeardReport,
        HeardNumber,
        WorkedCall,
        WorkedReport,
        WorkedNumber,
        Band,
        Mode,
        Tour,
        Date, ///< typed: manual entry and editing
        Time,
        ClockDate, ///< the clock's UTC texts that a QSO of normal entry takes
        ClockTime
    };
    static constexpr int kFields = 13;

    explicit EntryState(QObject *parent = nullptr) : QObject(parent) {}

    const QString &text(Field field) const { return m_texts[size_t(field)]; }
    /// Tells of the change only when the text differs.
    void setText(Field field, const QString &text);
    bool rst() const { return m_rst; }
    void setRst(bool on);
    const ScreenState &screen() const { return m_screen; }
    void setScreen(const ScreenState &screen);
    /// The repeat check's finding for the heard or worked call field.
    const CallVerdict &verdict(Field call) const;
    void setVerdict(Field call, const CallVerdict &verdict);

    /// The call field that typing starts in: the worked call while the own
    /// call sign holds the heard call (HAM, not editing).
    Field entryCall() const;

signals:
    void textChanged(EntryState::Field field);
    void rstChanged(bool on);
    void screenChanged();
    void verdictChanged(EntryState::Field call);

private:
    std::array<QString, kFields> m_texts;
    bool m_rst = true;
    ScreenState m_screen;
    CallVerdict m_heardVerdict, m_workedVerdict;
};
