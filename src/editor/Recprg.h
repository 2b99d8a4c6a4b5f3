// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Extraer programa del PLC": reads the program stored in a PLC, checks it against the
// checksum the PLC keeps, shows its date, offers to save it and puts its translation into
// the editor.

#include "Isa.h"
#include "PlcWindow.h"
#include "Upload.h"

#include <QPointer>

class Buscar;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class Recprg : public PlcWindow
{
    Q_OBJECT
public:
    // Told of an upload the user accepted: the editor offers to save it and puts it in.
    using Accepted = std::function<void(const isa::ProgramImage&)>;
    Recprg(const PlcContext& context, const Accepted& accepted, QWidget* parent);
    // Form_Load: the identifier list on the present PlcId.
    void begin();
    void cmdRecibir_Click();
    // The upload's messages, also the editor's verify's: no communication (the probe), and the
    // failed read (no answer, checksum wrong); empty for a program read.
    static QString noCommunicationText();
    static QString failureText(plclink::UploadOutcome outcome);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void idle() override;

private:
    enum class Outcome { Done, Retry, Stop };
    Outcome attempt();
    void complete(const QByteArray& received);
    void append(const QString& text);

    QPlainTextEdit* m_txtRecibir;
    QPushButton* m_cmdRecibir;
    QPushButton* m_cmdCancelar;
    QLineEdit* m_txtPass;
    QCheckBox* m_chkTodos;
    QComboBox* m_cbId;
    QPushButton* m_cmdBuscar;
    QPointer<Buscar> m_buscar;
    Accepted m_accepted;
};
