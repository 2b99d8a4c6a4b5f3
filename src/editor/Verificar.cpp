// SPDX-License-Identifier: GPL-3.0-or-later
#include "Verificar.h"

#include "ObjCode.h"
#include "Upload.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QStringList lines(const isa::ProgramImage& image)
{
    QStringList all = objcode::ReverseTranslate(image).text.split(QStringLiteral("\r\n"));
    if (!all.isEmpty() && all.last().isEmpty())
        all.removeLast(); // the break that ends the last line
    return all;
}
} // namespace

QList<Verificar::Row> Verificar::sideBySide(const QStringList& a, const QStringList& b)
{
    // lcs[i][j]: the longest common run of a[i..] and b[j..]; a translation has at most 256 lines
    const qsizetype n = a.size(), m = b.size();
    QList<QList<int>> lcs(n + 1, QList<int>(m + 1, 0));
    for (qsizetype i = n - 1; i >= 0; --i)
        for (qsizetype j = m - 1; j >= 0; --j)
            lcs[i][j] = a[i] == b[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
    QList<Row> rows;
    QStringList onlyA, onlyB;
    auto flush = [&] {
        for (qsizetype k = 0; k < std::max(onlyA.size(), onlyB.size()); ++k)
            rows.append({onlyA.value(k), onlyB.value(k), true});
        onlyA.clear();
        onlyB.clear();
    };
    qsizetype i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && a[i] == b[j]) {
            flush();
            rows.append({a[i], b[j], false});
            ++i;
            ++j;
        } else if (j >= m || (i < n && lcs[i + 1][j] >= lcs[i][j + 1])) {
            onlyA << a[i++];
        } else {
            onlyB << b[j++];
        }
    }
    flush();
    return rows;
}

Verificar::Verificar(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Verificar"));
    setWindowTitle(tr("Verificar programa"));
    setWindowModality(Qt::ApplicationModal);
    m_lbDiferencias = new QLabel(this);
    m_lbDiferencias->setObjectName(QStringLiteral("lbDiferencias"));
    m_lbDiferencias->setWordWrap(true);
    m_tblComparar = new QTableWidget(0, 2, this);
    m_tblComparar->setObjectName(QStringLiteral("tblComparar"));
    m_tblComparar->setHorizontalHeaderLabels({tr("Editor"), tr("PLC")});
    m_tblComparar->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_tblComparar->verticalHeader()->hide();
    m_tblComparar->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tblComparar->setSelectionMode(QAbstractItemView::NoSelection);
    m_tblComparar->setShowGrid(false);
    m_tblComparar->setFocusPolicy(Qt::NoFocus);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    m_tblComparar->setFont(font);
    m_tblComparar->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
    m_tblComparar->setMinimumSize(620, 320);

    auto* keep = new QPushButton(tr("&Conservar el texto"), this);
    keep->setObjectName(QStringLiteral("cmdConservar"));
    auto* send = new QPushButton(tr("&Enviar"), this);
    send->setObjectName(QStringLiteral("cmdEnviar"));
    send->setToolTip(tr("Enviar el programa del editor al PLC"));
    auto* load = new QPushButton(tr("Cargar el programa del &PLC"), this);
    load->setObjectName(QStringLiteral("cmdCargar"));
    load->setToolTip(tr("Reemplazar el texto del editor por el programa del PLC"));
    keep->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(keep);
    buttons->addWidget(send);
    buttons->addWidget(load);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lbDiferencias);
    layout->addWidget(m_tblComparar);
    layout->addLayout(buttons);

    connect(keep, &QPushButton::clicked, this, [this] { choose(Choice::Keep); });
    connect(send, &QPushButton::clicked, this, [this] { choose(Choice::Send); });
    connect(load, &QPushButton::clicked, this, [this] { choose(Choice::Load); });
}

void Verificar::begin(const isa::ProgramImage& editor, const isa::ProgramImage& plc)
{
    m_plc = plc;
    const plclink::ImageDifference d = plclink::compareImages(editor, plc);
    m_lbDiferencias->setText(
        d.bytes == 1 ? tr("El programa del PLC difiere del editor en 1 byte, en la dirección %1.")
                           .arg(d.first)
                     : tr("El programa del PLC difiere del editor en %1 bytes; el primero está en la "
                                      "dirección %2.")
                           .arg(d.bytes)
                           .arg(d.first));
    const QList<Row> rows = sideBySide(lines(editor), lines(plc));
    m_tblComparar->clearContents();
    m_tblComparar->setRowCount(int(rows.size()));
    const QBrush marked(QColor(255, 200, 200));
    int first = -1;
    for (int r = 0; r < rows.size(); ++r) {
        const QString texts[] = {rows[r].editor, rows[r].plc};
        for (int c = 0; c < 2; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            if (rows[r].differs)
                item->setBackground(marked);
            m_tblComparar->setItem(r, c, item);
        }
        if (rows[r].differs && first < 0)
            first = r;
    }
    if (first >= 0)
        m_tblComparar->scrollToItem(m_tblComparar->item(first, 0), QAbstractItemView::PositionAtCenter);
}

void Verificar::choose(Choice choice)
{
    // the window is gone before the editor acts: a send shows its own questions
    if (choice == Choice::Keep)
        reject();
    else
        accept();
    emit chosen(choice);
}
