#pragma once
// Plays the samples the graphs' sound is made of (views/sound.h) on the
// default sound device through Qt Multimedia. Without a device it plays
// nothing and says so by returning false; nothing fails.

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

class QAudioSink;
class QBuffer;

namespace viramont {

class SoundPlayer : public QObject {
public:
    explicit SoundPlayer(QObject* parent);
    ~SoundPlayer() override;

    // Stops what plays and plays `samples` (stereo, interleaved, at
    // view::kSampleRate); `ended` is called when they have played out.
    // False, and nothing played, when there is no sound device.
    bool play(const std::vector<float>& samples, std::function<void()> ended = {});
    void stop();
    bool hasDevice() const;

private:
    std::unique_ptr<QAudioSink> sink_;
    std::unique_ptr<QBuffer> buffer_;
    std::function<void()> ended_;
};

} // namespace viramont
