// Builds the program's table of Unicode character names (resources/data/UCNAMES.txt) from the
// Unicode Character Database: UnicodeData.txt for the names and DerivedAge.txt for the version
// each code point was assigned in. Only names that existed in Unicode 5.1 are listed, so the table
// stays the same whatever newer database the build machine carries.
//
// Usage: make-ucnames [--unicode-dir DIR] (-o FILE | --compare FILE)
//   DIR defaults to /usr/share/unicode (Debian's unicode-data package). With --compare the table is
//   built in memory and compared byte for byte with FILE. Exit status: 0 done (or equal), 1 failure
//   or difference, 2 usage error, 77 the database files are not there.
//
// The table: one line "XXXX=NAME" per Basic Multilingual Plane code point, ascending, ASCII, every
// line ended by CR LF. Departures from the plain character names:
//   - the controls are "<control>", except five that carry a readable name;
//   - the noncharacters are "<not a character>";
//   - 31 code points that Unicode 5.1 left unassigned are listed as "<reserved>";
//   - the ranges whose names are formed by rule (CJK unified ideographs, Hangul syllables) and the
//     surrogates and private-use characters are not listed.

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int LastVersionMajor = 5;
constexpr int LastVersionMinor = 1;
constexpr int SkipExitCode = 77;

struct Fixed {
    std::uint32_t code;
    const char* name;
};

// The five controls with a name of their own.
constexpr std::array<Fixed, 5> NamedControls = {{
    {0x0008, "Backspace"},
    {0x0009, "Character Tabulation (HT)"},
    {0x000A, "Line feed (LF)"},
    {0x000D, "Carriage return (CR)"},
    {0x001B, "Escape"},
}};

// Unassigned in 5.1, yet listed so that the settings dialog names them.
constexpr std::array<std::uint32_t, 31> Reserved = {
    0x09E4, 0x09E5, 0x0A64, 0x0A65, 0x0AE4, 0x0AE5, 0x0B64, 0x0B65, 0x0BE4, 0x0BE5, 0x0C64,
    0x0C65, 0x0CE4, 0x0CE5, 0x0D64, 0x0D65, 0x2072, 0x2073, 0x2705, 0x270A, 0x270B, 0x2728,
    0x274C, 0x274E, 0x2753, 0x2754, 0x2755, 0x2757, 0x2795, 0x2796, 0x2797,
};

std::string trim(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r");
    return std::string(s.substr(first, last - first + 1));
}

std::vector<std::string> splitFields(const std::string& line)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ';'))
        fields.push_back(field);
    return fields;
}

std::optional<std::uint32_t> parseHex(std::string_view s)
{
    if (s.empty() || s.size() > 6)
        return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : s) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

// True when a "major.minor" age is 5.1 or earlier.
bool ageInRange(const std::string& age)
{
    const auto dot = age.find('.');
    if (dot == std::string::npos)
        return false;
    const int major = std::stoi(age.substr(0, dot));
    const int minor = std::stoi(age.substr(dot + 1));
    return major < LastVersionMajor || (major == LastVersionMajor && minor <= LastVersionMinor);
}

// The BMP code points assigned in 5.1 or earlier, from DerivedAge.txt.
std::vector<bool> readAges(std::istream& in)
{
    std::vector<bool> old(0x10000, false);
    std::string line;
    while (std::getline(in, line)) {
        const auto hash = line.find('#');
        const std::string content = trim(std::string_view(line).substr(0, hash));
        if (content.empty())
            continue;
        const auto semi = content.find(';');
        if (semi == std::string::npos)
            throw std::runtime_error("bad DerivedAge line: " + line);
        const std::string range = trim(std::string_view(content).substr(0, semi));
        const std::string age = trim(std::string_view(content).substr(semi + 1));
        const auto dots = range.find("..");
        const auto first = parseHex(range.substr(0, dots));
        const auto last = dots == std::string::npos ? first : parseHex(range.substr(dots + 2));
        if (!first || !last)
            throw std::runtime_error("bad DerivedAge range: " + line);
        if (!ageInRange(age))
            continue;
        for (std::uint32_t c = *first; c <= *last && c <= 0xFFFF; ++c)
            old[c] = true;
    }
    return old;
}

bool isNoncharacter(std::uint32_t c)
{
    return (c >= 0xFDD0 && c <= 0xFDEF) || c == 0xFFFE || c == 0xFFFF;
}

std::map<std::uint32_t, std::string> buildTable(std::istream& unicodeData, std::istream& ages)
{
    const std::vector<bool> old = readAges(ages);
    std::map<std::uint32_t, std::string> names;
    std::string line;
    while (std::getline(unicodeData, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const std::vector<std::string> fields = splitFields(line);
        if (fields.size() < 2)
            throw std::runtime_error("bad UnicodeData line: " + line);
        const auto code = parseHex(fields[0]);
        if (!code)
            throw std::runtime_error("bad UnicodeData code: " + line);
        if (*code > 0xFFFF || !old[*code])
            continue;
        const std::string& name = fields[1];
        // Ranges ("<CJK Ideograph, First>", surrogates, private use) have no names of their own.
        if (name.starts_with('<') && name != "<control>")
            continue;
        names[*code] = name;
    }
    for (const Fixed& f : NamedControls)
        names[f.code] = f.name;
    for (std::uint32_t c = 0xFDD0; c <= 0xFFFF; ++c) {
        if (isNoncharacter(c))
            names[c] = "<not a character>";
    }
    for (const std::uint32_t c : Reserved) {
        if (names.contains(c))
            throw std::runtime_error("a reserved code point has a 5.1 name");
        names[c] = "<reserved>";
    }
    return names;
}

std::string render(const std::map<std::uint32_t, std::string>& names)
{
    std::string out;
    char key[8];
    for (const auto& [code, name] : names) {
        std::snprintf(key, sizeof key, "%04X", static_cast<unsigned>(code));
        out += key;
        out += '=';
        out += name;
        out += "\r\n";
    }
    return out;
}

int usage()
{
    std::cerr << "usage: make-ucnames [--unicode-dir DIR] (-o FILE | --compare FILE)\n";
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    std::string dir = "/usr/share/unicode";
    std::string output;
    std::string compare;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (i + 1 >= argc)
            return usage();
        if (a == "--unicode-dir")
            dir = argv[++i];
        else if (a == "-o")
            output = argv[++i];
        else if (a == "--compare")
            compare = argv[++i];
        else
            return usage();
    }
    if (output.empty() == compare.empty())
        return usage();

    std::ifstream unicodeData(dir + "/UnicodeData.txt", std::ios::binary);
    std::ifstream ages(dir + "/DerivedAge.txt", std::ios::binary);
    if (!unicodeData || !ages) {
        std::cout << "make-ucnames: UnicodeData.txt or DerivedAge.txt not found in " << dir
                  << " (install Debian's unicode-data package); skipped\n";
        return SkipExitCode;
    }
    std::string table;
    try {
        const auto names = buildTable(unicodeData, ages);
        table = render(names);
        std::cout << "make-ucnames: " << names.size() << " names\n";
    } catch (const std::exception& e) {
        std::cerr << "make-ucnames: " << e.what() << '\n';
        return 1;
    }

    if (!compare.empty()) {
        std::ifstream in(compare, std::ios::binary);
        std::stringstream committed;
        committed << in.rdbuf();
        if (!in || committed.str() != table) {
            std::cerr << "make-ucnames: " << compare << " differs from the generated table\n";
            return 1;
        }
        return 0;
    }
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out << table;
    out.close();
    if (!out) {
        std::cerr << "make-ucnames: cannot write " << output << '\n';
        return 1;
    }
    return 0;
}
