// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Monitor": the PLC's inputs, outputs and four of its variables, polled live until stopped.

#include "PlcWindow.h"

#include "Poller.h"

#include <QList>

class MonitorChartPanel;
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
    void finish() override { cmdDetener_Click(); }

    // The polls, one Sample each, for whatever else shows them (the timing chart).
    plclink::Poller& poller() const { return *m_poller; }
    // The timing chart below the controls, fed by the polls; its history is the window's.
    MonitorChartPanel* chart() const { return m_chart; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void idle() override;

private:
    void showNames();
    void showSample(const plclink::Sample& s);
    void stopped();
    void showButtons();

    QList<QLabel*> m_lbEntradas, m_lbSalidas, m_lbVar, m_lbRta;
    QScrollBar* m_vScroll1;
    QLabel* m_lbTx;
    QLabel* m_lbRx;
    QPushButton* m_cmdRecibir;
    QPushButton* m_cmdDetener;
    QPushButton* m_cmdSalirMonitor;
    MonitorChartPanel* m_chart;
    plclink::Poller* m_poller;
};
