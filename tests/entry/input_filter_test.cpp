// SPDX-License-Identifier: GPL-3.0-or-later
// The key filters and the validation of the main window, driven through the
// window with real key events, the clipboard, drops and input methods.
#include "entry/frm_main.h"
#include "entry/input_filter.h"
#include "modal_watcher.h"
#include "rules/key_rules.h"
#include "ui/shutdown.h"
#include "widget_access.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace zenthra;
using zenthra::test::child;
using zenthra::test::ModalWatcher;
using zenthra::test::SeenModal;

Q_DECLARE_METATYPE(Qt::Key)
Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

namespace {

const QString kTitle = QStringLiteral("Zenthra v1.35");

// The one message a refusal shows: its text, icon and caption.
void checkRefusal(const QList<SeenModal>& seen, const QString& box)
{
    const bool name = box == QLatin1String("txtName");
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.first().text, name ? QStringLiteral("Please Enter only Letters")
                                     : QStringLiteral("Only Numbers Are Accepted"));
    QCOMPARE(seen.first().icon, name ? QMessageBox::Information : QMessageBox::Critical);
    QCOMPARE(seen.first().title, kTitle);
}

// Puts text into a box the way the route names: "keys" (Backspace and Enter
// as their keys), "Shift+Insert", "paste()", "menu" (Paste of the context
// menu), "drop" or "input method".
void arrive(QLineEdit* edit, const QString& route, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    if (route == QLatin1String("keys")) {
        QTest::keyClicks(edit, text);
    } else if (route == QLatin1String("Shift+Insert")) {
        QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
    } else if (route == QLatin1String("paste()")) {
        edit->paste();
    } else if (route == QLatin1String("menu")) {
        std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
        const QList<QAction*> actions = menu->actions();
        const auto paste = std::find_if(actions.begin(), actions.end(), [](QAction* a) {
            return a->text().startsWith(QLatin1String("&Paste"));
        });
        QVERIFY(paste != actions.end());
        (*paste)->trigger();
    } else if (route == QLatin1String("drop")) {
        QMimeData data;
        data.setText(text);
        const QPoint at = edit->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &move);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &drop);
    } else {
        QVERIFY(route == QLatin1String("input method"));
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(edit, &event);
    }
}

} // namespace

class InputFilterTest : public QObject {
    Q_OBJECT
    QPointer<FrmMain> window_;

private slots:
    void init()
    {
        setProcessEnder([] {});
        window_ = new FrmMain;
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_));
    }

    void cleanup()
    {
        delete window_.data();
        setProcessEnder({});
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void keyRules()
    {
        // Every code from 0 to 255 against the rules as sets of codes.
        for (int code = 0; code < 256; ++code) {
            const bool capital = code >= 65 && code <= 90;
            const bool small = code >= 97 && code <= 122;
            const bool kept = code == 32 || code == 13 || code == 8;
            QCOMPARE(filterKeyCode(KeyRule::Letters, code), capital || kept ? code
                                                            : small         ? code - 32
                                                                            : 0);
            const bool digit = (code >= 48 && code <= 57) || code == 8;
            QCOMPARE(filterKeyCode(KeyRule::Digits, code), digit ? code : 0);
        }
    }

    void refusedKeys_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("text");
        const Qt::KeyboardModifiers none, control(Qt::ControlModifier);
        QTest::newRow("name [") << "txtName" << Qt::Key_BracketLeft << none << "[";
        QTest::newRow("name `") << "txtName" << Qt::Key_QuoteLeft << none << "`";
        QTest::newRow("name @") << "txtName" << Qt::Key_At << none << "@";
        QTest::newRow("name digit") << "txtName" << Qt::Key_7 << none << "7";
        QTest::newRow("name hyphen") << "txtName" << Qt::Key_Minus << none << "-";
        QTest::newRow("name u umlaut") << "txtName" << Qt::Key_unknown << none << "\u00fc";
        // A test tool sends the plain letter with Control, the desktop the
        // control code. Control+B is no editing shortcut: its code is refused.
        QTest::newRow("name Control+B") << "txtName" << Qt::Key_B << control << "b";
        QTest::newRow("name Control+B as X11") << "txtName" << Qt::Key_B << control << "\x02";
        QTest::newRow("name AltGr @")
            << "txtName" << Qt::Key_Q << (control | Qt::AltModifier) << "@";
        for (const char* box : {"txtLatD", "txtLatM", "txtLonD", "txtLonM"}) {
            QTest::addRow("%s point", box) << box << Qt::Key_Period << none << ".";
            QTest::addRow("%s minus", box) << box << Qt::Key_Minus << none << "-";
            QTest::addRow("%s Control+K", box) << box << Qt::Key_K << control << "\x0b";
        }
        QTest::newRow("lat deg space") << "txtLatD" << Qt::Key_Space << none << " ";
        QTest::newRow("lon min letter") << "txtLonM" << Qt::Key_E << none << "e";
    }

    void refusedKeys()
    {
        QFETCH(QString, box);
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, text);
        auto* edit = window_->findChild<QLineEdit*>(box);
        QVERIFY(edit != nullptr);
        // Something worth pasting, so a paste that slipped through would show.
        const bool name = box == QLatin1String("txtName");
        QGuiApplication::clipboard()->setText(name ? QStringLiteral("X") : QStringLiteral("9"));
        const QString before = name ? QStringLiteral("AB") : QStringLiteral("1");
        edit->setText(before);
        edit->setFocus();
        {
            ModalWatcher watcher;
            QTest::sendKeyEvent(QTest::Click, edit, key, text, modifiers);
            checkRefusal(watcher.seen(), box);
        }
        QCOMPARE(edit->text(), before);
    }

    void keysThatTypeNothingWorkSilently()
    {
        ModalWatcher watcher;
        QLineEdit* edit = child<QLineEdit>(*window_, "txtLonD");
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("123"));
        QTest::keyClick(edit, Qt::Key_Left);
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Delete, QStringLiteral("\x7f"), {});
        QCOMPARE(edit->text(), QStringLiteral("12"));
        QTest::keyClick(edit, Qt::Key_Home);
        QCOMPARE(edit->cursorPosition(), 0);
        QTest::keyClick(edit, Qt::Key_End, Qt::ShiftModifier);
        QCOMPARE(edit->selectedText(), QStringLiteral("12"));
        for (const Qt::Key key : {Qt::Key_Shift, Qt::Key_F1, Qt::Key_Insert, Qt::Key_Up})
            QTest::keyClick(edit, key);
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_1, QStringLiteral("1"),
                            Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("12"));
        QTest::keyClick(edit, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(*window_, "txtLonM"));
        // Alt with a letter is an access key, not a typed letter.
        QTest::sendKeyEvent(QTest::Click, child<QLineEdit>(*window_, "txtLonM"), Qt::Key_N,
                            QStringLiteral("n"), Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(*window_, "txtName"));
        QVERIFY(watcher.seen().isEmpty());
    }

    // Each key as the desktop sends it (Control with its control code as the
    // text) in a box where letters or digits were just typed; C and X find
    // them selected. A paste is still filtered.
    void shortcutsAreNotCharacters_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("clip");  // on the clipboard before the key
        QTest::addColumn<QString>("after"); // the text, "|", the selection
        const Qt::KeyboardModifiers control(Qt::ControlModifier);
        const Qt::KeyboardModifiers controlShift(Qt::ControlModifier | Qt::ShiftModifier);
        for (const char* box : {"txtName", "txtLatD", "txtLonM"}) {
            const bool name = qstrcmp(box, "txtName") == 0;
            const QString text = name ? "AB" : "1", clip = name ? "cd" : "2";
            const auto add = [&](const char* what, Qt::Key key, Qt::KeyboardModifiers mods,
                                 const QString& onClipboard, const QString& after) {
                QTest::addRow("%s %s", box, what) << box << key << mods << onClipboard << after;
            };
            add("Control+A", Qt::Key_A, control, clip, text + "|" + text);
            add("Control+Shift+A", Qt::Key_A, controlShift, clip, text + "|");
            add("Control+C", Qt::Key_C, control, clip, text + "|" + text);
            add("Control+X", Qt::Key_X, control, clip, "|");
            add("Control+V", Qt::Key_V, control, clip, (name ? "ABCD" : "12") + QString("|"));
            add("Control+V refused paste", Qt::Key_V, control, "-", text + "|");
            // No paste in a line box, but no character either.
            add("Control+Shift+V", Qt::Key_V, controlShift, clip, text + "|");
            add("Control+Z", Qt::Key_Z, control, clip, "|"); // the typing taken back
            add("Control+Shift+Z", Qt::Key_Z, controlShift, clip, text + "|");
            add("Escape", Qt::Key_Escape, {}, clip, text + "|");
            add("Shift+Home", Qt::Key_Home, Qt::ShiftModifier, clip, text + "|" + text);
        }
    }

    void shortcutsAreNotCharacters()
    {
        QFETCH(QString, box);
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, clip);
        QFETCH(QString, after);
        auto* edit = child<QLineEdit>(*window_, box);
        edit->setFocus();
        edit->clear();
        const QString typed = box == QLatin1String("txtName") ? "ab" : "1";
        QTest::keyClicks(edit, typed); // for undo to take back
        const bool copies = key == Qt::Key_C || key == Qt::Key_X;
        if (copies)
            edit->selectAll();
        QGuiApplication::clipboard()->setText(clip);
        const bool control = modifiers.testFlag(Qt::ControlModifier);
        const QString sent = control                 ? QString(QChar(key & 0x1f))
                             : key == Qt::Key_Escape ? QStringLiteral("\x1b")
                                                     : QString();
        ModalWatcher watcher;
        QTest::sendKeyEvent(QTest::Click, edit, key, sent, modifiers);
        QTest::qWait(20); // a refused paste is said just after the edit
        QCOMPARE(edit->text() + "|" + edit->selectedText(), after);
        QCOMPARE(watcher.seen().size(), clip == QLatin1String("-") ? 1 : 0);
        if (copies)
            QCOMPARE(QGuiApplication::clipboard()->text(), typed.toUpper());
    }

    void arrivingText_data()
    {
        // Typed keys that pass, and every other way that text reaches a box.
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("arriving");
        QTest::addColumn<QString>("after"); // equal to before: refused
        const QStringList routes{"Shift+Insert", "paste()", "drop", "input method", "menu"};
        for (const QString& route : routes) {
            const QByteArray r = route.toLatin1();
            QTest::addRow("%s digits", r.data()) << route << "txtLonD"
                                                 << "1"
                                                 << "23"
                                                 << "123";
            QTest::addRow("%s decimal", r.data()) << route << "txtLonD"
                                                  << ""
                                                  << "1.5"
                                                  << "";
            QTest::addRow("%s negative", r.data()) << route << "txtLatM"
                                                   << "3"
                                                   << "-4"
                                                   << "3";
            QTest::addRow("%s small letters", r.data()) << route << "txtName"
                                                        << ""
                                                        << "ada lovelace"
                                                        << "ADA LOVELACE";
            QTest::addRow("%s apostrophe", r.data()) << route << "txtName"
                                                     << "AB"
                                                     << "o'brien"
                                                     << "AB";
        }
        QTest::newRow("typed a") << "keys"
                                 << "txtName"
                                 << ""
                                 << "a"
                                 << "A";
        QTest::newRow("typed blanks") << "keys"
                                      << "txtName"
                                      << ""
                                      << "mary ann"
                                      << "MARY ANN";
        QTest::newRow("typed Enter") << "keys"
                                     << "txtName"
                                     << ""
                                     << "ab\r"
                                     << "AB";
        QTest::newRow("typed Backspace") << "keys"
                                         << "txtName"
                                         << ""
                                         << "abc\b"
                                         << "AB";
        QTest::newRow("typed digits") << "keys"
                                      << "txtLonM"
                                      << ""
                                      << "5\b07"
                                      << "07";
        QTest::newRow("past the limit") << routes[0] << "txtLatD"
                                        << ""
                                        << "123"
                                        << "12";
        QTest::newRow("line break") << routes[0] << "txtName"
                                    << ""
                                    << "ADA\nBYRON"
                                    << "";
        QTest::newRow("other script") << routes[3] << "txtName"
                                      << ""
                                      << "\u674e"
                                      << "";
        QTest::newRow("full-width digit") << routes[3] << "txtLatD"
                                          << ""
                                          << "\uff11"
                                          << "";
    }

    void arrivingText()
    {
        QFETCH(QString, route);
        QFETCH(QString, box);
        QFETCH(QString, before);
        QFETCH(QString, arriving);
        QFETCH(QString, after);
        auto* edit = window_->findChild<QLineEdit*>(box);
        edit->setText(before);
        edit->setFocus();
        ModalWatcher watcher;
        arrive(edit, route, arriving);
        QCOMPARE(edit->text(), after);
        if (after == before && !arriving.isEmpty()) {
            QTRY_VERIFY(!watcher.seen().isEmpty());
            checkRefusal(watcher.seen(), box);
        } else {
            QTest::qWait(50); // a message, if one were coming, would be on its way by now
            QVERIFY(watcher.seen().isEmpty());
        }
    }

    void editsInARow_data()
    {
        // Each step is "route:text" and the box's text after it; every
        // refusal must leave the box as the step before left it.
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("refusals");
        const auto row = [](const char* tag, const char* box, const char* before,
                            std::initializer_list<const char*> steps,
                            std::initializer_list<const char*> after, int refusals) {
            QStringList s, a;
            for (const char* step : steps)
                s << QString::fromUtf8(step);
            for (const char* text : after)
                a << QString::fromUtf8(text);
            QTest::newRow(tag) << box << before << s << a << refusals;
        };
        row("two refused pastes", "txtName", "AB", {"paste():1", "paste():9"}, {"AB", "AB"}, 2);
        row("changed paste, then refused", "txtName", "AB", {"paste():cd", "paste():1"},
            {"ABCD", "ABCD"}, 1);
        // Under an input method every typed key arrives as a commit.
        row("refused paste, then refused typing", "txtLonD", "12", {"paste():a", "input method:."},
            {"12", "12"}, 2);
        row("refused paste, then refused key", "txtLonD", "12", {"paste():a", "keys:."},
            {"12", "12"}, 2);
        row("refused paste, then a digit", "txtLonD", "12", {"paste():a", "keys:3"}, {"12", "123"},
            1);
        row("three routes refused", "txtName", "AB", {"drop:1", "input method:2", "menu:3"},
            {"AB", "AB", "AB"}, 3);
        row("menu, keys, refused, menu", "txtName", "", {"menu:ada", "keys: b", "menu:-", "menu:c"},
            {"ADA", "ADA B", "ADA B", "ADA BC"}, 1);
        row("Shift+Insert twice", "txtLatM", "5", {"Shift+Insert:x", "Shift+Insert:y"}, {"5", "5"},
            2);
    }

    void editsInARow()
    {
        QFETCH(QString, box);
        QFETCH(QString, before);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, after);
        QFETCH(int, refusals);
        auto* edit = window_->findChild<QLineEdit*>(box);
        edit->setText(before);
        edit->setFocus();
        edit->end(false);
        ModalWatcher watcher;
        for (int i = 0; i < steps.size(); ++i) {
            const int colon = steps[i].indexOf(QLatin1Char(':'));
            arrive(edit, steps[i].left(colon), steps[i].mid(colon + 1));
            QVERIFY2(edit->text() == after[i],
                     qPrintable(steps[i] + QStringLiteral(" gave ") + edit->text()));
            // Let a refusal's message come and go before the next step.
            QTest::qWait(30);
        }
        QTRY_COMPARE(watcher.seen().size(), refusals);
        if (refusals > 0)
            checkRefusal({watcher.seen().first()}, box);
    }

    void undoAndProgramTextStillWork()
    {
        ModalWatcher watcher;
        QLineEdit* edit = child<QLineEdit>(*window_, "txtLonD");
        QTest::keyClick(edit, Qt::Key_1);
        QGuiApplication::clipboard()->setText(QStringLiteral("23"));
        QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(edit->text(), QStringLiteral("123"));
        edit->undo();
        QCOMPARE(edit->text(), QStringLiteral("1"));
        // What the program itself puts in stays; later keys are judged alone.
        child<QLineEdit>(*window_, "txtName")->setText(QStringLiteral("o'Hara"));
        child<QLineEdit>(*window_, "txtName")->end(false);
        QTest::keyClick(child<QLineEdit>(*window_, "txtName"), Qt::Key_S);
        QCOMPARE(child<QLineEdit>(*window_, "txtName")->text(), QStringLiteral("o'HaraS"));
        QTest::qWait(50);
        QVERIFY(watcher.seen().isEmpty());
    }

    void validation_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("coordinates"); // lon deg, lon min, lat deg, lat min
        QTest::addColumn<QString>("date");            // year-month-day
        QTest::addColumn<QString>("message");         // empty: passes
        QTest::addColumn<QString>("focus");           // empty: the focus stays

        const QString lonDeg = "Please Enter Value Between 0 And 179 in the Degree of Longitude";
        const QString lonMin = "Please Enter Value Between 0 And 59 in the  Minute of Longitude";
        const QString latDeg = "Please Enter Value Between 0 And 89 in the Degree of Latitude";
        const QString latMin = "Please Enter Value Between 0 And 59 in the  Minute of Latitude";
        const QString february = "Please Enter Correct Date Or Month!";
        const QString thirty = "Please Enter Correct Date Or Month !";
        const QString noName = "Please Enter Name";
        const auto row = [](const char* tag, const char* name, const char* coordinates,
                            const char* date, const QString& message = {}, const char* focus = "") {
            QTest::newRow(tag) << name << QString::fromLatin1(coordinates).split(QLatin1Char('|'))
                               << QString::fromLatin1(date) << message << focus;
        };
        const char* const day = "1947-8-15";
        row("valid, name trimmed", "  ADA ", "77|13|28|40", day);
        row("no name", "", "77|13|28|40", day, noName, "txtName");
        row("blanks only", "   ", "77|13|28|40", day, noName, "txtName");
        row("all zero", "A", "0|0|0|0", "1900-1-1");
        row("lon 179", "A", "179|0|0|0", day);
        row("lon 180", "A", "180|0|0|0", day, lonDeg, "txtLonD");
        row("lon 007", "A", "007|0|0|0", day);
        row("lon min 59", "A", "0|59|0|0", day);
        row("lon min 60", "A", "0|60|0|0", day, lonMin, "txtLonM");
        row("lat 89", "A", "0|0|89|0", day);
        row("lat 90", "A", "0|0|90|0", day, latDeg, "txtLatD");
        row("lat min 59", "A", "0|0|0|59", day);
        row("lat min 60", "A", "0|0|0|60", day, latMin, "txtLatM");
        row("all coordinates empty", "A", "|||", day, lonDeg, "txtLonD");
        row("lon min empty", "A", "10|||", day, lonMin, "txtLonM");
        row("lat deg empty", "A", "10|5||", day, latDeg, "txtLatD");
        row("lat min empty", "A", "10|5|10|", day, latMin, "txtLatM");
        // Text the program could leave: only whole numbers count.
        row("degrees with letters", "A", "12ab|0|0|0", day, lonDeg, "txtLonD");
        row("Feb 29 1900", "A", "0|0|0|0", "1900-2-29", february);
        row("Feb 29 1901", "A", "0|0|0|0", "1901-2-29", february);
        row("Feb 29 1904", "A", "0|0|0|0", "1904-2-29");
        row("Feb 29 2000", "A", "0|0|0|0", "2000-2-29");
        row("Feb 30 2000", "A", "0|0|0|0", "2000-2-30", february);
        row("Feb 28 1900", "A", "0|0|0|0", "1900-2-28");
        row("April 31", "A", "0|0|0|0", "1990-4-31", thirty);
        row("November 31", "A", "0|0|0|0", "1990-11-31", thirty);
        row("April 30", "A", "0|0|0|0", "1990-4-30");
        row("January 31", "A", "0|0|0|0", "1990-1-31");
        row("no name hides a bad date", "", "0|0|0|0", "1990-4-31", noName, "txtName");
        row("bad longitude hides a bad date", "A", "200|0|0|0", "1901-2-30", lonDeg, "txtLonD");
    }

    void validation()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, coordinates);
        QFETCH(QString, date);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        FrmMain& w = *window_;
        child<QLineEdit>(w, "txtName")->setText(name);
        const QList<QLineEdit*> boxes{
            child<QLineEdit>(w, "txtLonD"), child<QLineEdit>(w, "txtLonM"),
            child<QLineEdit>(w, "txtLatD"), child<QLineEdit>(w, "txtLatM")};
        for (int i = 0; i < 4; ++i)
            boxes[i]->setText(coordinates[i]);
        const QStringList ymd = date.split(QLatin1Char('-'));
        auto* year = child<QComboBox>(w, "cboYear");
        auto* day = child<QComboBox>(w, "cboDate");
        year->setCurrentIndex(year->findText(ymd[0]));
        child<QComboBox>(w, "cboMonth")->setCurrentIndex(ymd[1].toInt() - 1);
        day->setCurrentIndex(day->findText(ymd[2]));
        QCOMPARE(year->currentText() + '-' + day->currentText(), ymd[0] + '-' + ymd[2]);
        child<QPushButton>(w, "cmdRashi")->setFocus();
        const auto inputs = [&w] {
            QStringList values;
            for (const QLineEdit* box : w.findChildren<QLineEdit*>())
                values << box->text();
            for (const QComboBox* list : w.findChildren<QComboBox*>())
                values << QString::number(list->currentIndex());
            return values;
        };
        const QStringList before = inputs();
        bool passed = false;
        QList<SeenModal> seen;
        {
            ModalWatcher watcher;
            passed = w.Input_Validation();
            seen = watcher.seen();
        }
        QCOMPARE(inputs(), before); // only the focus may move
        QCOMPARE(passed, message.isEmpty());
        QCOMPARE(seen.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(seen.first().text, message);
            QCOMPARE(seen.first().title, kTitle);
            QCOMPARE(seen.first().icon, message.contains(QLatin1String("Date"))
                                            ? QMessageBox::Information
                                            : QMessageBox::Critical);
        }
        // The window's own focus: where typing goes once the window is active
        // again (a headless test has no window manager to hand activation back).
        QCOMPARE(w.focusWidget(), focus.isEmpty()
                                      ? static_cast<QWidget*>(child<QPushButton>(w, "cmdRashi"))
                                      : w.findChild<QWidget*>(focus));
    }
};

QTEST_MAIN(InputFilterTest)
#include "input_filter_test.moc"
