// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessibility.h"

#include "ui/link_label.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPointer>

namespace zenthra {
namespace {

const char kDecorative[] = "zenthraDecorative";
const char kPopupOwner[] = "zenthraPopupOwner";

// A plain container, or a window built on QWidget. Qt lists every child,
// hidden ones too; a screen reader would read out a banner that is not on
// the screen.
class ContainerInterface : public QAccessibleWidget {
public:
    explicit ContainerInterface(QWidget* widget)
        : QAccessibleWidget(widget, widget->isWindow() ? QAccessible::Window : QAccessible::Client)
    {
    }

    int childCount() const override { return int(children().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> list = children();
        return index >= 0 && index < list.size()
                   ? QAccessible::queryAccessibleInterface(list[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? int(children().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
    }

private:
    QList<QWidget*> children() const
    {
        QList<QWidget*> out;
        for (QObject* object : widget()->children()) {
            auto* w = qobject_cast<QWidget*>(object);
            if (w && !w->isWindow() && !qobject_cast<QMenu*>(w) && w->isVisibleTo(widget()) &&
                !w->property(kDecorative).toBool())
                out.append(w);
        }
        if (widget()->isWindow())
            for (QWidget* popup : popups())
                out.append(popup);
        return out;
    }

    // The attached pop-up lists now showing over this window.
    QList<QWidget*> popups() const
    {
        QList<QWidget*> out;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            const auto owner = top->property(kPopupOwner).value<QPointer<QWidget>>();
            if (top->isVisible() && owner && owner->window() == widget())
                out.append(top);
        }
        return out;
    }
};

class LinkInterface : public QAccessibleWidget {
public:
    explicit LinkInterface(LinkLabel* link)
        : QAccessibleWidget(link, QAccessible::Link)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const LinkLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.linked = true;
        return s;
    }
    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            static_cast<LinkLabel*>(widget())->click();
        else
            QAccessibleWidget::doAction(action);
    }
};

// Qt names a drop-down list by its current entry on Linux, whatever its
// accessible name. Here the name says what the list is for and the entry is
// its text, which a screen reader reads after the name.
class ComboInterface : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ComboInterface(QComboBox* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if ((t == QAccessible::Name && combo()->accessibleName().isEmpty()) ||
            t == QAccessible::Value)
            return combo()->currentText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = combo()->view()->isVisible();
        s.collapsed = !s.expanded;
        return s;
    }

    // The list of entries, as in Qt's own interface.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() == combo()->view() ? 0 : -1;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (combo()->view()->isVisible())
            combo()->hidePopup();
        else
            combo()->showPopup();
    }

    // The current entry as read-only text.
    QString text(int start, int end) const override
    {
        return combo()->currentText().mid(start, end - start);
    }
    int characterCount() const override { return int(combo()->currentText().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("zenthra::LinkLabel"))
        return new LinkInterface(static_cast<LinkLabel*>(widget));
    if (className == QLatin1String("QComboBox") && !static_cast<QComboBox*>(widget)->isEditable())
        return new ComboInterface(static_cast<QComboBox*>(widget));
    // A plain QWidget or one of our windows built directly on it; Qt's own
    // helpers (a scroll area's viewport) keep their interface.
    const QMetaObject* type = widget->metaObject();
    const bool plain =
        type == &QWidget::staticMetaObject || type->superClass() == &QWidget::staticMetaObject;
    if (className == QLatin1String("QWidget") && plain &&
        !widget->objectName().startsWith(QLatin1String("qt_")))
        return new ContainerInterface(widget);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&factory);
        return true;
    }();
    Q_UNUSED(installed);
}

void hideFromScreenReaders(QWidget* widget)
{
    widget->setProperty(kDecorative, true);
}

void attachPopup(QWidget* popup, QWidget* owner)
{
    popup->setProperty(kPopupOwner, QVariant::fromValue(QPointer<QWidget>(owner)));
}

} // namespace zenthra
