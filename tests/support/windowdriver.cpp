#include "windowdriver.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace drive {

bool show(QWidget& window)
{
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

void click(QWidget* target)
{
    QWidget* window = target->window();
    const QPoint centre = target->mapTo(window, target->rect().center());
    QWidget* hit = window->childAt(centre);
    if (hit != target) {
        QTest::qFail(
            qPrintable(QStringLiteral("%1 is covered by %2")
                           .arg(target->objectName(), hit ? hit->objectName() : QStringLiteral("nothing"))),
            __FILE__, __LINE__);
        return;
    }
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(window, centre));
}

void click(const QWidget& window, const char* name)
{
    click(child(window, name));
}

void doubleClick(QWidget* widget, QPoint at)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
}

static QPoint rowCentre(QListWidget* list, int row)
{
    return list->visualItemRect(list->item(row)).center();
}

void selectRow(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, row));
}

void doubleClickRow(QListWidget* list, int row)
{
    doubleClick(list->viewport(), rowCentre(list, row));
}

void type(const QWidget& window, const char* box, const QString& text)
{
    auto* edit = child<QLineEdit>(window, box);
    edit->clear();
    QTest::keyClicks(edit, text);
}

void paste(const QWidget& window, const char* box, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    auto* edit = child<QLineEdit>(window, box);
    edit->clear();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

} // namespace drive
