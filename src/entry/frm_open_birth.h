// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace zenthra {

struct Birth;
class BirthStore;

// "Open Birth": the saved births by name, date and place, narrowed as the
// user types. Enter, a double click or Open picks the highlighted one.
class FrmOpenBirth : public QDialog {
    Q_OBJECT
public:
    explicit FrmOpenBirth(const BirthStore& store, QWidget* parent = nullptr);

    // The picked birth's id once accepted; 0 before.
    qint64 chosenId() const { return chosenId_; }

    // Most births a search shows; typing narrows the rest down.
    static constexpr int kShownLimit = 200;

    // "15 August 1947, 00:00"
    static QString dateText(const Birth& birth);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* txtSearch = nullptr;
    QTreeWidget* lstBirths = nullptr;
    QLabel* lblMore = nullptr;

    void onSearchChanged(const QString& text);
    void onItemActivated(QTreeWidgetItem* item);
    void acceptCurrent();

    const BirthStore& store_;
    qint64 chosenId_ = 0;
};

} // namespace zenthra
