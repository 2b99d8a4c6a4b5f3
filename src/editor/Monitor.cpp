// SPDX-License-Identifier: GPL-3.0-or-later
#include "Monitor.h"

#include "Colorset.h"
#include "MonitorChartPanel.h"
#include "ObjCode.h"
#include "Prompts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
// the classic console colours the lamps use
enum { kBlack = 0, kBlue = 1, kGreen = 2, kCyan = 3, kRed = 4, kLightGrey = 7, kGrey = 8, kLightRed = 12 };

void paint(QLabel* lamp, int fore, int back)
{
    QPalette p = lamp->palette();
    if (fore >= 0)
        p.setColor(QPalette::WindowText, paletteColor(fore));
    if (back >= 0)
        p.setColor(QPalette::Window, paletteColor(back));
    lamp->setPalette(p);
    lamp->repaint();
}

QLabel* lamp(QWidget* parent, const QString& name, const QString& caption)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->setAutoFillBackground(true);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(24);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return l;
}
} // namespace

Monitor::Monitor(const PlcContext& context, QWidget* parent) : PlcWindow(context, parent, "Monitor", tr("Monitor"))
{
    // the chart goes below the lamps' grid, so its width does not stretch their columns
    auto* window = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    auto* top = new QHBoxLayout;
    top->addLayout(grid);
    top->addStretch();
    window->addLayout(top);

    grid->addWidget(new QLabel(tr("Ents."), this), 0, 0);
    for (int i = 0; i < 8; ++i) {
        m_lbEntradas << lamp(this, QStringLiteral("lbEntradas%1").arg(i), QString::number(i));
        grid->addWidget(m_lbEntradas.last(), 0, i + 1);
    }
    grid->addWidget(new QLabel(tr("Sals."), this), 1, 0);
    for (int i = 0; i < 6; ++i) {
        m_lbSalidas << lamp(this, QStringLiteral("lbSalidas%1").arg(i), QString::number(i));
        grid->addWidget(m_lbSalidas.last(), 1, i + 1);
    }
    for (int i = 0; i < 4; ++i) {
        m_lbVar << new QLabel(this);
        m_lbVar.last()->setObjectName(QStringLiteral("lbVar%1").arg(i));
        m_lbRta << new QLabel(this);
        m_lbRta.last()->setObjectName(QStringLiteral("lbRta%1").arg(i));
        m_lbRta.last()->setMinimumWidth(90);
        grid->addWidget(m_lbVar.last(), 2 + i, 0, 1, 3);
        grid->addWidget(m_lbRta.last(), 2 + i, 3, 1, 4);
    }
    m_vScroll1 = new QScrollBar(Qt::Vertical, this);
    m_vScroll1->setObjectName(QStringLiteral("VScroll1"));
    grid->addWidget(m_vScroll1, 2, 7, 4, 1);
    m_lbTx = lamp(this, QStringLiteral("lbTx"), QStringLiteral("Tx"));
    m_lbRx = lamp(this, QStringLiteral("lbRx"), QStringLiteral("Rx"));
    grid->addWidget(m_lbTx, 6, 0);
    grid->addWidget(m_lbRx, 6, 1);
    m_cmdRecibir = new QPushButton(tr("&Recibir"), this);
    m_cmdRecibir->setObjectName(QStringLiteral("cmdRecibir"));
    m_cmdDetener = new QPushButton(tr("&Detener"), this);
    m_cmdDetener->setObjectName(QStringLiteral("cmdDetener"));
    m_cmdDetener->hide();
    m_cmdSalirMonitor = new QPushButton(tr("&Salir"), this);
    m_cmdSalirMonitor->setObjectName(QStringLiteral("cmdSalirMonitor"));
    grid->addWidget(m_cmdRecibir, 7, 0, 1, 3);
    grid->addWidget(m_cmdDetener, 7, 0, 1, 3);
    grid->addWidget(m_cmdSalirMonitor, 7, 4, 1, 3);
    m_chart = new MonitorChartPanel(this);
    window->addWidget(m_chart, 1);
    for (QPushButton* b : {m_cmdRecibir, m_cmdDetener, m_cmdSalirMonitor})
        b->setAutoDefault(false);
    for (QWidget* w : {static_cast<QWidget*>(m_vScroll1), static_cast<QWidget*>(m_cmdRecibir),
                       static_cast<QWidget*>(m_cmdDetener), static_cast<QWidget*>(m_cmdSalirMonitor)})
        w->installEventFilter(this);

    connect(m_cmdRecibir, &QPushButton::clicked, this, &Monitor::cmdRecibir_Click);
    connect(m_cmdDetener, &QPushButton::clicked, this, &Monitor::cmdDetener_Click);
    connect(m_cmdSalirMonitor, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_vScroll1, &QScrollBar::valueChanged, this, &Monitor::showNames);
    connect(m_vScroll1, &QScrollBar::valueChanged, m_chart, &MonitorChartPanel::setFirstVariable);

    // the first variable in view is read at each variable poll: a scroll shows from the next one on
    m_poller = new plclink::Poller(link(), [this] { return station(); }, [this] { return m_vScroll1->value(); }, this);
    connect(m_poller, &plclink::Poller::asking, this, [this] { paint(m_lbTx, -1, kGreen); });
    connect(m_poller, &plclink::Poller::sent, this, [this] { paint(m_lbTx, -1, kLightGrey); });
    connect(m_poller, &plclink::Poller::sample, this, &Monitor::showSample);
    connect(m_poller, &plclink::Poller::finished, this, &Monitor::stopped);
    connect(m_poller, &plclink::Poller::sample, m_chart, &MonitorChartPanel::addSample);
    connect(m_poller, &plclink::Poller::finished, m_chart, &MonitorChartPanel::pollingStopped);
}

void Monitor::begin()
{
    // fewer than four names leave an empty range: the names beyond the list stay empty
    m_vScroll1->setRange(0, std::max(0, int(m_context.names().size()) - 4));
    reopened();
    showNames();
    // the history is the window's: each opening starts a new one
    m_chart->clear();
    m_chart->setNames(m_context.names());
    m_chart->setDebugMode(debugMode());
    m_chart->setFirstVariable(m_vScroll1->value());
}

void Monitor::showNames()
{
    const int v = m_vScroll1->value();
    for (int i = 0; i < 4; ++i)
        m_lbVar[i]->setText(m_context.names().value(v + i));
}

void Monitor::cmdRecibir_Click()
{
    if (m_poller->polling() || link().busy())
        return;
    m_cmdRecibir->hide();
    m_cmdDetener->show();
    m_cmdDetener->setFocus();
    m_cmdSalirMonitor->hide();
    for (QLabel* l : std::as_const(m_lbRta))
        l->show();
    m_poller->start();
}

void Monitor::stopped()
{
    if (closing() || !isVisible())
        return; // the next opening starts from the idle state
    showButtons();
    QPalette p = m_lbTx->palette();
    p.setColor(QPalette::Window, QColor(4, 0, 0)); // the colour value 4, not the palette's red
    m_lbTx->setPalette(p);
    // a port that cannot be opened is told once, and polling waits for "Recibir"
    if (const auto error = m_poller->portError())
        showPortError(this, *error);
}

void Monitor::showButtons()
{
    m_cmdRecibir->show();
    m_cmdRecibir->setFocus();
    m_cmdDetener->hide();
    m_cmdSalirMonitor->show();
}

void Monitor::idle()
{
    showButtons();
    for (QLabel* l : m_lbEntradas + m_lbSalidas + m_lbRta + QList<QLabel*>{m_lbTx, m_lbRx})
        l->setPalette(QPalette());
    for (QLabel* l : std::as_const(m_lbRta)) {
        l->clear();
        l->show();
    }
}

void Monitor::showSample(const plclink::Sample& s)
{
    if (!s.sound()) {
        if (s.kind == plclink::Sample::Kind::Io)
            for (QLabel* l : m_lbEntradas + m_lbSalidas)
                paint(l, kCyan, kLightGrey);
        else
            for (QLabel* l : std::as_const(m_lbRta))
                paint(l, kCyan, -1); // the last values stay, marked as stale
        paint(m_lbRx, -1, kLightRed);
        if (s.fault == plclink::Sample::Fault::Port)
            m_poller->stop();
        return;
    }
    paint(m_lbRx, -1, kGreen);
    if (s.kind == plclink::Sample::Kind::Io) {
        for (int i = 0; i < 8; ++i) {
            const bool on = s.inputs & (1 << i);
            paint(m_lbEntradas[i], on ? kBlack : kGrey, on ? kGreen : kLightGrey);
        }
        for (int i = 0; i < 6; ++i) {
            const bool on = s.outputs & (1 << i);
            paint(m_lbSalidas[i], on ? kBlack : kGrey, on ? kLightRed : kLightGrey);
        }
        return;
    }
    for (int i = 0; i < 4; ++i) {
        const quint8 b = s.variables[size_t(i)];
        QString caption = objcode::Str(b & 1);
        if (debugMode())
            caption += QStringLiteral("  0x") + QString::number(b, 16).toUpper();
        m_lbRta[i]->setText(caption);
        paint(m_lbRta[i], (b & 1) ? kRed : kBlue, -1);
    }
}

void Monitor::cmdDetener_Click()
{
    m_poller->stop();
    for (QLabel* l : std::as_const(m_lbRta))
        l->hide();
}

void Monitor::hideEvent(QHideEvent* e)
{
    // polling ends with its window, whatever closed it (a minimised window polls on)
    if (!e->spontaneous())
        m_poller->stop();
    PlcWindow::hideEvent(e);
}

bool Monitor::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
        if (watched == m_cmdDetener || watched == m_vScroll1)
            cmdDetener_Click();
        else
            reject();
        return true;
    }
    return QDialog::eventFilter(watched, e);
}
