// SPDX-License-Identifier: GPL-3.0-or-later
#include "MonitorChart.h"

#include "Colorset.h"

#include <QDateTime>
#include <QMouseEvent>
#include <QPainter>
#include <QVarLengthArray>
#include <algorithm>

namespace {
// the lamps' colours: palette numbers of the classic console colours
enum
{
    kBlue = 1,
    kGreen = 2,
    kCyan = 3,
    kRed = 4,
    kLightGrey = 7,
    kGrey = 8,
    kLightRed = 12
};
constexpr int kMinRow = 16;
constexpr int kDragSlop = 4; // pixels a press may move and still be a click
constexpr int kAddresses = 256;

QColor onColor(MonitorChart::Trace::Type type)
{
    switch (type) {
    case MonitorChart::Trace::Input:
        return paletteColor(kGreen);
    case MonitorChart::Trace::Output:
        return paletteColor(kLightRed);
    case MonitorChart::Trace::Variable:
        break;
    }
    return paletteColor(kRed); // a variable's caption is red when bit 0 is 1
}

QColor offColor(MonitorChart::Trace::Type type)
{
    return type == MonitorChart::Trace::Variable ? paletteColor(kBlue) : paletteColor(kGrey);
}

// Grid lines fit for a span: a second, ten seconds or a minute.
qint64 tickFor(qint64 span)
{
    return span <= 10000 ? 1000 : span <= 60000 ? 10000 : 60000;
}
} // namespace

MonitorChart::MonitorChart(const plclink::SampleStore& store, QWidget* parent)
    : QWidget(parent), m_store(store)
{
    setObjectName(QStringLiteral("picGrafico"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    updateHeight();
}

void MonitorChart::setNames(const QStringList& names)
{
    m_names = names;
    update();
}

void MonitorChart::setEquNames(const QHash<int, QString>& equNames)
{
    m_equNames = equNames;
    update();
}

void MonitorChart::setDebugMode(bool on)
{
    m_debug = on;
    update();
}

void MonitorChart::setFirstVariable(int first)
{
    m_first = first;
    samplesChanged();
}

void MonitorChart::setSpan(qint64 msecs)
{
    m_span = std::max<qint64>(1000, msecs);
    update();
}

void MonitorChart::setFollowing(bool on)
{
    if (!on && m_following)
        m_viewEnd = viewEnd(); // the view stays where it was
    m_following = on;
    update();
}

void MonitorChart::setViewEnd(qint64 msecs)
{
    m_following = false;
    m_viewEnd = msecs;
    update();
}

qint64 MonitorChart::viewEnd() const
{
    if (!m_following)
        return m_viewEnd;
    return m_store.isEmpty() ? m_viewEnd : m_store.at(m_store.size() - 1).msecs;
}

void MonitorChart::setCursorTime(std::optional<qint64> msecs)
{
    m_pinned = msecs;
    update();
}

void MonitorChart::samplesChanged()
{
    if (m_store.isEmpty() && m_viewEnd == 0)
        m_viewEnd = QDateTime::currentMSecsSinceEpoch();
    updateHeight();
    update();
}

void MonitorChart::updateHeight()
{
    const int count = int(traces().size());
    if (count != m_traceCount) {
        m_traceCount = count;
        updateGeometry();
    }
}

QList<MonitorChart::Trace> MonitorChart::traces() const
{
    auto name = [this](int address, const QString& fallback) {
        const QString own = m_names.value(address, fallback);
        const QString equ = m_equNames.value(address);
        return equ.isEmpty() ? own : tr("%1 (%2)").arg(equ, own);
    };
    QList<Trace> list;
    for (int i = 0; i < 8; ++i)
        list.append({Trace::Input, i, name(i, QStringLiteral("e%1").arg(i + 1))});
    for (int i = 0; i < 6; ++i)
        list.append({Trace::Output, 8 + i, name(8 + i, QStringLiteral("s%1").arg(i + 1))});
    QList<int> addresses = m_store.variableAddresses();
    for (int i = 0; m_first && i < 4; ++i)
        if (*m_first + i >= 0 && *m_first + i < m_names.size() && !addresses.contains(*m_first + i))
            addresses << *m_first + i;
    std::sort(addresses.begin(), addresses.end());
    for (int a : std::as_const(addresses))
        list.append({Trace::Variable, a, name(a, QString::number(a))});
    return list;
}

MonitorChart::Columns MonitorChart::decimate(const plclink::SampleStore& store, const QList<Trace>& traces,
                                             qint64 t0, qint64 t1, int width)
{
    Columns out;
    width = std::max(1, width);
    out.traces.assign(size_t(traces.size()), QByteArray(width, 0));
    out.faults = QByteArray(width, 0);
    const qint64 span = std::max<qint64>(1, t1 - t0);
    auto column = [&](qint64 t) { // rounded down, before the view as well
        const qint64 n = (t - t0) * width;
        return n / span - (n % span < 0 ? 1 : 0);
    };
    QVarLengthArray<int, kAddresses> varRow(kAddresses);
    std::fill(varRow.begin(), varRow.end(), -1);
    int ioRows[14];
    std::fill(std::begin(ioRows), std::end(ioRows), -1);
    for (int k = 0; k < traces.size(); ++k) {
        const Trace& t = traces[k];
        if (t.type == Trace::Variable)
            varRow[t.address & (kAddresses - 1)] = k;
        else if (t.address >= 0 && t.address < 14)
            ioRows[t.address] = k;
    }
    auto mark = [&](int row, qint64 c0, qint64 c1, char level) {
        if (row < 0)
            return;
        char* f = out.traces[size_t(row)].data();
        for (qint64 c = std::max<qint64>(0, c0); c <= std::min<qint64>(width - 1, c1); ++c)
            f[c] |= level;
    };
    // an answer older than the longest hold cannot reach into the view
    const qsizetype end = store.lowerBound(t1 + 1);
    for (qsizetype i = store.lowerBound(t0 - plclink::SampleStore::kMaxHoldMs); i < end; ++i) {
        const plclink::Sample& s = store.at(i);
        const qint64 c0 = column(s.msecs), c1 = column(store.holdEnd(i));
        if (c1 < 0 || c0 >= width)
            continue;
        if (!s.sound() && c0 >= 0)
            out.faults[int(c0)] = 1;
        if (s.kind == plclink::Sample::Kind::Io) {
            // an unsound poll feeds nothing but gaps, whatever bytes it carries
            for (int b = 0; b < 8; ++b)
                mark(ioRows[b], c0, c1, !s.sound() ? Gap : (s.inputs >> b) & 1 ? High : Low);
            for (int b = 0; b < 6; ++b)
                mark(ioRows[8 + b], c0, c1, !s.sound() ? Gap : (s.outputs >> b) & 1 ? High : Low);
        } else {
            for (int v = 0; v < 4; ++v)
                mark(varRow[(s.first + v) & (kAddresses - 1)], c0, c1,
                     !s.sound()                   ? Gap
                     : s.variables[size_t(v)] & 1 ? High
                                                  : Low);
        }
    }
    return out;
}

QString MonitorChart::valueText(const Trace& trace, qint64 msecs) const
{
    using Reading = plclink::SampleStore::Reading;
    if (trace.type != Trace::Variable) {
        const Reading r = m_store.ioAt(msecs);
        if (!r.polled)
            return {};
        if (!r.sound)
            return QStringLiteral("?");
        // inputs in the low byte, outputs in the high one: the bit is the address
        return QString::number((r.value >> trace.address) & 1);
    }
    const Reading r = m_store.variableAt(trace.address, msecs);
    if (!r.polled)
        return {};
    if (!r.sound)
        return QStringLiteral("?");
    if (m_debug)
        return tr("%1 (%2, 0x%3)").arg(r.value & 1).arg(r.value).arg(QString::number(r.value, 16).toUpper());
    return tr("%1 (%2)").arg(r.value & 1).arg(r.value);
}

QString MonitorChart::timeText(qint64 msecs)
{
    return QDateTime::fromMSecsSinceEpoch(msecs).toString(QStringLiteral("HH:mm:ss.zzz"));
}

QString MonitorChart::note() const
{
    if (m_store.dropped() == 0 || m_store.isEmpty())
        return {};
    return tr("La historia está llena: se descartaron las muestras anteriores a las %1.")
        .arg(QDateTime::fromMSecsSinceEpoch(m_store.at(0).msecs).toString(QStringLiteral("HH:mm:ss")));
}

int MonitorChart::labelWidth(const QList<Trace>& traces) const
{
    int w = 0;
    for (const Trace& t : traces)
        w = std::max(w, fontMetrics().horizontalAdvance(t.label));
    return w + 10;
}

QRect MonitorChart::plotRect() const
{
    const int line = fontMetrics().height();
    const int left = labelWidth(traces());
    return QRect(left, line + 4, std::max(1, width() - left - 6), std::max(1, height() - 2 * line - 12));
}

QSize MonitorChart::minimumSizeHint() const
{
    const int line = fontMetrics().height();
    return {300, m_traceCount * kMinRow + 2 * line + 12};
}

QSize MonitorChart::sizeHint() const
{
    return {640, minimumSizeHint().height()};
}

qint64 MonitorChart::timeAtX(int x) const
{
    const QRect plot = plotRect();
    const qint64 t0 = viewEnd() - m_span;
    return t0 + qint64(std::clamp(x - plot.left(), 0, plot.width())) * m_span / plot.width();
}

void MonitorChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    const QList<Trace> list = traces();
    const QRect plot = plotRect();
    const qint64 t1 = viewEnd(), t0 = t1 - m_span;
    const Columns columns = decimate(m_store, list, t0, t1, plot.width());
    const int rows = std::max<int>(1, int(list.size()));
    const double rowH = double(plot.height()) / rows;
    const QColor text = palette().color(QPalette::Text);
    const QColor grid = paletteColor(kLightGrey);

    // time grid and axis, with the local clock's times
    const qint64 tick = tickFor(m_span);
    const int axisY = plot.bottom() + 1;
    p.setPen(text);
    p.drawLine(plot.left(), axisY, plot.right(), axisY);
    for (qint64 t = (t0 / tick + 1) * tick; t <= t1; t += tick) {
        const int x = plot.left() + int((t - t0) * plot.width() / m_span);
        p.setPen(grid);
        p.drawLine(x, plot.top(), x, plot.bottom());
        p.setPen(text);
        p.drawLine(x, axisY, x, axisY + 3);
        const QString label = QDateTime::fromMSecsSinceEpoch(t).toString(QStringLiteral("HH:mm:ss"));
        const int w = fontMetrics().horizontalAdvance(label);
        if (x - w / 2 >= plot.left() && x + w / 2 <= width())
            p.drawText(x - w / 2, axisY + 4 + fontMetrics().ascent(), label);
    }

    for (int k = 0; k < list.size(); ++k) {
        const Trace& trace = list[k];
        const int top = plot.top() + int(k * rowH), bottom = plot.top() + int((k + 1) * rowH) - 1;
        const int yHigh = top + 3, yLow = bottom - 2;
        p.setPen(text);
        p.drawText(QRect(2, top, plot.left() - 6, bottom - top + 1), Qt::AlignVCenter | Qt::AlignLeft,
                   trace.label);
        p.setPen(grid);
        p.drawLine(plot.left(), bottom, plot.right(), bottom);

        const QByteArray& f = columns.traces[size_t(k)];
        QColor fill = onColor(trace.type);
        fill.setAlpha(70);
        QColor gapTint = paletteColor(kCyan);
        gapTint.setAlpha(45);
        // runs of one level become one rectangle or line each
        QList<QLine> highLines, lowLines, edges;
        QList<QRect> highRuns, gapRuns;
        constexpr char kBoth = High | Low;
        int runStart = -1;
        char runLevel = 0, previous = 0;
        auto flush = [&](int end) {
            if (runStart < 0)
                return;
            const int x0 = plot.left() + runStart, x1 = plot.left() + end;
            if (runLevel == High) {
                highRuns << QRect(x0, yHigh, x1 - x0, yLow - yHigh);
                highLines << QLine(x0, yHigh, x1 - 1, yHigh);
            } else if (runLevel == Low) {
                lowLines << QLine(x0, yLow, x1 - 1, yLow);
            } else {
                gapRuns << QRect(x0, top + 1, x1 - x0, bottom - top - 1);
            }
            runStart = -1;
            runLevel = 0;
        };
        for (int c = 0; c < f.size(); ++c) {
            const char level = (f[c] & Gap) ? char(Gap) : f[c];
            if (level != runLevel || level == kBoth)
                flush(c);
            const int x = plot.left() + c;
            // a change inside a column, or between two columns with answers, is an edge
            if (level == kBoth || ((level == High || level == Low) && (previous == High || previous == Low) &&
                                   previous != level))
                edges << QLine(x, yHigh, x, yLow);
            if (runStart < 0 && level != 0 && level != kBoth) {
                runStart = c;
                runLevel = level;
            }
            previous = level;
        }
        flush(int(f.size()));
        // one call each: thousands of fillRect calls cost more than the pixels
        p.setPen(Qt::NoPen);
        p.setBrush(gapTint);
        p.drawRects(gapRuns);
        p.setBrush(fill);
        p.drawRects(highRuns);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(onColor(trace.type), 1));
        p.drawLines(highLines);
        p.drawLines(edges);
        p.setPen(QPen(offColor(trace.type), 1));
        p.drawLines(lowLines);
    }

    // an unanswered poll is marked on the time axis
    p.setPen(QPen(paletteColor(kLightRed), 2));
    for (int c = 0; c < columns.faults.size(); ++c)
        if (columns.faults[c])
            p.drawLine(plot.left() + c, axisY - 5, plot.left() + c, axisY + 1);

    p.setPen(paletteColor(kRed));
    if (const QString n = note(); !n.isEmpty())
        p.drawText(QRect(plot.left(), 0, plot.width(), plot.top()), Qt::AlignVCenter | Qt::AlignLeft, n);

    if (const auto cursor = cursorTime(); cursor && *cursor >= t0 && *cursor <= t1) {
        const int x = plot.left() + int((*cursor - t0) * plot.width() / m_span);
        p.setPen(QPen(paletteColor(kBlue), 1, Qt::DashLine));
        p.drawLine(x, plot.top(), x, plot.bottom());
        const QFontMetrics fm = fontMetrics();
        auto box = [&](const QString& s, int y, int h) {
            const int w = fm.horizontalAdvance(s) + 6;
            const int bx = x + 3 + w <= plot.right() ? x + 3 : x - 3 - w;
            const QRect r(bx, y, w, h);
            p.fillRect(r, palette().color(QPalette::ToolTipBase));
            p.setPen(palette().color(QPalette::ToolTipText));
            p.drawText(r, Qt::AlignCenter, s);
        };
        box(timeText(*cursor), 0, plot.top() - 1);
        for (int k = 0; k < list.size(); ++k) {
            const QString v = valueText(list[k], *cursor);
            if (!v.isEmpty())
                box(v, plot.top() + int(k * rowH) + 1, std::min(int(rowH) - 2, fm.height()));
        }
    }
}

void MonitorChart::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(e);
    m_pressAt = e->position().toPoint();
    m_pressViewEnd = viewEnd();
    m_dragging = false;
}

void MonitorChart::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint();
    if (m_pressAt && (m_dragging || std::abs(at.x() - m_pressAt->x()) > kDragSlop)) {
        // the history moves with the hand
        m_dragging = true;
        const qint64 shift = qint64(at.x() - m_pressAt->x()) * m_span / plotRect().width();
        emit draggedTo(m_pressViewEnd - shift);
        return;
    }
    m_hover = plotRect().contains(at) ? std::optional<qint64>(timeAtX(at.x())) : std::nullopt;
    update();
}

void MonitorChart::mouseReleaseEvent(QMouseEvent* e)
{
    if (m_pressAt && !m_dragging && plotRect().contains(e->position().toPoint()))
        m_pinned = timeAtX(e->position().toPoint().x());
    m_pressAt.reset();
    m_dragging = false;
    update();
}

void MonitorChart::leaveEvent(QEvent*)
{
    m_hover.reset();
    update();
}
