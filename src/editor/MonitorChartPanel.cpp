// SPDX-License-Identifier: GPL-3.0-or-later
#include "MonitorChartPanel.h"

#include "MonitorCsv.h"
#include "Prompts.h"
#include "SafeWrite.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
constexpr qint64 kScrollUnit = 100; // the scroll bar moves in tenths of a second
const qint64 kSpans[] = {10000, 60000, 600000};
} // namespace

MonitorChartPanel::MonitorChartPanel(QWidget* parent, qsizetype capacity) : QWidget(parent), m_store(capacity)
{
    setObjectName(QStringLiteral("MonitorChartPanel"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    m_chkGrafico = new QCheckBox(tr("&Gráfico"), this);
    m_chkGrafico->setObjectName(QStringLiteral("chkGrafico"));
    m_chkGrafico->setChecked(true);
    outer->addWidget(m_chkGrafico);

    m_frGrafico = new QWidget(this);
    m_frGrafico->setObjectName(QStringLiteral("frGrafico"));
    outer->addWidget(m_frGrafico, 1);
    auto* layout = new QVBoxLayout(m_frGrafico);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* controls = new QHBoxLayout;
    m_cbIntervalo = new QComboBox(m_frGrafico);
    m_cbIntervalo->setObjectName(QStringLiteral("cbIntervalo"));
    m_cbIntervalo->addItems({tr("10 s"), tr("1 min"), tr("10 min")});
    m_cmdPausa = new QPushButton(tr("Pausa"), m_frGrafico);
    m_cmdPausa->setObjectName(QStringLiteral("cmdPausa"));
    m_cmdPausa->setCheckable(true);
    m_cmdExportar = new QPushButton(tr("Exportar..."), m_frGrafico);
    m_cmdExportar->setObjectName(QStringLiteral("cmdExportar"));
    for (QPushButton* b : {m_cmdPausa, m_cmdExportar})
        b->setAutoDefault(false);
    controls->addWidget(m_cbIntervalo);
    controls->addWidget(m_cmdPausa);
    controls->addStretch(1);
    controls->addWidget(m_cmdExportar);
    layout->addLayout(controls);
    m_chart = new MonitorChart(m_store, m_frGrafico);
    layout->addWidget(m_chart, 1);
    m_hScroll = new QScrollBar(Qt::Horizontal, m_frGrafico);
    m_hScroll->setObjectName(QStringLiteral("HScroll1"));
    layout->addWidget(m_hScroll);

    connect(m_chkGrafico, &QCheckBox::toggled, this, [this](bool on) {
        m_frGrafico->setVisible(on);
        emit chartShownChanged(on);
    });
    connect(m_cbIntervalo, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_chart->setSpan(kSpans[std::clamp(i, 0, 2)]);
        updateScrollBar();
    });
    connect(m_cmdPausa, &QPushButton::toggled, this, [this](bool on) {
        m_chart->setFollowing(!on);
        updateScrollBar();
    });
    connect(m_cmdExportar, &QPushButton::clicked, this, &MonitorChartPanel::cmdExportar_Click);
    connect(m_hScroll, &QScrollBar::valueChanged, this, &MonitorChartPanel::scrolled);
    connect(m_chart, &MonitorChart::draggedTo, this, [this](qint64 end) {
        m_chart->setViewEnd(end);
        setPaused(true);
        updateScrollBar();
    });
    updateScrollBar();
}

QHash<int, QString> MonitorChartPanel::equNamesOf(const QStringList& equs, const QStringList& values)
{
    QHash<int, QString> byAddress;
    for (int i = 0; i < std::min(equs.size(), values.size()); ++i) {
        bool ok = false;
        const int address = values[i].trimmed().toInt(&ok);
        if (ok && address >= 0 && address <= 255 && !byAddress.contains(address))
            byAddress.insert(address, equs[i]);
    }
    return byAddress;
}

void MonitorChartPanel::setNames(const QStringList& names)
{
    m_names = names;
    m_chart->setNames(names);
}

void MonitorChartPanel::setEquNames(const QHash<int, QString>& equNames)
{
    m_chart->setEquNames(equNames);
}

void MonitorChartPanel::setDebugMode(bool on)
{
    m_chart->setDebugMode(on);
}

void MonitorChartPanel::setChartShown(bool shown)
{
    m_chkGrafico->setChecked(shown);
}

bool MonitorChartPanel::chartShown() const
{
    return m_chkGrafico->isChecked();
}

bool MonitorChartPanel::paused() const
{
    return m_cmdPausa->isChecked();
}

void MonitorChartPanel::setPaused(bool on)
{
    m_cmdPausa->setChecked(on);
}

void MonitorChartPanel::addSample(const plclink::Sample& sample)
{
    m_store.append(sample);
    if (sample.kind == plclink::Sample::Kind::Variables)
        m_first = sample.first;
    // a hidden chart keeps its history but paints nothing
    m_chart->samplesChanged();
    updateScrollBar();
}

void MonitorChartPanel::setFirstVariable(int first)
{
    m_first = first;
    m_chart->setFirstVariable(first);
}

void MonitorChartPanel::pollingStopped()
{
    m_store.endRun();
}

void MonitorChartPanel::clear()
{
    m_store.clear();
    m_chart->setCursorTime(std::nullopt);
    setPaused(false);
    m_chart->samplesChanged();
    updateScrollBar();
}

void MonitorChartPanel::updateScrollBar()
{
    const QSignalBlocker block(m_hScroll);
    if (m_store.isEmpty()) {
        m_hScroll->setRange(0, 0);
        return;
    }
    // the view's end runs from one span after the oldest sample to the newest
    const qint64 first = m_store.at(0).msecs + m_chart->span();
    const qint64 last = std::max(first, m_store.at(m_store.size() - 1).msecs);
    m_hScroll->setRange(0, int((last - first) / kScrollUnit));
    m_hScroll->setPageStep(int(m_chart->span() / kScrollUnit));
    m_hScroll->setSingleStep(int(m_chart->span() / kScrollUnit / 10));
    m_hScroll->setValue(m_chart->following() ? m_hScroll->maximum()
                                             : int((m_chart->viewEnd() - first) / kScrollUnit));
}

void MonitorChartPanel::scrolled(int value)
{
    if (m_store.isEmpty())
        return;
    // moving through the history holds the view where the hand left it
    m_chart->setViewEnd(m_store.at(0).msecs + m_chart->span() + value * kScrollUnit);
    setPaused(true);
}

QByteArray MonitorChartPanel::csv() const
{
    namespace csv = plclink::monitorcsv;
    std::optional<int> first;
    for (qsizetype i = 0; i < m_store.size() && !first; ++i)
        if (m_store.at(i).kind == plclink::Sample::Kind::Variables)
            first = m_store.at(i).first;
    QString text = csv::header(csv::variableNames(m_names, first.value_or(m_first))) + u'\n';
    for (qsizetype i = 0; i < m_store.size(); ++i) {
        const plclink::Sample& s = m_store.at(i);
        if (s.kind == plclink::Sample::Kind::Variables && s.first != *first) {
            first = s.first;
            text += csv::header(csv::variableNames(m_names, s.first)) + u'\n';
        }
        text += csv::row(s) + u'\n';
    }
    return text.toUtf8();
}

bool MonitorChartPanel::exportTo(const QString& path, QString* error) const
{
    QByteArray bytes;
    if (path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!m_chart->grab().save(&buffer, "PNG")) {
            if (error)
                *error = tr("No se pudo exportar %1: la imagen no se pudo codificar.").arg(path);
            return false;
        }
    } else {
        bytes = csv();
    }
    isa::WriteFailure failure;
    if (isa::writeWholeFile(path, bytes, &failure))
        return true;
    if (error)
        *error = tr("No se pudo exportar %1: %2").arg(path, failure.description);
    return false;
}

void MonitorChartPanel::cmdExportar_Click()
{
    Prompts::FileRequest request;
    request.mode = Prompts::FileRequest::Save;
    request.title = tr("Exportar");
    request.filter = tr("Valores separados por comas (*.csv)|*.csv|Imagen PNG (*.png)|*.png");
    request.fileName = QStringLiteral("monitor.csv");
    request.folder = m_folder;
    const std::optional<QString> chosen = Prompts::current().file(this, request);
    if (!chosen || chosen->isEmpty())
        return;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    if (QFileInfo::exists(path)) {
        const Prompts::Button b = Prompts::current().message(
            this, {tr("Exportar"), tr("El archivo %1 ya existe: Sobreescribir?").arg(path),
                   Prompts::Yes | Prompts::No, Prompts::Icon::Question, Prompts::No});
        if (b != Prompts::Yes)
            return;
    }
    QString error;
    if (!exportTo(path, &error))
        Prompts::current().message(
            this, {tr("Exportar"), error, Prompts::Ok, Prompts::Icon::Exclamation, Prompts::Ok});
}
