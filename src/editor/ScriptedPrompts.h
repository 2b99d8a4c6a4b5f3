// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test answers for Prompts: queue them in order; every prompt asked is recorded, and a
// prompt with no matching answer queued is recorded as unexpected (and cancelled).

#include "Prompts.h"

#include <QList>
#include <QString>
#include <QTimer>

#include <variant>

class ScriptedPrompts : public Prompts
{
public:
    struct Asked
    {
        enum Kind { Message, Input, File } kind;
        QString title;
        QString text; // message text, input prompt, or file dialog filter
        QString defaultText; // input default, file dialog proposed name
        int buttons = 0;
        Icon icon = Icon::None;
        Button defaultButton = Ok;
        QString folder;
        FileRequest::Mode mode = FileRequest::Open;
    };

    ScriptedPrompts() { Prompts::setCurrent(this); }
    ~ScriptedPrompts() override { Prompts::setCurrent(nullptr); }

    void answerMessage(Button b) { m_queue.append(b); }
    void answerInput(std::optional<QString> text) { m_queue.append(InputAnswer{std::move(text)}); }
    void answerFile(std::optional<QString> path) { m_queue.append(FileAnswer{std::move(path)}); }
    // Presses an input box's extra button; run is called in its place (the window it opens is
    // up meanwhile). The answer it gives, if any, ends the box.
    void answerInputExtra(std::function<void()> run = {}) { m_queue.append(ExtraAnswer{std::move(run)}); }

    const QList<Asked>& asked() const { return m_asked; }
    const QStringList& unexpected() const { return m_unexpected; }
    int pending() const { return int(m_queue.size()); }
    void clear()
    {
        m_asked.clear();
        m_unexpected.clear();
        m_queue.clear();
    }

    Button message(QWidget*, const Message& m) override
    {
        m_asked.append({Asked::Message, m.title, m.text, {}, m.buttons, m.icon, m.defaultButton, {}, {}});
        if (!m_queue.isEmpty() && std::holds_alternative<Button>(m_queue.first()))
            return std::get<Button>(m_queue.takeFirst());
        m_unexpected.append(QStringLiteral("message: ") + m.title + QStringLiteral(" / ") + m.text);
        return (m.buttons & Cancel) ? Cancel : (m.buttons & No) ? No : Ok;
    }
    std::optional<QString> input(QWidget*, const Input& in) override
    {
        m_asked.append({Asked::Input, in.title, in.prompt, in.defaultText, 0, Icon::None, Ok, {}, {}});
        while (!m_queue.isEmpty() && std::holds_alternative<ExtraAnswer>(m_queue.first()) && in.extra) {
            const auto run = std::get<ExtraAnswer>(m_queue.takeFirst()).run;
            if (run)
                QTimer::singleShot(0, run);
            if (auto given = in.extra(nullptr))
                return given;
        }
        if (!m_queue.isEmpty() && std::holds_alternative<InputAnswer>(m_queue.first()))
            return std::get<InputAnswer>(m_queue.takeFirst()).text;
        m_unexpected.append(QStringLiteral("input: ") + in.title + QStringLiteral(" / ") + in.prompt);
        return std::nullopt;
    }
    std::optional<QString> file(QWidget*, const FileRequest& r) override
    {
        m_asked.append({Asked::File, r.title, r.filter, r.fileName, 0, Icon::None, Ok, r.folder, r.mode});
        if (!m_queue.isEmpty() && std::holds_alternative<FileAnswer>(m_queue.first()))
            return std::get<FileAnswer>(m_queue.takeFirst()).path;
        m_unexpected.append(QStringLiteral("file: ") + r.title);
        return std::nullopt;
    }

private:
    struct InputAnswer
    {
        std::optional<QString> text;
    };
    struct FileAnswer
    {
        std::optional<QString> path;
    };
    struct ExtraAnswer
    {
        std::function<void()> run;
    };
    QList<std::variant<Button, InputAnswer, FileAnswer, ExtraAnswer>> m_queue;
    QList<Asked> m_asked;
    QStringList m_unexpected;
};
