// The ".reg" settings file: any bytes load or are refused with an Error; what is written loads
// back to the same bytes; the application settings read from it survive a save and a reload.

#include "FuzzSupport.h"

#include "base/Errors.h"
#include "settings/AppSettings.h"
#include "settings/RegFileStore.h"

#include <QFile>

using namespace quillery;
using fuzz::check;
using fuzz::fail;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    const QString path = fuzz::scratchDir() + QStringLiteral("Quillery.reg");
    QFile::remove(path);
    RegFileStore store(path);
    try {
        store.loadBytes(fuzz::bytesOf(data, size));
    } catch (const FileError&) {
        fail("loading bytes touches no file");
    } catch (const Error& e) {
        check(!e.message().isEmpty(), "a refused file is named in a message");
        return 0;
    }

    const QByteArray written = store.toBytes();
    RegFileStore again(path);
    again.loadBytes(written);
    check(again.toBytes() == written, "a written settings file loads back the same");

    const AppSettings settings = LoadAppSettings(store);
    SaveAppSettings(store, settings);
    RegFileStore reloaded(path);
    check(LoadAppSettings(reloaded) == settings, "saved settings load back the same");
    return 0;
}
