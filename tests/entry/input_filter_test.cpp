// SPDX-License-Identifier: GPL-3.0-or-later
// The key filters and the validation of the main window, driven through the
// window with real key events, the clipboard, drops and input methods.
#include "app/shutdown.h"
#include "entry/frm_main.h"
#include "entry/input_filter.h"
#include "entry/key_rules.h"
#include "entry/modal_watcher.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace zenthra;
using zenthra::test::ModalWatcher;
using zenthra::test::SeenModal;

Q_DECLARE_METATYPE(Qt::Key)
Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

namespace {

const QString kLetters = QStringLiteral("Please Enter only Letters");
const QString kNumbers = QStringLiteral("Only Numbers Are Accepted");
const QString kTitle = QStringLiteral("Zenthra v1.35");

// One key as the desktop delivers it: the key, its modifiers and its text.
void pressKey(QWidget* box, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    QTest::sendKeyEvent(QTest::Press, box, key, text, modifiers);
    QTest::sendKeyEvent(QTest::Release, box, key, text, modifiers);
}

QString messageFor(const QString& box)
{
    return box == QLatin1String("txtName") ? kLetters : kNumbers;
}

QMessageBox::Icon iconFor(const QString& box)
{
    return box == QLatin1String("txtName") ? QMessageBox::Information : QMessageBox::Critical;
}

} // namespace

class InputFilterTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void keyRules();
    void typedCharacters_data();
    void typedCharacters();

    void smallLettersBecomeCapitals();
    void refusedKeys_data();
    void refusedKeys();
    void acceptedKeys_data();
    void acceptedKeys();
    void keysThatTypeNothingWorkSilently();
    void tabLeavesTheBox();
    void pasteFromTheKeyboard_data();
    void pasteFromTheKeyboard();
    void pasteCalledDirectly();
    void pasteFromTheContextMenu();
    void drop_data();
    void drop();
    void inputMethod_data();
    void inputMethod();
    void undoAndRedoStillWork();
    void programTextIsNotFiltered();

    void validation_data();
    void validation();
    void validationChangesNothingElse();

private:
    QPointer<FrmMain> window_;
};

void InputFilterTest::init()
{
    setProcessEnder([] {});
    window_ = new FrmMain;
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
}

void InputFilterTest::cleanup()
{
    delete window_.data();
    setProcessEnder({});
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
}

void InputFilterTest::keyRules()
{
    // Every code from 0 to 255 against the rules as sets of codes.
    for (int code = 0; code < 256; ++code) {
        const bool capital = code >= 65 && code <= 90;
        const bool small = code >= 97 && code <= 122;
        const int letters = capital ? code
                            : small ? code - 32
                            : (code == 32 || code == 13 || code == 8) ? code
                                                                       : 0;
        QCOMPARE(filterKeyCode(KeyRule::Letters, code), letters);
        const int digits = ((code >= 48 && code <= 57) || code == 8) ? code : 0;
        QCOMPARE(filterKeyCode(KeyRule::Digits, code), digits);
    }
    QCOMPARE(filterArrivingText(KeyRule::Letters, u"ada lovelace"), std::u16string(u"ADA LOVELACE"));
    QCOMPARE(filterArrivingText(KeyRule::Letters, u"o'brien"), std::nullopt);
    QCOMPARE(filterArrivingText(KeyRule::Letters, u"ADA\r"), std::nullopt);
    QCOMPARE(filterArrivingText(KeyRule::Letters, u"\u00fc"), std::nullopt);
    QCOMPARE(filterArrivingText(KeyRule::Digits, u"007"), std::u16string(u"007"));
    QCOMPARE(filterArrivingText(KeyRule::Digits, u"1.5"), std::nullopt);
    QCOMPARE(filterArrivingText(KeyRule::Digits, u"\b"), std::nullopt);
    QCOMPARE(filterArrivingText(KeyRule::Digits, u""), std::u16string());
}

void InputFilterTest::typedCharacters_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("typed");
    const Qt::KeyboardModifiers none;
    QTest::newRow("a") << Qt::Key_A << none << "a" << "a";
    QTest::newRow("Backspace") << Qt::Key_Backspace << none << "\b" << "\b";
    QTest::newRow("Enter") << Qt::Key_Return << none << "\r" << "\r";
    // A test tool sends the plain letter with Control, the desktop the code.
    QTest::newRow("Control+V as a tool") << Qt::Key_V << Qt::KeyboardModifiers(Qt::ControlModifier)
                                         << "v" << "\x16";
    QTest::newRow("Control+V as X11") << Qt::Key_V << Qt::KeyboardModifiers(Qt::ControlModifier)
                                      << "\x16" << "\x16";
    QTest::newRow("Control+C") << Qt::Key_C << Qt::KeyboardModifiers(Qt::ControlModifier) << "c"
                               << "\x03";
    QTest::newRow("Control+1") << Qt::Key_1 << Qt::KeyboardModifiers(Qt::ControlModifier) << "1"
                               << "";
    QTest::newRow("Delete") << Qt::Key_Delete << none << "\x7f" << "";
    QTest::newRow("Tab") << Qt::Key_Tab << none << "\t" << "";
    QTest::newRow("Left") << Qt::Key_Left << none << "" << "";
    QTest::newRow("Alt+N") << Qt::Key_N << Qt::KeyboardModifiers(Qt::AltModifier) << "n" << "";
    QTest::newRow("AltGr as Control+Alt")
        << Qt::Key_Q << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier) << "@"
        << "@";
}

void InputFilterTest::typedCharacters()
{
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, typed);
    const QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QCOMPARE(zenthra::typedCharacters(event), typed);
}

void InputFilterTest::smallLettersBecomeCapitals()
{
    ModalWatcher watcher;
    QTest::keyClick(window_->txtName, Qt::Key_A);
    QCOMPARE(window_->txtName->text(), QStringLiteral("A"));
    QTest::keyClicks(window_->txtName, QStringLiteral("da Lovelace"));
    QCOMPARE(window_->txtName->text(), QStringLiteral("ADA LOVELACE"));
    QVERIFY(watcher.seen().isEmpty());
}

void InputFilterTest::refusedKeys_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers control(Qt::ControlModifier);
    QTest::newRow("name [") << "txtName" << Qt::Key_BracketLeft << none << "[";
    QTest::newRow("name `") << "txtName" << Qt::Key_QuoteLeft << none << "`";
    QTest::newRow("name @") << "txtName" << Qt::Key_At << none << "@";
    QTest::newRow("name digit") << "txtName" << Qt::Key_7 << none << "7";
    QTest::newRow("name hyphen") << "txtName" << Qt::Key_Minus << none << "-";
    QTest::newRow("name apostrophe") << "txtName" << Qt::Key_Apostrophe << none << "'";
    QTest::newRow("name u umlaut") << "txtName" << Qt::Key_unknown << none << "\u00fc";
    QTest::newRow("name Control+V") << "txtName" << Qt::Key_V << control << "v";
    QTest::newRow("name Control+C") << "txtName" << Qt::Key_C << control << "c";
    for (const char* box : {"txtLatD", "txtLatM", "txtLonD", "txtLonM"}) {
        QTest::addRow("%s point", box) << box << Qt::Key_Period << none << ".";
        QTest::addRow("%s minus", box) << box << Qt::Key_Minus << none << "-";
        QTest::addRow("%s Control+V", box) << box << Qt::Key_V << control << "v";
    }
    QTest::newRow("lat deg space") << "txtLatD" << Qt::Key_Space << none << " ";
    QTest::newRow("lon deg Enter") << "txtLonD" << Qt::Key_Return << none << "\r";
    QTest::newRow("lon min letter") << "txtLonM" << Qt::Key_E << none << "e";
    QTest::newRow("lat min plus") << "txtLatM" << Qt::Key_Plus << none << "+";
    QTest::newRow("lat deg Control+Z") << "txtLatD" << Qt::Key_Z << control << "z";
}

void InputFilterTest::refusedKeys()
{
    QFETCH(QString, box);
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    auto* edit = window_->findChild<QLineEdit*>(box);
    QVERIFY(edit != nullptr);
    // Something worth pasting, so a paste that slipped through would show.
    QGuiApplication::clipboard()->setText(box == QLatin1String("txtName") ? QStringLiteral("X")
                                                                          : QStringLiteral("9"));
    const QString before = box == QLatin1String("txtName") ? QStringLiteral("AB")
                                                           : QStringLiteral("1");
    edit->setText(before);
    edit->setFocus();
    {
        ModalWatcher watcher;
        pressKey(edit, key, modifiers, text);
        QCOMPARE(watcher.seen().size(), 1);
        const SeenModal& seen = watcher.seen().first();
        QCOMPARE(seen.text, messageFor(box));
        QCOMPARE(seen.icon, iconFor(box));
        QCOMPARE(seen.title, kTitle);
    }
    QCOMPARE(edit->text(), before);
}

void InputFilterTest::acceptedKeys_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("keys"); // typed one by one
    QTest::addColumn<QString>("result");
    QTest::newRow("name with blanks") << "txtName" << "mary ann" << "MARY ANN";
    QTest::newRow("name capitals") << "txtName" << "ZED" << "ZED";
    QTest::newRow("name Enter") << "txtName" << "ab\r" << "AB";
    QTest::newRow("name Backspace") << "txtName" << "abc\b" << "AB";
    QTest::newRow("lat deg") << "txtLatD" << "89" << "89";
    QTest::newRow("lon deg") << "txtLonD" << "179" << "179";
    QTest::newRow("lon min Backspace") << "txtLonM" << "5\b0" << "0";
    QTest::newRow("lat min") << "txtLatM" << "07" << "07";
}

void InputFilterTest::acceptedKeys()
{
    QFETCH(QString, box);
    QFETCH(QString, keys);
    QFETCH(QString, result);
    auto* edit = window_->findChild<QLineEdit*>(box);
    QVERIFY(edit != nullptr);
    ModalWatcher watcher;
    for (const QChar c : keys) {
        if (c == QLatin1Char('\b'))
            QTest::keyClick(edit, Qt::Key_Backspace);
        else if (c == QLatin1Char('\r'))
            QTest::keyClick(edit, Qt::Key_Return);
        else
            QTest::keyClick(edit, c.toLatin1());
    }
    QCOMPARE(edit->text(), result);
    QVERIFY(watcher.seen().isEmpty());
}

void InputFilterTest::keysThatTypeNothingWorkSilently()
{
    ModalWatcher watcher;
    QLineEdit* edit = window_->txtLonD;
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("123"));
    QTest::keyClick(edit, Qt::Key_Left);
    QCOMPARE(edit->cursorPosition(), 2);
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(edit->text(), QStringLiteral("12"));
    QTest::keyClick(edit, Qt::Key_Home);
    QCOMPARE(edit->cursorPosition(), 0);
    QTest::keyClick(edit, Qt::Key_End);
    QCOMPARE(edit->cursorPosition(), 2);
    QTest::keyClick(edit, Qt::Key_Home, Qt::ShiftModifier);
    QCOMPARE(edit->selectedText(), QStringLiteral("12"));
    for (const Qt::Key key : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_F1, Qt::Key_F5,
                              Qt::Key_Insert, Qt::Key_Up, Qt::Key_Down})
        QTest::keyClick(edit, key);
    QCOMPARE(edit->text(), QStringLiteral("12"));
    QVERIFY(watcher.seen().isEmpty());
}

void InputFilterTest::tabLeavesTheBox()
{
    ModalWatcher watcher;
    window_->txtLatD->setFocus();
    QTest::keyClick(window_->txtLatD, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window_->txtLatM);
    QTest::keyClick(window_->txtLatM, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), window_->txtLatD);
    QVERIFY(watcher.seen().isEmpty());
}

void InputFilterTest::pasteFromTheKeyboard_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("refused");
    QTest::newRow("digits") << "txtLonD" << "1" << "23" << "123" << false;
    QTest::newRow("digits past the limit") << "txtLatD" << "" << "123" << "12" << false;
    QTest::newRow("decimal") << "txtLonD" << "" << "1.5" << "" << true;
    QTest::newRow("negative") << "txtLatM" << "3" << "-4" << "3" << true;
    QTest::newRow("blank inside") << "txtLonM" << "" << "1 2" << "" << true;
    QTest::newRow("name in small letters") << "txtName" << "" << "ada lovelace"
                                           << "ADA LOVELACE" << false;
    QTest::newRow("name with apostrophe") << "txtName" << "AB" << "o'brien" << "AB" << true;
    QTest::newRow("name with line break") << "txtName" << "" << "ADA\nBYRON" << "" << true;
}

void InputFilterTest::pasteFromTheKeyboard()
{
    QFETCH(QString, box);
    QFETCH(QString, before);
    QFETCH(QString, clipboard);
    QFETCH(QString, after);
    QFETCH(bool, refused);
    auto* edit = window_->findChild<QLineEdit*>(box);
    edit->setText(before);
    edit->setFocus();
    QGuiApplication::clipboard()->setText(clipboard);
    ModalWatcher watcher;
    QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(edit->text(), after);
    if (refused) {
        QTRY_COMPARE(watcher.seen().size(), 1);
        QCOMPARE(watcher.seen().first().text, messageFor(box));
        QCOMPARE(watcher.seen().first().icon, iconFor(box));
        QCOMPARE(watcher.seen().first().title, kTitle);
        QCOMPARE(edit->text(), before);
    } else {
        QTest::qWait(50); // a message, if one were coming, would be on its way by now
        QVERIFY(watcher.seen().isEmpty());
    }
}

void InputFilterTest::pasteCalledDirectly()
{
    QLineEdit* edit = window_->txtLonM;
    edit->setText(QStringLiteral("4"));
    QGuiApplication::clipboard()->setText(QStringLiteral("x"));
    ModalWatcher watcher;
    edit->paste();
    QCOMPARE(edit->text(), QStringLiteral("4"));
    QTRY_COMPARE(watcher.seen().size(), 1);
    QCOMPARE(watcher.seen().first().text, kNumbers);

    QGuiApplication::clipboard()->setText(QStringLiteral("5"));
    edit->paste();
    QCOMPARE(edit->text(), QStringLiteral("45"));
}

void InputFilterTest::pasteFromTheContextMenu()
{
    QLineEdit* edit = window_->txtName;
    QGuiApplication::clipboard()->setText(QStringLiteral("ada 2"));
    ModalWatcher watcher;
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, edit->rect().center(),
                                edit->mapToGlobal(edit->rect().center()));
    QApplication::sendEvent(edit, &menuEvent);
    QMenu* menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr);
    QAction* paste = nullptr;
    for (QAction* action : menu->actions())
        if (action->text().startsWith(QLatin1String("&Paste")))
            paste = action;
    QVERIFY(paste != nullptr);
    if (paste == nullptr)
        return;
    paste->trigger();
    menu->close();
    QCOMPARE(edit->text(), QString());
    QTRY_COMPARE(watcher.seen().size(), 1);
    QCOMPARE(watcher.seen().first().text, kLetters);
    QCOMPARE(watcher.seen().first().icon, QMessageBox::Information);
}

void InputFilterTest::drop_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("dropped");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("refused");
    QTest::newRow("digits") << "txtLonD" << "77" << "77" << false;
    QTest::newRow("decimal") << "txtLonD" << "7.5" << "" << true;
    QTest::newRow("name") << "txtName" << "grace" << "GRACE" << false;
    QTest::newRow("name with digit") << "txtName" << "r2d2" << "" << true;
}

void InputFilterTest::drop()
{
    QFETCH(QString, box);
    QFETCH(QString, dropped);
    QFETCH(QString, after);
    QFETCH(bool, refused);
    auto* edit = window_->findChild<QLineEdit*>(box);
    QMimeData data;
    data.setText(dropped);
    const QPointF at(edit->rect().center());
    ModalWatcher watcher;
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &move);
    QDropEvent dropEvent(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &dropEvent);
    QCOMPARE(edit->text(), after);
    if (refused) {
        QTRY_COMPARE(watcher.seen().size(), 1);
        QCOMPARE(watcher.seen().first().text, messageFor(box));
    } else {
        QTest::qWait(50);
        QVERIFY(watcher.seen().isEmpty());
    }
}

void InputFilterTest::inputMethod_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("commit");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("refused");
    QTest::newRow("name") << "txtName" << "li" << "LI" << false;
    QTest::newRow("name in another script") << "txtName" << "\u674e" << "" << true;
    QTest::newRow("full-width digit") << "txtLatD" << "\uff11" << "" << true;
    QTest::newRow("digit") << "txtLatD" << "4" << "4" << false;
}

void InputFilterTest::inputMethod()
{
    QFETCH(QString, box);
    QFETCH(QString, commit);
    QFETCH(QString, after);
    QFETCH(bool, refused);
    auto* edit = window_->findChild<QLineEdit*>(box);
    edit->setFocus();
    ModalWatcher watcher;
    QInputMethodEvent event;
    event.setCommitString(commit);
    QApplication::sendEvent(edit, &event);
    QCOMPARE(edit->text(), after);
    if (refused)
        QTRY_COMPARE(watcher.seen().size(), 1);
    else
        QVERIFY(watcher.seen().isEmpty());
}

void InputFilterTest::undoAndRedoStillWork()
{
    ModalWatcher watcher;
    QLineEdit* edit = window_->txtLonD;
    QTest::keyClick(edit, Qt::Key_1);
    QGuiApplication::clipboard()->setText(QStringLiteral("23"));
    QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(edit->text(), QStringLiteral("123"));
    edit->undo();
    QCOMPARE(edit->text(), QStringLiteral("1"));
    edit->redo();
    QCOMPARE(edit->text(), QStringLiteral("123"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    edit->undo();
    QCOMPARE(edit->text(), QStringLiteral("123"));
    QVERIFY(watcher.seen().isEmpty());
}

void InputFilterTest::programTextIsNotFiltered()
{
    ModalWatcher watcher;
    // What the program itself puts in stays, and later typing is judged on
    // its own keys only.
    window_->txtLonD->setText(QStringLiteral("1.5"));
    window_->txtName->setText(QStringLiteral("o'Hara"));
    QCOMPARE(window_->txtLonD->text(), QStringLiteral("1.5"));
    QCOMPARE(window_->txtName->text(), QStringLiteral("o'Hara"));
    window_->txtName->end(false);
    QTest::keyClick(window_->txtName, Qt::Key_S);
    QCOMPARE(window_->txtName->text(), QStringLiteral("o'HaraS"));
    window_->txtLonD->end(false);
    QTest::keyClick(window_->txtLonD, Qt::Key_Backspace);
    QCOMPARE(window_->txtLonD->text(), QStringLiteral("1."));
    QTest::qWait(50);
    QVERIFY(watcher.seen().isEmpty());
}

void InputFilterTest::validation_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("lonDeg");
    QTest::addColumn<QString>("lonMin");
    QTest::addColumn<QString>("latDeg");
    QTest::addColumn<QString>("latMin");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month"); // 1..12
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("message"); // empty: passes
    QTest::addColumn<QString>("focus");   // empty: the focus stays

    const QString lonDeg = QStringLiteral("Please Enter Value Between 0 And 179 in the Degree of Longitude");
    const QString lonMin = QStringLiteral("Please Enter Value Between 0 And 59 in the  Minute of Longitude");
    const QString latDeg = QStringLiteral("Please Enter Value Between 0 And 89 in the Degree of Latitude");
    const QString latMin = QStringLiteral("Please Enter Value Between 0 And 59 in the  Minute of Latitude");
    const QString february = QStringLiteral("Please Enter Correct Date Or Month!");
    const QString thirty = QStringLiteral("Please Enter Correct Date Or Month !");
    const QString name = QStringLiteral("Please Enter Name");

    QTest::newRow("valid") << "ADA" << "77" << "13" << "28" << "40" << 1947 << 8 << 15 << "" << "";
    QTest::newRow("no name") << "" << "77" << "13" << "28" << "40" << 1947 << 8 << 15 << name
                             << "txtName";
    QTest::newRow("blanks only") << "   " << "77" << "13" << "28" << "40" << 1947 << 8 << 15
                                 << name << "txtName";
    QTest::newRow("lon 179") << "A" << "179" << "0" << "0" << "0" << 1947 << 8 << 15 << "" << "";
    QTest::newRow("lon 180") << "A" << "180" << "0" << "0" << "0" << 1947 << 8 << 15 << lonDeg
                             << "txtLonD";
    QTest::newRow("lon 007") << "A" << "007" << "0" << "0" << "0" << 1947 << 8 << 15 << "" << "";
    QTest::newRow("lon min 59") << "A" << "0" << "59" << "0" << "0" << 1947 << 8 << 15 << ""
                                << "";
    QTest::newRow("lon min 60") << "A" << "0" << "60" << "0" << "0" << 1947 << 8 << 15 << lonMin
                                << "txtLonM";
    QTest::newRow("lat 89") << "A" << "0" << "0" << "89" << "0" << 1947 << 8 << 15 << "" << "";
    QTest::newRow("lat 90") << "A" << "0" << "0" << "90" << "0" << 1947 << 8 << 15 << latDeg
                            << "txtLatD";
    QTest::newRow("lat min 59") << "A" << "0" << "0" << "0" << "59" << 1947 << 8 << 15 << ""
                                << "";
    QTest::newRow("lat min 60") << "A" << "0" << "0" << "0" << "60" << 1947 << 8 << 15 << latMin
                                << "txtLatM";
    QTest::newRow("all zero") << "A" << "0" << "0" << "0" << "0" << 1900 << 1 << 1 << "" << "";
    QTest::newRow("coordinates empty") << "A" << "" << "" << "" << "" << 1947 << 8 << 15
                                       << lonDeg << "txtLonD";
    QTest::newRow("lon min empty") << "A" << "10" << "" << "" << "" << 1947 << 8 << 15 << lonMin
                                   << "txtLonM";
    QTest::newRow("lat deg empty") << "A" << "10" << "5" << "" << "" << 1947 << 8 << 15 << latDeg
                                   << "txtLatD";
    QTest::newRow("lat min empty") << "A" << "10" << "5" << "10" << "" << 1947 << 8 << 15
                                   << latMin << "txtLatM";
    // Text the program or a paste of old could leave: only whole numbers count.
    QTest::newRow("degrees with letters") << "A" << "12ab" << "0" << "0" << "0" << 1947 << 8 << 15
                                          << lonDeg << "txtLonD";
    QTest::newRow("Feb 29 1900") << "A" << "0" << "0" << "0" << "0" << 1900 << 2 << 29
                                 << february << "";
    QTest::newRow("Feb 29 1901") << "A" << "0" << "0" << "0" << "0" << 1901 << 2 << 29
                                 << february << "";
    QTest::newRow("Feb 29 1904") << "A" << "0" << "0" << "0" << "0" << 1904 << 2 << 29 << ""
                                 << "";
    QTest::newRow("Feb 29 2000") << "A" << "0" << "0" << "0" << "0" << 2000 << 2 << 29 << ""
                                 << "";
    QTest::newRow("Feb 30 2000") << "A" << "0" << "0" << "0" << "0" << 2000 << 2 << 30
                                 << february << "";
    QTest::newRow("Feb 28 1900") << "A" << "0" << "0" << "0" << "0" << 1900 << 2 << 28 << ""
                                 << "";
    QTest::newRow("April 31") << "A" << "0" << "0" << "0" << "0" << 1990 << 4 << 31 << thirty
                              << "";
    QTest::newRow("November 31") << "A" << "0" << "0" << "0" << "0" << 1990 << 11 << 31
                                 << thirty << "";
    QTest::newRow("April 30") << "A" << "0" << "0" << "0" << "0" << 1990 << 4 << 30 << "" << "";
    QTest::newRow("January 31") << "A" << "0" << "0" << "0" << "0" << 1990 << 1 << 31 << ""
                                << "";
    QTest::newRow("no name hides a bad date") << "" << "0" << "0" << "0" << "0" << 1990 << 4
                                              << 31 << name << "txtName";
    QTest::newRow("bad longitude hides a bad date") << "A" << "200" << "0" << "0" << "0" << 1901
                                                    << 2 << 30 << lonDeg << "txtLonD";
}

void InputFilterTest::validation()
{
    QFETCH(QString, name);
    QFETCH(QString, lonDeg);
    QFETCH(QString, lonMin);
    QFETCH(QString, latDeg);
    QFETCH(QString, latMin);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    FrmMain& w = *window_;
    w.txtName->setText(name);
    w.txtLonD->setText(lonDeg);
    w.txtLonM->setText(lonMin);
    w.txtLatD->setText(latDeg);
    w.txtLatM->setText(latMin);
    w.cboYear->setCurrentIndex(w.cboYear->findText(QString::number(year)));
    w.cboMonth->setCurrentIndex(month - 1);
    w.cboDate->setCurrentIndex(w.cboDate->findText(QString::number(day)));
    QCOMPARE(w.cboYear->currentText(), QString::number(year));
    QCOMPARE(w.cboDate->currentText(), QString::number(day));
    w.cmdRashi->setFocus();

    bool passed = false;
    QList<SeenModal> seen;
    {
        ModalWatcher watcher;
        passed = w.Input_Validation();
        seen = watcher.seen();
    }
    QCOMPARE(passed, message.isEmpty());
    if (message.isEmpty()) {
        QVERIFY(seen.isEmpty());
    } else {
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().text, message);
        QCOMPARE(seen.first().title, kTitle);
        const bool dateMessage = message.startsWith(QLatin1String("Please Enter Correct Date"));
        QCOMPARE(seen.first().icon,
                 dateMessage ? QMessageBox::Information : QMessageBox::Critical);
    }
    QWidget* expectedFocus =
        focus.isEmpty() ? static_cast<QWidget*>(w.cmdRashi) : w.findChild<QWidget*>(focus);
    // The window's own focus: where typing goes once the window is active
    // again (a headless test has no window manager to hand activation back).
    QCOMPARE(w.focusWidget(), expectedFocus);
}

void InputFilterTest::validationChangesNothingElse()
{
    FrmMain& w = *window_;
    w.txtName->setText(QStringLiteral("  ADA "));
    w.txtLonD->setText(QStringLiteral("007"));
    w.txtLonM->setText(QStringLiteral("5"));
    w.txtLatD->setText(QStringLiteral("95"));
    w.txtLatM->setText(QStringLiteral("1"));
    w.cboMonth->setCurrentIndex(3);
    w.cboDate->setCurrentIndex(30);
    const auto snapshot = [&w] {
        QStringList values;
        for (const QLineEdit* box : w.findChildren<QLineEdit*>())
            values << box->objectName() + QLatin1Char('=') + box->text();
        for (const QComboBox* list : w.findChildren<QComboBox*>())
            values << list->objectName() + QLatin1Char('=') + QString::number(list->currentIndex());
        return values;
    };
    const QStringList before = snapshot();
    ModalWatcher watcher;
    QVERIFY(!w.Input_Validation());
    QCOMPARE(snapshot(), before);
    w.txtLatD->setText(QStringLiteral("5"));
    QVERIFY(!w.Input_Validation()); // now April 31
    w.cboDate->setCurrentIndex(29);
    QVERIFY(w.Input_Validation());
    QCOMPARE(watcher.seen().size(), 2);
}

QTEST_MAIN(InputFilterTest)
#include "input_filter_test.moc"
