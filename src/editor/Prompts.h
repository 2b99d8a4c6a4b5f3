// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every question the user answers (message box, input box, file dialog) goes through here,
// so tests can answer in code. The product answers with real dialogs.

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

class Prompts
{
public:
    enum Button { Ok = 0x01, Yes = 0x02, No = 0x04, Retry = 0x08, Cancel = 0x10, Abort = 0x20, Ignore = 0x40 };
    enum class Icon { None, Information, Question, Exclamation, Critical };

    struct Message
    {
        QString title;
        QString text;
        int buttons = Ok;
        Icon icon = Icon::None;
        Button defaultButton = Ok;
    };
    struct Input
    {
        QString title;
        QString prompt;
        QString defaultText;
        // A button beside OK and Cancel (none when its caption is empty). Pressing it calls
        // extra over the box; a text it gives is the answer, as if typed and accepted.
        QString extraCaption = {};
        std::function<std::optional<QString>(QWidget* box)> extra = {};
    };
    struct FileRequest
    {
        enum Mode { Open, Save } mode = Open;
        QString title;
        QString filter; // the classic "description|pattern|description|pattern" form
        QString fileName;
        QString folder;
    };

    virtual ~Prompts() = default;
    virtual Button message(QWidget* parent, const Message& m) = 0;
    // nullopt: the box was cancelled.
    virtual std::optional<QString> input(QWidget* parent, const Input& in) = 0;
    // The chosen path (possibly empty), or nullopt when the dialog was cancelled. A save
    // dialog never asks about overwriting itself: the commands ask in their own words.
    virtual std::optional<QString> file(QWidget* parent, const FileRequest& request) = 0;

    // The prompts in use; real dialogs unless a test installed its own.
    static Prompts& current();
    static void setCurrent(Prompts* prompts); // nullptr restores the dialogs
};

// Converts "desc|pattern|desc|pattern" into Qt's "desc (pattern);;desc (pattern)".
QString qtFileFilter(const QString& classicFilter);

class DialogPrompts : public Prompts
{
public:
    Button message(QWidget* parent, const Message& m) override;
    std::optional<QString> input(QWidget* parent, const Input& in) override;
    std::optional<QString> file(QWidget* parent, const FileRequest& request) override;
};
