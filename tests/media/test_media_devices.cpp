// Which devices the settings file's "shebei" keys choose.
#include "ini_file.h"
#include "media_devices.h"

#include <gtest/gtest.h>

namespace tamsel::test {
namespace {

std::string listed(const std::vector<DeviceChoice> &choices)
{
    std::string text;
    for (const DeviceChoice &c : choices)
        text += (text.empty() ? "" : ", ") + (c.format + QLatin1Char(' ') + c.device).toStdString();
    return text;
}

TEST(MediaDevices, KeysOverrideTheDefaults)
{
    const struct { const char *settings; const char *input, *output, *camera; } rows[] = {
        {"", "pulse default, alsa default", "pulse default, alsa default", "v4l2 /dev/video0"},
        {"[shebei]\nluyin_shebei=hw:1\nshexiang_shebei=/dev/video2\n",
         "pulse hw:1, alsa hw:1", "pulse default, alsa default", "v4l2 /dev/video2"},
        {"[SheBei]\nLUYIN_GESHI=alsa\nbofang_geshi=\"pulse\"\nbofang_shebei=usb_headset\n",
         "alsa default", "pulse usb_headset", "v4l2 /dev/video0"},
        {"[shebei]\nshexiang_geshi=lavfi\nshexiang_shebei=testsrc=size=320x240:rate=10\n",
         "pulse default, alsa default", "pulse default, alsa default", "lavfi testsrc=size=320x240:rate=10"},
    };
    for (const auto &row : rows) {
        const MediaDevices d = MediaDevices::fromSettingsFile(IniFile::fromBytes(row.settings));
        EXPECT_EQ(listed(d.audioInput), row.input) << row.settings;
        EXPECT_EQ(listed(d.audioOutput), row.output) << row.settings;
        EXPECT_EQ(listed(d.camera), row.camera) << row.settings;
    }
}

} // namespace
} // namespace tamsel::test
