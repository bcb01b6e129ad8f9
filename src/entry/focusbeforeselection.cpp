#include "focusbeforeselection.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>

namespace {

class FocusBeforeSelection : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::FocusIn)
            return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        auto *edit = qobject_cast<QLineEdit *>(watched);
        if (!edit ||
            (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason && reason != Qt::ShortcutFocusReason))
            return false;
        QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(edit, &plain);
        QMetaObject::invokeMethod(
            edit,
            [edit = QPointer<QLineEdit>(edit)] {
                // A dialog that opens gives its first field the focus before
                // its window is active, when hasFocus() is still false.
                if (!edit || edit->window()->focusWidget() != edit)
                    return;
                if (!edit->inputMask().isEmpty())
                    edit->home(false);
                else if (!edit->hasSelectedText())
                    edit->selectAll();
            },
            Qt::QueuedConnection);
        return true;
    }
};

} // namespace

void installFocusBeforeSelection()
{
    static const bool installed = (qApp->installEventFilter(new FocusBeforeSelection(qApp)), true);
    Q_UNUSED(installed);
}
