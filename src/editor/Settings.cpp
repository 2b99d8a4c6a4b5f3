// SPDX-License-Identifier: GPL-3.0-or-later
#include "Settings.h"

#include "AppFiles.h"
#include "Cp1252.h"
#include "Language.h"
#include "OrvLibClient.h"

#include <QCoreApplication>
#include <cmath>
#include <optional>

namespace {

const QString kSection = QStringLiteral("Set");
constexpr qint64 kMaxColor = 0xFFFFFF;

// The profile holds decimal text; a whole number is expected, a fraction rounds half to even.
std::optional<qint64> toNumber(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    const qint64 whole = t.toLongLong(&ok);
    if (ok)
        return whole;
    const double d = t.toDouble(&ok);
    if (!ok || !std::isfinite(d) || std::fabs(d) > 2147483647.0)
        return std::nullopt;
    return qint64(std::nearbyint(d));
}

std::optional<int> toInt16(const QString& text)
{
    const auto n = toNumber(text);
    if (!n || *n < -32768 || *n > 32767)
        return std::nullopt;
    return int(*n);
}

std::optional<QColor> toColor(const QString& text)
{
    const auto n = toNumber(text);
    // 0x00BBGGRR; anything beyond is not a plain colour and is left alone
    if (!n || *n < 0 || *n > kMaxColor)
        return std::nullopt;
    return QColor(int(*n & 0xFF), int((*n >> 8) & 0xFF), int((*n >> 16) & 0xFF));
}

std::optional<bool> toBool(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return d != 0.0;
}

QString colorValue(const QColor& c)
{
    return QString::number(qint64(c.red()) + 256 * qint64(c.green()) + 65536 * qint64(c.blue()));
}

} // namespace

void loadSettings(OrvLib& lib, const QString& file, EditorSettings& settings)
{
    lib.setIniFile(file);
    auto get = [&](const char* key, const QString& def) {
        return lib.GetIni(kSection, QLatin1String(key), def);
    };

    if (const auto id = toInt16(get("ID", QStringLiteral("1"))))
        settings.plcId = *id;
    if (const auto com = toInt16(get("COM", QStringLiteral("2")));
        com && *com >= 1 && *com <= plclink::kComPorts)
        settings.com = *com;
    const ColorScheme& standard = kDefaultScheme;
    if (const auto fore = toColor(get("FCol", colorValue(standard.text))))
        settings.colors.text = *fore;
    if (const auto back = toColor(get("BCol", colorValue(standard.background))))
        settings.colors.background = *back;
    // a file of an older version has no HCol: a colour that reads well on its background
    const QString highlight = get("HCol", QString());
    if (const auto mnemonic = toColor(highlight))
        settings.colors.mnemonic = *mnemonic;
    else if (highlight.trimmed().isEmpty())
        settings.colors.mnemonic = defaultMnemonicColor(settings.colors.background);
    if (const auto indent = toBool(get("AIdnt", QStringLiteral("-1"))))
        settings.autoIndent = *indent;
    // any number outside 0..2 is a valid setting that marks no run option
    if (const auto rst = toInt16(get("Rst", QStringLiteral("0"))))
        settings.runMode = (*rst >= 0 && *rst <= 2) ? *rst : -1;
    settings.programFolder = get("PrgP", settings.programFolder);
    if (const auto fast = toBool(get("Rapido", QStringLiteral("False"))))
        settings.fastLink = *fast;
    if (const auto on = toBool(get("Resaltar", QStringLiteral("True"))))
        settings.highlight = *on;
    if (const auto on = toBool(get("Lineas", QStringLiteral("True"))))
        settings.lineNumbers = *on;
    if (const auto chart = toBool(get("Grafico", QStringLiteral("True"))))
        settings.chartShown = *chart;
    settings.language = loadLanguageSetting(lib, file);
}

QString loadLanguageSetting(OrvLib& lib, const QString& file)
{
    lib.setIniFile(file);
    return lib.GetIni(kSection, QStringLiteral("Idioma"), QString()).trimmed().toLower();
}

void useLanguage(const QString& dataFolder, const QString& settingsFile)
{
    QString setting;
    if (std::unique_ptr<OrvLib> lib = OrvLib::create(nullptr))
        setting = loadLanguageSetting(*lib, settingsFile);
    language::use(language::choose(setting, language::available(dataFolder)), dataFolder);
}

bool saveSettings(OrvLib& lib, const QString& file, const EditorSettings& settings, QString* error)
{
    QString problem;
    if (!appfiles::makeFolderOf(file, &problem)) {
        if (error)
            *error = file + QStringLiteral(": ") + problem;
        return false;
    }
    lib.setIniFile(file);
    bool written = true;
    auto put = [&](const char* key, const QString& value) {
        if (lib.PutIni(kSection, QLatin1String(key), value))
            return;
        // the file is Windows-1252 text: a folder named outside it cannot be kept
        if (written && !isa::isCp1252(value))
            problem =
                QCoreApplication::translate("Settings", "\"%1\" no cabe en el archivo (Windows-1252): %2")
                    .arg(QLatin1String(key), value);
        written = false;
    };

    put("ID", QString::number(settings.plcId));
    put("COM", QString::number(settings.com));
    put("FCol", colorValue(settings.colors.text));
    put("BCol", colorValue(settings.colors.background));
    put("AIdnt", settings.autoIndent ? QStringLiteral("True") : QStringLiteral("False"));
    // -1 (no run option marked) is written as is, so the next start marks none again
    put("Rst", QString::number(settings.runMode));
    put("PrgP", settings.programFolder);
    put("Rapido", settings.fastLink ? QStringLiteral("True") : QStringLiteral("False"));
    put("HCol", colorValue(settings.colors.mnemonic));
    put("Resaltar", settings.highlight ? QStringLiteral("True") : QStringLiteral("False"));
    put("Lineas", settings.lineNumbers ? QStringLiteral("True") : QStringLiteral("False"));
    put("Grafico", settings.chartShown ? QStringLiteral("True") : QStringLiteral("False"));
    put("Idioma", settings.language);
    if (!written && error) {
        if (problem.isEmpty())
            problem = appfiles::writeProblem(file);
        *error =
            file + QStringLiteral(": ") +
            (problem.isEmpty() ? QCoreApplication::translate("Settings", "no se pudo escribir") : problem);
    }
    return written;
}
