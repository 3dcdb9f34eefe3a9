// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "place/atlas.h"

#include <QObject>
#include <QPersistentModelIndex>
#include <QString>

#include <optional>
#include <vector>

class QAbstractItemView;
class QCompleter;
class QLineEdit;
class QModelIndex;

namespace zenthra {

class PlaceListModel;

// Offers places from the atlas under a city box as the user types, best
// first ("Pune, Maharashtra, India"). Only the user's own edits open the list;
// the box's text is never changed here. When no place matches, the list
// offers the places spelled most like the name typed.
class PlaceCompleter : public QObject {
    Q_OBJECT
public:
    // Owned by cityBox.
    explicit PlaceCompleter(QLineEdit* cityBox, int maxSuggestions = 10);
    ~PlaceCompleter() override;

    // The list under the box.
    QAbstractItemView* popup() const;
    // The places the list offers now, best first.
    const std::vector<Place>& suggestions() const;
    // The place spelled most like the box's text, while the list offers such
    // places because the atlas has none of that name; nothing otherwise.
    std::optional<Place> nearestOffered() const;
    // Opens the list for the box's text, as typing would.
    void offerForBox();

    // The text of one suggestion: the display name, with the other name the
    // search matched in brackets ("Mumbai (Bombay), Maharashtra, India").
    static QString suggestionText(const Place& place);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    // The user picked a suggestion with the mouse or the keyboard.
    void placeChosen(const zenthra::Place& place);

private:
    void onTextEdited(const QString& text);
    void onActivated(const QModelIndex& index);
    void offer(const QString& text);

    QLineEdit* box_;
    PlaceListModel* model_;
    QCompleter* completer_;
    int maxSuggestions_;
    QString nearestFor_;              // the text the list offers near spellings for; empty for none
    QPersistentModelIndex announced_; // the suggestion a screen reader last heard
};

} // namespace zenthra
