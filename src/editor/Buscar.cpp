// SPDX-License-Identifier: GPL-3.0-or-later
#include "Buscar.h"

#include "Scan.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

Buscar::Buscar(const PlcContext& context, QWidget* parent)
    : PlcWindow(context, parent, "Buscar", tr("Buscar PLC en la línea"))
{
    auto* lbDesde = new QLabel(tr("Desde el Nº de Id"), this);
    m_spDesde = new QSpinBox(this);
    m_spDesde->setObjectName(QStringLiteral("spDesde"));
    m_spDesde->setRange(plclink::kFirstStation, plclink::kLastStation);
    auto* lbHasta = new QLabel(tr("hasta"), this);
    m_spHasta = new QSpinBox(this);
    m_spHasta->setObjectName(QStringLiteral("spHasta"));
    m_spHasta->setRange(plclink::kFirstStation, plclink::kLastStation);
    m_spHasta->setValue(plclink::kLastStation);
    lbDesde->setBuddy(m_spDesde);
    lbHasta->setBuddy(m_spHasta);
    m_pbBuscar = new QProgressBar(this);
    m_pbBuscar->setObjectName(QStringLiteral("pbBuscar"));
    m_lbEstado = new QLabel(this);
    m_lbEstado->setObjectName(QStringLiteral("lbEstado"));
    m_lbEstado->setWordWrap(true);
    m_lstEncontrados = new QListWidget(this);
    m_lstEncontrados->setObjectName(QStringLiteral("lstEncontrados"));
    m_lstEncontrados->setMinimumSize(360, 160);
    m_cmdBuscar = new QPushButton(tr("&Buscar"), this);
    m_cmdBuscar->setObjectName(QStringLiteral("cmdBuscar"));
    m_cmdElegir = new QPushButton(tr("&Elegir"), this);
    m_cmdElegir->setObjectName(QStringLiteral("cmdElegir"));
    m_cmdCancelar = new QPushButton(tr("&Cancelar"), this);
    m_cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    for (QPushButton* b : {m_cmdBuscar, m_cmdElegir, m_cmdCancelar})
        b->setAutoDefault(false);

    auto* range = new QHBoxLayout;
    range->addWidget(lbDesde);
    range->addWidget(m_spDesde);
    range->addWidget(lbHasta);
    range->addWidget(m_spHasta);
    range->addStretch();
    range->addWidget(m_cmdBuscar);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdElegir);
    buttons->addWidget(m_cmdCancelar);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(range);
    layout->addWidget(m_pbBuscar);
    layout->addWidget(m_lbEstado);
    layout->addWidget(m_lstEncontrados);
    layout->addLayout(buttons);

    connect(m_spDesde, &QSpinBox::valueChanged, m_spHasta, &QSpinBox::setMinimum);
    connect(m_cmdBuscar, &QPushButton::clicked, this, &Buscar::cmdBuscar_Click);
    connect(m_cmdCancelar, &QPushButton::clicked, this, &Buscar::cmdCancelar_Click);
    connect(m_cmdElegir, &QPushButton::clicked, this, [this] { elegir(m_lstEncontrados->currentItem()); });
    connect(m_lstEncontrados, &QListWidget::itemActivated, this, &Buscar::elegir);
    connect(m_lstEncontrados, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item) { m_cmdElegir->setEnabled(item != nullptr); });
}

std::optional<int> Buscar::choose()
{
    if (link().busy())
        return std::nullopt;
    reopened();
    m_chosen.reset();
    QTimer::singleShot(0, this, &Buscar::cmdBuscar_Click);
    exec();
    return m_chosen;
}

void Buscar::idle()
{
    m_scanning = false;
    m_stop = false;
    m_lstEncontrados->clear();
    m_lbEstado->clear();
    m_pbBuscar->reset();
    m_cmdBuscar->setEnabled(true);
    m_spDesde->setEnabled(true);
    m_spHasta->setEnabled(true);
    m_cmdElegir->setEnabled(false);
    m_cmdCancelar->setText(tr("&Cancelar"));
}

void Buscar::cmdBuscar_Click()
{
    if (m_scanning || link().busy() || !isVisible())
        return;
    m_scanning = true;
    m_stop = false;
    const int from = m_spDesde->value(), to = m_spHasta->value();
    m_lstEncontrados->clear();
    m_cmdBuscar->setEnabled(false);
    m_spDesde->setEnabled(false);
    m_spHasta->setEnabled(false);
    m_cmdElegir->setEnabled(false);
    m_cmdCancelar->setText(tr("&Cancelar"));
    m_pbBuscar->setRange(from - 1, to);
    m_pbBuscar->setValue(from - 1);
    m_lbEstado->setText(tr("Buscando desde el Nº de Id %1 hasta el %2...").arg(from).arg(to));
    int last = from - 1;
    const plclink::ScanResult result = plclink::scan(link(), from, to, [&](const plclink::StationReply& r) {
        last = r.station;
        m_pbBuscar->setValue(r.station);
        m_lbEstado->setText(tr("Buscando: Nº de Id %1 de %2 a %3.").arg(r.station).arg(from).arg(to));
        if (r.kind != plclink::StationReply::Kind::Silent) {
            const bool found = r.kind == plclink::StationReply::Kind::Found;
            auto* item = new QListWidgetItem(
                found ? tr("Id %1 (byte de verificación del programa: %2)").arg(r.station).arg(r.checksum)
                      : tr("Id %1: respuesta dañada").arg(r.station),
                m_lstEncontrados);
            item->setData(Qt::UserRole, r.station);
            if (!found)
                item->setFlags(Qt::NoItemFlags); // no PLC to choose: its answer did not check
            else if (!m_lstEncontrados->currentItem())
                m_lstEncontrados->setCurrentItem(item); // "Elegir" takes the first found at once
        }
        return !m_stop && !closing();
    });
    m_scanning = false;
    if (closing() || portFailed())
        return;
    const int found = result.found();
    m_lbEstado->setText(!result.complete ? tr("Búsqueda detenida después del Nº de Id %1.").arg(last)
                        : found == 0     ? tr("Ningún PLC respondió entre el Nº de Id %1 y el %2.")
                                           .arg(from)
                                           .arg(to)
                        : found == 1     ? tr("Respondió un PLC.")
                                         : tr("Respondieron %1 PLC.").arg(found));
    m_cmdBuscar->setEnabled(true);
    m_spDesde->setEnabled(true);
    m_spHasta->setEnabled(true);
    m_cmdCancelar->setText(tr("&Salir"));
    m_cmdElegir->setEnabled(m_lstEncontrados->currentItem() != nullptr);
    if (m_chosen)
        accept(); // chosen while the search went on
}

void Buscar::cmdCancelar_Click()
{
    if (m_scanning)
        m_stop = true; // the station in progress is finished first
    else
        reject();
}

void Buscar::elegir(QListWidgetItem* item)
{
    if (!item || !(item->flags() & Qt::ItemIsEnabled))
        return;
    m_chosen = item->data(Qt::UserRole).toInt();
    if (m_scanning)
        m_stop = true;
    else
        accept();
}
