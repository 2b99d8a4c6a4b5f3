// SPDX-License-Identifier: GPL-3.0-or-later
// Source files: open, save, save as, new, close.
#include "Cp1252.h"
#include "Editor.h"
#include "Minimsg.h"
#include "OrvLibClient.h"
#include "ProgramText.h"
#include "Prompts.h"
#include "SafeWrite.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>

namespace {
constexpr int kMaxLoadChars = 32000;

const QString kCrLf = QStringLiteral("\r\n");

struct BusyCursor
{
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

// The failure as the runtime numbered and described it to a user of the original program.
std::pair<int, QString> fileError(QFileDevice::FileError error, const QString& path)
{
    if (!QFileInfo(path).absoluteDir().exists())
        return {76, Editor::tr("No se encontró la ruta de acceso")};
    // a folder in the way is no full disk, whatever the failed rename reports
    if (QFileInfo(path).isDir())
        return {75, Editor::tr("Error de acceso a la ruta o el archivo")};
    switch (error) {
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        return {70, Editor::tr("Permiso denegado")};
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        return {61, Editor::tr("Disco lleno")};
    default:
        return {75, Editor::tr("Error de acceso a la ruta o el archivo")};
    }
}

// Str() of a whole number: a blank stands for the sign of a non-negative value.
QString strNumber(qint64 n)
{
    return n >= 0 ? QLatin1Char(' ') + QString::number(n) : QString::number(n);
}
} // namespace

// Writes the file whole or not at all, and asks to retry a failure.
bool Editor::writeText(const QString& path, const QByteArray& bytes)
{
    for (;;) {
        isa::WriteFailure failure;
        if (isa::writeWholeFile(path, bytes, &failure))
            return true;
        const auto [number, description] = fileError(failure.error, path);
        const auto answer = question(
            {tr("Error"), tr("Se produjo error %1, %2. ¨ Reintentar ?").arg(strNumber(number), description),
             Prompts::Yes | Prompts::No, Prompts::Icon::Critical, Prompts::Yes});
        if (answer != Prompts::Yes)
            return false;
    }
}

bool Editor::mayOverwrite(const QString& folder, const QString& name)
{
    if (!m_lib->FileExist(folder + name))
        return true;
    return question({tr("Sobreescribir"), tr("El archivo %1 ya existe: Sobreescribir?").arg(folder + name),
                     Prompts::Yes | Prompts::No, Prompts::Icon::Question, Prompts::No}) == Prompts::Yes;
}

Prompts::Button Editor::question(const Prompts::Message& m)
{
    // the message window stays on top: it steps aside so the question is fully visible
    if (m_minimsg)
        m_minimsg->close();
    return Prompts::current().message(this, m);
}

QString Editor::withExtension(const QString& name, const QString& extension)
{
    // a name typed without one would be missed by the dialogs that list by extension
    return name.isEmpty() || name.contains(QLatin1Char('.')) ? name : name + extension;
}

void Editor::reportNoFileName()
{
    Prompts::current().message(
        this, {tr("No se puede grabar:"), tr("No se ha especificado el nombre del archivo"), Prompts::Ok});
}

void Editor::ResetEquList()
{
    m_cbEQUs->clear();
    lstEqusPos.clear();
}

void Editor::mnCargar_Click()
{
    Prompts::FileRequest request;
    request.mode = Prompts::FileRequest::Open;
    request.title = tr("Cargar programa");
    request.filter = QStringLiteral("*.prg|*.prg");
    request.fileName = CurrentFileName;
    request.folder = ProgramFolder;
    const std::optional<QString> chosen = Prompts::current().file(this, request);
    if (!chosen)
        return;
    if (chosen->isEmpty()) {
        reportNoFileName();
        return;
    }
    QFile file(*chosen);
    if (!file.open(QIODevice::ReadOnly)) {
        // nothing is emptied or renamed for a file that cannot be read
        Prompts::current().message(this, {tr("No se puede cargar:"),
                                          tr("No se puede leer el archivo %1").arg(*chosen), Prompts::Ok,
                                          Prompts::Icon::Exclamation});
        return;
    }
    // the loaded file replaces the text: unsaved work is offered a save first
    if (!askSaveBeforeDiscard(false))
        return;
    ProgramFolder = m_lib->GetPath(*chosen);
    CurrentFileName = m_lib->CutPath(*chosen);

    const bool autoIndent = AutoIndent;
    AutoIndent = false;
    m_txtPrg->clear();
    setFrameVisible(true);
    showProgress(1, QStringLiteral("0%"));
    const qint64 length = file.size();
    const float k1 = length ? 52.0f / float(length) : 0.0f;
    const float k2 = length ? 100.0f / float(length) : 0.0f;
    BusyCursor busy;
    setPanelText(6, tr("Cargando %1 - %2 bytes -  ** Espere **").arg(CurrentFileName, strNumber(length)));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    const QByteArray bytes = file.readAll();
    file.close();
    QString text;
    qint64 textLength = 0; // counted with CR LF breaks
    bool cut = false;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        // a line ends at CR, CR LF, or (files written on this platform) LF
        qsizetype end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        const QString line = isa::fromCp1252(QByteArrayView(bytes).sliced(pos, end - pos));
        qsizetype next = end;
        if (next < bytes.size() && bytes[next] == '\r')
            ++next;
        if (next < bytes.size() && bytes[next] == '\n' && (next == end || bytes[next - 1] == '\r'))
            ++next;
        if (textLength + line.size() > kMaxLoadChars) {
            Prompts::current().message(
                this,
                {tr("Desbordamiento"),
                 tr("El límite son 32000 caracteres: solo se cargar\u00A0 parte del archivo"), Prompts::Ok});
            cut = true;
            break;
        }
        text += line;
        text += QLatin1Char('\n');
        textLength += line.size() + 2;
        pos = next;
        showProgress(int(std::nearbyint(k1 * float(pos))) + 1,
                     QString::number(double(k2 * float(pos)), 'g', 7));
    }
    m_txtPrg->setPlainText(text);

    setFrameVisible(false);
    m_txtPrg->setFocus();
    // a shortened text must never be saved over the longer file it came from
    if (cut)
        CurrentFileName.clear();
    ResetEquList();
    ProgramModified = false;
    CompiledCurrent = false;
    setPanelText(6, CurrentFileName);
    findChild<QAction*>(QStringLiteral("mnSalvarComo"))->setEnabled(true);
    AutoIndent = autoIndent;
}

bool Editor::mnSalvar_Click()
{
    if (CurrentFileName.isEmpty())
        return mnSalvarComo_Click();
    BusyCursor busy;
    QString folder = ProgramFolder;
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    if (!writeText(folder + CurrentFileName, isa::toCp1252(m_txtPrg->crlfText() + kCrLf)))
        return false;
    ProgramModified = false;
    findChild<QAction*>(QStringLiteral("mnSalvar"))->setEnabled(false);
    return true;
}

bool Editor::mnSalvarComo_Click()
{
    Prompts::FileRequest request;
    request.mode = Prompts::FileRequest::Save;
    request.title = tr("Salvar como");
    request.filter = tr("Programas *.PRG|*.PRG");
    request.fileName = CurrentFileName;
    const std::optional<QString> chosen = Prompts::current().file(this, request);
    if (!chosen)
        return false;
    // the current folder and name change only once the file is written
    QString folder = m_lib->GetPath(*chosen);
    const QString name = withExtension(m_lib->CutPath(*chosen), QStringLiteral(".prg"));
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    if (name.isEmpty()) {
        Prompts::current().message(this,
                                   {tr("Error"), tr("No se especific¢ un nombre: no es posible salvar!"),
                                    Prompts::Ok, Prompts::Icon::Critical});
        return false;
    }
    if (!mayOverwrite(folder, name))
        return false;
    {
        BusyCursor busy;
        if (!writeText(folder + name, isa::toCp1252(m_txtPrg->crlfText() + kCrLf)))
            return false;
    }
    ProgramFolder = folder;
    CurrentFileName = name;
    ProgramModified = false;
    setPanelText(6, CurrentFileName);
    m_txtPrg->setFocus();
    return true;
}

// The question before the text is discarded. False: the command stops here.
bool Editor::askSaveBeforeDiscard(bool stopOnNo)
{
    if (!ProgramModified)
        return true;
    const auto answer = Prompts::current().message(
        this,
        {tr("Salvar archivo"), tr("El Archivo %1 no ha sido salvado.\r\n¨Salvar ahora?").arg(CurrentFileName),
         Prompts::Yes | Prompts::No, Prompts::Icon::Question, Prompts::Yes});
    if (answer == Prompts::Yes)
        return mnSalvar_Click(); // nothing typed is lost: a failed or cancelled save stops the command
    return !stopOnNo;
}

void Editor::clearDocument()
{
    CurrentFileName.clear();
    m_txtPrg->clear();
    ResetEquList();
    ProgramModified = false;
    CompiledCurrent = false;
    setPanelText(6, tr("Nuevo"));
}

void Editor::mnNuevoArchivo_Click()
{
    findChild<QAction*>(QStringLiteral("mnSalvarComo"))->setEnabled(true);
    findChild<QAction*>(QStringLiteral("mnSalvar"))->setEnabled(true);
    if (!askSaveBeforeDiscard(true))
        return;
    clearDocument();
}

void Editor::mnCerrarArchivo_Click()
{
    findChild<QAction*>(QStringLiteral("mnSalvarComo"))->setEnabled(true);
    findChild<QAction*>(QStringLiteral("mnSalvar"))->setEnabled(true);
    if (!askSaveBeforeDiscard(false))
        return;
    clearDocument();
}
