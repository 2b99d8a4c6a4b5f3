// SPDX-License-Identifier: GPL-3.0-or-later
// The objects OrvLibCls hands out: regional settings, special folders, number conversions,
// time spans and the system's version.

#include "OrvObjects.h"

#include "OrvLibObjects.h"
#include "OrvModule.h"

#include <QLocale>
#include <QStandardPaths>
#include <QStringList>
#include <QSysInfo>
#include <cctype>
#include <climits>
#include <clocale>
#include <langinfo.h>
#include <sys/utsname.h>

using namespace orvmodule;

namespace orvobjects {

namespace {

template <class T> OrvResult put(T value, T* out)
{
    if (!out)
        return ORV_E_POINTER;
    *out = value;
    return ORV_S_OK;
}

// ---- LocalInfo ----

// Texts, formats and names come from QLocale; the figures QLocale lacks (grouping, digits,
// monetary separators, telephone code, code set) from the C library's data for the same
// environment.
class LocalInfo final : public Object<IOrvLocalInfo>
{
public:
    LocalInfo() : Object(IID_IOrvLocalInfo), m_locale(QLocale::system())
    {
        m_c = newlocale(LC_ALL_MASK, "", nullptr);
        if (!m_c)
            m_c = newlocale(LC_ALL_MASK, "C", nullptr);
    }
    ~LocalInfo() override
    {
        if (m_c)
            freelocale(m_c);
    }

    OrvResult MonCurrency(OrvBstr* r) override { return toOrv(m_locale.currencySymbol(), r); }
    OrvResult MonDecimalSep(OrvBstr* r) override { return toOrv(c(MON_DECIMAL_POINT), r); }
    OrvResult MonThousandSep(OrvBstr* r) override { return toOrv(c(MON_THOUSANDS_SEP), r); }
    OrvResult MonGroup(OrvBstr* r) override { return toOrv(grouping(MON_GROUPING), r); }
    OrvResult MonCurrNumDigits(OrvBstr* r) override { return toOrv(fracDigits(), r); }
    OrvResult SepDate(OrvBstr* r) override
    {
        return toOrv(separator(m_locale.dateFormat(QLocale::ShortFormat)), r);
    }
    OrvResult SepTime(OrvBstr* r) override
    {
        return toOrv(separator(m_locale.timeFormat(QLocale::ShortFormat)), r);
    }
    OrvResult StrShortDate(OrvBstr* r) override
    {
        return toOrv(m_locale.dateFormat(QLocale::ShortFormat), r);
    }
    OrvResult StrLongDate(OrvBstr* r) override { return toOrv(m_locale.dateFormat(QLocale::LongFormat), r); }
    OrvResult StrTimeFormat(OrvBstr* r) override
    {
        return toOrv(m_locale.timeFormat(QLocale::LongFormat), r);
    }
    OrvResult StrAMFormat(OrvBstr* r) override { return toOrv(m_locale.amText(), r); }
    OrvResult StrPMFormat(OrvBstr* r) override { return toOrv(m_locale.pmText(), r); }
    OrvResult SepDec(OrvBstr* r) override { return toOrv(m_locale.decimalPoint(), r); }
    OrvResult SepThousand(OrvBstr* r) override { return toOrv(m_locale.groupSeparator(), r); }
    OrvResult GroupDigit(OrvBstr* r) override { return toOrv(grouping(GROUPING), r); }
    OrvResult FracDigit(OrvBstr* r) override { return toOrv(fracDigits(), r); }
    // every Linux locale writes the zero before the decimal point
    OrvResult DecZeroDigit(OrvBstr* r) override { return toOrv(QStringLiteral("1"), r); }
    OrvResult IdLang(OrvBstr* r) override { return toOrv(m_locale.name(), r); }
    OrvResult NativeLang(OrvBstr* r) override { return toOrv(m_locale.nativeLanguageName(), r); }
    // the original platform's country code is the international telephone code
    OrvResult CountryCode(OrvBstr* r) override { return toOrv(c(_NL_TELEPHONE_INT_PREFIX), r); }
    OrvResult CountryNameShort(OrvBstr* r) override
    {
        return toOrv(QLocale::territoryToCode(m_locale.territory()), r);
    }
    OrvResult CountryName(OrvBstr* r) override { return toOrv(m_locale.nativeTerritoryName(), r); }
    OrvResult DefaultCodePage(OrvBstr* r) override { return toOrv(c(CODESET), r); }
    OrvResult SepList(OrvBstr* r) override
    {
        return toOrv(
            m_locale.decimalPoint() == QStringLiteral(",") ? QStringLiteral(";") : QStringLiteral(","), r);
    }
    OrvResult Measure(OrvBstr* r) override
    {
        return toOrv(m_locale.measurementSystem() == QLocale::MetricSystem ? QStringLiteral("0")
                                                                           : QStringLiteral("1"),
                     r);
    }

private:
    QString c(nl_item item) const
    {
        return m_c ? QString::fromLocal8Bit(nl_langinfo_l(item, m_c)) : QString();
    }

    // "3;0" as the original platform writes a repeating group of three
    QString grouping(nl_item item) const
    {
        const char* sizes = m_c ? nl_langinfo_l(item, m_c) : "";
        QStringList parts;
        bool repeats = true;
        for (const char* p = sizes; *p; ++p) {
            if (*p == CHAR_MAX || *p < 0) {
                repeats = false;
                break;
            }
            parts << QString::number(int(*p));
        }
        if (parts.isEmpty())
            return QStringLiteral("0");
        if (repeats)
            parts << QStringLiteral("0");
        return parts.join(u';');
    }

    QString fracDigits() const
    {
        const char digits = m_c ? *nl_langinfo_l(FRAC_DIGITS, m_c) : CHAR_MAX;
        return digits == CHAR_MAX ? QStringLiteral("2") : QString::number(int(digits));
    }

    // The first character of a date or time picture that is no part of a field.
    static QString separator(const QString& picture)
    {
        for (const QChar ch : picture)
            if (!ch.isLetter() && ch != u'\'' && !ch.isSpace())
                return QString(ch);
        return {};
    }

    QLocale m_locale;
    locale_t m_c = nullptr;
};

// ---- Carpetas ----

class Carpetas final : public Object<IOrvCarpetas>
{
public:
    Carpetas() : Object(IID_IOrvCarpetas) {}

    OrvResult Path(int32_t folder, OrvBstr* r) override
    {
        const QString path = locate(folder);
        if (path.isEmpty()) {
            if (r)
                *r = nullptr;
            return ORV_E_NOTSUPPORTED;
        }
        return toOrv(path, r);
    }
    OrvResult About() override { return ORV_E_NOTSUPPORTED; }

private:
    static QString locate(int32_t folder)
    {
        switch (folder) {
        case CARPETA_DESKTOP:
        case CARPETA_DESKTOPDIRECTORY:
            return writable(QStandardPaths::DesktopLocation);
        case CARPETA_PROGRAMS:
            return writable(QStandardPaths::ApplicationsLocation);
        case CARPETA_PERSONAL:
            return writable(QStandardPaths::DocumentsLocation);
        case CARPETA_STARTUP:
            return writable(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart");
        case CARPETA_MYMUSIC:
            return writable(QStandardPaths::MusicLocation);
        case CARPETA_MYVIDEO:
            return writable(QStandardPaths::MoviesLocation);
        case CARPETA_FONTS:
            return writable(QStandardPaths::FontsLocation);
        case CARPETA_APPDATA:
            return writable(QStandardPaths::GenericConfigLocation);
        case CARPETA_LOCAL_APPDATA:
            return writable(QStandardPaths::GenericDataLocation);
        case CARPETA_INTERNET_CACHE:
            return writable(QStandardPaths::GenericCacheLocation);
        case CARPETA_MYPICTURES:
            return writable(QStandardPaths::PicturesLocation);
        case CARPETA_PROFILE:
            return writable(QStandardPaths::HomeLocation);
        default:
            return {};
        }
    }
    static QString writable(QStandardPaths::StandardLocation location)
    {
        return QStandardPaths::writableLocation(location);
    }
};

// ---- clsConvertNum ----

bool parseHex(const char16_t* text, quint64* value, QString* digits)
{
    QString hex = fromOrv(text).trimmed();
    if (hex.startsWith(QStringLiteral("&H"), Qt::CaseInsensitive) ||
        hex.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive))
        hex = hex.mid(2);
    if (hex.isEmpty())
        return false;
    for (const QChar ch : hex)
        if (!isxdigit(ch.unicode() < 128 ? ch.unicode() : 'g'))
            return false;
    if (digits)
        *digits = hex;
    if (value) {
        bool ok = false;
        *value = hex.toULongLong(&ok, 16);
        return ok;
    }
    return true;
}

class ConvertNum final : public Object<IOrvConvertNum>
{
public:
    ConvertNum() : Object(IID_IOrvConvertNum) {}

    OrvResult LongToBin(int32_t value, OrvBstr* r) override
    {
        return toOrv(QString::number(quint32(value), 2), r);
    }
    OrvResult LongToByte(int32_t value, int32_t index, uint8_t* r) override
    {
        if (index < 0 || index > 3)
            return ORV_E_INVALIDARG;
        return put(uint8_t(quint32(value) >> (8 * index)), r);
    }
    OrvResult WordToByte(int16_t value, int32_t index, uint8_t* r) override
    {
        if (index < 0 || index > 1)
            return ORV_E_INVALIDARG;
        return put(uint8_t(quint16(value) >> (8 * index)), r);
    }
    OrvResult ByteToWord(uint8_t low, uint8_t high, int16_t* r) override
    {
        return put(int16_t(quint16(low | (high << 8))), r);
    }
    OrvResult ByteToLong(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3, int32_t* r) override
    {
        return put(int32_t(quint32(b0) | quint32(b1) << 8 | quint32(b2) << 16 | quint32(b3) << 24), r);
    }
    OrvResult SwapWord(int32_t value, int32_t* r) override
    {
        const quint32 u = quint32(value);
        return put(int32_t(u << 16 | u >> 16), r);
    }
    OrvResult SwapByte(int16_t value, int16_t* r) override
    {
        const quint16 u = quint16(value);
        return put(int16_t(quint16(u << 8 | u >> 8)), r);
    }
    OrvResult IntToUnsignedLong(int16_t value, int32_t* r) override
    {
        return put(int32_t(quint16(value)), r);
    }
    OrvResult TestBit(int32_t value, int32_t bit, OrvBool* r) override
    {
        if (bit < 0 || bit > 31)
            return ORV_E_INVALIDARG;
        return put(toOrvBool(quint32(value) >> bit & 1), r);
    }
    OrvResult CurrHex(int64_t value, OrvBstr* r) override
    {
        return toOrv(QString::number(quint64(value), 16).toUpper(), r);
    }
    OrvResult CurrBin(int64_t value, OrvBstr* r) override
    {
        return toOrv(QString::number(quint64(value), 2), r);
    }
    OrvResult CurrVal(const char16_t* hex, int64_t* r) override
    {
        quint64 value = 0;
        if (!parseHex(hex, &value, nullptr))
            return ORV_E_INVALIDARG;
        return put(int64_t(value), r);
    }
    OrvResult CurrMod(int64_t value, int64_t divisor, int64_t* r) override
    {
        if (divisor == 0)
            return ORV_E_INVALIDARG;
        // INT64_MIN % -1 overflows
        return put(divisor == -1 ? int64_t(0) : value % divisor, r);
    }
    OrvResult HexToBin(const char16_t* hex, OrvBstr* r) override
    {
        QString digits;
        if (!parseHex(hex, nullptr, &digits))
            return ORV_E_INVALIDARG;
        QString bits;
        for (const QChar ch : digits)
            bits += QStringLiteral("%1").arg(QString(ch).toInt(nullptr, 16), 4, 2, QChar(u'0'));
        return toOrv(bits, r);
    }
};

// ---- clsTiempos ----

constexpr int32_t kSecondsPerDay = 24 * 3600;

// Seconds of "h:mm:ss" or "h:mm", or -1.
int32_t parseHms(const char16_t* text)
{
    const QStringList parts = fromOrv(text).trimmed().split(u':');
    if (parts.size() < 2 || parts.size() > 3)
        return -1;
    int32_t fields[3] = {0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        const int value = parts[i].trimmed().toInt(&ok);
        if (!ok || value < 0 || (i > 0 && value > 59) || (i == 0 && value > 596522))
            return -1;
        fields[i] = value;
    }
    return fields[0] * 3600 + fields[1] * 60 + fields[2];
}

QString formatHms(int32_t seconds)
{
    const qint64 magnitude = qAbs(qint64(seconds));
    return QString::asprintf("%s%02lld:%02lld:%02lld", seconds < 0 ? "-" : "", magnitude / 3600,
                             magnitude / 60 % 60, magnitude % 60);
}

class Tiempos final : public Object<IOrvTiempos>
{
public:
    Tiempos() : Object(IID_IOrvTiempos) {}

    OrvResult Lapso(const char16_t* start, const char16_t* end, int32_t* seconds) override
    {
        const int32_t from = parseHms(start);
        const int32_t to = parseHms(end);
        if (from < 0 || to < 0)
            return ORV_E_INVALIDARG;
        return put(to >= from ? to - from : to - from + kSecondsPerDay, seconds);
    }
    OrvResult LapsoToHs(const char16_t* start, const char16_t* end, OrvBstr* r) override
    {
        int32_t seconds = 0;
        const OrvResult result = Lapso(start, end, &seconds);
        return result == ORV_S_OK ? toOrv(formatHms(seconds), r) : result;
    }
    OrvResult Horas2Seg(const char16_t* hms, int32_t* seconds) override
    {
        const int32_t value = parseHms(hms);
        return value < 0 ? ORV_E_INVALIDARG : put(value, seconds);
    }
    OrvResult Seg2Horas(int32_t seconds, OrvBstr* r) override { return toOrv(formatHms(seconds), r); }
};

// ---- WinInf ----

class WinInf final : public Object<IOrvWinInf>
{
public:
    WinInf() : Object(IID_IOrvWinInf)
    {
        struct utsname names
        {
        };
        if (uname(&names) == 0) {
            m_system = QString::fromLocal8Bit(names.sysname);
            // "6.1.0-18-amd64": major, minor and the patch level as the build number
            const QString release = QString::fromLocal8Bit(names.release);
            const QStringList numbers = release.section(u'-', 0, 0).split(u'.');
            for (qsizetype i = 0; i < 3 && i < numbers.size(); ++i)
                m_numbers[i] = numbers[i].toInt();
        }
    }

    OrvResult Plataforma(OrvBstr* r) override { return toOrv(m_system, r); }
    OrvResult Mayor(int32_t* r) override { return put(m_numbers[0], r); }
    OrvResult Menor(int32_t* r) override { return put(m_numbers[1], r); }
    OrvResult Compilacion(int32_t* r) override { return put(m_numbers[2], r); }
    OrvResult Version(OrvBstr* r) override
    {
        return toOrv(QStringLiteral("%1.%2.%3").arg(m_numbers[0]).arg(m_numbers[1]).arg(m_numbers[2]), r);
    }
    OrvResult DosVersion(OrvBstr* r) override
    {
        if (r)
            *r = nullptr;
        return ORV_E_NOTSUPPORTED;
    }
    OrvResult WindowsVersion(OrvBstr* r) override { return toOrv(QSysInfo::prettyProductName(), r); }

private:
    QString m_system;
    int32_t m_numbers[3] = {0, 0, 0};
};

} // namespace

OrvResult createLocalInfo(IOrvUnknown** object)
{
    return handOut(new LocalInfo, object);
}
OrvResult createCarpetas(IOrvUnknown** object)
{
    return handOut(new Carpetas, object);
}
OrvResult createConvertNum(IOrvUnknown** object)
{
    return handOut(new ConvertNum, object);
}
OrvResult createTiempos(IOrvUnknown** object)
{
    return handOut(new Tiempos, object);
}
OrvResult createWinInf(IOrvUnknown** object)
{
    return handOut(new WinInf, object);
}

} // namespace orvobjects
