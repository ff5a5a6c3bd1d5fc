// Writes the program's icon files from the drawn icon: the hicolor PNGs the desktop installs and
// the .ico that Windows builds embed. Usage: make-icons OUTPUT_DIR
// OUTPUT_DIR receives hicolor/NxN/apps/quillery.png and quillery.ico.

#include "ui/ProgramIcon.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

QByteArray png(int size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    quillery::ui::programIconImage(size).save(&buffer, "PNG");
    return bytes;
}

void put16(QByteArray& out, int v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void put32(QByteArray& out, qint64 v)
{
    put16(out, int(v & 0xFFFF));
    put16(out, int((v >> 16) & 0xFFFF));
}

// An icon file whose images are PNG streams, as every Windows since Vista reads them.
QByteArray ico(const QList<int>& sizes)
{
    QList<QByteArray> images;
    for (int size : sizes)
        images.append(png(size));
    QByteArray out;
    put16(out, 0);
    put16(out, 1);
    put16(out, int(sizes.size()));
    qint64 offset = 6 + 16 * sizes.size();
    for (int i = 0; i < sizes.size(); ++i) {
        out.append(char(sizes[i] >= 256 ? 0 : sizes[i]));
        out.append(char(sizes[i] >= 256 ? 0 : sizes[i]));
        out.append(char(0)); // no palette
        out.append(char(0));
        put16(out, 1);  // planes
        put16(out, 32); // bits per pixel
        put32(out, images[i].size());
        put32(out, offset);
        offset += images[i].size();
    }
    for (const QByteArray& image : images)
        out.append(image);
    return out;
}

bool write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(path.left(path.lastIndexOf(u'/')));
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-icons OUTPUT_DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString path =
            QStringLiteral("%1/hicolor/%2x%2/apps/quillery.png").arg(dir).arg(size);
        if (!write(path, png(size)))
            return 1;
    }
    if (!write(dir + QStringLiteral("/quillery.ico"), ico({16, 24, 32, 48, 256})))
        return 1;
    std::printf("icons written to %s\n", argv[1]);
    return 0;
}
