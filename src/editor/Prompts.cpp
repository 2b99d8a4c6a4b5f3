// SPDX-License-Identifier: GPL-3.0-or-later
#include "Prompts.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {
Prompts* g_current = nullptr;
} // namespace

Prompts& Prompts::current()
{
    static DialogPrompts dialogs;
    return g_current ? *g_current : dialogs;
}

void Prompts::setCurrent(Prompts* prompts) { g_current = prompts; }

QString qtFileFilter(const QString& classicFilter)
{
    const QStringList parts = classicFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        // Linux file names are case-sensitive: offer both cases of an extension pattern
        const QStringList globs = pattern.split(QLatin1Char(';'));
        QStringList both;
        for (const QString& g : globs) {
            both << g;
            if (g.toLower() != g)
                both << g.toLower();
            if (g.toUpper() != g)
                both << g.toUpper();
        }
        both.removeDuplicates();
        filters << parts[i] + QStringLiteral(" (") + both.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

Prompts::Button DialogPrompts::message(QWidget* parent, const Message& m)
{
    QMessageBox box(parent);
    box.setWindowTitle(m.title);
    box.setText(m.text);
    switch (m.icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    struct Map
    {
        Button ours;
        QMessageBox::StandardButton qt;
    };
    static constexpr Map kMap[] = {{Ok, QMessageBox::Ok},         {Yes, QMessageBox::Yes},
                                   {No, QMessageBox::No},         {Retry, QMessageBox::Retry},
                                   {Cancel, QMessageBox::Cancel}, {Abort, QMessageBox::Abort},
                                   {Ignore, QMessageBox::Ignore}};
    QMessageBox::StandardButtons buttons;
    for (const auto& e : kMap)
        if (m.buttons & e.ours)
            buttons |= e.qt;
    box.setStandardButtons(buttons);
    // the names a Spanish desktop gives these two, where Qt's catalogue differs
    if (QAbstractButton* abort = box.button(QMessageBox::Abort))
        abort->setText(QCoreApplication::translate("Prompts", "&Anular"));
    if (QAbstractButton* ignore = box.button(QMessageBox::Ignore))
        ignore->setText(QCoreApplication::translate("Prompts", "&Omitir"));
    for (const auto& e : kMap)
        if (e.ours == m.defaultButton && (m.buttons & e.ours))
            box.setDefaultButton(e.qt);
    const int pressed = box.exec();
    for (const auto& e : kMap)
        if (pressed == e.qt)
            return e.ours;
    // closed with Esc or the window's close button: the box's escape answer
    return (m.buttons & Cancel) ? Cancel : (m.buttons & No) ? No : Ok;
}

std::optional<QString> DialogPrompts::input(QWidget* parent, const Input& in)
{
    if (!in.extraCaption.isEmpty() && in.extra) {
        // the input box with one button more
        QDialog box(parent);
        box.setWindowTitle(in.title);
        auto* layout = new QVBoxLayout(&box);
        layout->addWidget(new QLabel(in.prompt, &box));
        auto* edit = new QLineEdit(in.defaultText, &box);
        layout->addWidget(edit);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &box);
        QPushButton* extra = buttons->addButton(in.extraCaption, QDialogButtonBox::ActionRole);
        extra->setAutoDefault(false);
        layout->addWidget(buttons);
        std::optional<QString> given;
        QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
        QObject::connect(extra, &QPushButton::clicked, &box, [&] {
            if ((given = in.extra(&box)))
                box.accept();
        });
        edit->selectAll();
        if (box.exec() != QDialog::Accepted)
            return std::nullopt;
        return given ? *given : edit->text();
    }
    bool ok = false;
    const QString text = QInputDialog::getText(parent, in.title, in.prompt, QLineEdit::Normal, in.defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> DialogPrompts::file(QWidget* parent, const FileRequest& r)
{
    QFileDialog dialog(parent, r.title, r.folder, qtFileFilter(r.filter));
    dialog.setAcceptMode(r.mode == FileRequest::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(r.mode == FileRequest::Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!r.fileName.isEmpty())
        dialog.selectFile(r.fileName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}
