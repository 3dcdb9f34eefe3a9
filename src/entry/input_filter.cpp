// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry/input_filter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>

namespace zenthra {

QString typedCharacters(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Delete: // some platforms give it the text 127, but it types nothing
        return {};
    default:
        break;
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier);
    // Control+Alt is how AltGr arrives on some platforms: its text is a character.
    if (control && alt)
        return event.text();
    if (alt || modifiers.testFlag(Qt::MetaModifier))
        return {}; // access keys and desktop shortcuts, not characters
    if (control) {
        // Control with @, A-Z, [, \, ], ^ or _ gives codes 0-31 whatever the
        // platform puts into the text (a test tool gives the plain letter).
        const int key = event.key();
        if (isEditingShortcutLetter(key))
            return {};
        if (key >= Qt::Key_At && key <= Qt::Key_Underscore) {
            const int code = key & 0x1f;
            return code == 0 ? QString() : QString(QChar(code));
        }
        const QString text = event.text();
        return !text.isEmpty() && text[0].unicode() < 32 ? text : QString();
    }
    return event.text();
}

InputFilter::InputFilter(QLineEdit* box, KeyRule rule)
    : QObject(box)
    , box_(box)
    , rule_(rule)
    , lastText_(box->text())
{
    box->installEventFilter(this);
    // textEdited comes only from the user (typing, paste, drop, input method,
    // undo and redo), before textChanged.
    connect(box, &QLineEdit::textEdited, this, &InputFilter::checkEdit);
    // Read the box, not the signal's argument: when an edit is undone from
    // inside textEdited, the box still announces the refused text afterwards.
    connect(box, &QLineEdit::textChanged, this, [this] { lastText_ = box_->text(); });
}

bool InputFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != box_ || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const QString typed = typedCharacters(*key);
    if (typed.isEmpty())
        return false; // navigation and editing keys work as usual

    QString passed;
    for (const QChar c : typed) {
        const int code = filterKeyCode(rule_, c.unicode());
        if (code == 0) {
            emit refused();
            return true; // the key is thrown away
        }
        passed += QChar(code);
    }
    if (passed == typed)
        return false;
    // The rule changed the character (a small letter to a capital): the box
    // gets the same key with the new text.
    QKeyEvent changed(key->type(), key->key(), key->modifiers(), key->nativeScanCode(),
                      key->nativeVirtualKey(), key->nativeModifiers(), passed, key->isAutoRepeat(),
                      static_cast<quint16>(key->count()));
    QCoreApplication::sendEvent(box_, &changed);
    return true;
}

void InputFilter::checkEdit(const QString& text)
{
    // The part that came in: what lies between the text kept at the front
    // and at the back. Checking only that part leaves alone whatever the
    // program itself put into the box.
    const QString& before = lastText_;
    const int shorter = static_cast<int>(std::min(before.size(), text.size()));
    int front = 0;
    while (front < shorter && before[front] == text[front])
        ++front;
    int back = 0;
    while (back < shorter - front &&
           before[before.size() - 1 - back] == text[text.size() - 1 - back])
        ++back;
    const QString inserted = text.mid(front, text.size() - front - back);
    if (inserted.isEmpty())
        return; // a deletion

    const auto accepted = filterArrivingText(rule_, inserted.toStdU16String());
    if (!accepted) {
        const QString restored = before;
        box_->setText(restored);
        box_->setCursorPosition(front);
        // Not from inside the box's own edit: the message waits until it is done.
        QTimer::singleShot(0, this, [this] { emit refused(); });
        return;
    }
    const QString fixed = QString::fromStdU16String(*accepted);
    if (fixed != inserted) {
        const int cursor = box_->cursorPosition();
        box_->setText(text.left(front) + fixed + text.right(back));
        box_->setCursorPosition(cursor);
    }
}

} // namespace zenthra
