// SPDX-License-Identifier: GPL-3.0-or-later
// Compile, save compiled, decompile.
#include "Compiler.h"
#include "Editor.h"
#include "Minimsg.h"
#include "ObjCode.h"
#include "OrvLibClient.h"
#include "ProgramText.h"
#include "Prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QGroupBox>
#include <QTextBlock>

void Editor::mnCompilar_Click()
{
    minimsg()->showText(tr("Compilando..."));
    const compiler::CompileResult result =
        compiler::compile(m_txtPrg->crlfText() + QStringLiteral("\r\n"), cbVariables);

    // the EQU pre-pass has run whatever the outcome: its names are shown
    ResetEquList();
    m_cbEQUs->addItems(result.equs.names);
    lstEqusPos = result.equs.values;
    m_cbEQUsAction->setVisible(true);
    minimsg()->close();

    switch (result.status) {
    case compiler::CompileResult::Status::Ok:
        ProgramImage = result.image;
        findChild<QAction*>(QStringLiteral("mnSalvarBinario"))->setEnabled(true);
        setPanelText(6, tr("Bytes compilados:  %1").arg(result.length));
        CompiledCurrent = true;
        break;
    case compiler::CompileResult::Status::LineRejected: {
        Prompts::current().message(
            this, {tr("Error"), tr("Error en linea\r\n%1\r\n%2").arg(result.rawLine, result.message),
                   Prompts::Ok, Prompts::Icon::Exclamation});
        setPanelText(6, tr("Error: %1").arg(result.rawLine));
        // show the user where to look: the rejected line, selected
        const QTextBlock block = m_txtPrg->document()->findBlockByNumber(result.lineNumber - 1);
        if (block.isValid()) {
            QTextCursor c(block);
            c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            m_txtPrg->setTextCursor(c);
            m_txtPrg->centerCursor();
        }
        m_txtPrg->setFocus();
        break;
    }
    case compiler::CompileResult::Status::UnresolvedJump: {
        const QString text = tr("Error: salto a %1 No hallado.").arg(result.jumpTarget);
        Prompts::current().message(this, {tr("Error de salto"), QLatin1Char(' ') + text, Prompts::Ok});
        setPanelText(6, text);
        break;
    }
    }
}

void Editor::mnSalvarBinario_Click()
{
    Prompts::FileRequest request;
    request.mode = Prompts::FileRequest::Save;
    request.title = tr("Salvar binario como");
    request.filter = tr("Programas *.OBJ|*.OBJ");
    // a named program still asks where to save, proposing its own name
    request.fileName = CurrentFileName.isEmpty() ? QStringLiteral("prog0.obj")
                                                 : m_lib->CutExt(CurrentFileName) + QStringLiteral(".obj");
    request.folder = ProgramFolder;
    const std::optional<QString> chosen = Prompts::current().file(this, request);
    if (!chosen)
        return;
    const QString folder = m_lib->GetPath(*chosen);
    const QString name = withExtension(m_lib->CutPath(*chosen), QStringLiteral(".obj"));
    if (name.isEmpty()) {
        Prompts::current().message(this,
                                   {tr("Error"), tr("No se especific¢ un nombre: no es posible salvar!"),
                                    Prompts::Ok, Prompts::Icon::Critical});
        return;
    }
    ProgramFolder = folder;

    minimsg()->showText(tr("Salvando compilado..."), true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (mayOverwrite(folder, name))
        writeText(folder + name, objcode::objectFileBytes(name, QDateTime::currentDateTime(), ProgramImage));
    QApplication::restoreOverrideCursor();
    minimsg()->close();
    m_txtPrg->setFocus();
}

bool Editor::LoadCompiledFile()
{
    Prompts::FileRequest request;
    request.mode = Prompts::FileRequest::Open;
    request.title = tr("Cargar programa compilado");
    request.filter = QStringLiteral("*.obj|*.obj");
    request.folder = ProgramFolder;
    const std::optional<QString> chosen = Prompts::current().file(this, request);
    if (!chosen)
        return false;
    if (chosen->isEmpty()) {
        reportNoFileName();
        return false;
    }
    const QString path = m_lib->GetPath(*chosen) + m_lib->CutPath(*chosen);

    m_frProgreso->setTitle(tr("Cargando..."));
    setFrameVisible(true);
    showProgress(1, QString());
    QString error;
    const std::optional<isa::ProgramImage> image = objcode::readObjectFile(path, &error, [this](int k) {
        showProgress(objcode::loadProgressWidth(k), objcode::loadProgressText(k));
    });
    setFrameVisible(false);
    m_frProgreso->setTitle(tr("Progreso"));
    if (!image) {
        // the text stays: a file that is no program must not wipe the user's work
        Prompts::current().message(
            this, {tr("No se puede cargar:"), error, Prompts::Ok, Prompts::Icon::Exclamation});
        return false;
    }
    ProgramImage = *image;
    return true;
}

void Editor::ReverseTranslate()
{
    m_txtPrg->clear();
    m_txtPrg->setCrlfText(objcode::ReverseTranslate(ProgramImage).text);
}

void Editor::showTranslatedImage()
{
    CurrentFileName.clear();
    setPanelText(6, QString());
    ReverseTranslate();
}

void Editor::mnDescompilar_Click()
{
    // the translation replaces the text: unsaved work is offered a save first
    if (askSaveBeforeDiscard(false) && LoadCompiledFile())
        showTranslatedImage();
}
