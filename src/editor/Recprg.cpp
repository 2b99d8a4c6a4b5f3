// SPDX-License-Identifier: GPL-3.0-or-later
#include "Recprg.h"

#include "Buscar.h"
#include "Exchanges.h"
#include "Upload.h"
#include "ObjCode.h"
#include "OrvLibClient.h"
#include "Prompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
const QString kCrLf = QStringLiteral("\r\n");

QString hex(int byte) { return QString::number(byte, 16).toUpper(); }
} // namespace

Recprg::Recprg(const PlcContext& context, const Accepted& accepted, QWidget* parent)
    : PlcWindow(context, parent, "Recprg", tr("Extraer programa del PLC")), m_accepted(accepted)
{

    m_txtRecibir = new QPlainTextEdit(this);
    m_txtRecibir->setObjectName(QStringLiteral("txtRecibir"));
    m_txtRecibir->setReadOnly(true);
    m_txtRecibir->setMinimumSize(460, 260);
    m_cmdRecibir = new QPushButton(tr("&Recibir"), this);
    m_cmdRecibir->setObjectName(QStringLiteral("cmdRecibir"));
    m_cmdCancelar = new QPushButton(tr("&Cancelar"), this);
    m_cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    m_txtPass = new QLineEdit(QStringLiteral("4B7E"), this);
    m_txtPass->setObjectName(QStringLiteral("txtPass"));
    auto* label1 = new QLabel(tr("Contraseña (4B7E es deshabilitado)"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    m_chkTodos = new QCheckBox(tr("Todos"), this);
    m_chkTodos->setObjectName(QStringLiteral("chkTodos"));
    m_cbId = new QComboBox(this);
    m_cbId->setObjectName(QStringLiteral("cbId"));
    auto* label2 = new QLabel(tr("Nº de Id"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    m_cmdBuscar = new QPushButton(tr("B&uscar..."), this);
    m_cmdBuscar->setObjectName(QStringLiteral("cmdBuscar"));
    m_cmdBuscar->setToolTip(tr("Buscar los PLC de la línea"));
    for (QWidget* w : {static_cast<QWidget*>(m_cbId), static_cast<QWidget*>(m_chkTodos)})
        w->installEventFilter(this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_txtRecibir, 0, 0, 1, 4);
    grid->addWidget(label1, 1, 0);
    grid->addWidget(m_txtPass, 1, 1);
    grid->addWidget(label2, 2, 0);
    grid->addWidget(m_cbId, 2, 1);
    grid->addWidget(m_chkTodos, 2, 2);
    grid->addWidget(m_cmdBuscar, 3, 1);
    grid->addWidget(m_cmdRecibir, 1, 3);
    grid->addWidget(m_cmdCancelar, 2, 3);

    connect(m_cmdRecibir, &QPushButton::clicked, this, &Recprg::cmdRecibir_Click);
    connect(m_cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_cmdBuscar, &QPushButton::clicked, this, [this] {
        if (!m_buscar)
            m_buscar = new Buscar(m_context, this);
        if (const std::optional<int> station = m_buscar->choose()) {
            m_chkTodos->setChecked(false);
            m_cbId->setCurrentIndex(*station - 1);
        }
    });
    connect(m_chkTodos, &QCheckBox::toggled, m_cbId, [this](bool on) { m_cbId->setEnabled(!on); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == m_txtPass)
            m_txtPass->selectAll();
    });
}

void Recprg::begin()
{
    if (m_cbId->count() == 0)
        for (int i = 1; i <= 255; ++i)
            m_cbId->addItem(objcode::Str(i));
    m_cbId->setCurrentIndex(station() - 1);
    reopened();
}

void Recprg::idle()
{
    m_cbId->setEnabled(!m_chkTodos->isChecked());
    m_txtPass->setEnabled(true);
    m_chkTodos->setEnabled(true);
    m_cmdRecibir->setEnabled(true);
    m_cmdCancelar->setText(tr("&Cancelar"));
    m_txtRecibir->clear();
    m_cmdRecibir->setFocus();
}

void Recprg::append(const QString& text)
{
    m_txtRecibir->setPlainText(m_txtRecibir->toPlainText() + text);
    m_txtRecibir->moveCursor(QTextCursor::End);
}

void Recprg::cmdRecibir_Click()
{
    plclink::Link& link = PlcWindow::link();
    if (link.busy())
        return;
    plclink::Link::Busy busy(link);
    while (attempt() == Outcome::Retry) {
    }
    if (!closing())
        m_cmdRecibir->setEnabled(true);
}

Recprg::Outcome Recprg::attempt()
{
    plclink::Link& link = PlcWindow::link();
    m_cmdCancelar->setText(tr("&Cancelar"));
    m_cmdRecibir->setEnabled(false);
    m_txtRecibir->setPlainText(tr("Enviando comando para recibir..."));

    // the typed text is rewritten as the four digits that are sent
    const quint16 password = plclink::passwordFromText(m_txtPass->text());
    m_txtPass->setText(plclink::passwordText(password));
    const quint8 station = m_chkTodos->isChecked() ? 0 : quint8(m_cbId->currentIndex() + 1);

    QString probeLine;
    const plclink::UploadResult r = plclink::upload(link, station, password, [&](const QByteArray& probe) {
        if (!debugMode() || closing())
            return;
        for (int i = 0; i < plclink::kAnswerSize; ++i)
            probeLine += u' ' + hex(plclink::answerByte(probe, i));
        append(kCrLf + probeLine + kCrLf);
    });
    if (closing() || portFailed())
        return Outcome::Stop;
    if (r.outcome == plclink::UploadOutcome::NoCommunication) {
        const auto answer = Prompts::current().message(
            this, {tr("Reintentar"), noCommunicationText(), Prompts::Retry | Prompts::Cancel,
                   Prompts::Icon::Exclamation, Prompts::Retry});
        return answer == Prompts::Retry ? Outcome::Retry : Outcome::Stop;
    }
    append(kCrLf + probeLine + kCrLf);
    const QByteArray& received = r.received;

    if (debugMode()) {
        QFont font(QStringLiteral("Courier New"));
        font.setStyleHint(QFont::TypeWriter);
        m_txtRecibir->setFont(font);
        QString dump = plclink::uploadDump(received).join(kCrLf) + kCrLf;
        dump += QStringLiteral("Rta%=") + objcode::Str(received.isEmpty() ? -1 : 0) + QStringLiteral("  Chk%=") +
                objcode::Str(r.computed) + QStringLiteral("  del PLC=") + objcode::Str(r.stored) + kCrLf;
        append(dump);
        m_txtRecibir->setFocus();
    }

    const QString failure = failureText(r.outcome);
    m_cmdRecibir->setEnabled(true);
    if (!failure.isEmpty()) {
        const auto answer = Prompts::current().message(
            this, {tr("Reintentar"), failure, Prompts::Abort | Prompts::Retry | Prompts::Ignore,
                   Prompts::Icon::Exclamation, Prompts::Retry});
        if (answer == Prompts::Retry)
            return Outcome::Retry;
        if (answer != Prompts::Ignore)
            return Outcome::Stop; // what the editor holds stays as it was
    }
    complete(received);
    return Outcome::Done;
}

QString Recprg::noCommunicationText()
{
    return tr("No hay comunicaci¢n con el PLC.\r\nVerifique los elementos de\r\n"
                          "comunicaci¢n (N§ puerto, cable,\r\nId, contrase¤a, etc.)\r\n\r\n¨ Reintentar ?");
}

QString Recprg::failureText(plclink::UploadOutcome outcome)
{
    switch (outcome) {
    case plclink::UploadOutcome::NoAnswer:
        return tr("No hay respuesta desde el PLC. \r\n\r\nVerifique que:\r\n"
                              " - se esté comunicando por el puerto correcto.\r\n"
                              " - el PLC esté encendido.\r\n"
                              " - el Nº de Id sea el correcto.\r\n"
                              " - la contraseña sea la correcta.\r\n"
                              " - el cable de comunicaci¢n esté conectado.\r\n");
    case plclink::UploadOutcome::ChecksumWrong:
        return tr("La recepción fue copleta pero con errores.\r\n"
                              "No da la verificaci¢n de integridad.\r\n");
    case plclink::UploadOutcome::NoCommunication:
        return noCommunicationText();
    case plclink::UploadOutcome::Read:
        break;
    }
    return {};
}

void Recprg::complete(const QByteArray& received)
{
    const plclink::PlcDate date = plclink::decodeDateWord(plclink::uploadedDateWord(received));
    // one sentence a line, so a translation can order its words; the numbers as the PLC keeps them
    append(kCrLf + tr("...recibido !.") + kCrLf + tr("Fecha del programa:") + kCrLf +
           tr("  Día%1").arg(objcode::Str(date.day)) + kCrLf + tr("  Mes%1").arg(objcode::Str(date.month)) +
           kCrLf + tr("  Año%1").arg(objcode::Str(date.year)) + kCrLf);
    m_cmdCancelar->setText(tr("&Salir"));
    // only an upload the user accepts replaces the program the editor holds
    m_accepted(plclink::uploadedImage(received));
}

bool Recprg::eventFilter(QObject* watched, QEvent* e)
{
    // Escape closes the window from the password, the buttons and the window itself only
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape &&
        (watched == m_cbId || watched == m_chkTodos))
        return true;
    return QDialog::eventFilter(watched, e);
}
