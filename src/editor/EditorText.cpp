// SPDX-License-Identifier: GPL-3.0-or-later
// The program text box: caret status, keys, find, clipboard, instruction insertion, options.
#include "Ayuda.h"
#include "Colorset.h"
#include "Editor.h"
#include "HelpWindow.h"
#include "OrvCom.h"
#include "OrvLibClient.h"
#include "Presenta.h"
#include "ProgramText.h"
#include "Prompts.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QMenu>
#include <QTextBlock>
#include <QTextDocumentFragment>

void Editor::GetEditSts()
{
    if (!m_lib)
        return;
    const qint32 h = m_txtPrg->handle();
    EditStatus.LineStart = m_lib->TextControlInf(h, Mensajes_control_Edit::LINEINDEX);
    EditStatus.Column = qint16(m_txtPrg->selStart() - EditStatus.LineStart + 1);
    EditStatus.LineLength = qint16(m_lib->TextControlInf(h, Mensajes_control_Edit::LINELENGTH));
    EditStatus.LineNo = m_lib->TextControlInf(h, Mensajes_control_Edit::LINEFROMCHAR) + 1;
    EditStatus.LineCount = m_lib->TextControlInf(h, Mensajes_control_Edit::GETLINECOUNT);
    EditStatus.LineStart = m_lib->TextControlInf(h, Mensajes_control_Edit::LINEINDEX);
}

void Editor::txtPrg_KeyUp(int key, Qt::KeyboardModifiers modifiers)
{
    // the text box has placed the caret (Enter, Home): the panel shows where it now stands
    GetEditSts();
    if (key == Qt::Key_P && (modifiers & Qt::ControlModifier))
        popupInstructions(QCursor::pos());
    setPanelText(3, QStringLiteral("%1:%2").arg(EditStatus.LineNo).arg(EditStatus.Column));
}

void Editor::popupInstructions(const QPoint& globalPos)
{
    m_mnInstr->popup(globalPos);
}

void Editor::selectFound(int at)
{
    QTextCursor c = m_txtPrg->textCursor();
    c.setPosition(at);
    c.setPosition(at + int(FindText.size()), QTextCursor::KeepAnchor);
    m_txtPrg->setTextCursor(c);
}

void Editor::mnBuscar_Click()
{
    const QString selected = m_txtPrg->textCursor().selection().toPlainText();
    const std::optional<QString> answer =
        Prompts::current().input(this, {tr("Buscar"), tr("Texto a buscar:"), selected});
    FindText = answer.value_or(QString());
    if (FindText.isEmpty())
        return;
    const int caret = m_txtPrg->selStart();
    const int at = m_txtPrg->toPlainText().indexOf(FindText, 0, Qt::CaseInsensitive);
    if (at >= 0) {
        selectFound(at);
        return;
    }
    m_txtPrg->setSel(caret);
    Prompts::current().message(
        this, {tr("No hallado"), tr("No se halla  %1").arg(FindText.toUpper()), Prompts::Ok});
}

void Editor::mnBuscarSiguiente_Click()
{
    if (FindText.isEmpty()) {
        mnBuscar_Click();
        return;
    }
    const int p = m_txtPrg->selStart();
    // one character past the start of the selection: the occurrence just found is skipped
    const int from = m_txtPrg->textCursor().selectionStart() + 1;
    const int at = m_txtPrg->toPlainText().indexOf(FindText, from, Qt::CaseInsensitive);
    if (at >= 0) {
        selectFound(at);
        return;
    }
    m_txtPrg->setSel(p);
    Prompts::current().message(
        this, {tr("No hallado"), tr("No se ha hallado: %1").arg(FindText.toUpper()), Prompts::Ok});
}

void Editor::mnCopiarTxt_Click()
{
    const QString text = m_txtPrg->textCursor().selection().toPlainText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void Editor::mnCortarTxt_Click()
{
    mnCopiarTxt_Click();
    m_txtPrg->replaceSel(QString());
}

void Editor::mnPegarTxt_Click()
{
    m_txtPrg->replaceSel(QApplication::clipboard()->text());
}

void Editor::Undo_Click()
{
    if (m_lib)
        m_lib->TextControlInf(m_txtPrg->handle(), Mensajes_control_Edit::UNDO);
}

void Editor::FillInstructionMenu()
{
    const auto rows = isa::menuInstructions();
    for (int i = 0; i < int(rows.size()) && i < m_mnI.size(); ++i) {
        m_mnI[i]->setText(rows[size_t(i)]->upperMnemonic());
        m_mnI[i]->setEnabled(true);
        m_mnI[i]->setVisible(true);
    }
}

void Editor::mnI_Click(int index)
{
    m_txtPrg->replaceSel(m_mnI[index]->text() + QLatin1Char(' '));
    EditStatus.SkipIndent = true;
    m_txtPrg->setFocus();
}

void Editor::mnColoresEditor_Click()
{
    if (!m_colorset) {
        m_colorset = m_windows.add(new Colorset(this));
        connect(m_colorset, &Colorset::schemeChosen, m_txtPrg, &ProgramText::setScheme);
    }
    m_colorset->begin(m_txtPrg->scheme());
    m_colorset->setModal(false);
    m_colorset->show();
    m_colorset->raise();
}

void Editor::mnAutoIdent_Click()
{
    AutoIndent = findChild<QAction*>(QStringLiteral("mnAutoIdent"))->isChecked();
}

void Editor::mnResaltar_Click()
{
    m_txtPrg->setHighlighting(findChild<QAction*>(QStringLiteral("mnResaltar"))->isChecked());
}

void Editor::mnLineas_Click()
{
    m_txtPrg->setLineNumbers(findChild<QAction*>(QStringLiteral("mnLineas"))->isChecked());
}

void Editor::mnDebugMode_Click()
{
    DebugMode = findChild<QAction*>(QStringLiteral("mnDebugMode"))->isChecked();
}

void Editor::mnQAyuda_Click()
{
    if (m_lib)
        showQuickHelp(this, DataPath, *m_lib);
}

void Editor::mnAyudaSub_Click()
{
    showHelp(this, VersionText);
}

void Editor::mnAcercaDe_Click()
{
    if (!m_presenta)
        m_presenta = m_windows.add(new Presenta(VersionText, this));
    m_presenta->setAboutMode(true);
    m_presenta->setModal(false);
    m_presenta->show();
    m_presenta->raise();
}
