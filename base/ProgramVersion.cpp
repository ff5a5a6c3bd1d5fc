#include "base/ProgramVersion.h"

#include "QuilleryVersion.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdint>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace quillery {

namespace {

#ifndef Q_OS_WIN
// The version record embedded in every executable that links the core: a 16-byte signature,
// then the four 16-bit numbers, most significant byte first. The reader searches the file for
// the signature held in this very object, so the signature exists once in the file.
struct VersionRecord {
    unsigned char signature[16];
    unsigned char version[8];
};

[[gnu::used]] const VersionRecord kVersionRecord = {
    {0x7F, 'Q', 'u', 'i', 'l', 'l', 'e', 'r', 'y', 'V', 'e', 'r', 's', 0x00, 0x01, 0xFE},
    {(QUILLERY_VERSION_MAJOR >> 8) & 0xFF, QUILLERY_VERSION_MAJOR & 0xFF,
     (QUILLERY_VERSION_MINOR >> 8) & 0xFF, QUILLERY_VERSION_MINOR & 0xFF,
     (QUILLERY_VERSION_PATCH >> 8) & 0xFF, QUILLERY_VERSION_PATCH & 0xFF,
     (QUILLERY_VERSION_TWEAK >> 8) & 0xFF, QUILLERY_VERSION_TWEAK & 0xFF}};
#endif

QString joinVersion(unsigned a, unsigned b, unsigned c, unsigned d)
{
    return QStringLiteral("%1.%2.%3.%4").arg(a).arg(b).arg(c).arg(d);
}

} // namespace

QString GetFileVersionString(const QString& executablePath)
{
    const QString zero = QStringLiteral("0.0.0.0");
#ifdef Q_OS_WIN
    const std::wstring path = executablePath.toStdWString();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size == 0)
        return zero;
    std::string data(size, '\0');
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data()))
        return zero;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
        length < sizeof(VS_FIXEDFILEINFO))
        return zero;
    return joinVersion(HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                       HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
#else
    QFile file(executablePath);
    if (!file.open(QIODevice::ReadOnly) || QFileInfo(executablePath).isDir())
        return zero;
    QByteArray copy;
    const uchar* data = nullptr;
    qint64 size = file.size();
    if (size > 0)
        data = file.map(0, size);
    if (!data) {
        copy = file.readAll();
        data = reinterpret_cast<const uchar*>(copy.constData());
        size = copy.size();
    }
    const unsigned char* const begin = data;
    const unsigned char* const end = data + size;
    const auto* const sig = kVersionRecord.signature;
    const auto* const found = std::search(begin, end, sig, sig + sizeof kVersionRecord.signature);
    if (found == end || end - found < qint64(sizeof(VersionRecord)))
        return zero;
    const unsigned char* v = found + sizeof kVersionRecord.signature;
    return joinVersion((v[0] << 8) | v[1], (v[2] << 8) | v[3], (v[4] << 8) | v[5],
                       (v[6] << 8) | v[7]);
#endif
}

QString runningExecutablePath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
#ifdef Q_OS_LINUX
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
#else
    return {};
#endif
}

QString programVersionString()
{
    static const QString version = GetFileVersionString(runningExecutablePath());
    return version;
}

} // namespace quillery
