// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Buscar PLC": asks each identifier of a range in turn whether a PLC is there, shows the
// progress, lists the stations that answered, and lets the user choose one. Cancelar stops the
// search after the station in progress.

#include "PlcWindow.h"

#include <optional>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;
class QSpinBox;

class Buscar : public PlcWindow
{
    Q_OBJECT
public:
    Buscar(const PlcContext& context, QWidget* parent);
    // Opens the window, searches its range at once, and gives the station the user chose.
    std::optional<int> choose();
    void cmdBuscar_Click();

protected:
    void idle() override;

private:
    void cmdCancelar_Click();
    void elegir(QListWidgetItem* item);

    QSpinBox* m_spDesde;
    QSpinBox* m_spHasta;
    QProgressBar* m_pbBuscar;
    QLabel* m_lbEstado;
    QListWidget* m_lstEncontrados;
    QPushButton* m_cmdBuscar;
    QPushButton* m_cmdElegir;
    QPushButton* m_cmdCancelar;
    bool m_scanning = false;
    bool m_stop = false; // stop after the station in progress
    std::optional<int> m_chosen;
};
