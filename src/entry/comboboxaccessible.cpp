#include "comboboxaccessible.h"

#include "onelinetext.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>

namespace {

class ComboBoxAccessible : public QAccessibleWidget, public OneLineText {
public:
    explicit ComboBoxAccessible(QComboBox *box) : QAccessibleWidget(box, QAccessible::ComboBox)
    {
        // A new value is told as text put in, which a reader speaks; told as
        // text replaced, Orca would first say "Selection deleted".
        QObject::connect(box, &QComboBox::currentTextChanged, box, [box](const QString &now) {
            QAccessibleTextInsertEvent changed(box, 0, now);
            QAccessible::updateAccessibility(&changed);
        });
    }

    QComboBox *box() const { return static_cast<QComboBox *>(object()); }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The drop-down list, as Qt shows it.
    int childCount() const override { return box()->view() ? 1 : 0; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 && box()->view() ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == box()->view() ? 0 : -1;
    }

    QString text(QAccessible::Text t) const override
    {
        // On Linux a label names the box and the name is its value, as in Qt's own.
        if (t == QAccessible::Value || (t == QAccessible::Name && box()->accessibleName().isEmpty()))
            return value();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = box()->view() && box()->view()->isVisible();
        s.collapsed = !s.expanded;
        return s;
    }
    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override
    {
        if (action == showMenuAction() || action == pressAction()) {
            if (box()->view() && box()->view()->isVisible())
                box()->hidePopup();
            else
                box()->showPopup();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

    // QAccessibleTextInterface: the value, read-only and wholly selected, so
    // a reader takes a new one for what it should speak.
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = selectionIndex == 0 ? characterCount() : 0;
    }
    int selectionCount() const override { return characterCount() > 0 ? 1 : 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return rect(); }
    int offsetAtPoint(const QPoint &) const override { return 0; }
    void scrollToSubstring(int, int) override {}

private:
    QString lineText() const override { return value(); }
    QString value() const { return box()->currentText(); }
};

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    // A box one types into has a line edit, which tells its text itself.
    if (className == QLatin1String("QComboBox") && !static_cast<QComboBox *>(object)->isEditable())
        return new ComboBoxAccessible(static_cast<QComboBox *>(object));
    return nullptr;
}

} // namespace

void installComboBoxAccessibility()
{
    static const bool installed = (QAccessible::installFactory(factory), true);
    Q_UNUSED(installed);
}
