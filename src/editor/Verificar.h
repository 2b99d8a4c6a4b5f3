// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Verificar programa" when the PLC's program is not the editor's: how many bytes differ and
// where the first is, both programs translated side by side with the differing lines marked,
// and the user's choice of what to do about it.

#include "Isa.h"

#include <QDialog>

class QLabel;
class QTableWidget;

class Verificar : public QDialog
{
    Q_OBJECT
public:
    enum class Choice { Keep, Send, Load };

    // One row of the side-by-side view: a line of each program (empty where one has none).
    struct Row
    {
        QString editor, plc;
        bool differs = false;
    };
    // The two translations' lines aligned on their longest common run of lines, the lines
    // between matched ones paired side by side.
    static QList<Row> sideBySide(const QStringList& editor, const QStringList& plc);

    explicit Verificar(QWidget* parent);
    void begin(const isa::ProgramImage& editor, const isa::ProgramImage& plc);
    const isa::ProgramImage& plcImage() const { return m_plc; }

signals:
    void chosen(Verificar::Choice choice);

private:
    void choose(Choice choice);

    QLabel* m_lbDiferencias;
    QTableWidget* m_tblComparar;
    isa::ProgramImage m_plc{};
};
