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
    void typingBeforeTheAtlasIsLoadedOpensTheListLater();
    void keyboardChoiceEmitsThePlaceAndLeavesTheBoxAlone();
    void mouseChoiceEmitsTheClickedPlace();
    void typingGoesOnWhileTheListIsOpen();
    void textSetByTheProgramOpensNoList();
    void garbageClosesTheList();
    void escapeClosesTheListAndKeepsTheText();

private:
    void waitForAtlas();
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

void PlaceCompleterTest::waitForAtlas()
{
    QTRY_VERIFY_WITH_TIMEOUT(AtlasLoader::instance()->atlas() != nullptr, 60000);
}

// Runs first: the constructor in init() has only just started the load.
void PlaceCompleterTest::typingBeforeTheAtlasIsLoadedOpensTheListLater()
{
    QTest::keyClicks(box_.get(), QStringLiteral("Pun"));
    QCOMPARE(box_->text(), QStringLiteral("Pun"));
    waitForAtlas();
    QTRY_VERIFY(completer_->popup()->isVisible());
    bool seen = false;
    for (const Place& p : completer_->suggestions())
        seen = seen || p.displayName() == QStringLiteral("Pune, Maharashtra, India");
    QVERIFY(seen);
}

void PlaceCompleterTest::keyboardChoiceEmitsThePlaceAndLeavesTheBoxAlone()
{
    waitForAtlas();
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
    waitForAtlas();
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
    waitForAtlas();
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
    waitForAtlas();
    box_->setText(QStringLiteral("Paris"));
    QCoreApplication::processEvents();
    QVERIFY(!completer_->popup()->isVisible());
    QVERIFY(completer_->suggestions().empty());
}

void PlaceCompleterTest::garbageClosesTheList()
{
    waitForAtlas();
    QTest::keyClicks(box_.get(), QStringLiteral("Mad"));
    QTRY_VERIFY(completer_->popup()->isVisible());
    QTest::keyClicks(completer_->popup(), QStringLiteral("qqxz"));
    QCOMPARE(box_->text(), QStringLiteral("Madqqxz"));
    QVERIFY(!completer_->popup()->isVisible());
    QVERIFY(completer_->suggestions().empty());
}

void PlaceCompleterTest::escapeClosesTheListAndKeepsTheText()
{
    waitForAtlas();
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
