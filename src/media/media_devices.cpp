#include "media_devices.h"

#include "ini_file.h"
#include "run_directory.h"

#include <QStringList>

namespace tamsel {

namespace {

const QString Section = QStringLiteral("shebei");

// The formats tried in order when the settings name none, and the device
// each format calls its default one.
const QStringList SoundFormats = {QStringLiteral("pulse"), QStringLiteral("alsa")};
const QStringList CameraFormats = {QStringLiteral("v4l2")};

QString defaultDevice(const QString &format)
{
    if (format == QLatin1String("v4l2") || format == QLatin1String("video4linux2"))
        return QStringLiteral("/dev/video0");
    return QStringLiteral("default");
}

std::vector<DeviceChoice> choices(const IniFile &settings, const QString &formatKey,
                                  const QString &deviceKey, const QStringList &defaultFormats)
{
    const QString format = settings.text(Section, formatKey);
    const QString device = settings.text(Section, deviceKey);
    std::vector<DeviceChoice> result;
    const QStringList formats = format.isEmpty() ? defaultFormats : QStringList{format};
    for (const QString &f : formats)
        result.push_back({f, device.isEmpty() ? defaultDevice(f) : device});
    return result;
}

} // namespace

MediaDevices MediaDevices::defaults()
{
    return fromSettingsFile(IniFile());
}

MediaDevices MediaDevices::fromSettings(const RunDirectory &runDirectory)
{
    return fromSettingsFile(IniFile::load(runDirectory.settingsFile()));
}

MediaDevices MediaDevices::fromSettingsFile(const IniFile &settings)
{
    MediaDevices devices;
    devices.audioInput = choices(settings, QStringLiteral("luyin_geshi"),
                                 QStringLiteral("luyin_shebei"), SoundFormats);
    devices.audioOutput = choices(settings, QStringLiteral("bofang_geshi"),
                                  QStringLiteral("bofang_shebei"), SoundFormats);
    devices.camera = choices(settings, QStringLiteral("shexiang_geshi"),
                             QStringLiteral("shexiang_shebei"), CameraFormats);
    return devices;
}

} // namespace tamsel
