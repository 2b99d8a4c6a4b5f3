// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The live check: the program text compiled in memory a moment after the last keystroke. It
// touches no file, no editor state and asks nothing; "Compilar" stays the real compile.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>

class ProgramSymbols;
class QTextDocument;

struct LiveCheck
{
    enum class State { Pending, Ok, Rejected, UnresolvedJump };
    State state = State::Pending;
    int bytes = 0;  // the program's length, whether or not it fits the image
    int line = -1;  // 0-based: the rejected line or the unresolved jump's line; -1 none
    QString message; // as "Compilar" gives it
    bool tooLong() const;
    // "N / 256 bytes", or how much too long the program is.
    QString summary() const;
};

// Compiles the text in memory; symbols, if given, receives the names the text defines.
LiveCheck checkProgram(const QString& text, const QStringList& predefined,
                       std::shared_ptr<const ProgramSymbols>* symbols = nullptr);

class ProgramTextChecker : public QObject
{
    Q_OBJECT
public:
    static constexpr int kIdleMs = 300;

    // predefined: the es.def names, read when a check runs (they arrive after start-up).
    ProgramTextChecker(QTextDocument* document, const QStringList* predefined, QObject* parent = nullptr);
    void schedule() { m_timer.start(); }
    void runNow();
    void setPredefined(const QStringList* names) { m_predefined = names; }
    const LiveCheck& result() const { return m_result; }
    const std::shared_ptr<const ProgramSymbols>& symbols() const { return m_symbols; }
    // The names of the present text at once (a loaded file is coloured with its own labels).
    std::shared_ptr<const ProgramSymbols> symbolsNow() const;

signals:
    void checked(const LiveCheck& result);

private:
    QTextDocument* m_document;
    const QStringList* m_predefined;
    QTimer m_timer;
    LiveCheck m_result;
    std::shared_ptr<const ProgramSymbols> m_symbols;
};
