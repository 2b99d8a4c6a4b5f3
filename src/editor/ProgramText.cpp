// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramText.h"

#include "OrvCom.h"
#include "OrvWin.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>

namespace {
intptr_t windowProc(void* context, uint32_t message, intptr_t wparam, intptr_t lparam)
{
    return static_cast<ProgramText*>(context)->request(message, wparam, lparam);
}

constexpr Qt::KeyboardModifiers kShiftCtrlAlt = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
} // namespace

ProgramText::ProgramText(QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("txtPrg"));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::NoWrap);
    // Tab is reported (tabPressed) rather than typed or used to move the focus by Qt itself
    setTabChangesFocus(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_handle = OrvRegisterWindow(&windowProc, this);
}

ProgramText::~ProgramText()
{
    if (m_handle)
        OrvUnregisterWindow(m_handle);
}

QString ProgramText::crlfText() const
{
    QString text = toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void ProgramText::setCrlfText(const QString& text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setPlainText(plain);
}

int ProgramText::crlfLength() const
{
    // characterCount() includes the final paragraph separator, which is no character of the text
    const QTextDocument* doc = document();
    return doc->characterCount() - 1 + doc->blockCount() - 1;
}

int ProgramText::crlfIndexOf(int qtPosition) const
{
    const QTextBlock block = document()->findBlock(qtPosition);
    return qtPosition + (block.isValid() ? block.blockNumber() : document()->blockCount() - 1);
}

int ProgramText::lineOfCrlf(int crlfIndex) const
{
    // the last line whose start (position + one extra character per earlier break) is <= crlfIndex
    const QTextDocument* doc = document();
    int lo = 0;
    int hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        const QTextBlock b = doc->findBlockByNumber(mid);
        if (b.position() + mid <= crlfIndex)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

int ProgramText::qtPositionOf(int crlfIndex) const
{
    if (crlfIndex <= 0)
        return 0;
    const int line = lineOfCrlf(crlfIndex);
    const QTextBlock b = document()->findBlockByNumber(line);
    const int inLine = std::min(crlfIndex - (b.position() + line), b.length() - 1);
    return b.position() + inLine;
}

int ProgramText::selStart() const
{
    return crlfIndexOf(textCursor().selectionStart());
}

int ProgramText::selLength() const
{
    const QTextCursor c = textCursor();
    return crlfIndexOf(c.selectionEnd()) - crlfIndexOf(c.selectionStart());
}

void ProgramText::setSel(int start, int length)
{
    QTextCursor c = textCursor();
    c.setPosition(qtPositionOf(start));
    if (length > 0)
        c.setPosition(qtPositionOf(start + length), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

void ProgramText::replaceSel(const QString& text)
{
    textCursor().insertText(text);
}

int ProgramText::caretLine() const
{
    return textCursor().blockNumber();
}

intptr_t ProgramText::request(uint32_t message, intptr_t wparam, intptr_t)
{
    const QTextDocument* doc = document();
    auto lineStart = [doc](int line) {
        const QTextBlock b = doc->findBlockByNumber(line);
        return b.position() + line;
    };
    auto lineLength = [doc](int line) { return doc->findBlockByNumber(line).length() - 1; };

    switch (message) {
    case Mensajes_control_Edit::GETLINECOUNT:
        return doc->blockCount();
    case Mensajes_control_Edit::LINEINDEX: {
        const int line = wparam == -1 ? caretLine() : int(wparam);
        if (line < 0 || line >= doc->blockCount())
            return -1;
        return lineStart(line);
    }
    case Mensajes_control_Edit::LINELENGTH: {
        if (wparam != -1) {
            return lineLength(lineOfCrlf(int(wparam)));
        }
        const QTextCursor c = textCursor();
        if (!c.hasSelection())
            return lineLength(caretLine());
        // the unselected characters of the lines the selection touches
        const QTextBlock first = doc->findBlock(c.selectionStart());
        const QTextBlock last = doc->findBlock(c.selectionEnd());
        return (c.selectionStart() - first.position()) +
               (last.position() + last.length() - 1 - c.selectionEnd());
    }
    case Mensajes_control_Edit::LINEFROMCHAR: {
        if (wparam != -1)
            return lineOfCrlf(int(wparam));
        const QTextCursor c = textCursor();
        return c.hasSelection() ? doc->findBlock(c.selectionStart()).blockNumber() : caretLine();
    }
    case Mensajes_control_Edit::CANUNDO:
        return doc->isUndoAvailable() ? 1 : 0;
    case Mensajes_control_Edit::UNDO:
        if (!doc->isUndoAvailable())
            return 0;
        undo();
        return 1;
    default:
        return 0;
    }
}

void ProgramText::keyPressEvent(QKeyEvent* e)
{
    emit lockKeys(e->nativeModifiers());
    m_pressed.insert(e->key());
    if (e->key() == Qt::Key_Home && !(e->modifiers() & kShiftCtrlAlt)) {
        // the release places the caret (two-step Home)
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Tab && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        e->accept();
        emit tabPressed();
        return;
    }
    if (e->key() == Qt::Key_Backtab) {
        // Shift+Tab would move the focus out of the text, where the next typed keys are lost
        e->accept();
        return;
    }
    // Alt with a letter that is no menu's access key types nothing (Ctrl+Alt is AltGr on Windows)
    if ((e->modifiers() & Qt::AltModifier) && !(e->modifiers() & Qt::ControlModifier) &&
        !e->text().isEmpty() && e->text().front().isPrint()) {
        e->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
}

void ProgramText::keyReleaseEvent(QKeyEvent* e)
{
    QPlainTextEdit::keyReleaseEvent(e);
    // a release whose press went elsewhere (Enter that chose a pop-up entry) is no key typed here
    if (e->isAutoRepeat() || !m_pressed.remove(e->key()))
        return;
    emit keyReleased(e->key(), e->modifiers());
}

void ProgramText::mousePressEvent(QMouseEvent* e)
{
    QPlainTextEdit::mousePressEvent(e);
    if (e->button() == Qt::LeftButton && (e->modifiers() & kShiftCtrlAlt))
        emit modifierClick(e->globalPosition().toPoint());
}
