// SPDX-License-Identifier: GPL-3.0-or-later
#include "Puertos.h"

#include "Exchanges.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

Puertos::Puertos(plclink::Link& link, const std::function<int()>& station, QWidget* parent)
    : QDialog(parent), m_link(link), m_station(station)
{
    setObjectName(QStringLiteral("Puertos"));
    setWindowTitle(tr("Puertos serie"));
    auto* grid = new QGridLayout(this);
    for (int n = 1; n <= plclink::kComPorts; ++n) {
        grid->addWidget(new QLabel(QStringLiteral("COM%1").arg(n), this), n - 1, 0);
        auto* cb = new QComboBox(this);
        cb->setObjectName(QStringLiteral("cbPuerto%1").arg(n));
        cb->setEditable(true);
        cb->setMinimumContentsLength(32);
        cb->lineEdit()->setPlaceholderText(plclink::defaultDevice(n));
        m_cbPuerto << cb;
        auto* info = new QLabel(this);
        info->setObjectName(QStringLiteral("lbInfo%1").arg(n));
        m_lbInfo << info;
        auto* probar = new QPushButton(tr("Probar"), this);
        probar->setObjectName(QStringLiteral("cmdProbar%1").arg(n));
        probar->setAutoDefault(false);
        grid->addWidget(cb, n - 1, 1);
        grid->addWidget(info, n - 1, 2);
        grid->addWidget(probar, n - 1, 3);
        connect(cb, &QComboBox::currentTextChanged, this, [this, n] { showInfo(n - 1); });
        connect(probar, &QPushButton::clicked, this, [this, n] { cmdProbar_Click(n); });
    }
    m_lbResultado = new QLabel(this);
    m_lbResultado->setObjectName(QStringLiteral("lbResultado"));
    m_lbResultado->setWordWrap(true);
    grid->addWidget(m_lbResultado, plclink::kComPorts, 0, 1, 4);
    auto* buttons = new QDialogButtonBox(this);
    auto* aceptar = buttons->addButton(tr("&Aceptar"), QDialogButtonBox::AcceptRole);
    aceptar->setObjectName(QStringLiteral("cmdAceptar"));
    auto* cancelar = buttons->addButton(tr("&Cancelar"), QDialogButtonBox::RejectRole);
    cancelar->setObjectName(QStringLiteral("cmdCancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, plclink::kComPorts + 1, 0, 1, 4);
}

void Puertos::begin(const Devices& configured, const plclink::PortLister& lister)
{
    m_present = lister();
    m_lbResultado->clear();
    for (int i = 0; i < plclink::kComPorts; ++i) {
        QComboBox* cb = m_cbPuerto[i];
        const QSignalBlocker quiet(cb);
        cb->clear();
        cb->addItem(QString()); // the default device
        for (const plclink::PortInfo& p : std::as_const(m_present)) {
            cb->addItem(p.preferredName());
            if (!p.stableName.isEmpty())
                cb->addItem(p.device);
        }
        cb->setEditText(configured[size_t(i)]);
        showInfo(i);
    }
}

Puertos::Devices Puertos::chosen() const
{
    Devices devices;
    for (int i = 0; i < plclink::kComPorts; ++i)
        devices[size_t(i)] = m_cbPuerto[i]->currentText().trimmed();
    return devices;
}

void Puertos::showInfo(int row)
{
    const QString name = m_cbPuerto[row]->currentText().trimmed();
    QString info;
    for (const plclink::PortInfo& p : std::as_const(m_present)) {
        if (name != p.device && name != p.stableName)
            continue;
        QStringList parts;
        for (const QString& part : {p.device, p.description, p.maker, p.serial})
            if (!part.isEmpty() && !parts.contains(part))
                parts << part;
        info = parts.join(QStringLiteral(" · "));
    }
    m_lbInfo[row]->setText(name.isEmpty() ? QStringLiteral("(%1)").arg(plclink::defaultDevice(row + 1)) : info);
}

void Puertos::cmdProbar_Click(int com)
{
    if (m_link.busy())
        return;
    plclink::Link::Busy busy(m_link);
    QString device = m_cbPuerto[com - 1]->currentText().trimmed();
    if (device.isEmpty())
        device = plclink::defaultDevice(com);
    // the device may be the one the editor holds: let go of it, the next send opens it again
    m_link.close();
    plclink::Link trial(m_link.waits());
    const auto station = quint8(m_station());
    if (const auto error = trial.openDevice(device)) {
        showResult(QStringLiteral("COM%1: %2: %3").arg(com).arg(error->headline(), error->description));
        return;
    }
    showResult(tr("COM%1: probando %2...").arg(com).arg(device));
    m_lbResultado->repaint();
    const QByteArray answer = plclink::probe(trial, station);
    if (plclink::probeAnswered(answer))
        showResult(tr("COM%1: el PLC %2 respondió por %3 (byte de verificación del programa: %4).")
                                   .arg(com)
                                   .arg(station)
                                   .arg(device)
                                   .arg(plclink::storedChecksum(answer)));
    else
        showResult(tr("COM%1: %2 se abrió, pero ningún PLC con identificador %3 respondió "
                                              "(%4 bytes recibidos).")
                                   .arg(com)
                                   .arg(device)
                                   .arg(station)
                                   .arg(answer.size()));
}

void Puertos::showResult(const QString& text)
{
    m_lbResultado->setText(text);
    // a dialog does not grow by itself for a wrapped label's height: the answer is shown whole
    layout()->activate();
    const int needed = layout()->totalHeightForWidth(width());
    if (needed > height())
        resize(width(), needed);
}
