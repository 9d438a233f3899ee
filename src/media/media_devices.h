#pragma once

#include <QString>

#include <vector>

namespace tamsel {

class IniFile;
class RunDirectory;

// One way to reach a sound or picture device through the FFmpeg device
// libraries: the device format ("pulse", "alsa", "v4l2", "lavfi", or for
// playback any output format such as "wav") and the device name in that
// format ("default", "/dev/video0", a lavfi graph such as "sine=f=440").
struct DeviceChoice
{
    QString format;
    QString device;
};

// The devices of the recorder, the player and the video capture. Each list
// is tried in order and the first device that opens is used.
//
// The settings file may name them in the section "shebei"; every key is
// optional and a missing or empty key keeps its default (values are read
// whole, so a comment goes on a line of its own):
//
//   [shebei]
//   ; sound input of the recorder and of the video capture:
//   ; format (default "pulse", then "alsa") and device (default "default")
//   luyin_geshi=pulse
//   luyin_shebei=default
//   ; sound output of the player, with the same defaults
//   bofang_geshi=pulse
//   bofang_shebei=default
//   ; camera of the video capture: format (default "v4l2") and device
//   ; (default "/dev/video0")
//   shexiang_geshi=v4l2
//   shexiang_shebei=/dev/video0
//
// A device named without its format is tried with each default format; a
// format named without a device uses that format's default device. With the
// format "lavfi" the device is a source graph, which is paced to real time:
// "sine=frequency=440:sample_rate=8000" stands in for a microphone and
// "testsrc=size=320x240:rate=10" for a camera.
struct MediaDevices
{
    std::vector<DeviceChoice> audioInput;
    std::vector<DeviceChoice> audioOutput;
    std::vector<DeviceChoice> camera;

    // The defaults above.
    static MediaDevices defaults();
    // The defaults, overridden by the keys of the run directory's settings
    // file; a missing settings file gives the defaults.
    static MediaDevices fromSettings(const RunDirectory &runDirectory);
    static MediaDevices fromSettingsFile(const IniFile &settings);
};

} // namespace tamsel
