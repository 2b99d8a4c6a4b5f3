// SPDX-License-Identifier: GPL-3.0-or-later
// The PLC commands of the main window: the port choice, program download, run and stop, the
// PLC identifier. The exchanges themselves live in the link; this file shows their outcome.
#include "Editor.h"
#include "AppFiles.h"
#include "Exchanges.h"
#include "Minimsg.h"
#include "Monitor.h"
#include "MonitorChartPanel.h"
#include "ObjCode.h"
#include "Operand.h"
#include "OrvLibClient.h"
#include "Precnt.h"
#include "ProgramText.h"
#include "Prompts.h"
#include "Puertos.h"
#include "Recprg.h"

#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QGroupBox>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>

#include <cmath>

void Editor::buildLink()
{
    m_link = new plclink::Link(m_waits, this);
    connect(m_link, &plclink::Link::busyChanged, this, [this](bool busy) {
        // one exchange at a time: nothing that would start another is offered meanwhile
        for (QAction* a : std::as_const(m_exchangeActions))
            a->setEnabled(!busy);
        if (auto* port = findChild<QToolButton*>(QStringLiteral("tbPuertoButton")))
            port->setEnabled(!busy);
        if (!busy && m_link->isOpen()) // an exchange opened it: no longer shown as missing
            showPortState(selectedPort(), std::nullopt);
        if (!busy && m_closeWhenIdle)
            QTimer::singleShot(0, this, &QWidget::close);
    });
}

void Editor::showPortDevices()
{
    for (int n = 1; n <= plclink::kComPorts; ++n) {
        const QString device = m_link->device(n);
        // a name no file can have is not looked up
        const bool bad = !plclink::deviceNameProblem(device).isEmpty();
        m_portActions[n - 1]->setText(QStringLiteral("COM%1  %2%3").arg(n).arg(plclink::shownDeviceName(device)).arg(
            bad ? tr("  (nombre no válido)")
                : QFileInfo::exists(device) ? QString() : tr("  (no está)")));
        m_portActions[n - 1]->setToolTip(plclink::shownDeviceName(device));
    }
}

void Editor::opCom_Click(int port, bool atStart)
{
    if (m_link->busy())
        return;
    m_opCom[port - 1]->setChecked(true);
    const auto error = m_link->OpenPort(port);
    showPortState(port, error);
    // at start-up the window comes first: the status bar and the port button tell it, and the
    // box waits until the user chooses a port or an exchange needs it (diagnostic mode: at once)
    if (error && atStart && !DebugMode)
        setPanelText(6, error->headline() + QStringLiteral(": ") + error->description);
    else if (error)
        reportPortError(*error, true);
}

void Editor::showPortState(int port, const std::optional<plclink::PortError>& error)
{
    auto* button = findChild<QToolButton*>(QStringLiteral("tbPuertoButton"));
    if (!error) {
        button->setText(QString());
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setToolTip(tr("Puerto serie"));
        return;
    }
    button->setText(QStringLiteral("COM%1 %2").arg(port).arg(error->number == plclink::PortError::kMissing
                                                                 ? tr("(no está)")
                                                                 : tr("(no se abre)")));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setToolTip(tr("Puerto serie: %1\n%2").arg(error->headline(), error->description));
}

void Editor::reportPortError(const plclink::PortError& error, bool choosing)
{
    showPortError(this, error,
                  choosing ? tr(" El dispositivo de cada puerto se elige en Opciones → Puertos serie...")
                           : QString());
}

void Editor::mnPuertosSerie_Click()
{
    if (m_link->busy())
        return;
    if (!m_puertos) {
        m_puertos = m_windows.add(new Puertos(*m_link, [this] { return int(PlcId); }, this));
        connect(m_puertos, &QDialog::accepted, this, [this] { usePorts(m_puertos->chosen()); });
    }
    m_puertos->begin(m_portSettings, m_portLister);
    m_puertos->open();
}

void Editor::usePorts(const std::array<QString, plclink::kComPorts>& chosen)
{
    const QString inUse = m_link->device(selectedPort());
    QString error, ignored;
    std::unique_ptr<OrvLib> lib = OrvLib::create(&error);
    // a first save makes its folder; a file ignored at start-up is not written over either
    if (lib && (!m_settingsProblem.isEmpty() || !appfiles::makeFolderOf(settingsFile(), &ignored)))
        lib.reset();
    if (lib)
        lib->setIniFile(settingsFile());
    for (int n = 1; n <= plclink::kComPorts; ++n) {
        const QString& device = chosen[size_t(n - 1)];
        if (device == m_portSettings[size_t(n - 1)])
            continue; // the file keeps every line the user did not change
        if (!lib || !lib->PutIni(QStringLiteral("Puertos"), QStringLiteral("COM%1").arg(n), device))
            error = settingsFile();
        m_portSettings[size_t(n - 1)] = device;
        m_link->setDevice(n, device);
    }
    showPortDevices();
    if (!error.isEmpty())
        Prompts::current().message(this, {tr("No se puede grabar:"),
                                          tr("No se pudo guardar la elección en %1").arg(error), Prompts::Ok,
                                          Prompts::Icon::Exclamation});
    if (m_link->device(selectedPort()) != inUse)
        opCom_Click(selectedPort());
}

bool Editor::compiledForExchange()
{
    if (!CompiledCurrent) {
        minimsg()->showText(tr("Recompilando..."));
        mnCompilar_Click();
        minimsg()->close();
        // the compile's own report stands; an old or empty image must never reach a machine,
        // nor be compared with one
        if (!CompiledCurrent)
            m_txtPrg->setFocus();
    }
    return CompiledCurrent;
}

void Editor::mnEnviarPrg_Click()
{
    if (m_link->busy())
        return;
    plclink::Link::Busy busy(*m_link);
    if (!compiledForExchange())
        return;
    for (;;) {
        minimsg()->showText(tr("Enviando programa..."), true);
        const plclink::DownloadResult result =
            plclink::download(*m_link, ProgramImage, QDate::currentDate(), [this](plclink::DownloadStage s) {
                if (s == plclink::DownloadStage::Image) {
                    m_frProgreso->setTitle(tr("Transmitiendo"));
                    setFrameVisible(true);
                } else if (s == plclink::DownloadStage::Answer) {
                    setFrameVisible(false);
                    m_frProgreso->setTitle(tr("Progreso"));
                    minimsg()->close();
                }
            });
        setFrameVisible(false);
        minimsg()->close();
        // a port that cannot be opened is told once: nothing was sent, so nothing is retried
        if (const auto error = m_link->reopenError()) {
            showPortState(selectedPort(), error);
            reportPortError(*error);
            break;
        }
        if (result.outcome == plclink::DownloadOutcome::Received) {
            if (Prompts::current().message(this, {tr("Ejecutar"), tr("Correr programa ?"),
                                                  Prompts::Yes | Prompts::No, Prompts::Icon::Question,
                                                  Prompts::Yes}) == Prompts::Yes)
                mnRun_Click();
            break;
        }
        const bool wrong = result.outcome == plclink::DownloadOutcome::ReceivedWrong;
        if (Prompts::current().message(
                this, {wrong ? tr("Error") : tr("Error de comunicación"),
                       wrong ? tr("El PLC recibió mal") : tr("No hay respuesta del PLC"),
                       Prompts::Retry | Prompts::Cancel, Prompts::Icon::Exclamation,
                       Prompts::Retry}) != Prompts::Retry)
            break;
    }
    m_txtPrg->setFocus();
}

void Editor::mnEnviarBin_Click()
{
    // the loaded program replaces the text: unsaved work is offered a save first
    if (m_link->busy() || !askSaveBeforeDiscard(false) || !LoadCompiledFile())
        return;
    showTranslatedImage();
    CompiledCurrent = true;
    mnEnviarPrg_Click();
}

void Editor::mnEnviarBld_Click()
{
    if (m_link->busy() || !askSaveBeforeDiscard(false))
        return;
    Prompts::FileRequest request;
    request.title = tr("Cargar programa compilado del Ladder");
    request.filter = QStringLiteral("*.bld|*.bld");
    request.folder = ProgramFolder;
    const std::optional<QString> chosen = Prompts::current().file(this, request);
    if (!chosen)
        return;
    if (chosen->isEmpty()) {
        Prompts::current().message(this, {tr("No se puede cargar:"),
                                          tr("No se ha especificado el nombre del archivo"),
                                          Prompts::Ok});
        return;
    }
    minimsg()->showText(tr("Cargando..."));
    QString error;
    const auto image = objcode::readLadderFile(*chosen, &error);
    minimsg()->close();
    if (!image) {
        // nothing is sent and the text stays when the file is no program
        Prompts::current().message(
            this, {tr("No se puede cargar:"), error, Prompts::Ok, Prompts::Icon::Exclamation});
        return;
    }
    ProgramImage = *image;
    m_txtPrg->clear();
    ProgramModified = false;
    CompiledCurrent = true;
    mnEnviarPrg_Click();
    showTranslatedImage();
}

void Editor::mnRun_Click() { sendRunControl(true); }

void Editor::mnStop_Click() { sendRunControl(false); }

bool Editor::sendRunControl(bool run)
{
    const bool sent = run ? plclink::run(*m_link, RunMode)
                          : plclink::stop(*m_link, findChild<QAction*>(QStringLiteral("mnSalsOff"))->isChecked());
    if (!sent)
        reportUnsent();
    m_txtPrg->setFocus();
    return sent;
}

void Editor::reportUnsent()
{
    // nothing is read back after run and stop: a frame that did not leave is the only failure seen
    if (const auto error = m_link->reopenError()) {
        showPortState(selectedPort(), error);
        reportPortError(*error);
    } else
        Prompts::current().message(this, {tr("Error de comunicación"), tr("No hay respuesta del PLC"),
                                          Prompts::Ok, Prompts::Icon::Exclamation});
}

void Editor::mnId_Click()
{
    QString m;
    for (;;) {
        // "Buscar..." finds the stations on the line; the one chosen is the answer
        const std::optional<QString> answer = Prompts::current().input(
            this, {tr("N§ de identificaci¢n"),
                   tr(" N£mero de identificador del PLC: entre 1 y 255\r\n%1").arg(m),
                   objcode::Str(PlcId), tr("&Buscar..."), [this](QWidget*) -> std::optional<QString> {
                       const std::optional<int> station = buscarPlc();
                       return station ? std::optional<QString>(objcode::Str(*station)) : std::nullopt;
                   }});
        if (!answer || answer->isEmpty())
            return;
        // as the runtime's Val reads a typed number: blanks anywhere are skipped
        const double v = compiler::leadingNumber(QString(*answer).remove(QRegularExpression(QStringLiteral("[ \t\r\n]"))));
        if (v >= 1 && v <= 255) {
            PlcId = qint16(std::nearbyint(v)); // halves to even
            return;
        }
        m = tr("El valor %1 es incorecto!.").arg(*answer);
    }
}

void Editor::mnRecibir_Click()
{
    if (m_link->busy())
        return;
    if (!m_recprg) {
        m_recprg = m_windows.add(
            new Recprg(plcContext(), [this](const isa::ProgramImage& image) { takeUploadedProgram(image); }, this));
        connect(m_recprg, &QDialog::finished, m_txtPrg, qOverload<>(&QWidget::setFocus));
    }
    m_recprg->begin();
    m_recprg->open();
}

PlcContext Editor::plcContext()
{
    return {*m_link, [this] { return int(PlcId); }, [this] { return DebugMode; }, [this] { return cbVariables; }};
}

void Editor::takeUploadedProgram(const isa::ProgramImage& image)
{
    // it is no longer the compiled text, which a later send would otherwise leave out
    ProgramImage = image;
    CompiledCurrent = false;
    Prompts::FileRequest request;
    request.mode = Prompts::FileRequest::Save;
    request.title = tr("Salvar programa extraido como");
    request.filter = QStringLiteral("*.OBJ|*.OBJ");
    if (const std::optional<QString> chosen = Prompts::current().file(m_recprg, request); chosen && !chosen->isEmpty())
        saveUploadedProgram(*chosen);
    putUploadedProgram();
}

void Editor::saveUploadedProgram(const QString& chosen)
{
    const QString folder = m_lib->GetPath(chosen);
    const QString name = withExtension(m_lib->CutPath(chosen), QStringLiteral(".obj"));
    // an existing file is replaced only when the user says so, and only by a whole new one
    if (name.isEmpty() || !mayOverwrite(folder, name))
        return;
    QString error;
    if (!objcode::writeObjectFile(folder + name, QString(), ProgramImage, QDateTime::currentDateTime(), &error))
        Prompts::current().message(
            this, {tr("No se puede grabar:"), error, Prompts::Ok, Prompts::Icon::Exclamation});
}

void Editor::putUploadedProgram()
{
    // No keeps the user's text; the received program may already be saved as an object file
    if (askSaveBeforeDiscard(true))
        showTranslatedImage();
}

void Editor::mnMonitor_Click()
{
    if (m_link->busy())
        return;
    if (!m_monitor) {
        m_monitor = m_windows.add(new Monitor(plcContext(), this));
        connect(m_monitor->chart(), &MonitorChartPanel::chartShownChanged, this, [this](bool shown) { ChartShown = shown; });
    }
    MonitorChartPanel* chart = m_monitor->chart();
    chart->setChartShown(ChartShown);
    QStringList equs; // of the last compile, as the tool bar's list shows them
    for (int i = 0; i < m_cbEQUs->count(); ++i)
        equs << m_cbEQUs->itemText(i);
    chart->setEquNames(MonitorChartPanel::equNamesOf(equs, lstEqusPos));
    chart->setFolder(ProgramFolder);
    m_monitor->begin();
    m_monitor->open();
}

void Editor::mnPresetCnt_Click()
{
    if (m_link->busy())
        return;
    if (!m_precnt)
        m_precnt = m_windows.add(new Precnt(plcContext(), this));
    m_precnt->open();
    m_precnt->begin();
}
