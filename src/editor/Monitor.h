// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Monitor": the PLC's inputs, outputs and four of its variables, polled live until stopped.

#include "PlcWindow.h"

#include <QList>

class QLabel;
class QPushButton;
class QScrollBar;

class Monitor : public PlcWindow
{
    Q_OBJECT
public:
    Monitor(const PlcContext& context, QWidget* parent);
    // Form_Load: the scroll range and the names in view.
    void begin();
    void cmdRecibir_Click();
    void cmdDetener_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void idle() override;

private:
    void showNames();
    bool ioPoll();
    bool variablePoll();
    void badAnswer();
    void showButtons();

    QList<QLabel*> m_lbEntradas, m_lbSalidas, m_lbVar, m_lbRta;
    QScrollBar* m_vScroll1;
    QLabel* m_lbTx;
    QLabel* m_lbRx;
    QPushButton* m_cmdRecibir;
    QPushButton* m_cmdDetener;
    QPushButton* m_cmdSalirMonitor;
    bool m_stop = false;
    bool m_polling = false;
};
