// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A one-line message window shown without blocking while a command works.

#include <QWidget>

class QLabel;

class Minimsg : public QWidget
{
    Q_OBJECT
public:
    explicit Minimsg(QWidget* owner);
    // Shows text. centred: as wide as the text plus a margin, centred over the owner (always so
    // the first time, so it never shows up in a corner of the screen).
    void showText(const QString& text, bool centred = false);
    QString text() const;

private:
    QWidget* m_owner;
    QLabel* m_label;
    bool m_placed = false;
};
