#include "partialwindow.h"

#include "partiallistmodel.h"

#include "form/accessiblefactory.h"
#include "form/celltexts.h"
#include "form/quietscrollbar.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {
/// A call drawn straight in its font on a plain or selected row, each text
/// laid out once: the style's item drawing lays every text out twice at
/// every paint, which made most of a keystroke's time. A repeat's colour
/// lies under black text, as in the call fields: aqua text on white could
/// not be read. A selected repeat keeps its colour inside the highlight.
class CallDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette::ColorGroup group = option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
        painter->save();
        if (selected)
            painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        const QVariant repeat = index.data(Qt::BackgroundRole);
        if (repeat.isValid())
            painter->fillRect(selected ? option.rect.adjusted(2, 2, -2, -2) : option.rect, repeat.value<QBrush>());
        const QVariant font = index.data(Qt::FontRole);
        const bool bold = font.isValid();
        painter->setFont(bold ? font.value<QFont>() : option.font);
        painter->setPen(repeat.isValid()
                            ? QColor(Qt::black)
                            : option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        m_texts.draw(painter, option.rect.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     index.data().toString(), bold);
        painter->restore();
    }

private:
    mutable CellTexts m_texts;
};
} // namespace

PartialWindow::PartialWindow(PartialListModel &list, QWidget *parent) : QWidget(parent, Qt::Window), m_model(list)
{
    setObjectName(QStringLiteral("Partial"));
    readAsWindow(this);
    setWindowTitle(QStringLiteral("Частичные позывные"));
    resize(200, 292);
    setMinimumSize(140, 150); // a few rows and a readable status line

    m_list = new QListView(this);
    m_list->setModel(&list);
    m_list->setUniformItemSizes(true); // one row's height serves every row
    QuietScrollBar::putInto(*m_list);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setItemDelegate(new CallDelegate(m_list));
    m_list->setAccessibleName(QStringLiteral("Позывные, содержащие набранное"));
    m_list->installEventFilter(this);
    connect(m_list, &QListView::doubleClicked, this, &PartialWindow::take);

    m_status = new QLabel(this);
    // A long count or the note that the log is still being read takes a
    // second line: it never widens the window, and nothing is cut.
    m_status->setWordWrap(true);
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    m_status->setSizePolicy(policy);
    m_status->setMinimumHeight(19); // a line, even with nothing to say
    m_status->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    connect(&list, &PartialListModel::statusChanged, m_status, &QLabel::setText);

    auto *layout = new QVBoxLayout(this);
    // The window's own minimum holds: a status line that takes a second line
    // must not change the window's size limits (the window manager would
    // hear of it at every key).
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_list);
    layout->addWidget(m_status);
}

QString PartialWindow::statusText() const
{
    return m_status->text();
}

void PartialWindow::enterList()
{
    if (m_model.rowCount() == 0)
        return;
    if (!m_list->currentIndex().isValid())
        m_list->setCurrentIndex(m_model.index(0));
    activateWindow();
    m_list->setFocus();
}

void PartialWindow::take(const QModelIndex &index)
{
    if (index.isValid())
        emit taken(m_model.call(index.row()));
}

bool PartialWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::FocusIn) {
        // A reader hears of the list's focus after this event, and would
        // name the list but not the call: the current call is set again
        // once the list has the focus, which names it.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!m_list->hasFocus() || m_model.rowCount() == 0)
                    return;
                const QModelIndex at = m_list->currentIndex().isValid() ? m_list->currentIndex() : m_model.index(0);
                m_list->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
                m_list->setCurrentIndex(at);
            },
            Qt::QueuedConnection);
    }
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: take(m_list->currentIndex()); return true;
        case Qt::Key_Escape: emit left(); return true;
        case Qt::Key_Backspace:
        case Qt::Key_Delete: emit typed(key); return true;
        }
        // The list's own search by typed letters would swallow what the
        // operator meant for the call.
        const bool command = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (!command && !key->text().isEmpty() && key->text().at(0).isPrint()) {
            emit typed(key);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PartialWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    emit seen(true);
}

void PartialWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    emit seen(false);
}
