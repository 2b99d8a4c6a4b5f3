// SPDX-License-Identifier: GPL-3.0-or-later
#include "Ayuda.h"

#include "Cp1252.h"
#include "Language.h"
#include "OrvLibClient.h"
#include "Prompts.h"

#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

Ayuda::Ayuda(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Ayuda"));
    // the no-break space stands where the original code page put its "á"
    setWindowTitle(tr("Ayuda r pida"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("txtAyuda"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    resize(720, 520);
}

void Ayuda::setText(const QString& text)
{
    m_text->setPlainText(text);
}

QString quickHelpFile(const QString& dataFolder)
{
    return language::localizedFile(dataFolder, QStringLiteral("qhelp.ayd"));
}

void showQuickHelp(QWidget* parent, const QString& appPath, OrvLib& lib)
{
    const QString path = quickHelpFile(appPath);
    if (!lib.FileExist(path)) {
        Prompts::Message m;
        m.title = Ayuda::tr("Error");
        m.text = Ayuda::tr("No se halla el archivo QHELP.AYD");
        m.buttons = Prompts::Ok;
        m.icon = Prompts::Icon::Exclamation;
        Prompts::current().message(parent, m);
        return;
    }
    QByteArray bytes;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll(); // a read error shows what could be read, as ever

    Ayuda window(parent);
    window.setText(isa::fromCp1252(bytes));
    window.exec();
}
