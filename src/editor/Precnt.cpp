// SPDX-License-Identifier: GPL-3.0-or-later
#include "Precnt.h"

#include "ObjCode.h"
#include "Prompts.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {
struct BusyPointer
{
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
};

const QString kUnknown = QStringLiteral("????");
} // namespace

Precnt::Precnt(const PlcContext& context, QWidget* parent)
    : PlcWindow(context, parent, "Precnt", tr("Preseteos contadores y temporizadores"))
{
    auto* grid = new QGridLayout(this);

    const struct
    {
        const char* caption;
        const char* label;
        const char* unit;
        int first, count;
    } groups[] = {{QT_TR_NOOP("Contadores"), "Ctv %1", QT_TR_NOOP("Unidades"), 0, 4},
                  {QT_TR_NOOP("Temporizadores"), "Tpv %1", QT_TR_NOOP("Décimas"), 4, 4},
                  {QT_TR_NOOP("temporizadres Rápidos"), "Tpvf %1", QT_TR_NOOP("Centésimas"), 8, 2}};
    int column = 0;
    for (const auto& g : groups) {
        auto* frame = new QGroupBox(tr(g.caption), this);
        auto* box = new QGridLayout(frame);
        for (int k = 0; k < g.count; ++k) {
            box->addWidget(new QLabel(QString::fromUtf8(g.label).arg(k + 1), frame), k, 0);
            auto* txt = new QLineEdit(QStringLiteral("00000"), frame);
            txt->setObjectName(QStringLiteral("txtCnt%1").arg(g.first + k));
            txt->installEventFilter(this);
            box->addWidget(txt, k, 1);
            m_txtCnt << txt;
        }
        box->addWidget(new QLabel(tr("En"), frame), g.count, 0);
        box->addWidget(new QLabel(tr(g.unit), frame), g.count, 1);
        grid->addWidget(frame, 0, column++, Qt::AlignTop);
    }

    auto button = [this](const char* name, const QString& caption, void (Precnt::*slot)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button("cmdZero", tr("&En \"0\""), &Precnt::cmdZero_Click));
    buttons->addWidget(button("cmdFabrica", tr("&Fábrica"), &Precnt::cmdFabrica_Click));
    buttons->addWidget(m_cmdPreset = button("cmdPreset", tr("&Preset"), &Precnt::cmdPreset_Click));
    buttons->addWidget(button("cmdReLeer", tr("&Releer"), &Precnt::cmdReLeer_Click));
    auto* cancel = new QPushButton(tr("&Cerrar"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 1, 0, 1, 3);

    m_lbRx = new QLabel(QStringLiteral("Rx"), this);
    m_lbRx->setObjectName(QStringLiteral("lbRx"));
    m_lbRx->setAutoFillBackground(true);
    m_lbRx->setAlignment(Qt::AlignCenter);
    m_lbRx->setFixedWidth(40);
    m_lbMsg = new QLabel(this);
    m_lbMsg->setObjectName(QStringLiteral("lbMsg"));
    grid->addWidget(m_lbRx, 2, 0);
    grid->addWidget(m_lbMsg, 2, 1, 1, 2);
}

void Precnt::begin()
{
    reopened();
    BusyPointer busy;
    readProcedure();
}

void Precnt::idle()
{
    m_cmdPreset->setEnabled(true);
    for (QLineEdit* t : std::as_const(m_txtCnt))
        t->setEnabled(true);
    m_lbMsg->clear();
    m_lbRx->setPalette(QPalette());
}

int Precnt::firstBadBox() const
{
    for (int i = 0; i < m_txtCnt.size(); ++i)
        if (!plclink::presetFromText(m_txtCnt[i]->text()))
            return i;
    return -1;
}

void Precnt::refuse(int box)
{
    m_refusing = true;
    Prompts::current().message(this, {tr("Error"), tr("Valores admisibles entre 0 y 65535"),
                                      Prompts::Ok, Prompts::Icon::Exclamation});
    m_txtCnt[box]->setFocus();
    m_refusing = false;
}

void Precnt::cmdPreset_Click()
{
    plclink::Link& link = PlcWindow::link();
    if (link.busy())
        return;
    // an unread ("????") or mistyped box is never written into a running machine
    if (const int bad = firstBadBox(); bad >= 0) {
        refuse(bad);
        return;
    }
    plclink::Presets values{};
    for (int i = 0; i < plclink::kPresetCount; ++i)
        values[size_t(i)] = *plclink::presetFromText(m_txtCnt[i]->text());
    BusyPointer busy;
    plclink::Link::Busy exchange(link);
    const bool written = plclink::writePresets(link, station(), values, [this](int i) {
        m_lbMsg->setText(tr("Escribiendo%1").arg(objcode::Str(i)));
    });
    if (!written || closing()) {
        portFailed();
        return;
    }
    m_lbMsg->setText(tr("Leyendo..."));
    readProcedure();
}

void Precnt::cmdReLeer_Click()
{
    if (!link().busy())
        readProcedure();
}

void Precnt::readProcedure()
{
    plclink::Link& link = PlcWindow::link();
    plclink::Link::Busy exchange(link);
    auto lamp = [this](const QColor& c) {
        QPalette p = m_lbRx->palette();
        p.setColor(QPalette::Window, c);
        m_lbRx->setPalette(p);
    };
    const plclink::PresetRead r = plclink::readPresets(
        link, station(),
        [this](int j) { m_lbMsg->setText(tr("Leyendo%1").arg(objcode::Str(j))); },
        [this, &lamp](int j, const plclink::PresetRead& sofar) {
            for (int i : {2 * j, 2 * j + 1}) {
                const auto& v = sofar.values[size_t(i)];
                m_txtCnt[i]->setText(v ? QString::number(*v) : kUnknown);
            }
            lamp(sofar.values[size_t(2 * j)] ? QColor(0, 255, 0) : QColor(255, 0, 0));
        });
    if (closing())
        return;
    if (r.silent) {
        for (QLineEdit* t : std::as_const(m_txtCnt))
            t->setText(kUnknown);
        portFailed();
        return; // the message stays: it says where the reading stopped
    }
    m_lbMsg->clear();
}

void Precnt::cmdZero_Click()
{
    for (QLineEdit* t : std::as_const(m_txtCnt))
        t->setText(QStringLiteral("0"));
}

void Precnt::cmdFabrica_Click()
{
    for (int i = 0; i < plclink::kPresetCount; ++i)
        m_txtCnt[i]->setText(QString::number(plclink::kFactoryPresets[size_t(i)]));
    cmdPreset_Click();
}

bool Precnt::eventFilter(QObject* watched, QEvent* e)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box && e->type() == QEvent::FocusIn)
        QTimer::singleShot(0, box, &QLineEdit::selectAll);
    // leaving a box that holds no preset value for another box brings the user back to it;
    // the buttons stay free, so a wrong box never keeps the window from closing or re-reading
    if (box && e->type() == QEvent::FocusOut && !m_refusing && !plclink::presetFromText(box->text()))
        QTimer::singleShot(0, this, [this, box] {
            auto* now = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            if (!m_refusing && now != box && m_txtCnt.contains(now))
                refuse(int(m_txtCnt.indexOf(box)));
        });
    return QDialog::eventFilter(watched, e);
}
