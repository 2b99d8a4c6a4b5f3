// SPDX-License-Identifier: GPL-3.0-or-later
#include "Minimsg.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>

Minimsg::Minimsg(QWidget* owner) : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint), m_owner(owner)
{
    setObjectName(QStringLiteral("Minimsg"));
    setWindowTitle(QStringLiteral("WMK38"));
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("lbMiniMsg"));
    m_label->setAlignment(Qt::AlignCenter);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_label);
}

void Minimsg::showText(const QString& text, bool centred)
{
    m_label->setText(text);
    if ((centred || !m_placed) && m_owner) {
        m_placed = true;
        // text width plus two character cells, centred horizontally over the main window
        const QFontMetrics fm(m_label->font());
        const int w =
            fm.horizontalAdvance(text) + 2 * fm.averageCharWidth() + 2 * layout()->contentsMargins().left();
        resize(w, sizeHint().height());
        const QRect owner = m_owner->frameGeometry();
        // above the progress frame, which stands a third of the way down
        move(owner.x() + (owner.width() - w) / 2, owner.y() + owner.height() / 5);
    }
    show();
    raise();
    // painted now: the command that follows keeps the event loop busy
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString Minimsg::text() const
{
    return m_label->text();
}
