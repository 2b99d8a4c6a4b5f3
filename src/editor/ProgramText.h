// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// txtPrg: the program text box. Character indices here count a line break as CR LF (two
// characters), as the edit control the program was written for does; the 32000-character
// limit and the caret status are figured in those units.

#include <QPlainTextEdit>
#include <QSet>
#include <cstdint>

class ProgramText : public QPlainTextEdit
{
    Q_OBJECT
public:
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

signals:
    void keyReleased(int key, Qt::KeyboardModifiers modifiers);
    void tabPressed();
    void modifierClick(const QPoint& globalPos);
    void lockKeys(quint32 nativeModifiers);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    int crlfIndexOf(int qtPosition) const;
    int qtPositionOf(int crlfIndex) const;
    int lineOfCrlf(int crlfIndex) const;
    int caretLine() const;

    qint32 m_handle = 0;
    QSet<int> m_pressed; // keys pressed here and not yet released
};
