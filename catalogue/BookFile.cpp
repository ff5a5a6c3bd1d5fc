#include "catalogue/BookFile.h"

#include "catalogue/Errors.h"
#include "catalogue/FileIo.h"
#include "catalogue/IniFile.h"
#include "catalogue/ProgramVersion.h"
#include "catalogue/TextCodec.h"

#include <QFileInfo>

namespace quillery {

bool IsVersion10File(const QString& path)
{
    // A file that cannot be read (a folder named like a book, one without read permission) is no
    // version 1.0 file that an upgrade could convert; reading it elsewhere reports the error.
    QByteArray bytes;
    try {
        bytes = readWholeFile(path);
    } catch (const FileError&) {
        return false;
    }
    QByteArrayView view(bytes);
    if (detectBom(view) == ByteOrderMark::Utf8)
        view = view.sliced(3);
    const IniFile ini = IniFile::parse(QString::fromLatin1(view));
    if (!ini.contains(SectionFileInformation, KeyProgramVersion))
        return false;
    return ini.readString(SectionFileInformation, KeyProgramVersion).startsWith(u"1.0");
}

bool UpgradeBookFile(const QString& path, const QString& version)
{
    const QByteArray bytes = readWholeFile(path);
    QString text;
    const ByteOrderMark bom = detectBom(bytes);
    if (bom == ByteOrderMark::None)
        text = decodeLegacy(bytes);
    else
        text = decodeText(bytes);
    const QList<QStringView> lines = splitLines(text);

    const QStringView key(KeyProgramVersion);
    qsizetype versionLine = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype eq = lines[i].indexOf(u'=');
        if (eq >= 0 && lines[i].first(eq).compare(key, Qt::CaseInsensitive) == 0) {
            versionLine = i;
            break;
        }
    }
    if (versionLine < 0)
        return false;
    const QStringView value = lines[versionLine].sliced(lines[versionLine].indexOf(u'=') + 1);
    if (!value.startsWith(u"1.0"))
        return false;

    QString out;
    out.reserve(text.size() + lines.size() + 16);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i == versionLine) {
            out += key;
            out += u'=';
            out += version;
        } else {
            out += lines[i];
        }
        out += u"\r\n";
    }
    writeWholeFile(path, utf8Bom() + out.toUtf8());
    return true;
}

bool UpgradeBookFile(const QString& path)
{
    return UpgradeBookFile(path, programVersionString());
}

QString bookIdFromPath(const QString& path)
{
    return QFileInfo(path).completeBaseName();
}

BookRecord bookFieldsFromIni(const IniFile& ini)
{
    BookRecord record;
    for (const FieldDef& def : FieldTable::rows()) {
        if (def.field == Field::Translation)
            record.setTranslation(ini.readBool(def.section, def.key, false));
        else
            record[def.field] = ini.readString(def.section, def.key);
    }
    return record;
}

BookRecord ReadBookRecord(const QString& path)
{
    // A book that does not exist (any more) reads as an empty book, as a missing file reads
    // everywhere in the dialect.
    BookRecord record = bookFieldsFromIni(IniFile::load(path));
    record[Field::ID] = bookIdFromPath(path);
    return record;
}

QString lastWrittenText(const QDateTime& when, const QLocale& locale)
{
    QString text = locale.toString(when.date(), QLocale::ShortFormat);
    if (when.time() != QTime(0, 0)) {
        text += u' ';
        text += locale.toString(when.time(), QLocale::LongFormat);
    }
    return text;
}

void writeBookFile(const QString& path, const BookRecord& record, const QDateTime& when,
                   const QString& version)
{
    IniFile ini = IniFile::load(path);
    ini.writeString(SectionFileInformation, KeyCreatedBy, QString::fromUtf16(CreatedByValue));
    ini.writeString(SectionFileInformation, KeyProgramVersion, version);
    ini.writeString(SectionFileInformation, KeyLastWritten, lastWrittenText(when));
    for (const FieldDef* def : FieldTable::fileOrder()) {
        if (def->field == Field::Translation)
            ini.writeBool(def->section, def->key, record.isTranslation());
        else
            ini.writeString(def->section, def->key, record[def->field]);
    }
    ini.save(path);
}

void writeBookFile(const QString& path, const BookRecord& record)
{
    writeBookFile(path, record, QDateTime::currentDateTime(), programVersionString());
}

} // namespace quillery
