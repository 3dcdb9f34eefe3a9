// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry/frm_open_birth.h"

#include "births/birth_store.h"
#include "entry/birth_text.h"
#include "rules/calendar_text.h"

#include <QCoreApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zenthra {

FrmOpenBirth::FrmOpenBirth(const BirthStore& store, QWidget* parent)
    : QDialog(parent)
    , store_(store)
{
    setObjectName(QStringLiteral("frmOpenBirth"));
    setWindowTitle(QStringLiteral("Open Birth"));

    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->setAccessibleName(QStringLiteral("Search saved births"));
    txtSearch->setPlaceholderText(QStringLiteral("Name or place"));
    auto* searchLabel = new QLabel(QStringLiteral("&Search:"), this);
    searchLabel->setBuddy(txtSearch);

    lstBirths = new QTreeWidget(this);
    lstBirths->setObjectName(QStringLiteral("lstBirths"));
    lstBirths->setAccessibleName(QStringLiteral("Saved births"));
    lstBirths->setHeaderLabels(
        {QStringLiteral("Name"), QStringLiteral("Date"), QStringLiteral("Place")});
    lstBirths->setRootIsDecorated(false);
    lstBirths->setUniformRowHeights(true);
    lstBirths->setAllColumnsShowFocus(true);
    lstBirths->header()->setStretchLastSection(true);
    const int em = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    lstBirths->setColumnWidth(0, 14 * em);
    lstBirths->setColumnWidth(1, 16 * em);
    lstBirths->setMinimumSize(50 * em, 18 * fontMetrics().height());

    lblMore = new QLabel(this);
    lblMore->setObjectName(QStringLiteral("lblMore"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);

    auto* layout = new QVBoxLayout(this);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(txtSearch, 1);
    layout->addLayout(searchRow);
    layout->addWidget(lstBirths, 1);
    layout->addWidget(lblMore);
    layout->addWidget(buttons);

    // Up and Down in the search box move through the list; Enter opens.
    txtSearch->installEventFilter(this);
    connect(txtSearch, &QLineEdit::textChanged, this, &FrmOpenBirth::onSearchChanged);
    connect(lstBirths, &QTreeWidget::itemActivated, this, &FrmOpenBirth::onItemActivated);
    connect(buttons, &QDialogButtonBox::accepted, this, &FrmOpenBirth::acceptCurrent);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    onSearchChanged(QString());
    txtSearch->setFocus();
}

QString FrmOpenBirth::dateText(const Birth& birth)
{
    return QString::fromStdString(birthDateText(birth.year, birth.month, birth.day) + ", " +
                                  clockText(birth.hour * 60 + birth.minute));
}

void FrmOpenBirth::onSearchChanged(const QString& text)
{
    const QList<Birth> found = store_.search(text, kShownLimit, true);
    // One repaint for the whole refill, however many rows.
    lstBirths->setUpdatesEnabled(false);
    lstBirths->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(found.size());
    // Births of one name show their coordinates too, which may be all that
    // tells them apart.
    const QList<bool> shared = namesShared(found);
    for (qsizetype i = 0; i < found.size(); ++i) {
        const Birth& b = found[i];
        QString place = b.placeText();
        if (shared[i])
            place += (place.isEmpty() ? QString() : QStringLiteral(", ")) + coordinatesText(b);
        auto* item = new QTreeWidgetItem({b.name, dateText(b), place});
        item->setData(0, Qt::UserRole, b.id);
        items << item;
    }
    lstBirths->addTopLevelItems(items);
    if (!items.isEmpty())
        lstBirths->setCurrentItem(items.front());
    lstBirths->setUpdatesEnabled(true);
    if (found.size() >= kShownLimit)
        lblMore->setText(
            QStringLiteral("The %1 most recent are shown: type to find others.").arg(kShownLimit));
    else if (found.isEmpty())
        lblMore->setText(text.trimmed().isEmpty() ? QStringLiteral("No births are saved yet.")
                                                  : QStringLiteral("No saved birth matches."));
    else
        lblMore->clear();
}

void FrmOpenBirth::onItemActivated(QTreeWidgetItem* item)
{
    if (item == nullptr)
        return;
    chosenId_ = item->data(0, Qt::UserRole).toLongLong();
    accept();
}

void FrmOpenBirth::acceptCurrent()
{
    onItemActivated(lstBirths->currentItem());
}

bool FrmOpenBirth::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtSearch && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            acceptCurrent();
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(lstBirths, event);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zenthra
