// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Monitor's chart with its controls: the span shown, "Pausa", the history's scroll bar and
// "Exportar...". It keeps the history since it was last cleared; polling stopped and started
// again continues it, with the gap between.
// The window feeds it: each opening clear() (the history is the window's), then the names,
// equ names, diagnostic mode and the first variable in view; every sample to addSample();
// pollingStopped() when a run ends; its scroll bar to setFirstVariable().

#include "MonitorChart.h"
#include "Sample.h"
#include "SampleStore.h"

#include <QHash>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QPushButton;
class QScrollBar;

class MonitorChartPanel : public QWidget
{
    Q_OBJECT
public:
    explicit MonitorChartPanel(QWidget* parent = nullptr,
                               qsizetype capacity = plclink::SampleStore::kDefaultCapacity);

    // The program's equ names by address, from the compiler's cbEQUs and lstEqusPos; the
    // first name given to an address labels it.
    static QHash<int, QString> equNamesOf(const QStringList& equs, const QStringList& values);

    void setNames(const QStringList& names);
    void setEquNames(const QHash<int, QString>& equNames);
    void setDebugMode(bool on);
    void setFolder(const QString& folder) { m_folder = folder; } // where the export dialog opens

    // Shown or hidden: hidden, only the check box that brings it back stays.
    void setChartShown(bool shown);
    bool chartShown() const;
    QCheckBox* showToggle() const { return m_chkGrafico; }

    const plclink::SampleStore& store() const { return m_store; }
    MonitorChart* chart() const { return m_chart; }
    bool paused() const;

    // Writes the history as CSV, or the chart as PNG when the name ends in ".png". False, with
    // *error naming the file and the reason, when it was not written.
    bool exportTo(const QString& path, QString* error = nullptr) const;
    // The history as mk38c monitor --csv prints it; a new header wherever the variables in view
    // changed, as two runs of mk38c one after the other.
    QByteArray csv() const;

public slots:
    void addSample(const plclink::Sample& sample);
    void setFirstVariable(int first); // the variables in view (the window's scroll bar)
    void pollingStopped();
    void clear();
    void setPaused(bool on);
    void cmdExportar_Click();

signals:
    void chartShownChanged(bool shown);

private:
    void updateScrollBar();
    void scrolled(int value);

    plclink::SampleStore m_store;
    QStringList m_names;
    int m_first = 0;
    QString m_folder;
    MonitorChart* m_chart;
    QWidget* m_frGrafico;
    QCheckBox* m_chkGrafico;
    QComboBox* m_cbIntervalo;
    QPushButton* m_cmdPausa;
    QPushButton* m_cmdExportar;
    QScrollBar* m_hScroll;
    bool m_settingScroll = false;
};
