// SPDX-License-Identifier: GPL-3.0-or-later
#include "Monitor.h"

#include "Colorset.h"
#include "Exchanges.h"
#include "ObjCode.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

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

Monitor::Monitor(const PlcContext& context, QWidget* parent) : PlcWindow(context, parent, "Monitor", QStringLiteral("Monitor"))
{
    auto* grid = new QGridLayout(this);

    grid->addWidget(new QLabel(QStringLiteral("Ents."), this), 0, 0);
    for (int i = 0; i < 8; ++i) {
        m_lbEntradas << lamp(this, QStringLiteral("lbEntradas%1").arg(i), QString::number(i));
        grid->addWidget(m_lbEntradas.last(), 0, i + 1);
    }
    grid->addWidget(new QLabel(QStringLiteral("Sals."), this), 1, 0);
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
    m_cmdRecibir = new QPushButton(QStringLiteral("&Recibir"), this);
    m_cmdRecibir->setObjectName(QStringLiteral("cmdRecibir"));
    m_cmdDetener = new QPushButton(QStringLiteral("&Detener"), this);
    m_cmdDetener->setObjectName(QStringLiteral("cmdDetener"));
    m_cmdDetener->hide();
    m_cmdSalirMonitor = new QPushButton(QStringLiteral("&Salir"), this);
    m_cmdSalirMonitor->setObjectName(QStringLiteral("cmdSalirMonitor"));
    grid->addWidget(m_cmdRecibir, 7, 0, 1, 3);
    grid->addWidget(m_cmdDetener, 7, 0, 1, 3);
    grid->addWidget(m_cmdSalirMonitor, 7, 4, 1, 3);
    for (QPushButton* b : {m_cmdRecibir, m_cmdDetener, m_cmdSalirMonitor})
        b->setAutoDefault(false);
    for (QWidget* w : {static_cast<QWidget*>(m_vScroll1), static_cast<QWidget*>(m_cmdRecibir),
                       static_cast<QWidget*>(m_cmdDetener), static_cast<QWidget*>(m_cmdSalirMonitor)})
        w->installEventFilter(this);

    connect(m_cmdRecibir, &QPushButton::clicked, this, &Monitor::cmdRecibir_Click);
    connect(m_cmdDetener, &QPushButton::clicked, this, &Monitor::cmdDetener_Click);
    connect(m_cmdSalirMonitor, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_vScroll1, &QScrollBar::valueChanged, this, &Monitor::showNames);
}

void Monitor::begin()
{
    // fewer than four names leave an empty range: the names beyond the list stay empty
    m_vScroll1->setRange(0, std::max(0, int(m_context.names().size()) - 4));
    reopened();
    showNames();
}

void Monitor::showNames()
{
    const int v = m_vScroll1->value();
    for (int i = 0; i < 4; ++i)
        m_lbVar[i]->setText(m_context.names().value(v + i));
}

void Monitor::cmdRecibir_Click()
{
    plclink::Link& link = PlcWindow::link();
    if (m_polling || link.busy())
        return;
    plclink::Link::Busy busy(link);
    m_polling = true;
    m_cmdRecibir->hide();
    m_cmdDetener->show();
    m_cmdDetener->setFocus();
    m_cmdSalirMonitor->hide();
    for (QLabel* l : std::as_const(m_lbRta))
        l->show();
    plclink::PollCycle cycle;
    do {
        cycle.judged(cycle.ioNext() ? ioPoll() : variablePoll());
        QApplication::processEvents();
    } while (!m_stop && !closing());
    m_stop = false;
    m_polling = false;
    if (closing())
        return; // the next opening starts from the idle state
    showButtons();
    QPalette p = m_lbTx->palette();
    p.setColor(QPalette::Window, QColor(4, 0, 0)); // the colour value 4, not the palette's red
    m_lbTx->setPalette(p);
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
    m_stop = false;
    showButtons();
    for (QLabel* l : m_lbEntradas + m_lbSalidas + m_lbRta + QList<QLabel*>{m_lbTx, m_lbRx})
        l->setPalette(QPalette());
    for (QLabel* l : std::as_const(m_lbRta)) {
        l->clear();
        l->show();
    }
}

bool Monitor::ioPoll()
{
    paint(m_lbTx, -1, kGreen);
    const auto state = plclink::pollIo(link(), station(), [this] { paint(m_lbTx, -1, kLightGrey); });
    if (closing())
        return false;
    if (!state) {
        for (QLabel* l : m_lbEntradas + m_lbSalidas)
            paint(l, kCyan, kLightGrey);
        badAnswer();
        return false;
    }
    paint(m_lbRx, -1, kGreen);
    for (int i = 0; i < 8; ++i) {
        const bool on = state->inputs & (1 << i);
        paint(m_lbEntradas[i], on ? kBlack : kGrey, on ? kGreen : kLightGrey);
    }
    for (int i = 0; i < 6; ++i) {
        const bool on = !(state->outputs & (1 << i)); // a 0 bit is an output that is on
        paint(m_lbSalidas[i], on ? kBlack : kGrey, on ? kLightRed : kLightGrey);
    }
    return true;
}

bool Monitor::variablePoll()
{
    paint(m_lbTx, -1, kGreen);
    const auto values = plclink::pollVariables(link(), station(), m_vScroll1->value(),
                                               [this] { paint(m_lbTx, -1, kLightGrey); });
    if (closing())
        return false;
    if (!values) {
        for (QLabel* l : std::as_const(m_lbRta))
            paint(l, kCyan, -1); // the last values stay, marked as stale
        badAnswer();
        return false;
    }
    paint(m_lbRx, -1, kGreen);
    for (int i = 0; i < 4; ++i) {
        const quint8 b = (*values)[size_t(i)];
        QString caption = objcode::Str(b & 1);
        if (debugMode())
            caption += QStringLiteral("  0x") + QString::number(b, 16).toUpper();
        m_lbRta[i]->setText(caption);
        paint(m_lbRta[i], (b & 1) ? kRed : kBlue, -1);
    }
    return true;
}

void Monitor::badAnswer()
{
    paint(m_lbRx, -1, kLightRed);
    // the next send opens the port afresh
    link().OpenPort(0);
}

void Monitor::cmdDetener_Click()
{
    m_stop = true;
    for (QLabel* l : std::as_const(m_lbRta))
        l->hide();
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
