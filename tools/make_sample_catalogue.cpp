// Writes the sample catalogue under examples/catalogue with the program's own book writer.
// Usage: make-sample-catalogue OUTPUT_DIR
// The dates are fixed and the locale is the C locale, so the output is the same on every run.

#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>

#include <cstdio>

using namespace quillery;

namespace {

struct Sample {
    const char* name;
    QDateTime written;
    std::initializer_list<std::pair<Field, const char*>> fields;
    bool translation = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sample-catalogue OUTPUT_DIR\n");
        return 2;
    }
    QLocale::setDefault(QLocale::c());
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);

    const auto at = [](int y, int m, int d, int h, int min) {
        return QDateTime(QDate(y, m, d), QTime(h, min));
    };
    using enum Field;
    const Sample samples[] = {
        {"Lindqvist - Stormens hav",
         at(2026, 3, 14, 9, 30),
         {{Author, "Lindqvist, Åsa"},
          {YearWritten, "1998"},
          {Title, "Stormens hav"},
          {Subtitle, "en roman om Östersjön"},
          {Edition, "2"},
          {Publisher, "Norstedts"},
          {Printed, "Stockholm"},
          {YearPrinted, "2004-09"},
          {ISBN, "91-1-301254-1"},
          {NumPages, "412"},
          {Category, "Fiction"},
          {Binding, "Pocket"},
          {Language, "Swedish (sv)"},
          {Rating, "4"}}},
        {"Tolkien - The Fellowship of the Ring",
         at(2026, 1, 5, 20, 15),
         {{Author, "Tolkien, J. R. R."},
          {YearWritten, "1954"},
          {Title, "The Fellowship of the Ring"},
          {Subtitle, "being the first part of The Lord of the Rings"},
          {Series, "The Lord of the Rings"},
          {Position, "1"},
          {Publisher, "HarperCollins"},
          {Printed, "London"},
          {YearPrinted, "2007"},
          {ISBN, "978-0-261-10357-3"},
          {NumPages, "531"},
          {Category, "Fantasy"},
          {Binding, "Hardback"},
          {Language, "English"},
          {Comments, "Fiftieth anniversary edition.\r\nMaps by Christopher Tolkien on the "
                     "endpapers."}}},
        {"Tolkien - The Two Towers",
         at(2026, 1, 5, 20, 21),
         {{Author, "Tolkien, J. R. R."},
          {YearWritten, "1954"},
          {Title, "The Two Towers"},
          {Subtitle, "being the second part of The Lord of the Rings"},
          {Series, "The Lord of the Rings"},
          {Position, "2"},
          {Publisher, "HarperCollins"},
          {Printed, "London"},
          {YearPrinted, "2007"},
          {ISBN, "978-0-261-10358-0"},
          {NumPages, "462"},
          {Category, "Fantasy"},
          {Binding, "Hardback"},
          {Language, "English"}}},
        {"Dostoevsky - Crime and Punishment",
         at(2025, 11, 23, 16, 2),
         {{Author, "Dostoevsky, Fyodor"},
          {YearWritten, "1866"},
          {Title, "Crime and Punishment"},
          {Publisher, "Vintage Classics"},
          {Printed, "New York"},
          {YearPrinted, "1993"},
          {ISBN, "0-679-73450-3"},
          {NumPages, "565"},
          {Category, "Fiction"},
          {Binding, "Paperback"},
          {Language, "English (en)"},
          {OriginalLanguage, "Russian (ru)"},
          {Translator, "Pevear, Richard; Volokhonsky, Larissa"},
          {OriginalTitle, "Преступление и наказание"}},
         true},
        {"Kernighan - The C Programming Language",
         at(2025, 10, 2, 11, 45),
         {{Author, "Kernighan, Brian W.; Ritchie, Dennis M."},
          {YearWritten, "1988"},
          {Title, "The C Programming Language"},
          {Edition, "2"},
          {Publisher, "Prentice Hall"},
          {Printed, "Englewood Cliffs, NJ"},
          {YearPrinted, "1988"},
          {ISBN, "0-13-110362-8"},
          {NumPages, "272"},
          {Category, "Computing"},
          {Binding, "Paperback"},
          {Language, "English"},
          {Price, "$67.99"}}},
        {"World Health Organization - World Health Statistics 2023",
         at(2026, 2, 28, 8, 5),
         {{Author, "World Health Organization *"},
          {YearWritten, "2023-05-19"},
          {Title, "World Health Statistics 2023"},
          {Subtitle, "monitoring health for the SDGs, sustainable development goals"},
          {Publisher, "World Health Organization"},
          {Printed, "Geneva"},
          {YearPrinted, "2023-05"},
          {ISBN, "978-92-4-007432-3"},
          {NumPages, "119"},
          {Category, "Reference"},
          {BookType, "Report"},
          {Binding, "E-book"},
          {Language, "English (en)"}}},
        {"Müller - Straßen der Zeit",
         at(2026, 4, 2, 0, 0),
         {{Author, "Müller, Jürgen; Weiß, Käthe"},
          {YearWritten, "2011"},
          {Title, "Straßen der Zeit"},
          {Subtitle, "Eine Geschichte der Römerstraßen"},
          {Publisher, "C. H. Beck"},
          {Printed, "München"},
          {YearPrinted, "2012"},
          {ISBN, "978-3-406-63094-1"},
          {NumPages, "336"},
          {Category, "History"},
          {Binding, "Gebunden"},
          {Language, "German (de)"},
          {Price, "24,95 €"}}},
        {"Murakami - Norwegian Wood",
         at(2025, 12, 24, 22, 10),
         {{Author, "Murakami, Haruki"},
          {YearWritten, "1987"},
          {Title, "Norwegian Wood"},
          {Publisher, "Vintage"},
          {Printed, "London"},
          {YearPrinted, "2003"},
          {ISBN, "978-0-09-944882-2"},
          {NumPages, "389"},
          {Category, "Fiction"},
          {Binding, "Softcover"},
          {Language, "English"},
          {OriginalLanguage, "Japanese (ja)"},
          {Translator, "Rubin, Jay"},
          {OriginalTitle, "ノルウェイの森"},
          {Rating, "5"}},
         true},
    };

    for (const Sample& s : samples) {
        BookRecord record;
        for (const auto& [field, value] : s.fields)
            record[field] = QString::fromUtf8(value);
        record.setTranslation(s.translation);
        const QString path = bookFilePath(dir, QString::fromUtf8(s.name));
        QFile::remove(path);
        writeBookFile(path, record, s.written, QStringLiteral("1.2.0.0"));
    }
    std::printf("%d books written to %s\n", int(std::size(samples)), argv[1]);
    return 0;
}
