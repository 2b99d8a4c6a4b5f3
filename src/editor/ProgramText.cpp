// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramText.h"

#include "Cp1252.h"
#include "OrvCom.h"
#include "OrvWin.h"
#include "ProgramTextCompleter.h"
#include "ProgramTextGutter.h"
#include "ProgramTextHighlighter.h"
#include "ProgramTextTokens.h"

#include <QAbstractItemView>
#include <QFile>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextDocumentFragment>
#include <QTextBlock>
#include <QToolTip>

namespace {
intptr_t windowProc(void* context, uint32_t message, intptr_t wparam, intptr_t lparam)
{
    return static_cast<ProgramText*>(context)->request(message, wparam, lparam);
}

constexpr Qt::KeyboardModifiers kShiftCtrlAlt = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
// A change this large (a loaded file, a long paste) takes the program's names at once, so its
// labels and equ names are coloured as they stand, not as they stood before.
constexpr int kLargeChange = 2000;
} // namespace

ProgramText::ProgramText(QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("txtPrg"));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::NoWrap);
    // Tab indents (tabKey) rather than being typed or moving the focus
    setTabChangesFocus(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_handle = OrvRegisterWindow(&windowProc, this);

    m_checker = new ProgramTextChecker(document(), nullptr, this);
    connect(m_checker, &ProgramTextChecker::checked, this, &ProgramText::onChecked);
    // before the highlighter's own connection: the names are fresh when it colours
    connect(document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (m_highlighting && removed + added > kLargeChange)
            m_highlighter->setSymbols(m_checker->symbolsNow());
    });
    m_highlighter = new ProgramTextHighlighter(this);
    m_highlighter->setDocument(document());
    recolour(); // now, quietly, rather than in the highlighter's own later pass

    m_gutter = new ProgramTextGutter(this);
    connect(this, &QPlainTextEdit::blockCountChanged, this, &ProgramText::updateGutterWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy)
            m_gutter->scroll(0, dy);
        else
            m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
    });
    connect(this, &QPlainTextEdit::cursorPositionChanged, m_gutter, qOverload<>(&QWidget::update));
    updateGutterWidth();

    m_completer = new ProgramTextCompleter(this);
    m_completer->setWidget(this);
    connect(m_completer, qOverload<const QString&>(&QCompleter::activated), this, &ProgramText::insertCompletion);
    setScheme(kDefaultScheme);
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
    if (m_completer->popup()->isVisible()) {
        switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
            // the completion list takes these; their release is no key typed here
            e->ignore();
            return;
        default:
            break;
        }
    }
    m_pressed.insert(e->key());
    if (e->key() == Qt::Key_Space && (e->modifiers() & Qt::ControlModifier)) {
        e->accept();
        completeAtCaret();
        return;
    }
    if (e->key() == Qt::Key_F12 && !(e->modifiers() & kShiftCtrlAlt)) {
        e->accept();
        goToLabelAtCaret();
        return;
    }
    if (e->key() == Qt::Key_Home && !(e->modifiers() & kShiftCtrlAlt)) {
        // the release places the caret (two-step Home)
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Tab && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        e->accept();
        tabKey();
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
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        enterKey();
    else if (e->key() == Qt::Key_Home)
        homeKey();
    emit keyReleased(e->key(), e->modifiers());
}

void ProgramText::mousePressEvent(QMouseEvent* e)
{
    QPlainTextEdit::mousePressEvent(e);
    if (e->button() != Qt::LeftButton)
        return;
    if ((e->modifiers() & kShiftCtrlAlt) == Qt::ControlModifier && goToLabelAt(e->position().toPoint()))
        return;
    if (e->modifiers() & kShiftCtrlAlt)
        emit modifierClick(e->globalPosition().toPoint());
}


void ProgramText::bindIndent(const bool* autoIndent, const qint16* width, bool* skipIndent)
{
    m_autoIndent = autoIndent;
    m_indentWidth = width;
    m_skipIndent = skipIndent;
}

void ProgramText::enterKey()
{
    if (m_skipIndent && *m_skipIndent) {
        *m_skipIndent = false;
        return;
    }
    if (!autoIndent())
        return;
    const int lineStart = int(request(Mensajes_control_Edit::LINEINDEX, -1, 0));
    if (request(Mensajes_control_Edit::LINELENGTH, -1, 0) == 0)
        replaceSel(QString(indentWidth(), QLatin1Char(' ')));
    setSel(lineStart + indentWidth());
}

void ProgramText::homeKey()
{
    const int lineStart = int(request(Mensajes_control_Edit::LINEINDEX, -1, 0));
    if (selStart() != lineStart) {
        setSel(lineStart);
        return;
    }
    const QString line = textCursor().block().text();
    if (line.isEmpty())
        return;
    int i = 0;
    while (i < line.size() && (line[i] == QLatin1Char(' ') || line[i] == QLatin1Char('\t')))
        ++i;
    setSel(lineStart + i);
}

void ProgramText::tabKey()
{
    if (autoIndent())
        replaceSel(QString(indentWidth(), QLatin1Char(' ')));
}

void ProgramText::usePredefinedNames(const QStringList* names)
{
    m_predefined = names;
    m_checker->setPredefined(names);
}

void ProgramText::setScheme(const ColorScheme& scheme)
{
    m_scheme = scheme;
    QPalette pal = palette();
    pal.setColor(QPalette::Text, scheme.text);
    pal.setColor(QPalette::Base, scheme.background);
    setPalette(pal);
    m_highlighter->setScheme(scheme);
    recolour();
    updateErrorMark();
    m_gutter->update();
}

void ProgramText::setHighlighting(bool on)
{
    if (on == m_highlighting)
        return;
    m_highlighting = on;
    if (on)
        m_highlighter->setSymbols(m_checker->symbolsNow());
    // off, every line is formatted with nothing: the plain box again
    m_highlighter->setEnabled(on);
    recolour();
}

void ProgramText::recolour()
{
    // colours live in the layout: the text is not edited, so no change may be reported
    const QSignalBlocker quiet(document());
    m_highlighter->rehighlight();
}

void ProgramText::setLineNumbers(bool on)
{
    m_lineNumbers = on;
    m_gutter->setVisible(on);
    updateGutterWidth();
}

QColor ProgramText::tokenColor(TokenKind kind) const
{
    return m_highlighter->color(kind);
}

const LiveCheck& ProgramText::liveCheck() const
{
    return m_checker->result();
}

void ProgramText::updateGutterWidth()
{
    setViewportMargins(m_lineNumbers ? m_gutter->widthForLines() : 0, 0, 0, 0);
    const QRect r = contentsRect();
    m_gutter->setGeometry(r.left(), r.top(), m_gutter->widthForLines(), r.height());
}

void ProgramText::resizeEvent(QResizeEvent* e)
{
    QPlainTextEdit::resizeEvent(e);
    updateGutterWidth();
}

void ProgramText::changeEvent(QEvent* e)
{
    QPlainTextEdit::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        updateGutterWidth();
}

void ProgramText::showEvent(QShowEvent* e)
{
    QPlainTextEdit::showEvent(e);
    // the predefined names are in by the time the box is first shown
    if (m_checker->result().state == LiveCheck::State::Pending)
        m_checker->schedule();
}

void ProgramText::paintGutter(QWidget* gutter, const QRect& rect)
{
    QPainter p(gutter);
    p.fillRect(rect, m_scheme.background);
    const QColor number = tokenColor(TokenKind::Comment);
    const int caret = textCursor().blockNumber();
    const int error = liveCheck().line;
    QFont bold = font();
    bold.setBold(true);
    const int lineHeight = fontMetrics().height();
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= rect.bottom()) {
        const int bottom = top + qRound(blockBoundingRect(block).height());
        if (block.isVisible() && bottom >= rect.top()) {
            const int n = block.blockNumber();
            if (n == error) {
                const int d = std::min(kGutterMark - 3, lineHeight - 2);
                p.setPen(Qt::NoPen);
                p.setBrush(tokenColor(TokenKind::Error));
                p.drawEllipse(QRect(2, top + (lineHeight - d) / 2, d, d));
            }
            p.setFont(n == caret ? bold : font());
            p.setPen(n == caret ? m_scheme.text : number);
            p.drawText(kGutterMark, top, gutter->width() - kGutterMark - kGutterPadding / 2, lineHeight,
                       Qt::AlignRight, QString::number(n + 1));
        }
        block = block.next();
        top = bottom;
    }
}

void ProgramText::onChecked(const LiveCheck& result)
{
    const std::shared_ptr<const ProgramSymbols>& names = m_checker->symbols();
    const bool changed = !names->sameNames(*m_highlighter->symbols());
    m_highlighter->setSymbols(names);
    if (changed && m_highlighting)
        recolour();
    updateErrorMark();
    m_gutter->update();
    emit checked(result);
}

void ProgramText::updateErrorMark()
{
    QList<QTextEdit::ExtraSelection> marks;
    const QTextBlock block = document()->findBlockByNumber(liveCheck().line);
    if (liveCheck().line >= 0 && block.isValid()) {
        const QString text = block.text();
        int start = 0;
        int end = int(text.size());
        while (start < end && text[start].isSpace())
            ++start;
        while (end > start && text[end - 1].isSpace())
            --end;
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(block);
        mark.cursor.setPosition(block.position() + start);
        mark.cursor.setPosition(block.position() + end, QTextCursor::KeepAnchor);
        mark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        mark.format.setUnderlineColor(tokenColor(TokenKind::Error));
        marks << mark;
    }
    setExtraSelections(marks);
}

QMimeData* ProgramText::createMimeDataFromSelection() const
{
    // plain text only: colours never reach another program
    auto* data = new QMimeData;
    data->setText(textCursor().selection().toPlainText());
    return data;
}

void ProgramText::completeAtCaret()
{
    const QTextCursor c = textCursor();
    const QString before = c.block().text().left(c.positionInBlock());
    QString prefix;
    const auto symbols = m_checker->symbolsNow();
    if (!m_completer->setEntries(completionsFor(before, *symbols, &prefix), prefix)) {
        m_completer->popup()->hide();
        return;
    }
    QAbstractItemView* list = m_completer->popup();
    list->setCurrentIndex(m_completer->completionModel()->index(0, 0));
    QRect r = cursorRect();
    r.setWidth(list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width() + 8);
    m_completer->complete(r);
}

void ProgramText::insertCompletion(const QString& word)
{
    QTextCursor c = textCursor();
    const QString before = c.block().text().left(c.positionInBlock());
    qsizetype start = before.size();
    while (start > 0 && before[start - 1] != QLatin1Char(' ') && before[start - 1] != QLatin1Char('\t'))
        --start;
    c.setPosition(c.position() - int(before.size() - start), QTextCursor::KeepAnchor);
    c.insertText(word);
    setTextCursor(c);
}

namespace {
// The token under a point of the text, with its line's classification.
struct Hit
{
    LineTokens tokens;
    const TokenSpan* span = nullptr;
    QString word; // lower case
};

Hit hitAt(const QTextCursor& at, const ProgramSymbols& symbols)
{
    Hit hit;
    const QString line = at.block().text();
    hit.tokens = classifyLine(line, symbols);
    hit.span = hit.tokens.at(at.positionInBlock());
    if (hit.span)
        hit.word = lowerLine(QStringView(line).sliced(hit.span->start, hit.span->length));
    return hit;
}

// A label named by a jump, not the one its own line defines.
bool isJumpTarget(const Hit& hit)
{
    return hit.span && hit.span->kind == TokenKind::Label && hit.tokens.instruction &&
           hit.tokens.instruction->isJump() && !(hit.tokens.definesLabel() && hit.span == &hit.tokens.spans.first());
}
} // namespace

bool ProgramText::goToLabel(const QTextCursor& at)
{
    const auto symbols = m_checker->symbolsNow();
    const Hit hit = hitAt(at, *symbols);
    if (!isJumpTarget(hit))
        return false;
    const auto line = symbols->labelLine(hit.word);
    if (!line)
        return false;
    setTextCursor(QTextCursor(document()->findBlockByNumber(*line)));
    centerCursor();
    return true;
}

bool ProgramText::goToLabelAtCaret()
{
    return goToLabel(textCursor());
}

bool ProgramText::goToLabelAt(const QPoint& viewportPos)
{
    return goToLabel(cursorForPosition(viewportPos));
}

bool ProgramText::viewportEvent(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(e);
        const QString tip = toolTipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport());
        return true;
    }
    return QPlainTextEdit::viewportEvent(e);
}

QString ProgramText::quickHelpLine(const QString& upperMnemonic) const
{
    if (!m_quickHelp) {
        m_quickHelp.emplace();
        QFile file(m_quickHelpFile);
        if (!m_quickHelpFile.isEmpty() && file.open(QIODevice::ReadOnly)) {
            static const QRegularExpression entry(QStringLiteral("^([A-Z0-9]+) +\\S"));
            for (const QString& line : isa::fromCp1252(file.readAll()).split(QLatin1Char('\n'))) {
                const QRegularExpressionMatch m = entry.match(line);
                if (m.hasMatch() && !m_quickHelp->contains(m.captured(1)))
                    m_quickHelp->insert(m.captured(1), line.trimmed());
            }
        }
    }
    return m_quickHelp->value(upperMnemonic);
}

QString ProgramText::toolTipAt(const QPoint& viewportPos) const
{
    const QTextCursor at = cursorForPosition(viewportPos);
    // only over the line's characters, not the empty room after them
    QTextCursor end(at.block());
    end.movePosition(QTextCursor::EndOfBlock);
    if (viewportPos.x() > cursorRect(end).right() + 1)
        return {};
    const auto symbols = m_checker->symbolsNow();
    const Hit hit = hitAt(at, *symbols);
    const LiveCheck& check = liveCheck();
    if (at.block().blockNumber() == check.line && !check.message.isEmpty() &&
        !(hit.span && hit.span->kind == TokenKind::Comment))
        return check.message;
    if (!hit.span)
        return {};
    switch (hit.span->kind) {
    case TokenKind::Mnemonic: {
        const isa::Instruction* row = hit.tokens.instruction;
        if (!row || hit.word != QLatin1String(row->mnemonic.data(), qsizetype(row->mnemonic.size())))
            return {};
        const QString help = quickHelpLine(row->upperMnemonic());
        const QString code =
            tr("Código 0x%1, %2 bytes").arg(row->opcode, 2, 16, QLatin1Char('0')).arg(row->length);
        return help.isEmpty() ? code : QStringLiteral("%1\n%2").arg(help, code);
    }
    case TokenKind::Input:
    case TokenKind::Output:
    case TokenKind::Variable:
    case TokenKind::CounterTimer: {
        const auto address = symbols->predefinedAddress(hit.word);
        if (!address)
            return {};
        return tr("%1: %2, dirección %3").arg(hit.word, addressKindName(*address)).arg(*address);
    }
    case TokenKind::Equ: {
        const auto value = symbols->equValue(hit.word);
        return value ? tr("%1 vale %2").arg(hit.word, *value) : QString();
    }
    case TokenKind::Label: {
        const auto line = symbols->labelLine(hit.word.endsWith(u':') ? hit.word.chopped(1) : hit.word);
        return line ? tr("Etiqueta %1, definida en la línea %2").arg(hit.word).arg(*line + 1) : QString();
    }
    default:
        return {};
    }
}
