#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace quillery::fuzz {

// Process-wide set-up every target shares: the C locale, test-mode standard paths, and a private
// scratch folder for targets that need real files.
void setUp();

// The scratch folder (created on first use, removed at exit), with a trailing separator.
const QString& scratchDir();

inline QByteArray bytesOf(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Writes bytes to a file, aborting the run when that fails: a scratch file that cannot be
// written is a broken harness, not a finding.
void writeScratch(const QString& path, const QByteArray& bytes);
QByteArray readScratch(const QString& path);

// Stops the run with a message: a property of the code under test did not hold.
[[noreturn]] inline void fail(const char* what)
{
    std::fprintf(stderr, "fuzz property failed: %s\n", what);
    std::abort();
}

inline void check(bool condition, const char* what)
{
    if (!condition)
        fail(what);
}

} // namespace quillery::fuzz
