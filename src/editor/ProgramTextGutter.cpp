// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramTextGutter.h"

#include "ProgramText.h"

#include <QHelpEvent>
#include <QTextBlock>
#include <QToolTip>


ProgramTextGutter::ProgramTextGutter(ProgramText* text) : QWidget(text), m_text(text)
{
    setObjectName(QStringLiteral("gutter"));
}

int ProgramTextGutter::widthForLines() const
{
    int digits = 1;
    for (int n = std::max(1, m_text->blockCount()); n >= 10; n /= 10)
        ++digits;
    return ProgramText::kGutterMark + m_text->fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(2, digits) +
           ProgramText::kGutterPadding;
}

void ProgramTextGutter::paintEvent(QPaintEvent* e)
{
    m_text->paintGutter(this, e->rect());
}

bool ProgramTextGutter::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(e);
        const QTextBlock block = m_text->cursorForPosition(QPoint(0, help->pos().y())).block();
        const LiveCheck& check = m_text->liveCheck();
        if (block.isValid() && block.blockNumber() == check.line)
            QToolTip::showText(help->globalPos(), check.message, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}
