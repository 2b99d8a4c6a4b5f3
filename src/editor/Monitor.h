// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Monitor": the PLC's inputs, outputs and four of its variables, polled live until stopped.

#include "PlcWindow.h"

#include "Poller.h"

#include <QList>

class QLabel;
class QPushButton;
class QScrollBar;
class QVBoxLayout;

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
    // The row below the controls that holds such a view; empty until one is put there.
    QVBoxLayout* chartRow() const { return m_chartRow; }

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
    QVBoxLayout* m_chartRow;
    plclink::Poller* m_poller;
};
