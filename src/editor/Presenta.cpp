#include "Presenta.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

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
    auto* line = new QLabel(QStringLiteral("WMK38 - Editor y compilador para el MicroPLC MK38"), this);
    line->setObjectName(QStringLiteral("lbPrograma"));
    line->setAlignment(Qt::AlignCenter);
    m_version = new QLabel(versionText, this);
    m_version->setObjectName(QStringLiteral("lbVersion"));
    m_version->setAlignment(Qt::AlignCenter);
    m_accept = new QPushButton(QStringLiteral("&Aceptar"), this);
    m_accept->setObjectName(QStringLiteral("cmdAceptar"));
    connect(m_accept, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(title);
    layout->addWidget(line);
    layout->addWidget(m_version);
    layout->addWidget(m_accept, 0, Qt::AlignCenter);
    setAboutMode(false);
}

void Presenta::setAboutMode(bool about)
{
    m_accept->setVisible(about);
    if (about)
        m_accept->setDefault(true);
}
