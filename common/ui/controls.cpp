#include "controls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFrame>
#include <QHelpEvent>
#include <QIcon>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora {
namespace {

// Entries no wider than the list, so that a long one is drawn cut off.
class NamesToWidth : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (const auto* view = qobject_cast<const QAbstractItemView*>(option.widget))
            size.setWidth(std::min(size.width(), view->viewport()->width()));
        return size;
    }
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override
    {
        if (event->type() != QEvent::ToolTip)
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        const QString name = index.data().toString();
        if (option.fontMetrics.horizontalAdvance(name) + 2 * MarginForText > option.rect.width())
            QToolTip::showText(event->globalPos(), name, view->viewport(), option.rect);
        else
            QToolTip::hideText();
        return true;
    }

private:
    static constexpr int MarginForText = 4; // the style's text margin, on either side
};

// A press on the empty part of a view would clear its selection, and with it
// a pupil's chosen name.
class KeepPickOnEmptyClick : public QObject
{
public:
    explicit KeepPickOnEmptyClick(QAbstractItemView* view) : QObject(view), m_view(view)
    {
        view->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto type = event->type();
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
            type == QEvent::MouseButtonRelease) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            if (!m_view->indexAt(at).isValid())
                return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QAbstractItemView* m_view;
};

} // namespace

QLabel* Controls::label(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QPushButton* Controls::button(const QString& name, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

QPushButton* Controls::pictureButton(const QString& name, const QString& text, const QIcon& picture,
                                     QWidget* parent)
{
    QPushButton* pushButton = button(name, text, parent);
    pushButton->setIcon(picture);
    pushButton->setIconSize(QSize(32, 32));
    return pushButton;
}

QFrame* Controls::decoration(const QPixmap& picture, QWidget* parent)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setBackgroundRole(QPalette::Base);
    frame->setAutoFillBackground(true);
    auto* image = new QLabel(frame);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(picture);
    image->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(image);
    layout->addStretch();
    return frame;
}

void Controls::markOnlySelected(QAbstractItemView* view)
{
    // Taking the focus, a view makes its first entry current, with a frame
    // that looks chosen. Without a selection it keeps no current entry: the
    // arrow keys then still start at the first one.
    QObject::connect(qApp, &QApplication::focusChanged, view, [view](QWidget*, QWidget* now) {
        if (now == view && !view->selectionModel()->hasSelection())
            view->selectionModel()->clearCurrentIndex();
    });
    new KeepPickOnEmptyClick(view);
}

void Controls::fitNames(QListWidget* list)
{
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideRight);
    list->setResizeMode(QListView::Adjust);
    list->setItemDelegate(new NamesToWidth(list));
}

int Controls::textWidth(const QWidget* widget, int characters)
{
    constexpr int FrameAndScrollBar = 28;
    return widget->fontMetrics().averageCharWidth() * characters + FrameAndScrollBar;
}

} // namespace velmora
