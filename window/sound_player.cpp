#include "window/sound_player.h"

#include "views/sound.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace viramont {

namespace {

QAudioFormat formatOfSamples() {
    QAudioFormat format;
    format.setSampleRate(view::kSampleRate);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

QByteArray int16Of(const std::vector<float>& samples) {
    QByteArray bytes(static_cast<qsizetype>(samples.size() * sizeof(std::int16_t)), Qt::Uninitialized);
    auto* out = reinterpret_cast<std::int16_t*>(bytes.data());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        out[i] = static_cast<std::int16_t>(std::lround(std::clamp(samples[i], -1.0f, 1.0f) * 32767.0f));
    }
    return bytes;
}

} // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}
SoundPlayer::~SoundPlayer() { stop(); }

bool SoundPlayer::hasDevice() const {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    return !device.isNull() && device.isFormatSupported(formatOfSamples());
}

void SoundPlayer::stop() {
    ended_ = {};
    if (sink_) {
        sink_->disconnect(this);
        sink_->stop();
    }
    sink_.reset();
    buffer_.reset();
}

bool SoundPlayer::play(const std::vector<float>& samples, std::function<void()> ended) {
    stop();
    if (!hasDevice()) return false;
    buffer_ = std::make_unique<QBuffer>();
    buffer_->setData(int16Of(samples));
    buffer_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), formatOfSamples());
    ended_ = std::move(ended);
    // Played out: the sink is let go after its signal has returned.
    connect(sink_.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (state != QAudio::IdleState) return;
        QMetaObject::invokeMethod(
            this,
            [this] {
                std::function<void()> ended = std::exchange(ended_, {});
                stop();
                if (ended) ended();
            },
            Qt::QueuedConnection);
    });
    sink_->start(buffer_.get());
    if (sink_->error() == QAudio::OpenError || sink_->error() == QAudio::FatalError) {
        stop();
        return false;
    }
    return true;
}

} // namespace viramont
