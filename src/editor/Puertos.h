// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Puertos serie": which device each of COM1..COM6 reaches, picked from the serial ports present
// (a USB adapter by its stable name) or typed, with a test that asks the PLC for one answer.

#include "Link.h"
#include "PortInfo.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;

class Puertos : public QDialog
{
    Q_OBJECT
public:
    using Devices = std::array<QString, plclink::kComPorts>; // empty: the default device

    // The link (for the test and its one-exchange rule) and the station the test asks.
    Puertos(plclink::Link& link, const std::function<int()>& station, QWidget* parent);
    // Each opening: the present ports listed afresh, the configured devices shown.
    void begin(const Devices& configured, const plclink::PortLister& lister);
    Devices chosen() const;
    // "Probar" of row com: opens that device and asks for the stored program's checksum.
    void cmdProbar_Click(int com);

private:
    void showInfo(int row);
    void showResult(const QString& text);

    plclink::Link& m_link;
    std::function<int()> m_station;
    QList<plclink::PortInfo> m_present;
    QList<QComboBox*> m_cbPuerto;
    QList<QLabel*> m_lbInfo;
    QLabel* m_lbResultado;
};
