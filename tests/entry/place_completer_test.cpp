// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry/place_completer.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace zenthra;

class PlaceCompleterTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void theFirstKeystrokeOpensTheList();
    void keyboardChoiceEmitsThePlaceAndLeavesTheBoxAlone();
    void mouseChoiceEmitsTheClickedPlace();
    void typingGoesOnWhileTheListIsOpen();
    void textSetByTheProgramOpensNoList();
    void garbageClosesTheList();
    void aMisspeltNameOffersTheNearestNames();
    void escapeClosesTheListAndKeepsTheText();

private:
    std::unique_ptr<QLineEdit> box_;
    PlaceCompleter* completer_ = nullptr;
};

void PlaceCompleterTest::init()
{
    box_ = std::make_unique<QLineEdit>();
    completer_ = new PlaceCompleter(box_.get(), 8);
    box_->show();
    box_->activateWindow();
    box_->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(box_.get()));
}

void PlaceCompleterTest::cleanup()
{
    box_.reset();
}

// Runs first, so that nothing has opened the atlas before: no waiting for it.
void PlaceCompleterTest::theFirstKeystrokeOpensTheList()
{
    QTest::keyClicks(box_.get(), QStringLiteral("P"));
    QVERIFY(completer_->popup()->isVisible());
    QTest::keyClicks(box_.get(), QStringLiteral("un"));
    QCOMPARE(box_->text(), QStringLiteral("Pun"));
    QVERIFY(completer_->popup()->isVisible());
    bool seen = false;
    for (const Place& p : completer_->suggestions())
        seen = seen || p.displayName() == QStringLiteral("Pune, Maharashtra, India");
    QVERIFY(seen);
}

void PlaceCompleterTest::keyboardChoiceEmitsThePlaceAndLeavesTheBoxAlone()
{
    QSignalSpy chosen(completer_, &PlaceCompleter::placeChosen);
    QTest::keyClicks(box_.get(), QStringLiteral("Pune, Ind"));
    QTRY_VERIFY(completer_->popup()->isVisible());
    QTest::keyClick(completer_->popup(), Qt::Key_Down);
    QTest::keyClick(completer_->popup(), Qt::Key_Return);
    QCOMPARE(chosen.count(), 1);
    const auto place = chosen.at(0).at(0).value<Place>();
    QCOMPARE(place.displayName(), QStringLiteral("Pune, Maharashtra, India"));
    QCOMPARE(place.zoneId, QStringLiteral("Asia/Kolkata"));
    QCOMPARE(box_->text(), QStringLiteral("Pune, Ind"));
    QVERIFY(!completer_->popup()->isVisible());
}

void PlaceCompleterTest::mouseChoiceEmitsTheClickedPlace()
{
    QSignalSpy chosen(completer_, &PlaceCompleter::placeChosen);
    QTest::keyClicks(box_.get(), QStringLiteral("London"));
    QTRY_VERIFY(completer_->popup()->isVisible());
    QAbstractItemView* view = completer_->popup();
    const QModelIndex second = view->model()->index(1, 0);
    QCOMPARE(second.data().toString(), QStringLiteral("London, Ontario, Canada"));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(second).center());
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).value<Place>().displayName(),
             QStringLiteral("London, Ontario, Canada"));
}

void PlaceCompleterTest::typingGoesOnWhileTheListIsOpen()
{
    QTest::keyClicks(box_.get(), QStringLiteral("Lon"));
    QTRY_VERIFY(completer_->popup()->isVisible());
    // Keys reach the open list first; it must hand them on to the box.
    QTest::keyClicks(completer_->popup(), QStringLiteral("don"));
    QCOMPARE(box_->text(), QStringLiteral("London"));
    QVERIFY(completer_->popup()->isVisible());
    QCOMPARE(completer_->suggestions().at(0).displayName(),
             QStringLiteral("London, England, United Kingdom"));
    QTest::keyClick(completer_->popup(), Qt::Key_Backspace);
    QCOMPARE(box_->text(), QStringLiteral("Londo"));
}

void PlaceCompleterTest::textSetByTheProgramOpensNoList()
{
    box_->setText(QStringLiteral("Paris"));
    QCoreApplication::processEvents();
    QVERIFY(!completer_->popup()->isVisible());
    QVERIFY(completer_->suggestions().empty());
}

void PlaceCompleterTest::garbageClosesTheList()
{
    QTest::keyClicks(box_.get(), QStringLiteral("Mad"));
    QTRY_VERIFY(completer_->popup()->isVisible());
    QTest::keyClicks(completer_->popup(), QStringLiteral("qqxz"));
    QCOMPARE(box_->text(), QStringLiteral("Madqqxz"));
    QVERIFY(!completer_->popup()->isVisible());
    QVERIFY(completer_->suggestions().empty());
}

// No place is called so, and the list offers the names spelled most like it.
void PlaceCompleterTest::aMisspeltNameOffersTheNearestNames()
{
    QVERIFY(Atlas::shared().search(QStringLiteral("Bombey"), 1).empty());
    QTest::keyClicks(box_.get(), QStringLiteral("Bombey"));
    QVERIFY(completer_->popup()->isVisible());
    QCOMPARE(completer_->popup()->model()->index(0, 0).data().toString(),
             QStringLiteral("Mumbai (Bombay), Maharashtra, India"));
}

void PlaceCompleterTest::escapeClosesTheListAndKeepsTheText()
{
    QSignalSpy chosen(completer_, &PlaceCompleter::placeChosen);
    QTest::keyClicks(box_.get(), QStringLiteral("Sydney"));
    QTRY_VERIFY(completer_->popup()->isVisible());
    QTest::keyClick(completer_->popup(), Qt::Key_Escape);
    QVERIFY(!completer_->popup()->isVisible());
    QCOMPARE(box_->text(), QStringLiteral("Sydney"));
    QCOMPARE(chosen.count(), 0);
}

QTEST_MAIN(PlaceCompleterTest)
#include "place_completer_test.moc"
