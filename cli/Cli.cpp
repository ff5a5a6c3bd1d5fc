#include "cli/Cli.h"

#include "catalogue/Catalogue.h"
#include "catalogue/Errors.h"
#include "settings/RegFileStore.h"
#include "settings/SettingsStore.h"
#include "settings/UnicodeNames.h"
#include "markup/LanguageRegistry.h"

#include <QDir>
#include <QFileInfo>

#include <functional>

namespace quillery::cli {

namespace {

// A usage error: the message goes to stderr, followed by the usage text.
struct UsageFailure {
    QString message;
};

struct Invocation {
    QString settingsFile;
    QStringList positional;
};

QByteArray lines(const QStringList& texts)
{
    QByteArray out;
    for (const QString& t : texts) {
        out += t.toUtf8();
        out += '\n';
    }
    return out;
}

QString catalogueDirectory(const QString& argument)
{
    if (!QFileInfo(argument).isDir())
        throw Error(QStringLiteral("There is no directory with the specified path"));
    return withTrailingSeparator(argument);
}

void requireCount(const Invocation& inv, qsizetype count, const char* command)
{
    if (inv.positional.size() != count)
        throw UsageFailure{QStringLiteral("wrong number of arguments for '%1'")
                               .arg(QLatin1StringView(command))};
}

QByteArray commandList(const Invocation& inv)
{
    requireCount(inv, 2, "list");
    const QString dir = catalogueDirectory(inv.positional[1]);
    QStringList names = listBookNames(dir);
    const qsizetype count = names.size();
    names.append(bookCountText(count));
    return lines(names);
}

QByteArray commandUpgrade(const Invocation& inv)
{
    requireCount(inv, 2, "upgrade");
    const QString dir = catalogueDirectory(inv.positional[1]);
    return lines({booksUpgradedText(upgradeCatalogue(dir, listBookNames(dir)))});
}

// The settings for commands that format: --settings FILE, else the user's store.
[[maybe_unused]] AppSettings loadSettings(const Invocation& inv)
{
    return cli::loadSettings(inv.settingsFile);
}

// A code point in hexadecimal, with or without "U+"; codes too long for any plane read as
// beyond the table.
int parseCodePoint(QString text)
{
    if (text.startsWith(u"U+", Qt::CaseInsensitive))
        text.remove(0, 2);
    bool ok = !text.isEmpty();
    for (const QChar c : text)
        ok = ok &&
             ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'));
    if (!ok)
        throw UsageFailure{QStringLiteral("'%1' is not a hexadecimal code point").arg(text)};
    while (text.size() > 1 && text.front() == u'0')
        text.remove(0, 1);
    return text.size() > 6 ? 0x110000 : text.toInt(nullptr, 16);
}

QByteArray commandUcname(const Invocation& inv)
{
    requireCount(inv, 2, "ucname");
    return lines({UnicodeCharName(parseCodePoint(inv.positional[1]))});
}

QByteArray commandLang(const Invocation& inv)
{
    requireCount(inv, 2, "lang");
    const std::optional<QString> tag = LanguageTagOf(inv.positional[1]);
    if (!tag)
        throw Error(QStringLiteral("\"%1\" gives no BCP 47 language tag").arg(inv.positional[1]));
    return lines({*tag});
}

struct Command {
    const char* name;
    std::function<QByteArray(const Invocation&)> handler;
};

const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"list", commandList},
        {"upgrade", commandUpgrade},
        {"ucname", commandUcname},
        {"lang", commandLang},
    };
    return table;
}

} // namespace

AppSettings loadSettings(const QString& settingsFile)
{
    if (!settingsFile.isEmpty()) {
        RegFileStore store(settingsFile);
        return LoadAppSettings(store);
    }
    const std::unique_ptr<SettingsStore> store = openUserSettingsStore();
    return LoadAppSettings(*store);
}

QString usageText()
{
    return QStringLiteral(
        "Usage: quillery-cli [--settings FILE] COMMAND [ARGS] [OPTIONS]\n"
        "\n"
        "Commands:\n"
        "  list DIR          the book names of the catalogue DIR in list order, then the count\n"
        "  upgrade DIR       upgrade the version 1.0 books of DIR to the current format\n"
        "  ucname HEX        the Unicode name of the code point HEX (an empty line when none)\n"
        "  lang TEXT         the BCP 47 language tag that the language text TEXT gives\n"
        "\n"
        "Options:\n"
        "  --settings FILE   read the application settings from FILE (a registry export file)\n"
        "  -h, --help        show this text\n"
        "\n"
        "Exit status: 0 success, 1 the operation failed (the message on stderr), 2 usage error.\n");
}

int run(const QStringList& arguments, QByteArray& out, QByteArray& err)
{
    out.clear();
    err.clear();
    try {
        Invocation inv;
        for (qsizetype i = 0; i < arguments.size(); ++i) {
            const QString& a = arguments[i];
            if (a == u"-h" || a == u"--help") {
                out = usageText().toUtf8();
                return Success;
            }
            if (a == u"--settings" && inv.positional.isEmpty()) {
                if (++i >= arguments.size())
                    throw UsageFailure{QStringLiteral("--settings needs a file")};
                inv.settingsFile = arguments[i];
                continue;
            }
            inv.positional.append(a);
        }
        if (inv.positional.isEmpty())
            throw UsageFailure{QStringLiteral("no command given")};
        for (const Command& c : commands()) {
            if (inv.positional.front() == QLatin1StringView(c.name)) {
                out = c.handler(inv);
                return Success;
            }
        }
        throw UsageFailure{QStringLiteral("unknown command '%1'").arg(inv.positional.front())};
    } catch (const UsageFailure& failure) {
        out.clear();
        err = (QStringLiteral("quillery-cli: ") + failure.message + u"\n\n" + usageText())
                  .toUtf8();
        return UsageError;
    } catch (const Error& error) {
        out.clear();
        err = error.message().toUtf8() + '\n';
        return Failure;
    }
}

} // namespace quillery::cli
