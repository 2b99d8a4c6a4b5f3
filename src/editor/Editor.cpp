// SPDX-License-Identifier: GPL-3.0-or-later
#include "Editor.h"

#include "AppFiles.h"
#include "Ayuda.h"
#include "Buscar.h"
#include "Colorset.h"
#include "Compiler.h"
#include "Language.h"
#include "Minimsg.h"
#include "Monitor.h"
#include "ObjCode.h"
#include "OrvLibClient.h"
#include "Precnt.h"
#include "Presenta.h"
#include "ProgramText.h"
#include "Prompts.h"
#include "Recprg.h"
#include "Settings.h"
#include "Verificar.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QProxyStyle>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <tuple>

namespace {
// the text box's margins in the window: 60 and 100 twips of the classic form
constexpr int kTextLeft = 4;
constexpr int kTextRight = 7;
constexpr int kMenuItems = 44;

QString versionText()
{
    const QStringList v = QStringLiteral(WMK38_VERSION).split(QLatin1Char('.'));
    auto part = [&v](int i) { return i < v.size() ? v[i].toInt() : 0; };
    return QStringLiteral("%1.%2.%3")
        .arg(part(0))
        .arg(part(1), 2, 10, QLatin1Char('0'))
        .arg(part(2), 3, 10, QLatin1Char('0'));
}

QIcon icon(const char* name)
{
    return QIcon(QStringLiteral(":/icons/") + QLatin1String(name) + QStringLiteral(".xpm"));
}

// The menu bar places what follows its separator (Ayuda) at its right end; the instruction
// menu scrolls as one list where a screen is too short for it, instead of breaking into columns.
class MenuStyle : public QProxyStyle
{
public:
    MenuStyle() : QProxyStyle(QApplication::style()->name()) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_DrawMenuBarSeparator || hint == SH_Menu_Scrollable)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};
} // namespace

// the icons live in this static library: their resource is registered by hand
static void initIconResource()
{
    Q_INIT_RESOURCE(icons);
}

Editor::Editor(const QString& appPath, const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), m_arguments(arguments)
{
    initIconResource();
    setObjectName(QStringLiteral("Editor"));
    refreshTitle();
    AppPath = appPath;
    if (!AppPath.endsWith(QLatin1Char('/')))
        AppPath += QLatin1Char('/');
    DataPath = appfiles::dataFolder(AppPath);
    m_settingsFile = appfiles::settingsFile(AppPath);
    // before any text is made: a window's texts are made in the language of its start
    useLanguage(DataPath, m_settingsFile);
    VersionText = versionText();

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralArea"));
    setCentralWidget(central);
    central->installEventFilter(this);

    m_txtPrg = new ProgramText(central);
    auto* textLayout = new QHBoxLayout(central);
    textLayout->setContentsMargins(kTextLeft, 0, kTextRight, 0);
    textLayout->addWidget(m_txtPrg);
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont font(QStringLiteral("Courier New"), 12);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    m_txtPrg->setFont(font);
    // out of sight but able to take the focus: Tab lands here and is turned into indentation
    m_txtTab = new QLineEdit(central);
    m_txtTab->setObjectName(QStringLiteral("txtTab"));
    m_txtTab->setGeometry(-200, -200, 10, 10);
    m_txtTab->installEventFilter(this);
    setTabOrder(m_txtPrg, m_txtTab);

    buildLink();
    buildMenus();
    buildToolBar();
    buildStatusBar();
    buildFrames();

    m_txtPrg->setScheme(kDefaultScheme);
    m_txtPrg->bindIndent(&AutoIndent, &IndentWidth, &EditStatus.SkipIndent);
    m_txtPrg->usePredefinedNames(&cbVariables);
    // the language is chosen above: the hover help is in it
    m_txtPrg->setQuickHelpFile(quickHelpFile(DataPath));
    m_txtPrg->hide(); // shown once es.def is in

    connect(m_txtPrg, &QPlainTextEdit::textChanged, this, &Editor::onTextChanged);
    connect(m_txtPrg, &ProgramText::keyReleased, this, &Editor::txtPrg_KeyUp);
    connect(m_txtPrg, &ProgramText::checked, this,
            [this](const LiveCheck& check) { setPanelText(7, check.summary()); });
    connect(m_txtPrg, &ProgramText::modifierClick, this, &Editor::popupInstructions);
    connect(m_txtPrg, &ProgramText::lockKeys, this, &Editor::showLockKeys);

    resize(800, 600);
}

Editor::~Editor() = default;

QAction* Editor::addMenuAction(QMenu* menu, const char* name, const QString& caption, const QKeySequence& key)
{
    auto* a = new QAction(caption, this);
    a->setObjectName(QLatin1String(name));
    if (!key.isEmpty())
        a->setShortcut(key);
    menu->addAction(a);
    return a;
}

void Editor::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto topMenu = [this, bar](const char* name, const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };
    auto on = [this](QAction* a, void (Editor::*slot)()) { connect(a, &QAction::triggered, this, slot); };
    auto onBool = [this](QAction* a, bool (Editor::*slot)()) {
        connect(a, &QAction::triggered, this, [this, slot] { (this->*slot)(); });
    };

    QMenu* archivo = topMenu("mnArchivo", tr("&Archivo"));
    on(addMenuAction(archivo, "mnCargar", tr("&Cargar"), QKeySequence(QStringLiteral("Ctrl+F"))),
       &Editor::mnCargar_Click);
    onBool(addMenuAction(archivo, "mnSalvar", tr("&Salvar"), QKeySequence(QStringLiteral("Ctrl+S"))),
           &Editor::mnSalvar_Click);
    onBool(addMenuAction(archivo, "mnSalvarComo", tr("Salvar co&mo"), QKeySequence(QStringLiteral("Ctrl+M"))),
           &Editor::mnSalvarComo_Click);
    on(addMenuAction(archivo, "mnNuevoArchivo", tr("&Nuevo"), QKeySequence(QStringLiteral("Ctrl+N"))),
       &Editor::mnNuevoArchivo_Click);
    QAction* cerrar = addMenuAction(archivo, "mnCerrarArchivo", tr("C&errar"));
    cerrar->setVisible(false); // reached through tool-bar button 5 only
    on(cerrar, &Editor::mnCerrarArchivo_Click);
    archivo->addSeparator();
    onBool(addMenuAction(archivo, "mnSalir", tr("Sa&lir"), QKeySequence(QStringLiteral("Ctrl+F4"))),
           &Editor::mnSalir_Click);

    m_mnEdicion = topMenu("mnEdicion", tr("&Edición"));
    QAction* copiar = addMenuAction(m_mnEdicion, "mnCopiarTxt", tr("&Copiar"));
    copiar->setEnabled(false);
    on(copiar, &Editor::mnCopiarTxt_Click);
    on(addMenuAction(m_mnEdicion, "mnPegarTxt", tr("&Pegar")), &Editor::mnPegarTxt_Click);
    QAction* cortar = addMenuAction(m_mnEdicion, "mnCortarTxt", tr("Co&rtar"));
    cortar->setEnabled(false);
    on(cortar, &Editor::mnCortarTxt_Click);
    m_mnEdicion->addSeparator();
    on(addMenuAction(m_mnEdicion, "mnBuscar", tr("&Buscar"), QKeySequence(QStringLiteral("Ctrl+F3"))),
       &Editor::mnBuscar_Click);
    on(addMenuAction(m_mnEdicion, "mnBuscarSiguiente", tr("Buscar &siguiente"),
                     QKeySequence(QStringLiteral("F3"))),
       &Editor::mnBuscarSiguiente_Click);
    connect(m_mnEdicion, &QMenu::aboutToShow, this, &Editor::refreshEditMenu);

    QMenu* programa = topMenu("mnPrograma", tr("&Programa"));
    on(addMenuAction(programa, "mnCompilar", tr("&Compilar programa"),
                     QKeySequence(QStringLiteral("Ctrl+L"))),
       &Editor::mnCompilar_Click);
    on(addMenuAction(programa, "mnDescompilar", tr("&Descompilar")), &Editor::mnDescompilar_Click);
    QAction* binario = addMenuAction(programa, "mnSalvarBinario", tr("&Salvar compilado (.OBJ)"));
    binario->setEnabled(false);
    on(binario, &Editor::mnSalvarBinario_Click);
    auto exchange = [this, &on](QAction* a, void (Editor::*slot)()) {
        on(a, slot);
        m_exchangeActions.append(a);
    };
    exchange(addMenuAction(programa, "mnEnviarPrg", tr("&Enviar programa"),
                           QKeySequence(QStringLiteral("Ctrl+E"))),
             &Editor::mnEnviarPrg_Click);
    exchange(addMenuAction(programa, "mnEnviarBin", tr("En&viar compilado (.OBJ)")),
             &Editor::mnEnviarBin_Click);
    exchange(addMenuAction(programa, "mnEnviarBld", tr("Enviar compilado del &Ladder (.BLD)")),
             &Editor::mnEnviarBld_Click);
    exchange(addMenuAction(programa, "mnRecibir", tr("&Recibir")), &Editor::mnRecibir_Click);
    exchange(addMenuAction(programa, "mnVerificar", tr("Veri&ficar programa")), &Editor::mnVerificar_Click);
    programa->addSeparator();
    exchange(addMenuAction(programa, "mnRun", tr("Correr")), &Editor::mnRun_Click);
    exchange(addMenuAction(programa, "mnStop", tr("Detener")), &Editor::mnStop_Click);

    QMenu* plc = topMenu("mnPLC", QStringLiteral("PLC"));
    on(addMenuAction(plc, "mnId", tr("&Id (identificador) PLC")), &Editor::mnId_Click);
    exchange(addMenuAction(plc, "mnMonitor", tr("&Monitor variables")), &Editor::mnMonitor_Click);
    // answers read as they arrive: the monitor keeps up with the line, sends are quicker
    QAction* fast = addMenuAction(plc, "mnEnlaceRapido", tr("Enlace &rápido"));
    fast->setCheckable(true);
    connect(fast, &QAction::toggled, this, [this](bool on) { m_link->setFast(on); });
    QAction* salsOff = addMenuAction(plc, "mnSalsOff", tr("Apagar salidas al detener"));
    salsOff->setCheckable(true);
    salsOff->setChecked(true);
    plc->addSeparator();
    const struct
    {
        const char* name;
        const char* caption;
        int mode;
    } runOptions[] = {{"mnRunRet", QT_TR_NOOP("Retener variables al Correr"), 2},
                      {"mnRunRst", QT_TR_NOOP("Reset variables al Correr"), 1},
                      {"mnRun0", QT_TR_NOOP("Reiniciar PLC al Correr"), 0}};
    for (const auto& r : runOptions) {
        QAction* a = addMenuAction(plc, r.name, tr(r.caption));
        a->setCheckable(true);
        const int mode = r.mode;
        connect(a, &QAction::triggered, this, [this, mode] { mnRunOption_Click(mode); });
    }
    plc->addSeparator();
    exchange(addMenuAction(plc, "mnPresetCnt", tr("&Presetear contadores")), &Editor::mnPresetCnt_Click);

    QMenu* opciones = topMenu("mnOpciones", tr("&Opciones"));
    on(addMenuAction(opciones, "mnColoresEditor", tr("Co&lores")), &Editor::mnColoresEditor_Click);
    QAction* autoIdent = addMenuAction(opciones, "mnAutoIdent", tr("Auto &ident"));
    autoIdent->setCheckable(true);
    autoIdent->setChecked(true);
    on(autoIdent, &Editor::mnAutoIdent_Click);
    for (const auto& [name, caption, slot] :
         {std::tuple{"mnResaltar", QT_TR_NOOP("&Resaltar sintaxis"), &Editor::mnResaltar_Click},
          std::tuple{"mnLineas", QT_TR_NOOP("&Números de línea"), &Editor::mnLineas_Click}}) {
        QAction* a = addMenuAction(opciones, name, tr(caption));
        a->setCheckable(true);
        a->setChecked(true);
        on(a, slot);
    }
    exchange(addMenuAction(opciones, "mnPuertosSerie", tr("&Puertos serie...")),
             &Editor::mnPuertosSerie_Click);
    QAction* debug = addMenuAction(opciones, "mnDebugMode", tr("Modo &debug"));
    debug->setCheckable(true);
    on(debug, &Editor::mnDebugMode_Click);
    // the texts are made in the language of the start: a new choice waits for the next one
    QMenu* idioma = opciones->addMenu(tr("Idioma"));
    idioma->setObjectName(QStringLiteral("mnIdioma"));
    auto* idiomas = new QActionGroup(idioma);
    const std::tuple<const char*, QString, QString> languages[] = {
        {"mnIdiomaEs", QStringLiteral("Español"), language::kSpanish},
        {"mnIdiomaEn", QStringLiteral("English"), language::kEnglish},
        {"mnIdiomaSistema", tr("Del sistema"), QString()}};
    for (const auto& [name, caption, code] : languages) {
        QAction* a = addMenuAction(idioma, name, caption);
        a->setCheckable(true);
        a->setData(code);
        idiomas->addAction(a);
    }
    idioma->addSeparator();
    QAction* nota =
        addMenuAction(idioma, "mnIdiomaNota", tr("El cambio se aplica al volver a iniciar WMK38"));
    nota->setEnabled(false);

    m_mnInstr = topMenu("mnInstr", tr("Insertar instrucciones"));
    for (int i = 0; i < kMenuItems; ++i) {
        auto* a = new QAction(this);
        a->setObjectName(QStringLiteral("mnI%1").arg(i));
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, i] { mnI_Click(i); });
        m_mnInstr->addAction(a);
        m_mnI.append(a);
    }
    m_mnInstr->addSeparator();
    m_mnInstr->setStyle(new MenuStyle);
    m_mnInstr->style()->setParent(m_mnInstr);
    m_mnInstr->installEventFilter(this);

    bar->addSeparator();
    bar->setStyle(new MenuStyle);
    bar->style()->setParent(bar);
    QMenu* ayuda = topMenu("mnAyuda", tr("A&yuda"));
    on(addMenuAction(ayuda, "mnAyudaSub", tr("Ay&uda"), QKeySequence(QStringLiteral("F1"))),
       &Editor::mnAyudaSub_Click);
    on(addMenuAction(ayuda, "mnQAyuda", tr("A&yuda rápida"), QKeySequence(QStringLiteral("Ctrl+F1"))),
       &Editor::mnQAyuda_Click);
    on(addMenuAction(ayuda, "mnAcercaDe", tr("&Acerca de")), &Editor::mnAcercaDe_Click);
}

void Editor::buildToolBar()
{
    m_toolbar = addToolBar(QStringLiteral("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(16, 16));

    auto sep = [this] { m_toolPositions.append(m_toolbar->addSeparator()); };
    auto button = [this](const char* name, const char* iconName, const QString& tip, auto slot,
                         bool enabled = true) {
        QAction* a =
            m_toolbar->addAction(icon(iconName), tip.isEmpty() ? QString::fromLatin1(name + 2) : tip);
        a->setObjectName(QLatin1String(name));
        a->setToolTip(tip);
        a->setEnabled(enabled);
        if constexpr (!std::is_same_v<decltype(slot), std::nullptr_t>)
            connect(a, &QAction::triggered, this, slot);
        m_toolPositions.append(a);
        return a;
    };

    sep(); // 1
    button("tbCargar", "open", tr("Cargar un programa desde un archivo"), [this] { mnCargar_Click(); }); // 2
    button("tbNuevo", "new", tr("Nuevo programa"), [this] { mnNuevoArchivo_Click(); });                  // 3
    button("tbSalvar", "save", tr("Guardar programa en un archivo"), [this] { mnSalvar_Click(); });      // 4
    button("tbCerrar", "close", tr("Cerrar programa"), [this] { mnCerrarArchivo_Click(); });             // 5
    sep();                                                                                               // 6
    button("tbCompilar", "compile", tr("Compilar"), [this] { mnCompilar_Click(); });                     // 7
    m_exchangeActions << button("tbEnviar", "send", tr("Enviar al PLC"),
                                [this] { mnEnviarPrg_Click(); }); // 8
    m_exchangeActions << button("tbRecibir", "receive", tr("Extraer programa del PLC"),
                                [this] { mnRecibir_Click(); }); // 9
    m_exchangeActions << button("tbVerificar", "verify", tr("Verificar el programa del PLC"),
                                [this] { mnVerificar_Click(); }); // 10
    m_exchangeActions << button("tbCorrer", "run", tr("Correr programa "), [this] {
        if (!m_link->busy() && sendRunControl(true))
            setPanelText(6, tr("Ejecutando programa"));
    }); // 11
    m_exchangeActions << button("tbDetener", "stop", tr("Detener programa"), [this] {
        if (!m_link->busy() && sendRunControl(false))
            setPanelText(6, tr("PLC detenido"));
    }); // 12
    m_exchangeActions << button("tbMonitor", "monitor", tr("Monitor de variables"),
                                [this] { mnMonitor_Click(); });                                          // 13
    sep();                                                                                               // 14
    button("tbBuscar", "find", tr("Buscar texto"), [this] { mnBuscar_Click(); });                        // 15
    sep();                                                                                               // 16
    button("tbCopiar", "copy", tr("Copiar la selección"), [this] { mnCopiarTxt_Click(); });              // 17
    button("tbCortar", "cut", tr("Cortar la selección"), [this] { mnCortarTxt_Click(); });               // 18
    button("tbPegar", "paste", tr("Pegar desde el portapapeles"), [this] { mnPegarTxt_Click(); });       // 19
    button("tbDeshacer", "undo", tr("Deshacer"), [this] { Undo_Click(); });                              // 20
    sep();                                                                              // 21

    auto* portMenu = new QMenu(this);
    portMenu->setObjectName(QStringLiteral("mnPuertos"));
    portMenu->setToolTipsVisible(true);
    auto* group = new QActionGroup(this);
    for (int n = 1; n <= plclink::kComPorts; ++n) {
        QAction* a = portMenu->addAction(QStringLiteral("COM%1").arg(n));
        a->setObjectName(QStringLiteral("mnCom%1").arg(n));
        a->setCheckable(true);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, n] { opCom_Click(n); });
        m_portActions.append(a);
    }
    auto* portButton = new QToolButton(this);
    portButton->setObjectName(QStringLiteral("tbPuertoButton"));
    portButton->setIcon(icon("port"));
    portButton->setToolTip(tr("Puerto serie"));
    portButton->setMenu(portMenu);
    portButton->setPopupMode(QToolButton::InstantPopup);
    QAction* port = m_toolbar->addWidget(portButton);
    port->setObjectName(QStringLiteral("tbPuerto"));
    port->setToolTip(tr("Puerto serie"));
    m_toolPositions.append(port); // 22

    // the user's EQU names, shown after the first compile
    m_cbEQUs = new QComboBox(this);
    m_cbEQUs->setObjectName(QStringLiteral("cbEQUs"));
    m_cbEQUs->setMinimumContentsLength(12);
    m_cbEQUs->setToolTip(tr("Nombres definidos con EQU en el programa (última compilación)"));
    m_cbEQUsAction = m_toolbar->addWidget(m_cbEQUs);
    m_cbEQUsAction->setVisible(false);
}

QAction* Editor::toolAction(int position) const
{
    return position >= 1 && position <= m_toolPositions.size() ? m_toolPositions[position - 1] : nullptr;
}

void Editor::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    const int widths[] = {80, 50, 90, 50, 40, 0};
    for (int i = 0; i < 6; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (widths[i])
            panel->setMinimumWidth(widths[i]);
        bar->addWidget(panel, i == 5 ? 1 : 0);
        m_panels.append(panel);
    }
    // the live check's byte count, at the right end
    auto* bytes = new QLabel(bar);
    bytes->setObjectName(QStringLiteral("Panel7"));
    bytes->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addPermanentWidget(bytes);
    m_panels.append(bytes);
    m_panels[2]->setText(tr("Fila:Columna"));
    m_panels[3]->setText(tr("MAYÚS"));
    m_panels[4]->setText(tr("NÚM"));
    m_panels[3]->setAlignment(Qt::AlignCenter);
    m_panels[4]->setAlignment(Qt::AlignCenter);
    // the lock states are known only from the key events that carry them
    m_panels[3]->setEnabled(false);
    m_panels[4]->setEnabled(false);
    updateClock();
    auto* clock = new QTimer(this);
    clock->setObjectName(QStringLiteral("clockTimer"));
    connect(clock, &QTimer::timeout, this, &Editor::updateClock);
    clock->start(1000);
}

void Editor::updateClock()
{
    // the user's own short date and time, as the platform's status-bar panels show them
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    m_panels[0]->setText(locale.toString(now.date(), QLocale::ShortFormat));
    m_panels[1]->setText(locale.toString(now.time(), QLocale::ShortFormat));
    // however narrow the window, the clock panels keep room for their text
    for (QLabel* panel : {m_panels[0], m_panels[1]})
        panel->setMinimumWidth(std::max(panel->minimumWidth(), panel->sizeHint().width()));
}

void Editor::showLockKeys(quint32 nativeModifiers)
{
    // X11 key state: LockMask (Caps Lock) and Mod2Mask (Num Lock on common keymaps)
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    m_panels[3]->setEnabled(nativeModifiers & 0x02);
    m_panels[4]->setEnabled(nativeModifiers & 0x10);
}

QString Editor::panelText(int panel) const
{
    return panel >= 1 && panel <= m_panels.size() ? m_panels[panel - 1]->text() : QString();
}

void Editor::setPanelText(int panel, const QString& text)
{
    if (panel >= 1 && panel <= m_panels.size())
        m_panels[panel - 1]->setText(text);
}

void Editor::buildFrames()
{
    m_frProgreso = new QGroupBox(tr("Progreso"), centralWidget());
    m_frProgreso->setObjectName(QStringLiteral("frProgreso"));
    auto* layout = new QHBoxLayout(m_frProgreso);
    auto* track = new QWidget(m_frProgreso);
    track->setFixedSize(53 * 4 + 4, 18);
    m_lbProgreso = new QLabel(track);
    m_lbProgreso->setObjectName(QStringLiteral("lbProgreso"));
    m_lbProgreso->setAutoFillBackground(true);
    QPalette bp = m_lbProgreso->palette();
    bp.setColor(QPalette::Window, QColor(0, 0, 128));
    m_lbProgreso->setPalette(bp);
    m_lbProgreso->setGeometry(0, 0, 4, 18);
    m_txtProgreso = new QLineEdit(m_frProgreso);
    m_txtProgreso->setObjectName(QStringLiteral("txtProgreso"));
    m_txtProgreso->setReadOnly(true);
    m_txtProgreso->setFixedWidth(70);
    layout->addWidget(track);
    layout->addWidget(m_txtProgreso);
    m_frProgreso->adjustSize();
    m_frProgreso->hide();

    m_frPuertos = new QGroupBox(tr("Puerto"), centralWidget());
    m_frPuertos->setObjectName(QStringLiteral("frPuertos"));
    auto* ports = new QVBoxLayout(m_frPuertos);
    for (int n = 1; n <= plclink::kComPorts; ++n) {
        auto* op = new QRadioButton(QStringLiteral("COM%1").arg(n), m_frPuertos);
        op->setObjectName(QStringLiteral("opCom%1").arg(n - 1));
        ports->addWidget(op);
        m_opCom.append(op);
        connect(op, &QRadioButton::toggled, this, [this, n](bool on) {
            if (on)
                m_portActions[n - 1]->setChecked(true);
        });
    }
    m_frPuertos->hide();
    // the form's own choice; the port opens when the settings choose one
    m_opCom[5]->setChecked(true);
}

void Editor::showProgress(int barUnits, const QString& percent)
{
    m_lbProgreso->setProperty("units", barUnits);
    m_lbProgreso->resize(std::max(1, barUnits) * 4, m_lbProgreso->height());
    m_txtProgreso->setText(percent);
}

void Editor::setFrameVisible(bool progress)
{
    if (progress) {
        showProgress(1, QString()); // every operation starts its progress from 0
        layoutText();
        m_frProgreso->show();
        m_frProgreso->raise();
        m_txtPrg->hide();
    } else {
        m_frProgreso->hide();
        m_txtPrg->show();
    }
}

int Editor::selectedPort() const
{
    for (int i = 0; i < m_opCom.size(); ++i)
        if (m_opCom[i]->isChecked())
            return i + 1;
    return 0;
}

void Editor::layoutText()
{
    const QWidget* area = centralWidget();
    m_frProgreso->move((area->width() - m_frProgreso->width()) / 2,
                       (area->height() - m_frProgreso->height()) / 3);
}

void Editor::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    layoutText();
}

bool Editor::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == centralWidget() && e->type() == QEvent::Resize)
        layoutText();
    else if (watched == m_mnInstr && e->type() == QEvent::Show)
        placeInstructionMenu();
    else if (watched == m_txtTab && e->type() == QEvent::FocusIn && m_txtPrg->isVisible()) {
        // reached by a Tab the text box did not report (a click cannot reach it: it is out of sight)
        if (!m_txtPrg->hasFocus())
            QTimer::singleShot(0, m_txtPrg, qOverload<>(&QWidget::setFocus));
    }
    return QMainWindow::eventFilter(watched, e);
}

void Editor::placeInstructionMenu()
{
    // opened from the menu bar, a list taller than the room below the bar would be moved up over
    // it (or beside it): it opens below the bar and scrolls there instead
    QMenuBar* bar = menuBar();
    if (bar->activeAction() != m_mnInstr->menuAction() || !m_mnInstr->screen())
        return;
    const QRect item = bar->actionGeometry(m_mnInstr->menuAction());
    const QPoint below = bar->mapToGlobal(item.bottomLeft()) + QPoint(0, 1);
    const QRect screen = m_mnInstr->screen()->availableGeometry();
    QRect g = m_mnInstr->geometry();
    const bool scrolls = g.height() < m_mnInstr->sizeHint().height();
    // a list that shows whole but not below the bar stays where it is: without a scroller it
    // could not be cut short
    if (g.top() >= below.y() || (!scrolls && below.y() + g.height() - 1 > screen.bottom()))
        return;
    g.moveTopLeft(below);
    g.setBottom(std::min(g.bottom(), screen.bottom()));
    if (g.right() > screen.right())
        g.moveRight(screen.right());
    m_mnInstr->setGeometry(g);
}

void Editor::refreshEditMenu()
{
    const bool selection = m_txtPrg->textCursor().hasSelection();
    findChild<QAction*>(QStringLiteral("mnCopiarTxt"))->setEnabled(selection);
    findChild<QAction*>(QStringLiteral("mnCortarTxt"))->setEnabled(selection);
    findChild<QAction*>(QStringLiteral("mnPegarTxt"))
        ->setEnabled(!QApplication::clipboard()->text().isEmpty());
}

void Editor::refreshTitle()
{
    setWindowTitle(CurrentFileName.isEmpty() ? QStringLiteral("Editor[*]")
                                             : CurrentFileName + QStringLiteral("[*] — Editor"));
    setWindowModified(ProgramModified);
}

void Editor::onTextChanged()
{
    ProgramModified = true;
    CompiledCurrent = false;
    findChild<QAction*>(QStringLiteral("mnSalvarBinario"))->setEnabled(false);
    // disabled by a save until there is something new to save (an unnamed program asks for a name)
    findChild<QAction*>(QStringLiteral("mnSalvar"))->setEnabled(true);
}

Minimsg* Editor::minimsg()
{
    if (!m_minimsg)
        m_minimsg = m_windows.add(new Minimsg(this));
    return m_minimsg;
}

bool Editor::startUp()
{
    // 1. AppPath and VersionText are set by the constructor.
    QString error;
    m_lib = OrvLib::create(&error);
    if (!m_lib) {
        Prompts::current().message(this,
                                   {QStringLiteral("OrvLib2"), error, Prompts::Ok, Prompts::Icon::Critical});
        return false;
    }

    // 2. The start window, without waiting.
    if (!m_presenta)
        m_presenta = m_windows.add(new Presenta(VersionText, this));
    m_presenta->setAboutMode(false);
    m_presenta->showPainted();

    // 3. The predefined names.
    std::unique_ptr<OrvLib> defLib = OrvLib::create(&error);
    const QString esDef = DataPath + QStringLiteral("es.def");
    if (!defLib || !defLib->FileExist(esDef)) {
        m_presenta->close();
        const QString text = tr(" El archivo ES.DEF es necesario para el correcto\r\n"
                                "funcionamiento del software. Este debe estar en la\r\n"
                                "misma carpeta dende se halla instalado el DMK38.EXE,\r\n"
                                "en este caso %1\r\n\r\nVerifique la instalaci¢n.\r\n")
                                 .arg(DataPath);
        Prompts::current().message(this, {tr("Archivo faltante"), text, Prompts::Ok});
        return false;
    }
    QFile def(esDef);
    if (def.open(QIODevice::ReadOnly))
        cbVariables = compiler::readDefinitions(def.readAll());

    // 4. The start window gives way to the program text.
    m_presenta->close();
    m_txtPrg->show();
    layoutText();

    // 5. The mark of mnDebugMode stays as it is; any other argument is the file to open.
    QString given;
    for (const QString& arg : m_arguments) {
        if (arg.toLower().contains(QStringLiteral("/debugmode")))
            DebugMode = true;
        else if (given.isEmpty())
            given = arg;
    }

    // 6. The settings, which select the stored port and open it.
    IndentWidth = 8;
    loadAndApplySettings();

    // 7. The caret status starts afresh.
    EditStatus = EditSts{};

    // 8. The instruction menu; then the file named on the command line, if any.
    FillInstructionMenu();
    m_txtPrg->setFocus();
    m_started = true;
    if (!given.isEmpty())
        openGivenFile(given);
    return true;
}

namespace {
// Answers the next file dialog with a given path: a file named on the command line takes the
// same way as one chosen in "Cargar" or "Descompilar", messages included.
class GivenFile : public Prompts
{
public:
    explicit GivenFile(const QString& path) : m_path(path), m_previous(Prompts::current())
    {
        Prompts::setCurrent(this);
    }
    ~GivenFile() override { Prompts::setCurrent(&m_previous); }
    Button message(QWidget* parent, const Message& m) override { return m_previous.message(parent, m); }
    std::optional<QString> input(QWidget* parent, const Input& in) override
    {
        return m_previous.input(parent, in);
    }
    std::optional<QString> file(QWidget* parent, const FileRequest& request) override
    {
        if (m_path.isEmpty())
            return m_previous.file(parent, request);
        return std::exchange(m_path, QString());
    }

private:
    QString m_path;
    Prompts& m_previous;
};
} // namespace

void Editor::openGivenFile(const QString& path)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix().toLower();
    if (suffix == QLatin1String("bld")) {
        QString error;
        const auto image = objcode::readLadderFile(info.absoluteFilePath(), &error);
        if (!image) {
            Prompts::current().message(
                this, {tr("No se puede cargar:"), error, Prompts::Ok, Prompts::Icon::Exclamation});
            return;
        }
        ProgramImage = *image;
        showTranslatedImage();
        return;
    }
    GivenFile given(info.absoluteFilePath());
    if (suffix == QLatin1String("obj"))
        mnDescompilar_Click();
    else
        mnCargar_Click();
}

EditorSettings Editor::currentSettings() const
{
    EditorSettings s;
    s.plcId = PlcId;
    s.com = selectedPort();
    s.colors = m_txtPrg->scheme();
    s.highlight = m_txtPrg->highlighting();
    s.lineNumbers = m_txtPrg->lineNumbers();
    s.autoIndent = AutoIndent;
    // the last marked one examined, in the classic order, gives the value
    s.runMode = -1;
    const std::pair<const char*, int> order[] = {{"mnRunRst", 1}, {"mnRun0", 0}, {"mnRunRet", 2}};
    for (const auto& [name, mode] : order)
        if (findChild<QAction*>(QLatin1String(name))->isChecked())
            s.runMode = mode;
    s.programFolder = ProgramFolder;
    s.fastLink = m_link->fast();
    s.chartShown = ChartShown;
    for (const char* name : {"mnIdiomaEs", "mnIdiomaEn"})
        if (QAction* a = findChild<QAction*>(QLatin1String(name)); a->isChecked())
            s.language = a->data().toString();
    return s;
}

void Editor::loadAndApplySettings()
{
    EditorSettings s = currentSettings();
    s.runMode = RunMode;
    s.programFolder = appfiles::defaultProgramFolder(AppPath);
    // a file that is no settings file (a pipe, a folder, too large) is neither read nor written
    const plclink::PortSettings ports = plclink::readPortSettings(m_settingsFile);
    m_settingsProblem = ports.problem;
    s.devices = ports.devices;
    QString error;
    if (std::unique_ptr<OrvLib> lib = OrvLib::create(&error)) // no file: the defaults
        loadSettings(*lib, m_settingsProblem.isEmpty() ? m_settingsFile : QString(), s);

    PlcId = qint16(s.plcId);
    for (int n = 1; n <= plclink::kComPorts; ++n) {
        m_portSettings[size_t(n - 1)] = s.devices[n - 1];
        if (!s.devices[n - 1].isEmpty())
            m_link->setDevice(n, s.devices[n - 1]);
    }
    showPortDevices();
    opCom_Click(s.com, true);
    if (!m_settingsProblem.isEmpty()) // before what the port said, if it said anything
        setPanelText(6, panelText(6).isEmpty() ? m_settingsProblem
                                               : m_settingsProblem + QStringLiteral("  ·  ") + panelText(6));
    m_txtPrg->setScheme(s.colors);
    m_txtPrg->setHighlighting(s.highlight);
    m_txtPrg->setLineNumbers(s.lineNumbers);
    findChild<QAction*>(QStringLiteral("mnResaltar"))->setChecked(s.highlight);
    findChild<QAction*>(QStringLiteral("mnLineas"))->setChecked(s.lineNumbers);
    AutoIndent = s.autoIndent;
    RunMode = qint16(s.runMode);
    setRunMarks(s.runMode);
    ProgramFolder = s.programFolder;
    ChartShown = s.chartShown;
    findChild<QAction*>(QStringLiteral("mnAutoIdent"))->setChecked(AutoIndent);
    findChild<QAction*>(QStringLiteral("mnEnlaceRapido"))->setChecked(s.fastLink);
    const bool named = s.language == language::kSpanish || s.language == language::kEnglish;
    findChild<QAction*>(!named                                 ? QStringLiteral("mnIdiomaSistema")
                        : s.language == language::kSpanish ? QStringLiteral("mnIdiomaEs")
                                                            : QStringLiteral("mnIdiomaEn"))
        ->setChecked(true);
}

bool Editor::saveCurrentSettings(QString* error)
{
    if (!m_settingsProblem.isEmpty()) {
        *error = m_settingsProblem;
        return false;
    }
    std::unique_ptr<OrvLib> lib = OrvLib::create(error);
    return lib && saveSettings(*lib, m_settingsFile, currentSettings(), error);
}

void Editor::setRunMarks(int mode)
{
    findChild<QAction*>(QStringLiteral("mnRun0"))->setChecked(mode == 0);
    findChild<QAction*>(QStringLiteral("mnRunRst"))->setChecked(mode == 1);
    findChild<QAction*>(QStringLiteral("mnRunRet"))->setChecked(mode == 2);
}

void Editor::mnRunOption_Click(int mode)
{
    setRunMarks(mode);
    RunMode = qint16(mode);
}

bool Editor::mnSalir_Click()
{
    if (!m_left) {
        if (ProgramModified) {
            const auto answer = Prompts::current().message(
                this, {tr("Salvar"), tr("El programa ha sido modificado. ¨ Salvarlo ?"),
                       Prompts::Yes | Prompts::No, Prompts::Icon::Question, Prompts::Yes});
            // nothing typed is lost: a save that fails or is cancelled keeps the program open
            if (answer == Prompts::Yes && !mnSalvar_Click())
                return false;
        }
        // told once, on the way out: the changes of the whole run are what is lost
        if (QString error; !saveCurrentSettings(&error)) {
            // also for the session's log, where no one is left to read the box
            qWarning("wmk38: %s", qPrintable(error));
            Prompts::current().message(
                this,
                {tr("Configuración"),
                 tr("No se pudieron guardar las opciones (colores, puerto, identificador):\r\n%1").arg(error),
                 Prompts::Ok, Prompts::Icon::Exclamation});
        }
        m_left = true;
    }
    close();
    return true;
}

void Editor::closeEvent(QCloseEvent* e)
{
    // an exchange under way ends first: the PLC is never left half-written
    // (polls that run until stopped are stopped, so a termination request is never left waiting)
    if (m_link->busy()) {
        m_closeWhenIdle = true;
        m_windows.finishExchanges();
        m_windows.setEnabled(false);
        e->ignore();
        return;
    }
    if (!m_left && m_started && !mnSalir_Click()) {
        m_closeWhenIdle = false;
        m_windows.setEnabled(true);
        e->ignore();
        return;
    }
    m_left = true;
    m_windows.closeAll();
    e->accept();
}
