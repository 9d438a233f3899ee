#pragma once

#include "media_devices.h"
#include "status.h"

#include <QString>

#include <atomic>
#include <thread>

namespace tamsel {

// Plays a sound file once through the first output device that opens, on a
// thread of its own, so the caller never waits for the end of the sound.
class AudioPlayer
{
public:
    explicit AudioPlayer(std::vector<DeviceChoice> outputs);
    ~AudioPlayer();

    AudioPlayer(const AudioPlayer &) = delete;
    AudioPlayer &operator=(const AudioPlayer &) = delete;

    // Stops what is playing, opens the file and the device and starts
    // playing. The failure names the file or the devices tried.
    Status play(const QString &path);
    // Stops playing without waiting for the device; harmless when nothing
    // plays.
    void stop();
    bool isPlaying() const { return m_playing.load(); }
    // Waits until the sound has been played to its end (or stopped).
    void waitUntilFinished();

private:
    struct Playback;
    // Stops playing and waits until the device is let go.
    void finish();
    void run(Playback *playback);

    std::vector<DeviceChoice> m_outputs;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_playing{false};
};

} // namespace tamsel
