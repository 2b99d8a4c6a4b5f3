// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The monitor's timing chart: one two-level trace per input, output and variable polled,
// stacked like a logic analyser and painted from the sample store, one decimation pass per
// pixel column. It reads the store and never changes it.

#include "SampleStore.h"

#include <QHash>
#include <QStringList>
#include <QWidget>
#include <optional>
#include <vector>

class MonitorChart : public QWidget
{
    Q_OBJECT
public:
    struct Trace
    {
        enum Type
        {
            Input,
            Output,
            Variable
        } type;
        int address; // the operand address: e1 is 0, s1 is 8, variables their own
        QString label;
    };
    // One byte per pixel column and trace.
    enum Level : char
    {
        Low = 1,
        High = 2,
        Gap = 4
    };
    struct Columns
    {
        std::vector<QByteArray> traces; // Level bits per column, in the order of the traces
        QByteArray faults;              // 1 where a poll went unanswered
    };
    // The pass over the samples between t0 and t1 that everything painted comes from.
    static Columns decimate(const plclink::SampleStore& store, const QList<Trace>& traces, qint64 t0,
                            qint64 t1, int width);

    explicit MonitorChart(const plclink::SampleStore& store, QWidget* parent = nullptr);

    void setNames(const QStringList& names);               // the variable names, in address order
    void setEquNames(const QHash<int, QString>& equNames); // address -> the program's name
    void setDebugMode(bool on);
    void setFirstVariable(int first); // the four in view have their traces before their first poll
    void setSpan(qint64 msecs);
    qint64 span() const { return m_span; }
    // Following: the view ends at the newest sample. Otherwise it stays at viewEnd.
    void setFollowing(bool on);
    bool following() const { return m_following; }
    void setViewEnd(qint64 msecs);
    qint64 viewEnd() const;
    void setCursorTime(std::optional<qint64> msecs);
    std::optional<qint64> cursorTime() const { return m_hover ? m_hover : m_pinned; }

    QList<Trace> traces() const;
    // The cursor's text for one trace at a moment: empty where no poll stands, "?" for a poll
    // without an answer.
    QString valueText(const Trace& trace, qint64 msecs) const;
    static QString timeText(qint64 msecs);
    // The chart's note, empty while nothing was dropped.
    QString note() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    void samplesChanged(); // the store grew or was cleared

signals:
    // A drag moved the view by hand: the panel pauses.
    void draggedTo(qint64 viewEnd);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    QRect plotRect() const;
    int labelWidth(const QList<Trace>& traces) const;
    qint64 timeAtX(int x) const;
    void updateHeight();

    const plclink::SampleStore& m_store;
    QStringList m_names;
    QHash<int, QString> m_equNames;
    bool m_debug = false;
    std::optional<int> m_first;
    qint64 m_span = 10000;
    bool m_following = true;
    qint64 m_viewEnd = 0;
    std::optional<qint64> m_pinned, m_hover;
    // a press starts a drag or, released where it began, pins the cursor
    std::optional<QPoint> m_pressAt;
    qint64 m_pressViewEnd = 0;
    bool m_dragging = false;
    int m_traceCount = 0;
};
