// SPDX-License-Identifier: GPL-3.0-or-later
// mk38c ports: the first thing to look at when the link does not work.
#include "CliIo.h"
#include "Commands.h"
#include "Link.h"
#include "PortInfo.h"
#include "Programs.h"

#include <QCoreApplication>

namespace {

// the listing itself is for scripts too: the same in every language
QString portsUsage()
{
    return cli::Text::tr("Uso: mk38c ports") + u'\n' +
           cli::Text::tr(
               "Lista los puertos serie presentes, uno por línea: dispositivo, nombre estable bajo\n"
               "/dev/serial/by-id, descripción, fabricante, número de serie (separados por\n"
               "tabuladores, \"-\" si está vacío); luego COM1..COM6, el dispositivo de cada uno y de\n"
               "dónde sale (\"default\" o el archivo de configuración). Cualquier dispositivo o\n"
               "nombre listado sirve como --port.\n");
}

QString field(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("-") : text;
}

} // namespace

int runPorts(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const cli::Options options = cli::parseOptions(args, {}, {});
    if (options.help) {
        out << portsUsage();
        return cli::kExitOk;
    }
    if (!options.error.isEmpty() || !options.operands.isEmpty()) {
        err << "mk38c ports: "
            << (options.error.isEmpty()
                    ? cli::Text::tr("sobra \"%1\"").arg(cli::shownName(options.operands.first()))
                    : options.error)
            << "\n"
            << portsUsage();
        return cli::kExitTrouble;
    }
    const QList<plclink::PortInfo> ports = plclink::presentPorts();
    if (ports.isEmpty())
        out << "no serial ports found\n";
    for (const plclink::PortInfo& p : ports)
        out << p.device << '\t' << field(p.stableName) << '\t' << field(p.description) << '\t'
            << field(p.maker) << '\t' << field(p.serial) << '\n';
    // read as the PLC commands and the editor read it: a file that is missing maps nothing, one
    // that is no settings file is ignored with a word
    const QString settings = cli::settingsFile();
    const plclink::PortSettings read = plclink::readPortSettings(settings);
    if (!read.problem.isEmpty())
        err << "mk38c ports: " << read.problem << "\n";
    const auto& overrides = read.devices;
    for (int com = 1; com <= plclink::kComPorts; ++com) {
        const QString& device = overrides[com - 1];
        out << "COM" << com << '\t' << (device.isEmpty() ? plclink::defaultDevice(com) : plclink::shownDeviceName(device))
            << '\t'
            << (device.isEmpty() ? QStringLiteral("default") : settings) << '\n';
    }
    return cli::kExitOk;
}
