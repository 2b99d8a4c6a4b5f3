// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// txtPrg: the program text box. Character indices here count a line break as CR LF (two
// characters), as the edit control the program was written for does; the 32000-character
// limit and the caret status are figured in those units. The box owns its text behaviours:
// indentation, Home and Tab, colours by token, line numbers, the live check, completion,
// tooltips and go-to-label.

#include "ColorScheme.h"
#include "ProgramTextChecker.h"

#include <QPlainTextEdit>
#include <QHash>
#include <QSet>
#include <cstdint>
#include <memory>
#include <optional>

class ProgramSymbols;
class ProgramTextCompleter;
class ProgramTextGutter;
class ProgramTextHighlighter;

class ProgramText : public QPlainTextEdit
{
    Q_OBJECT
public:
    static constexpr int kGutterMark = 10; // room for the error mark left of the numbers
    static constexpr int kGutterPadding = 6;

    explicit ProgramText(QWidget* parent = nullptr);
    ~ProgramText() override;

    // The handle under which the edit requests (line count, line index, ...) reach this box.
    qint32 handle() const { return m_handle; }

    // Text with CR LF line breaks, and its length in those units.
    QString crlfText() const;
    void setCrlfText(const QString& text);
    int crlfLength() const;

    int selStart() const; // caret index: the start of the selection
    int selLength() const;
    // Places the selection; an index inside a line break stops at that line's end.
    void setSel(int start, int length = 0);
    void replaceSel(const QString& text);

    // The edit-control requests answered for TextControlInf; wparam -1 is the caret's line.
    intptr_t request(uint32_t message, intptr_t wparam, intptr_t lparam);

    // The editor's indentation state (AutoIndent, IndentWidth, SkipIndent), read on each key.
    void bindIndent(const bool* autoIndent, const qint16* width, bool* skipIndent);
    // The predefined names (cbVariables); read at each check, as they arrive after start-up.
    void usePredefinedNames(const QStringList* names);
    void setQuickHelpFile(const QString& path) { m_quickHelpFile = path; }

    const ColorScheme& scheme() const { return m_scheme; }
    void setScheme(const ColorScheme& scheme);
    bool highlighting() const { return m_highlighting; }
    void setHighlighting(bool on);
    bool lineNumbers() const { return m_lineNumbers; }
    void setLineNumbers(bool on);
    QColor tokenColor(TokenKind kind) const;

    const LiveCheck& liveCheck() const;
    ProgramTextChecker* checker() const { return m_checker; }
    ProgramTextCompleter* completer() const { return m_completer; }
    ProgramTextHighlighter* highlighter() const { return m_highlighter; }
    ProgramTextGutter* gutter() const { return m_gutter; }

    // Ctrl+Space: the completion list at the caret.
    void completeAtCaret();
    // F12, Ctrl+click: the caret to the line that defines the label a jump names. False when
    // no such label is there.
    bool goToLabelAtCaret();
    bool goToLabelAt(const QPoint& viewportPos);
    // The tooltip for a point of the viewport; empty for none.
    QString toolTipAt(const QPoint& viewportPos) const;

    void paintGutter(QWidget* gutter, const QRect& rect);
    // What a copy or a drag carries: plain text, never the colours.
    QMimeData* createMimeDataFromSelection() const override;

signals:
    void keyReleased(int key, Qt::KeyboardModifiers modifiers);
    void modifierClick(const QPoint& globalPos);
    void lockKeys(quint32 nativeModifiers);
    void checked(const LiveCheck& result);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool viewportEvent(QEvent* e) override;

private:
    int crlfIndexOf(int qtPosition) const;
    int qtPositionOf(int crlfIndex) const;
    int lineOfCrlf(int crlfIndex) const;
    int caretLine() const;

    void enterKey();
    void homeKey();
    void tabKey();
    bool autoIndent() const { return m_autoIndent && *m_autoIndent; }
    int indentWidth() const { return m_indentWidth ? *m_indentWidth : 8; }
    bool goToLabel(const QTextCursor& at);
    void insertCompletion(const QString& word);
    void onChecked(const LiveCheck& result);
    void updateErrorMark();
    void recolour();
    void updateGutterWidth();
    QString quickHelpLine(const QString& upperMnemonic) const;

    qint32 m_handle = 0;
    QSet<int> m_pressed; // keys pressed here and not yet released
    const bool* m_autoIndent = nullptr;
    const qint16* m_indentWidth = nullptr;
    bool* m_skipIndent = nullptr;
    const QStringList* m_predefined = nullptr;
    ColorScheme m_scheme = kDefaultScheme;
    bool m_highlighting = true;
    bool m_lineNumbers = true;
    ProgramTextHighlighter* m_highlighter = nullptr;
    ProgramTextGutter* m_gutter = nullptr;
    ProgramTextChecker* m_checker = nullptr;
    ProgramTextCompleter* m_completer = nullptr;
    QString m_quickHelpFile;
    mutable std::optional<QHash<QString, QString>> m_quickHelp; // mnemonic in capitals -> its line
};
