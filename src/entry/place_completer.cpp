// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry/place_completer.h"

#include "ui/accessibility.h"

#include <QAbstractItemView>
#include <QAbstractListModel>
#include <QAccessible>
#include <QApplication>
#include <QCompleter>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWindow>

#include <utility>

namespace zenthra {

class PlaceListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void setPlaces(std::vector<Place> places)
    {
        beginResetModel();
        places_ = std::move(places);
        endResetModel();
    }
    const std::vector<Place>& places() const { return places_; }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(places_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount({}))
            return {};
        const Place& p = places_[static_cast<std::size_t>(index.row())];
        if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::AccessibleTextRole)
            return PlaceCompleter::suggestionText(p);
        if (role == Qt::UserRole)
            return index.row();
        return {};
    }

private:
    std::vector<Place> places_;
};

PlaceCompleter::PlaceCompleter(QLineEdit* cityBox, int maxSuggestions)
    : QObject(cityBox)
    , box_(cityBox)
    , model_(new PlaceListModel(this))
    , completer_(new QCompleter(model_, this))
    , maxSuggestions_(maxSuggestions)
{
    // Not QLineEdit::setCompleter: that would write each highlighted
    // suggestion into the box, and the box holds the city name only.
    completer_->setWidget(box_);
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setMaxVisibleItems(maxSuggestions);
    QAbstractItemView* list = completer_->popup();
    attachPopup(list, box_);
    // Installed after the completer's own filter, so it sees the events first.
    list->installEventFilter(this);
    // The list never takes the focus, so Qt does not announce the highlighted
    // suggestion; do it here.
    connect(completer_, qOverload<const QModelIndex&>(&QCompleter::highlighted), this,
            [this, list] {
                // Qt reports one move more than once; announce the item once.
                if (!list->currentIndex().isValid() || announced_ == list->currentIndex())
                    return;
                announced_ = list->currentIndex();
                QAccessibleEvent event(list, QAccessible::Focus);
                event.setChild(list->currentIndex().row());
                QAccessible::updateAccessibility(&event);
            });

    // textEdited, not textChanged: text set by the program opens no list.
    connect(box_, &QLineEdit::textEdited, this, &PlaceCompleter::onTextEdited);
    connect(completer_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            &PlaceCompleter::onActivated);
}

PlaceCompleter::~PlaceCompleter()
{
    // The list dies with the completer; it must not call back into a
    // half-destroyed filter on its way out.
    completer_->popup()->removeEventFilter(this);
    delete completer_;
}

QAbstractItemView* PlaceCompleter::popup() const
{
    return completer_->popup();
}

const std::vector<Place>& PlaceCompleter::suggestions() const
{
    return model_->places();
}

QString PlaceCompleter::suggestionText(const Place& place)
{
    return place.suggestionText();
}

bool PlaceCompleter::eventFilter(QObject* watched, QEvent* event)
{
    // A click outside the open list closes it. QCompleter would swallow that
    // click, leaving the keyboard in the city box; hand it on to what was
    // clicked instead.
    QAbstractItemView* list = completer_->popup();
    if (watched != list || event->type() != QEvent::MouseButtonPress)
        return QObject::eventFilter(watched, event);
    const auto* press = static_cast<QMouseEvent*>(event);
    const QPointF global = press->globalPosition();
    if (list->rect().contains(list->mapFromGlobal(global).toPoint()))
        return false;
    list->hide();
    QWidget* target = QApplication::widgetAt(global.toPoint());
    if (!target)
        return true;
    // Focus as a click gives it, then the press itself for the rest (a list
    // opens, a button goes down and is released by the user's own release).
    for (QWidget* w = target; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus)) {
            w->setFocus(Qt::MouseFocusReason);
            break;
        }
    }
    QWindow* window = target->window()->windowHandle();
    const QPointF local = window->mapFromGlobal(global);
    QCoreApplication::postEvent(window, new QMouseEvent(QEvent::MouseButtonPress, local, local,
                                                        global, press->button(), press->buttons(),
                                                        press->modifiers()));
    return true;
}

void PlaceCompleter::onTextEdited(const QString& text)
{
    offer(text);
}

std::optional<Place> PlaceCompleter::nearestOffered() const
{
    if (nearestFor_.isEmpty() || nearestFor_ != box_->text() || model_->places().empty())
        return std::nullopt;
    return model_->places().front();
}

void PlaceCompleter::offerForBox()
{
    offer(box_->text());
}

void PlaceCompleter::offer(const QString& text)
{
    const Atlas& atlas = Atlas::shared();
    std::vector<Place> places = atlas.search(text, maxSuggestions_);
    nearestFor_.clear();
    if (places.empty()) {
        places = atlas.nearest(text, maxSuggestions_);
        nearestFor_ = text;
    }
    model_->setPlaces(std::move(places));
    if (model_->places().empty())
        completer_->popup()->hide();
    else
        completer_->complete();
}

void PlaceCompleter::onActivated(const QModelIndex& index)
{
    const QVariant row = index.data(Qt::UserRole);
    const auto& places = model_->places();
    if (!row.isValid() || row.toInt() < 0 || row.toInt() >= static_cast<int>(places.size()))
        return;
    // A copy: the signal's receivers may type into the box and so refill the list.
    const Place chosen = places[static_cast<std::size_t>(row.toInt())];
    Q_EMIT placeChosen(chosen);
}

} // namespace zenthra
