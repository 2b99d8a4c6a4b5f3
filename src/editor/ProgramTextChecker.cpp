// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramTextChecker.h"

#include "Compiler.h"
#include "ProgramTextTokens.h"
#include "Source.h"

#include <QCoreApplication>
#include <QTextDocument>
#include <algorithm>

bool LiveCheck::tooLong() const
{
    return bytes > isa::kImageSize;
}

QString LiveCheck::summary() const
{
    if (state == State::Pending)
        return {};
    if (tooLong())
        return QCoreApplication::translate("ProgramText",
                                           "Programa demasiado largo: %1 / %2 bytes, %3 de más")
            .arg(bytes)
            .arg(isa::kImageSize)
            .arg(bytes - isa::kImageSize);
    return QCoreApplication::translate("ProgramText", "%1 / %2 bytes").arg(bytes).arg(isa::kImageSize);
}

LiveCheck checkProgram(const QString& text, const QStringList& predefined,
                       std::shared_ptr<const ProgramSymbols>* symbolsOut)
{
    LiveCheck check;
    const compiler::CompileResult r = compiler::compile(text, predefined);
    auto symbols = std::make_shared<const ProgramSymbols>(predefined, text);
    switch (r.status) {
    case compiler::CompileResult::Status::Ok:
        check.state = LiveCheck::State::Ok;
        check.bytes = r.length;
        break;
    case compiler::CompileResult::Status::LineRejected:
        check.state = LiveCheck::State::Rejected;
        check.bytes = symbols->bytes();
        check.line = r.lineNumber - 1;
        check.message = r.message;
        break;
    case compiler::CompileResult::Status::UnresolvedJump: {
        check.state = LiveCheck::State::UnresolvedJump;
        check.bytes = symbols->bytes();
        check.message =
            QCoreApplication::translate("ProgramText", "Error: salto a %1 No hallado.").arg(r.jumpTarget);
        // the first jump, in source order, whose target is no label: the one the compile names
        const compiler::SourceText source(text);
        for (const compiler::SourceLine& line : source.lines()) {
            const LineTokens t = classifyLine(line.raw, *symbols);
            const auto target = [&t](const TokenSpan& s) {
                return s.kind == TokenKind::Label && !(t.definesLabel() && &s == &t.spans.first());
            };
            if (t.instruction && t.instruction->isJump() && std::none_of(t.spans.cbegin(), t.spans.cend(), target)) {
                check.line = line.number - 1;
                break;
            }
        }
        break;
    }
    }
    if (symbolsOut)
        *symbolsOut = std::move(symbols);
    return check;
}

ProgramTextChecker::ProgramTextChecker(QTextDocument* document, const QStringList* predefined, QObject* parent)
    : QObject(parent), m_document(document), m_predefined(predefined),
      m_symbols(std::make_shared<const ProgramSymbols>())
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kIdleMs);
    connect(&m_timer, &QTimer::timeout, this, &ProgramTextChecker::runNow);
    connect(document, &QTextDocument::contentsChanged, this, &ProgramTextChecker::schedule);
}

void ProgramTextChecker::runNow()
{
    m_timer.stop();
    // the compiler reads lines ended by CR LF, the last one too
    m_result = checkProgram(m_document->toPlainText() + QLatin1Char('\n'), m_predefined ? *m_predefined : QStringList(),
                            &m_symbols);
    emit checked(m_result);
}

std::shared_ptr<const ProgramSymbols> ProgramTextChecker::symbolsNow() const
{
    return std::make_shared<const ProgramSymbols>(m_predefined ? *m_predefined : QStringList(),
                                                  m_document->toPlainText());
}
