// SPDX-License-Identifier: GPL-3.0-or-later
#include "Colorset.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>
#include <array>

namespace {

constexpr std::array<QRgb, Colorset::kSwatches> kPalette = {
    qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
    qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
    qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255),
};

constexpr int kSwatchSize = 22;

void setColors(QWidget* w, const QColor& fore, const QColor& back)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Text, fore);
    p.setColor(QPalette::Base, back);
    w->setPalette(p);
}

} // namespace

QColor paletteColor(int index)
{
    if (index < 0 || index >= Colorset::kSwatches)
        return Qt::black;
    return QColor(kPalette[size_t(index)]);
}

Colorset::Colorset(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Colorset"));
    setWindowTitle(tr("Elecci¢n de colores"));

    m_sample = new QTextEdit(this);
    m_sample->setObjectName(QStringLiteral("txtMuestra"));
    m_sample->setPlainText(tr("Texto de prueba"));
    m_sample->setFixedHeight(60);

    auto makeRow = [this](const QString& prefix, QList<QLabel*>& row) {
        auto* box = new QHBoxLayout;
        box->setSpacing(2);
        for (int i = 0; i < kSwatches; ++i) {
            auto* swatch = new QLabel(this);
            swatch->setObjectName(prefix + QString::number(i));
            swatch->setFixedSize(kSwatchSize, kSwatchSize);
            swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
            swatch->setAutoFillBackground(true);
            QPalette p = swatch->palette();
            p.setColor(QPalette::Window, paletteColor(i));
            swatch->setPalette(p);
            swatch->setCursor(Qt::PointingHandCursor);
            swatch->installEventFilter(this);
            box->addWidget(swatch);
            row.append(swatch);
        }
        box->addStretch();
        return box;
    };

    m_editor = new QRadioButton(QStringLiteral("Editor"), this);
    m_editor->setObjectName(QStringLiteral("opControl0"));
    m_destacado = new QRadioButton(tr("Destacado"), this);
    m_destacado->setObjectName(QStringLiteral("opControl1"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_editor, 0);
    group->addButton(m_destacado, 1);

    m_muestra = new QLabel(tr("Texto destacado"), this);
    m_muestra->setObjectName(QStringLiteral("lbMuestra"));

    auto* ok = new QPushButton(tr("&Aceptar"), this);
    ok->setObjectName(QStringLiteral("cmdAceptar"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("&Cancelar"), this);
    cancel->setObjectName(QStringLiteral("cmdCancelar"));
    connect(ok, &QPushButton::clicked, this, &Colorset::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* options = new QHBoxLayout;
    options->addWidget(m_editor);
    options->addWidget(m_destacado);
    options->addSpacing(16);
    options->addWidget(m_muestra);
    options->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_sample);
    layout->addWidget(new QLabel(tr("Colores de Frente"), this));
    layout->addLayout(makeRow(QStringLiteral("lbColorFrente"), m_fore));
    layout->addWidget(new QLabel(tr("Colores de fondo"), this));
    layout->addLayout(makeRow(QStringLiteral("lbColorFondo"), m_back));
    layout->addLayout(options);
    layout->addLayout(buttons);

    begin(kDefaultScheme);
}

void Colorset::begin(const ColorScheme& scheme)
{
    m_foreNumber = 0;
    m_backNumber = 0;
    m_editor->setChecked(true);
    setColors(m_sample, scheme.text, scheme.background);
    m_mnemonic = scheme.mnemonic;
    m_muestra->setPalette(QPalette());
}

bool Colorset::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        auto* label = qobject_cast<QLabel*>(watched);
        if (const auto i = m_fore.indexOf(label); i >= 0) {
            m_foreNumber = int(i);
            refreshPreview();
            return true;
        }
        if (const auto i = m_back.indexOf(label); i >= 0) {
            m_backNumber = int(i);
            refreshPreview();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Colorset::refreshPreview()
{
    if (m_editor->isChecked()) {
        // both numbers apply: one not chosen yet is colour 0, black
        setColors(m_sample, paletteColor(m_foreNumber), paletteColor(m_backNumber));
    } else if (m_destacado->isChecked()) {
        m_mnemonic = paletteColor(m_foreNumber);
        QPalette p = m_muestra->palette();
        p.setColor(QPalette::WindowText, m_mnemonic);
        m_muestra->setPalette(p);
    }
}

void Colorset::accept()
{
    const QPalette p = m_sample->palette();
    emit schemeChosen({p.color(QPalette::Text), p.color(QPalette::Base), m_mnemonic});
    QDialog::accept();
}
