#include "cli/Cli.h"

#include "catalogue/Catalogue.h"
#include "catalogue/Errors.h"
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
        {"lang", commandLang},
    };
    return table;
}

} // namespace

QString usageText()
{
    return QStringLiteral(
        "Usage: quillery-cli [--settings FILE] COMMAND [ARGS] [OPTIONS]\n"
        "\n"
        "Commands:\n"
        "  list DIR          the book names of the catalogue DIR in list order, then the count\n"
        "  upgrade DIR       upgrade the version 1.0 books of DIR to the current format\n"
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
