#include "audio/PreviewStream.h"

#include "audio/AudioOutput.h"
#include "audio/PitchFeedJob.h"

#include <chrono>
#include <thread>

namespace audio {

PreviewStream::PreviewStream(AudioOutput& output, std::shared_ptr<DecodeStream> source)
    : PreviewStream(output.mixer(), output.feeder(), source,
                    std::make_shared<PitchFeedJob>(source)) {}

PreviewStream::PreviewStream(std::shared_ptr<Mixer> mixer, std::shared_ptr<StreamFeeder> feeder,
                             std::shared_ptr<DecodeStream> source,
                             std::shared_ptr<PitchFeedJob> job)
    : PlayableStream(std::move(mixer), job->currentFeed()), m_feeder(std::move(feeder)),
      m_source(std::move(source)), m_job(std::move(job)) {
    m_feeder->add(m_job);
}

PreviewStream::~PreviewStream() {
    m_feeder->remove(m_job.get());
}

void PreviewStream::setPitch(double semitones) {
    m_job->setPitch(semitones);
    m_feeder->wake();
}

double PreviewStream::pitch() const {
    return m_job->pitch();
}

namespace {

template <class Condition>
void waitFor(StreamFeeder& feeder, std::chrono::milliseconds limit, Condition done) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < until) {
        feeder.wake();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

} // namespace

void PreviewStream::beforePlay(bool restart) {
    if (!restart)
        return;
    mixer().replaceSource(channel(), m_job->restart());
    // A short wait, so that the attack is not preceded by a gap.
    waitFor(*m_feeder, std::chrono::milliseconds(200), [this] { return m_job->primed(); });
}

void PreviewStream::prefill() {
    waitFor(*m_feeder, std::chrono::milliseconds(2000), [this] { return m_job->buffered(); });
}

std::size_t PreviewStream::underrunFrames() const {
    return m_job->currentFeed()->underrunFrames();
}

} // namespace audio
