#pragma once

#include <QByteArray>
#include <QString>

#include <stdexcept>

namespace quillery::tools {

// A package file that is not what the generator expects.
class GeneratorError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The "LANGS" table in record-jar form from the registry package's JSON: data/json/meta.json
// (its "File-Date") and data/json/registry.json (the records in file order). Fields keep the
// order of each JSON record; a list value gives one line per entry; every value stays on one
// line, however long. Lines end in CR LF; "%%" lines separate the header and the records.
QByteArray generateLangs(const QByteArray& registryJson, const QByteArray& metaJson);

// generateLangs on the files of the package folder (the one holding data/json/).
QByteArray generateLangsFromPackage(const QString& packageDir);

} // namespace quillery::tools
