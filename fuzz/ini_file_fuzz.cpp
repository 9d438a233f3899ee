// libFuzzer target: any bytes as an INI file must parse, answer look-ups and
// take a write without crashing, and what was written must read back.
#include "ini_file.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    tamsel::IniFile file = tamsel::IniFile::fromBytes(bytes);
    (void)file.value(QStringLiteral("set"), QStringLiteral("num1"));
    (void)file.text(QStringLiteral("wenti1"), QStringLiteral("wenti1"));
    (void)file.hasSection(QStringLiteral("fenye"));

    file.setValue(QStringLiteral("set"), QStringLiteral("num1"), "2013");
    const tamsel::IniFile again = tamsel::IniFile::fromBytes(file.toBytes());
    if (again.value(QStringLiteral("set"), QStringLiteral("num1")) != "2013")
        __builtin_trap();
    return 0;
}
