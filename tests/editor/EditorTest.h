// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real main window started on a temporary program folder holding a copy of es.def.

#include "Editor.h"
#include "ProgramText.h"
#include "Pty.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"

#include <QtTest>
#include <QtWidgets>
#include <functional>
#include <memory>

// Scripted answers, and a look at the window at the moment a message is asked.
class HookedPrompts : public ScriptedPrompts
{
public:
    std::function<void(const Message&)> onMessage;
    Button message(QWidget* parent, const Message& m) override
    {
        if (onMessage)
            onMessage(m);
        return ScriptedPrompts::message(parent, m);
    }
};

struct EditorFixture
{
    QTemporaryDir dir;
    HookedPrompts prompts;
    testutil::Pty pty; // every COM port opens here unless dmk38.ini names another device
    std::unique_ptr<Editor> editor;

    explicit EditorFixture(bool withEsDef = true)
    {
        // the offscreen platform warns about window features it lacks: noise, not findings
        static const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
                if (!text.startsWith(QLatin1String("This plugin does not support")))
                    previous(type, context, text);
            });
        if (withEsDef)
            QFile::copy(QStringLiteral(WMK38_BIN_DIR "/es.def"), path(QStringLiteral("es.def")));
    }
    // Every test fails on a prompt it did not answer.
    ~EditorFixture()
    {
        if (!prompts.unexpected().isEmpty() && !QTest::currentTestFailed())
            QTest::qFail(
                qPrintable(QStringLiteral("unexpected ") + prompts.unexpected().join(QLatin1Char(';'))),
                __FILE__, __LINE__);
        if (editor) {
            editor->ProgramModified = false;
            editor->close();
        }
    }

    // The program folder (AppPath) with name appended.
    QString path(const QString& name = {}) const { return dir.path() + QLatin1Char('/') + name; }

    // Builds and starts the window; true when the start-up went through.
    bool start(const QStringList& arguments = {})
    {
        editor = std::make_unique<Editor>(dir.path(), arguments);
        for (int n = 1; n <= 6; ++n)
            editor->link().setDevice(n, pty.path());
        if (!editor->startUp())
            return false;
        editor->show();
        editor->activateWindow();
        return QTest::qWaitForWindowActive(editor.get());
    }

    ProgramText* txt() const { return editor->txtPrg(); }
    QAction* action(const char* name) const { return editor->findChild<QAction*>(QLatin1String(name)); }
    void trigger(const char* name) const { action(name)->trigger(); }
    template <class T = QWidget> T* child(const char* name) const
    {
        return editor->findChild<T*>(QLatin1String(name));
    }
    QString panel(int n) const { return editor->panelText(n); }
    QList<int> sel() const { return {txt()->selStart(), txt()->selLength()}; }

    // Queues answers in order: a button by its name; for a file dialog "-" cancels, "" is an empty
    // name, any other text that file of the program folder.
    void answer(const QStringList& answers)
    {
        static const auto buttons =
            QStringLiteral("Ok Yes No Retry Cancel Abort Ignore").split(u' '); // 1, 2, 4..
        for (const QString& a : answers) {
            if (buttons.contains(a))
                prompts.answerMessage(Prompts::Button(1 << buttons.indexOf(a)));
            else
                prompts.answerFile(a == u"-" ? std::nullopt : std::optional(a.isEmpty() ? a : path(a)));
        }
    }
    // Runs commands (space-separated) with their answers, comma-separated, as answer() takes them.
    void run(const QString& commands, const QString& answers = {})
    {
        answer(answers.isEmpty() ? QStringList() : answers.split(QLatin1Char(',')));
        for (const QString& command : commands.split(QLatin1Char(' ')))
            trigger(qPrintable(command));
        QCOMPARE(prompts.pending(), 0); // every answer was asked for
    }

    void setText(const QString& text, int selStart = -1, int selLength = 0)
    {
        txt()->setPlainText(text);
        txt()->setFocus();
        if (selStart >= 0)
            txt()->setSel(selStart, selLength);
    }
    bool write(const QString& name, const QByteArray& bytes) const
    {
        return testutil::writeRaw(path(name), bytes);
    }
    QByteArray read(const QString& name) const { return testutil::readRaw(path(name)); }

    // The document as the window holds it: folder (~ is the program folder) and name, panel 6, marks.
    QString doc() const
    {
        return QString(editor->ProgramFolder).replace(path(), QStringLiteral("~/")) +
               editor->CurrentFileName + QStringLiteral(" [") + panel(6) + QLatin1Char(']') +
               (editor->ProgramModified ? QStringLiteral(" modified") : QString()) +
               (editor->CompiledCurrent ? QStringLiteral(" compiled") : QString());
    }

    // Title and text (for a file dialog: its filter) of prompt i; -1 is the last.
    QString said(qsizetype i = -1) const
    {
        const auto& all = prompts.asked();
        i = i < 0 ? i + all.size() : i;
        return i < 0 || i >= all.size() ? QStringLiteral("(nothing)")
                                        : all[i].title + QStringLiteral(" | ") + all[i].text;
    }
    // Every prompt asked so far as said() shows it, joined by " / "; the program folder is ~/.
    QString told() const
    {
        QStringList all;
        for (qsizetype i = 0; i < prompts.asked().size(); ++i)
            all << said(i);
        return all.join(QStringLiteral(" / ")).replace(path(), QStringLiteral("~/"));
    }
};
