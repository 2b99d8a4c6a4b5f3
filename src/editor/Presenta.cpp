// SPDX-License-Identifier: GPL-3.0-or-later
#include "Presenta.h"

#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// a window system that never paints the window does not hold the start-up for longer
constexpr int kPaintLimitMs = 3000;
} // namespace

Presenta::Presenta(const QString& versionText, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Presenta"));
    setWindowTitle(QStringLiteral("MicroPLC MK38"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("MicroPLC MK38"), this);
    title->setObjectName(QStringLiteral("lbTitulo"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    auto* line = new QLabel(tr("WMK38 - Editor y compilador para el MicroPLC MK38"), this);
    line->setObjectName(QStringLiteral("lbPrograma"));
    line->setAlignment(Qt::AlignCenter);
    m_version = new QLabel(versionText, this);
    m_version->setObjectName(QStringLiteral("lbVersion"));
    m_version->setAlignment(Qt::AlignCenter);
    m_licence = new QLabel(tr("Software libre bajo la Licencia Pública General de GNU,\n"
                              "versión 3 o posterior (GPL-3.0-or-later), sin garantía alguna."),
                           this);
    m_licence->setObjectName(QStringLiteral("lbLicencia"));
    m_licence->setAlignment(Qt::AlignCenter);
    m_accept = new QPushButton(tr("&Aceptar"), this);
    m_accept->setObjectName(QStringLiteral("cmdAceptar"));
    connect(m_accept, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(title);
    layout->addWidget(line);
    layout->addWidget(m_version);
    layout->addWidget(m_licence);
    layout->addWidget(m_accept, 0, Qt::AlignCenter);
    setAboutMode(false);
}

void Presenta::setAboutMode(bool about)
{
    m_accept->setVisible(about);
    m_licence->setVisible(about);
    if (about)
        m_accept->setDefault(true);
}

void Presenta::showPainted()
{
    m_painted = false;
    show();
    if (m_painted)
        return;
    // the window system shows the window some time after show(): wait for its first paint
    QEventLoop loop;
    m_waitingForPaint = &loop;
    QTimer::singleShot(kPaintLimitMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_waitingForPaint = nullptr;
}

void Presenta::paintEvent(QPaintEvent* e)
{
    QDialog::paintEvent(e);
    m_painted = true;
    if (m_waitingForPaint)
        m_waitingForPaint->quit();
}
