// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The line numbers at the left of the program text, in the text's font; the caret's line
// stands out, and the line the live check rejected carries a mark.

#include <QWidget>

class ProgramText;

class ProgramTextGutter : public QWidget
{
    Q_OBJECT
public:
    explicit ProgramTextGutter(ProgramText* text);
    int widthForLines() const; // follows the number of digits of the line count
    QSize sizeHint() const override { return {widthForLines(), 0}; }

protected:
    void paintEvent(QPaintEvent* e) override;
    bool event(QEvent* e) override;

private:
    ProgramText* m_text;
};
