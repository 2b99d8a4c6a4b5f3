// SPDX-License-Identifier: GPL-3.0-or-later
// "Verificar programa": the program in the PLC against the editor's, read with the upload's
// exchange; and "Buscar PLC", the stations on the line. Nothing is saved or sent unless the
// user asks for it.
#include "Editor.h"
#include "Buscar.h"
#include "Minimsg.h"
#include "ProgramText.h"
#include "Recprg.h"
#include "Upload.h"
#include "Verificar.h"

#include <QDate>

void Editor::mnVerificar_Click()
{
    if (m_link->busy())
        return;
    plclink::Link::Busy busy(*m_link);
    if (!compiledForExchange())
        return;
    const std::optional<QString> typed = Prompts::current().input(
        this, {tr("Verificar programa"), tr("Contraseña (4B7E es deshabilitado)"),
               m_verifyPassword});
    if (!typed) {
        m_txtPrg->setFocus();
        return;
    }
    const quint16 password = plclink::passwordFromText(*typed);
    m_verifyPassword = plclink::passwordText(password);

    plclink::UploadResult r;
    for (;;) {
        minimsg()->showText(tr("Leyendo el programa del PLC..."));
        r = plclink::upload(*m_link, quint8(PlcId), password);
        minimsg()->close();
        if (r.read())
            break;
        // the upload's own words; there is nothing to keep from a program that was not read
        if (Prompts::current().message(this, {tr("Reintentar"), Recprg::failureText(r.outcome),
                                              Prompts::Retry | Prompts::Cancel, Prompts::Icon::Exclamation,
                                              Prompts::Retry}) != Prompts::Retry) {
            m_txtPrg->setFocus();
            return;
        }
    }

    if (plclink::compareImages(ProgramImage, r.image).bytes == 0) {
        const plclink::PlcDate d = plclink::decodeDateWord(r.dateWord);
        const QDate date(d.year, d.month, d.day);
        Prompts::current().message(
            this, {tr("Verificar programa"),
                   date.isValid()
                       ? tr("El programa del PLC es el del editor.\r\nFecha del programa: %1.")
                             .arg(date.toString(QStringLiteral("dd/MM/yyyy")))
                       : tr("El programa del PLC es el del editor.\r\nSu fecha no es válida (%1).")
                             .arg(r.dateWord, 4, 16, QLatin1Char('0')),
                   Prompts::Ok, Prompts::Icon::Information});
        m_txtPrg->setFocus();
        return;
    }
    if (!m_verificar) {
        m_verificar = m_windows.add(new Verificar(this));
        connect(m_verificar, &Verificar::chosen, this, [this](Verificar::Choice choice) {
            if (choice == Verificar::Choice::Send) {
                mnEnviarPrg_Click();
            } else if (choice == Verificar::Choice::Load && askSaveBeforeDiscard(false)) {
                // as an accepted upload: a new, unnamed program that is not the text's compile
                ProgramImage = m_verificar->plcImage();
                showTranslatedImage();
                CompiledCurrent = false;
            }
            m_txtPrg->setFocus();
        });
        connect(m_verificar, &QDialog::rejected, m_txtPrg, qOverload<>(&QWidget::setFocus));
    }
    m_verificar->begin(ProgramImage, r.image);
    m_verificar->open();
}

std::optional<int> Editor::buscarPlc()
{
    if (m_link->busy())
        return std::nullopt;
    if (!m_buscar)
        m_buscar = m_windows.add(new Buscar(plcContext(), this));
    return m_buscar->choose();
}
