// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Preseteos contadores y temporizadores": reads and writes the ten preset values of the
// PLC's counters, timers and fast timers.

#include "Exchanges.h"

#include "PlcWindow.h"

#include <QList>

class QLabel;
class QLineEdit;
class QPushButton;

class Precnt : public PlcWindow
{
    Q_OBJECT
public:
    Precnt(const PlcContext& context, QWidget* parent);
    // Form_Load: reads the presets with the busy pointer.
    void begin();
    void cmdPreset_Click();
    void cmdReLeer_Click();
    void cmdZero_Click();
    void cmdFabrica_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void idle() override;

private:
    void readProcedure();
    // The first box that is not a whole number 0..65535, or -1.
    int firstBadBox() const;
    void refuse(int box);

    QList<QLineEdit*> m_txtCnt;
    QPushButton* m_cmdPreset;
    QLabel* m_lbRx;
    QLabel* m_lbMsg;
    bool m_refusing = false;
};
