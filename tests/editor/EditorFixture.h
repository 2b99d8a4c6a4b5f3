#pragma once
// Starts the real main window on a temporary program folder holding a copy of es.def.

#include "Editor.h"
#include "ProgramText.h"
#include "ScriptedPrompts.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
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
    std::unique_ptr<Editor> editor;

    explicit EditorFixture(bool withEsDef = true) : dir()
    {
        if (withEsDef)
            QFile::copy(QStringLiteral(WMK38_BIN_DIR "/es.def"), path(QStringLiteral("es.def")));
    }
    ~EditorFixture()
    {
        if (editor)
            editor->close();
    }

    QString path(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    QString appPath() const { return dir.path() + QLatin1Char('/'); }

    // Builds and starts the window; true when the start-up went through.
    bool start(const QStringList& arguments = {})
    {
        editor = std::make_unique<Editor>(dir.path(), arguments);
        if (!editor->startUp())
            return false;
        editor->show();
        editor->activateWindow();
        return QTest::qWaitForWindowActive(editor.get());
    }

    ProgramText* txt() const { return editor->txtPrg(); }
    QAction* action(const char* name) const { return editor->findChild<QAction*>(QLatin1String(name)); }
    void trigger(const char* name) const { action(name)->trigger(); }

    void setText(const QString& text)
    {
        txt()->setPlainText(text);
        txt()->setFocus();
    }

    void writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    QByteArray readFile(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};
