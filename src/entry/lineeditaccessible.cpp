#include "lineeditaccessible.h"

#include "entryedit.h"
#include "onelinetext.h"

#include <QAccessibleWidget>
#include <QLineEdit>

namespace {

class LineEditAccessible : public QAccessibleWidget, public OneLineText, public QAccessibleEditableTextInterface {
public:
    explicit LineEditAccessible(QLineEdit *edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    QLineEdit *edit() const { return static_cast<QLineEdit *>(object()); }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return shown();
        return QAccessibleWidget::text(t);
    }
    void setText(QAccessible::Text t, const QString &text) override
    {
        if (t == QAccessible::Value)
            replaceText(0, characterCount(), text);
        else
            QAccessibleWidget::setText(t, text);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = edit()->isReadOnly();
        s.editable = !s.readOnly;
        s.selectableText = true;
        s.passwordEdit = edit()->echoMode() != QLineEdit::Normal;
        return s;
    }

    // QAccessibleTextInterface
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex != 0 || !edit()->hasSelectedText())
            return;
        *startOffset = edit()->selectionStart();
        *endOffset = edit()->selectionEnd();
    }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0)
            edit()->deselect();
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex != 0)
            return;
        const int start = bounded(startOffset);
        edit()->setSelection(start, bounded(endOffset) - start);
    }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(bounded(position)); }
    QRect characterRect(int offset) const override
    {
        // Measured from the caret, which knows the field's margins and scrolling.
        const QFontMetrics fm = edit()->fontMetrics();
        const QString text = shown();
        const int at = bounded(offset);
        const QRect caret = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int x = caret.center().x() + fm.horizontalAdvance(text.left(at)) -
                      fm.horizontalAdvance(text.left(edit()->cursorPosition()));
        const int width = at < text.size() ? fm.horizontalAdvance(text.at(at)) : 1;
        return QRect(edit()->mapToGlobal(QPoint(x, caret.top())), QSize(width, caret.height()));
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int endIndex) override { edit()->setCursorPosition(bounded(endIndex)); }
    // QAccessibleEditableTextInterface: into an entry field as if typed.
    void deleteText(int startOffset, int endOffset) override { replaceText(startOffset, endOffset, QString()); }
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString &text) override
    {
        const int start = bounded(startOffset), end = bounded(endOffset);
        if (edit()->isReadOnly() || (start >= end && text.isEmpty()))
            return;
        edit()->setSelection(start, end - start);
        if (text.isEmpty())
            edit()->del();
        else if (auto *entry = qobject_cast<EntryEdit *>(edit()))
            entry->insertAsTyped(text);
        else
            edit()->insert(text);
    }

private:
    QString lineText() const override { return shown(); }
    QString shown() const { return edit()->echoMode() == QLineEdit::Normal ? edit()->text() : edit()->displayText(); }
};

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLineEdit"))
        return new LineEditAccessible(static_cast<QLineEdit *>(object));
    return nullptr;
}

} // namespace

void installLineEditAccessibility()
{
    static const bool installed = (QAccessible::installFactory(factory), true);
    Q_UNUSED(installed);
}
