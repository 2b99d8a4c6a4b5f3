// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The interfaces of the objects OrvLibCls hands out through IOrvUnknown pointers
// (LocalInf, Folders, tmp, WinI, Cvt). Ask the pointer for the interface with QueryInterface.
// Same conventions as OrvCom.h: results through the last parameter, strings OrvBstr.

#include "OrvCom.h"

extern "C" {

// {1A6BDA90-6CCE-11DB-AF2A-000EA66644EB}
static const OrvGuid IID_IOrvLocalInfo = {
    0x1A6BDA90, 0x6CCE, 0x11DB, {0xAF, 0x2A, 0x00, 0x0E, 0xA6, 0x66, 0x44, 0xEB}};
// {1A6BDA91-6CCE-11DB-AF2A-000EA66644EB}
static const OrvGuid IID_IOrvConvertNum = {
    0x1A6BDA91, 0x6CCE, 0x11DB, {0xAF, 0x2A, 0x00, 0x0E, 0xA6, 0x66, 0x44, 0xEB}};
// {1A6BDA92-6CCE-11DB-AF2A-000EA66644EB}
static const OrvGuid IID_IOrvTiempos = {
    0x1A6BDA92, 0x6CCE, 0x11DB, {0xAF, 0x2A, 0x00, 0x0E, 0xA6, 0x66, 0x44, 0xEB}};
// {1A6BDA93-6CCE-11DB-AF2A-000EA66644EB}
static const OrvGuid IID_IOrvWinInf = {
    0x1A6BDA93, 0x6CCE, 0x11DB, {0xAF, 0x2A, 0x00, 0x0E, 0xA6, 0x66, 0x44, 0xEB}};

// {1A6BDA94-6CCE-11DB-AF2A-000EA66644EB}
static const OrvGuid IID_IOrvCarpetas = {
    0x1A6BDA94, 0x6CCE, 0x11DB, {0xAF, 0x2A, 0x00, 0x0E, 0xA6, 0x66, 0x44, 0xEB}};

// Special folders for Carpetas::Path, numbered as on the original platform.
enum OrvCarpeta : int32_t
{
    CARPETA_DESKTOP = 0,
    CARPETA_PROGRAMS = 2,
    CARPETA_PERSONAL = 5,
    CARPETA_STARTUP = 7,
    CARPETA_MYMUSIC = 13,
    CARPETA_MYVIDEO = 14,
    CARPETA_DESKTOPDIRECTORY = 16,
    CARPETA_FONTS = 20,
    CARPETA_APPDATA = 26,
    CARPETA_LOCAL_APPDATA = 28,
    CARPETA_INTERNET_CACHE = 32,
    CARPETA_MYPICTURES = 39,
    CARPETA_PROFILE = 40,
};

// LocalInfo: the user's regional settings (from the process locale), each as text.
struct IOrvLocalInfo : IOrvUnknown
{
    virtual OrvResult MonCurrency(OrvBstr* result) = 0;
    virtual OrvResult MonDecimalSep(OrvBstr* result) = 0;
    virtual OrvResult MonThousandSep(OrvBstr* result) = 0;
    virtual OrvResult MonGroup(OrvBstr* result) = 0;
    virtual OrvResult MonCurrNumDigits(OrvBstr* result) = 0;
    virtual OrvResult SepDate(OrvBstr* result) = 0;
    virtual OrvResult SepTime(OrvBstr* result) = 0;
    virtual OrvResult StrShortDate(OrvBstr* result) = 0;
    virtual OrvResult StrLongDate(OrvBstr* result) = 0;
    virtual OrvResult StrTimeFormat(OrvBstr* result) = 0;
    virtual OrvResult StrAMFormat(OrvBstr* result) = 0;
    virtual OrvResult StrPMFormat(OrvBstr* result) = 0;
    virtual OrvResult SepDec(OrvBstr* result) = 0;
    virtual OrvResult SepThousand(OrvBstr* result) = 0;
    virtual OrvResult GroupDigit(OrvBstr* result) = 0;
    virtual OrvResult FracDigit(OrvBstr* result) = 0;
    virtual OrvResult DecZeroDigit(OrvBstr* result) = 0;
    virtual OrvResult IdLang(OrvBstr* result) = 0;
    virtual OrvResult NativeLang(OrvBstr* result) = 0;
    virtual OrvResult CountryCode(OrvBstr* result) = 0;
    virtual OrvResult CountryNameShort(OrvBstr* result) = 0;
    virtual OrvResult CountryName(OrvBstr* result) = 0;
    virtual OrvResult DefaultCodePage(OrvBstr* result) = 0;
    virtual OrvResult SepList(OrvBstr* result) = 0;
    virtual OrvResult Measure(OrvBstr* result) = 0;
};

// Carpetas: the path of a special folder (without a final separator); a folder the desktop
// has no counterpart of gives ORV_E_NOTSUPPORTED, as does About (a window).
struct IOrvCarpetas : IOrvUnknown
{
    virtual OrvResult Path(int32_t folder, OrvBstr* result) = 0;
    virtual OrvResult About() = 0;
};

// clsConvertNum: bit, byte and number-base conversions. Bytes are numbered from the low one
// (index 0); "Curr" members work on 64-bit integers.
struct IOrvConvertNum : IOrvUnknown
{
    // binary digits without leading zeros ("0" for 0); a negative value gives all 32 bits
    virtual OrvResult LongToBin(int32_t value, OrvBstr* result) = 0;
    virtual OrvResult LongToByte(int32_t value, int32_t index, uint8_t* result) = 0;
    virtual OrvResult WordToByte(int16_t value, int32_t index, uint8_t* result) = 0;
    virtual OrvResult ByteToWord(uint8_t low, uint8_t high, int16_t* result) = 0;
    virtual OrvResult ByteToLong(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3, int32_t* result) = 0;
    // exchanges the two 16-bit halves
    virtual OrvResult SwapWord(int32_t value, int32_t* result) = 0;
    // exchanges the two bytes
    virtual OrvResult SwapByte(int16_t value, int16_t* result) = 0;
    virtual OrvResult IntToUnsignedLong(int16_t value, int32_t* result) = 0;
    virtual OrvResult TestBit(int32_t value, int32_t bit, OrvBool* result) = 0;
    virtual OrvResult CurrHex(int64_t value, OrvBstr* result) = 0;
    virtual OrvResult CurrBin(int64_t value, OrvBstr* result) = 0;
    // the value of hexadecimal text (an optional "&H" or "0x" in front)
    virtual OrvResult CurrVal(const char16_t* hex, int64_t* result) = 0;
    virtual OrvResult CurrMod(int64_t value, int64_t divisor, int64_t* result) = 0;
    // hexadecimal text to binary digits, four per hexadecimal digit
    virtual OrvResult HexToBin(const char16_t* hex, OrvBstr* result) = 0;
};

// clsTiempos: time spans; times are "hh:mm:ss" texts (or "hh:mm").
struct IOrvTiempos : IOrvUnknown
{
    // seconds from start to end; an end before the start is on the next day
    virtual OrvResult Lapso(const char16_t* start, const char16_t* end, int32_t* seconds) = 0;
    virtual OrvResult LapsoToHs(const char16_t* start, const char16_t* end, OrvBstr* result) = 0;
    virtual OrvResult Horas2Seg(const char16_t* hms, int32_t* seconds) = 0;
    // hours grow past 24 for spans of more than a day
    virtual OrvResult Seg2Horas(int32_t seconds, OrvBstr* result) = 0;
};

// WinInf: the operating system's name and version (on Linux, the kernel's).
struct IOrvWinInf : IOrvUnknown
{
    virtual OrvResult Plataforma(OrvBstr* result) = 0;
    virtual OrvResult Mayor(int32_t* result) = 0;
    virtual OrvResult Menor(int32_t* result) = 0;
    virtual OrvResult Compilacion(int32_t* result) = 0;
    virtual OrvResult Version(OrvBstr* result) = 0;
    virtual OrvResult DosVersion(OrvBstr* result) = 0;
    virtual OrvResult WindowsVersion(OrvBstr* result) = 0;
};

} // extern "C"
