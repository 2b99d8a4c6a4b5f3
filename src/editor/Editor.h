// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: menus, tool bar, status bar, the program text box, and the application
// state that the commands share.

#include "Isa.h"
#include "Link.h"
#include "PortInfo.h"
#include "Prompts.h"
#include "Settings.h"
#include "Waits.h"
#include "WindowList.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <optional>

class OrvLib;
class ProgramText;
class Minimsg;
class Presenta;
class Colorset;
class Puertos;
class Monitor;
class Precnt;
class Recprg;
class Verificar;
class Buscar;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QToolBar;
class QToolButton;

// The caret status of txtPrg (clsEditSts).
struct EditSts
{
    qint32 LineNo = 1;
    qint16 Column = 1;
    qint16 LineLength = 0;
    qint32 LineCount = 1;
    qint32 LineStart = 0;
    bool SkipIndent = false;
};

class Editor : public QMainWindow
{
    Q_OBJECT
public:
    // appPath: the program folder; arguments: the command line ([/debugmode] [FILE]). Data and
    // settings are found from appPath by the rules of appfiles.
    Editor(const QString& appPath, const QStringList& arguments, QWidget* parent = nullptr);
    ~Editor() override;

    // The start-up sequence. False: the program cannot run (the user has been told why).
    bool startUp();

    // Application state.
    QString AppPath;
    QString DataPath; // es.def and qhelp.ayd: AppPath, or share/wmk38 when installed
    QString VersionText;
    QString ProgramFolder;
    QString CurrentFileName;
    // A flag that tells the window of every change: the title's modified marker follows it.
    class ModifiedFlag
    {
    public:
        explicit ModifiedFlag(Editor* editor) : m_editor(editor) {}
        ModifiedFlag& operator=(bool on)
        {
            m_on = on;
            m_editor->refreshTitle();
            return *this;
        }
        operator bool() const { return m_on; }

    private:
        Editor* m_editor;
        bool m_on = false;
    };
    ModifiedFlag ProgramModified{this};
    bool CompiledCurrent = false;
    qint16 PlcId = 1;
    qint16 RunMode = 0;
    bool AutoIndent = true;
    qint16 IndentWidth = 8;
    bool DebugMode = false;
    bool ChartShown = true; // the Monitor's chart, "Grafico" in the settings
    EditSts EditStatus;
    QString FindText;
    isa::ProgramImage ProgramImage{};

    // Work tables of the compiler.
    QStringList cbVariables;
    QStringList lstEqusPos;

    ProgramText* txtPrg() const { return m_txtPrg; }
    QComboBox* cbEQUs() const { return m_cbEQUs; }
    OrvLib* library() const { return m_lib.get(); }
    // dmk38.ini as this run reads and writes it: beside a portable program, else the user's own.
    const QString& settingsFile() const { return m_settingsFile; }
    QString panelText(int panel) const; // status panels 1..6, 7 the live check's byte count
    void setPanelText(int panel, const QString& text);
    // Tool-bar position 1..22 (separators included).
    QAction* toolAction(int position) const;
    QMenu* instructionMenu() const { return m_mnInstr; }
    int selectedPort() const; // 1..6, 0 when none

    // Commands (the menus and tool bar call these).
    void mnCargar_Click();
    bool mnSalvar_Click();
    bool mnSalvarComo_Click();
    void mnNuevoArchivo_Click();
    void mnCerrarArchivo_Click();
    bool mnSalir_Click(); // false: leaving was stopped (a save failed)
    void mnCompilar_Click();
    void mnSalvarBinario_Click();
    void mnDescompilar_Click();
    bool LoadCompiledFile();
    void ReverseTranslate();
    // Puts the translation of ProgramImage into the editor as a new, unnamed program, so a
    // save can never put it over the source it may have come from.
    void showTranslatedImage();
    void mnBuscar_Click();
    void mnBuscarSiguiente_Click();
    void mnCopiarTxt_Click();
    void mnCortarTxt_Click();
    void mnPegarTxt_Click();
    void Undo_Click();
    void mnColoresEditor_Click();
    void mnAutoIdent_Click();
    void mnResaltar_Click();
    void mnLineas_Click();
    void mnDebugMode_Click();
    void mnQAyuda_Click();
    void mnAyudaSub_Click();
    void mnAcercaDe_Click();
    void mnI_Click(int index);
    void mnRunOption_Click(int mode);

    // EditorPlc.cpp: the PLC commands
    void opCom_Click(int port, bool atStart = false); // port choice: opens COMn at 2400 baud
    void mnEnviarPrg_Click();
    // The text compiled first when it changed since the last compile; false when it does not compile.
    bool compiledForExchange();
    void mnEnviarBin_Click();
    void mnEnviarBld_Click();
    void mnRun_Click();
    void mnStop_Click();
    void mnId_Click();
    void mnRecibir_Click();
    // EditorVerify.cpp: the PLC's program against the editor's, and the stations on the line
    void mnVerificar_Click();
    std::optional<int> buscarPlc(); // the station chosen in "Buscar PLC", if any
    void mnMonitor_Click();
    void mnPresetCnt_Click();
    void mnPuertosSerie_Click();
    // Where the list of present serial ports comes from (tests give their own).
    void setPortLister(const plclink::PortLister& lister) { m_portLister = lister; }
    // The upload's end: the object file it is saved as, and its translation into the editor.
    void saveUploadedProgram(const QString& chosen);
    void putUploadedProgram();
    // An upload the user accepted: offered for saving as an object file, then put in.
    void takeUploadedProgram(const isa::ProgramImage& image);
    // What the PLC windows get of the editor.
    struct PlcContext plcContext();
    plclink::Link& link() { return *m_link; }
    plclink::Waits& waits() { return m_waits; }

    void GetEditSts();
    void ResetEquList();
    void FillInstructionMenu();
    Minimsg* minimsg();
    // A question to the user; the message window first steps aside.
    Prompts::Button question(const Prompts::Message& m);

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Editor.cpp: the window
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void buildFrames();
    QAction* addMenuAction(QMenu* menu, const char* name, const QString& caption,
                           const QKeySequence& key = {});
    void refreshEditMenu();
    void placeInstructionMenu();
    void onTextChanged();
    void layoutText();
    void updateClock();
    void showLockKeys(quint32 nativeModifiers);
    EditorSettings currentSettings() const;
    void loadAndApplySettings();
    bool saveCurrentSettings(QString* error);
    void openGivenFile(const QString& path);
    void setRunMarks(int mode);
    void buildLink();
    void showPortDevices();
    // A port that could not be opened; on choosing one, the message says where to pick another.
    void reportPortError(const plclink::PortError& error, bool choosing = false);
    // The port button: the port that did not open, or the plain button again.
    void showPortState(int port, const std::optional<plclink::PortError>& error);
    // "name[*] — Editor", or "Editor" for a program without a name; the marker from ProgramModified.
    void refreshTitle();
    // The run or stop frame; a frame that could not be written is told to the user.
    bool sendRunControl(bool run);
    // "Aceptar" of the ports window: the changed [Puertos] entries written, the port in use
    // opened anew when its device changed.
    void usePorts(const std::array<QString, plclink::kComPorts>& chosen);
    void reportUnsent();

    // EditorText.cpp: keys
    void txtPrg_KeyUp(int key, Qt::KeyboardModifiers modifiers);
    void selectFound(int at); // an occurrence of FindText, in the text box's own positions
    void popupInstructions(const QPoint& globalPos);

    // EditorFiles.cpp
    bool writeText(const QString& path, const QByteArray& bytes);
    bool askSaveBeforeDiscard(bool stopOnNo);
    // The overwrite question, when the file exists; true: write it.
    bool mayOverwrite(const QString& folder, const QString& name);
    void reportNoFileName(); // an open dialog that returned no name
    // name, with extension (".prg", ".obj") appended when it has none
    static QString withExtension(const QString& name, const QString& extension);
    void clearDocument();
    void showProgress(int barUnits, const QString& percent);
    void setFrameVisible(bool progress);

    std::unique_ptr<OrvLib> m_lib;
    plclink::Waits m_waits;
    plclink::Link* m_link = nullptr;
    QList<QAction*> m_exchangeActions; // disabled while an exchange runs
    bool m_closeWhenIdle = false;
    QStringList m_arguments;
    QString m_settingsFile;
    QString m_settingsProblem; // why the settings file was ignored at start-up: it is not written either
    bool m_started = false; // settings are written only by a window that started
    bool m_left = false;

    ProgramText* m_txtPrg = nullptr;
    QLineEdit* m_txtTab = nullptr;
    QComboBox* m_cbEQUs = nullptr;
    QAction* m_cbEQUsAction = nullptr;
    QToolBar* m_toolbar = nullptr;
    QList<QAction*> m_toolPositions;
    QList<QLabel*> m_panels;
    QGroupBox* m_frProgreso = nullptr;
    QLabel* m_lbProgreso = nullptr;
    QLineEdit* m_txtProgreso = nullptr;
    QGroupBox* m_frPuertos = nullptr;
    QList<QRadioButton*> m_opCom;
    QList<QAction*> m_portActions;
    QMenu* m_mnEdicion = nullptr;
    QMenu* m_mnInstr = nullptr;
    QList<QAction*> m_mnI;
    QPointer<Minimsg> m_minimsg;
    QPointer<Presenta> m_presenta;
    QPointer<Colorset> m_colorset;
    QPointer<Recprg> m_recprg;
    QPointer<Monitor> m_monitor;
    QPointer<Precnt> m_precnt;
    QPointer<Puertos> m_puertos;
    QPointer<Verificar> m_verificar;
    QPointer<Buscar> m_buscar;
    QString m_verifyPassword = QStringLiteral("4B7E"); // as the upload window's, kept for the run
    WindowList m_windows; // every child window above, as made
    std::array<QString, plclink::kComPorts> m_portSettings; // [Puertos] as written, empty: default
    plclink::PortLister m_portLister = plclink::presentPorts;
};
