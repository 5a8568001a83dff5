// The mixer's control side: channel bookkeeping, commands, retiring sources.
#include "audio/Mixer.h"

#include "audio/AudioErrors.h"
#include "audio/AudioFormat.h"

#include <algorithm>
#include <string>
#include <utility>

namespace audio {

static_assert(mixFramesFor(Mixer::ScheduleLatency) == Mixer::ScheduleLatencyFrames);

namespace {

float toVolume(int volume) {
    return static_cast<float>(std::clamp(volume, 0, 100)) / 100.0f;
}
float toPanning(int panning) {
    return static_cast<float>(std::clamp(panning, -100, 100)) / 100.0f;
}

template <class Slots>
auto& checkedSlot(Slots& slots, Mixer::Channel channel) {
    if (channel >= slots.size() || !slots[channel].used)
        throw AudioError(ErrorCode::InvalidArgument, "No mixer channel " + std::to_string(channel));
    return slots[channel];
}

} // namespace

Mixer::Mixer(std::shared_ptr<const Clock> clock, Config config)
    : m_clock(std::move(clock)), m_slots(config.channels), m_queue(config.queueCapacity),
      m_endedSeq(new std::atomic<std::uint64_t>[config.channels]), m_channels(config.channels),
      m_pendingCapacity(config.queueCapacity), m_scratch(2 * ChunkFrames) {
    if (!m_clock)
        throw AudioError(ErrorCode::InvalidArgument, "The mixer needs a clock");
    m_freeChannels.reserve(config.channels);
    for (std::size_t i = config.channels; i-- > 0;) {
        m_freeChannels.push_back(static_cast<Channel>(i));
        m_endedSeq[i].store(0, std::memory_order_relaxed);
    }
    m_active.reserve(config.channels);
    m_pending.reserve(m_pendingCapacity);
}

Mixer::~Mixer() = default;

Mixer::SlotControl& Mixer::slot(Channel channel) {
    return checkedSlot(m_slots, channel);
}

const Mixer::SlotControl& Mixer::slot(Channel channel) const {
    return checkedSlot(m_slots, channel);
}

std::uint64_t Mixer::submit(Command command) {
    command.seq = ++m_nextSeq;
    if (!m_rendering) {
        // No audio thread runs: carry the command out here and now.
        if (command.kind != Command::Kind::Play)
            execute(command);
        m_drainedSeq.store(command.seq, std::memory_order_release);
        return command.seq;
    }
    if (!m_queue.push(command)) {
        --m_nextSeq;
        throw AudioError(ErrorCode::CommandQueueFull, "The mixer is not taking commands");
    }
    return command.seq;
}

void Mixer::retire(std::uint64_t seq, std::shared_ptr<MixSource> source,
                   std::optional<Channel> freeChannel) {
    m_retired.push_back(Retired{seq, std::move(source), freeChannel, false});
    collectRetired();
}

void Mixer::collectRetired() {
    if (m_retired.empty())
        return;
    for (Retired& r : m_retired)
        if (r.unsentDetach) {
            Command command;
            command.kind = Command::Kind::Detach;
            command.channel = *r.freeChannel;
            command.seq = m_nextSeq + 1;
            if (!m_rendering) {
                execute(command);
                m_drainedSeq.store(command.seq, std::memory_order_release);
            } else if (!m_queue.push(command)) {
                break;
            }
            r.seq = ++m_nextSeq;
            r.unsentDetach = false;
        }
    const std::uint64_t drained = m_drainedSeq.load(std::memory_order_acquire);
    std::erase_if(m_retired, [&](Retired& r) {
        if (r.unsentDetach || r.seq > drained)
            return false;
        if (r.freeChannel)
            m_freeChannels.push_back(*r.freeChannel);
        return true;
    });
}

Mixer::Channel Mixer::attach(std::shared_ptr<MixSource> source) {
    if (!source)
        throw AudioError(ErrorCode::InvalidArgument, "No source to attach");
    std::lock_guard lock(m_mutex);
    collectRetired();
    if (m_freeChannels.empty())
        throw AudioError(ErrorCode::NoFreeChannel, "Every mixer channel is in use");
    const Channel channel = m_freeChannels.back();
    Command command;
    command.kind = Command::Kind::Attach;
    command.channel = channel;
    command.source = source.get();
    submit(command);
    m_freeChannels.pop_back();
    m_slots[channel] = SlotControl{std::move(source), 0, 0, true};
    return channel;
}

void Mixer::replaceSource(Channel channel, std::shared_ptr<MixSource> source) {
    if (!source)
        throw AudioError(ErrorCode::InvalidArgument, "No source to attach");
    std::lock_guard lock(m_mutex);
    SlotControl& s = slot(channel);
    Command command;
    command.kind = Command::Kind::Attach;
    command.channel = channel;
    command.source = source.get();
    const std::uint64_t seq = submit(command);
    std::shared_ptr<MixSource> old = std::exchange(s.source, std::move(source));
    s.lastStop = seq;
    retire(seq, std::move(old), std::nullopt);
}

void Mixer::detach(Channel channel) {
    std::lock_guard lock(m_mutex);
    SlotControl& s = slot(channel);
    Command command;
    command.kind = Command::Kind::Detach;
    command.channel = channel;
    std::shared_ptr<MixSource> old = std::move(s.source);
    s = SlotControl{};
    std::uint64_t seq = 0;
    try {
        seq = submit(command);
    } catch (const AudioError&) {
        // A full queue means a stalled device; the detach is sent later.
        m_retired.push_back(Retired{0, std::move(old), channel, true});
        return;
    }
    retire(seq, std::move(old), channel);
}

void Mixer::play(Channel channel, bool restart, ClockTime stamp) {
    std::lock_guard lock(m_mutex);
    collectRetired();
    SlotControl& s = slot(channel);
    if (!m_rendering)
        throw AudioError(ErrorCode::NotRunning, "No output device is running");
    Command command;
    command.kind = Command::Kind::Play;
    command.channel = channel;
    command.restart = restart;
    command.stamp = stamp;
    s.lastPlay = submit(command);
}

void Mixer::stop(Channel channel, ClockTime stamp) {
    std::lock_guard lock(m_mutex);
    SlotControl& s = slot(channel);
    Command command;
    command.kind = Command::Kind::Stop;
    command.channel = channel;
    command.stamp = stamp;
    s.lastStop = submit(command);
}

void Mixer::rewind(Channel channel, ClockTime stamp) {
    std::lock_guard lock(m_mutex);
    slot(channel);
    Command command;
    command.kind = Command::Kind::Rewind;
    command.channel = channel;
    command.stamp = stamp;
    submit(command);
}

void Mixer::setLevels(Channel channel, Levels levels, ClockTime stamp) {
    std::lock_guard lock(m_mutex);
    slot(channel);
    Command command;
    command.kind = Command::Kind::Set;
    command.channel = channel;
    command.stamp = stamp;
    command.hasVolume = levels.volume.has_value();
    command.hasPanning = levels.panning.has_value();
    command.volume = toVolume(levels.volume.value_or(100));
    command.panning = toPanning(levels.panning.value_or(0));
    submit(command);
}

void Mixer::slideLevels(Channel channel, Levels target, std::chrono::milliseconds duration,
                        bool stopAtEnd, ClockTime stamp) {
    std::lock_guard lock(m_mutex);
    slot(channel);
    Command command;
    command.kind = Command::Kind::Slide;
    command.channel = channel;
    command.stamp = stamp;
    command.stopAtEnd = stopAtEnd;
    command.hasVolume = target.volume.has_value();
    command.hasPanning = target.panning.has_value();
    command.volume = toVolume(target.volume.value_or(100));
    command.panning = toPanning(target.panning.value_or(0));
    command.slideFrames = mixFramesFor(std::max(duration, std::chrono::milliseconds{0}));
    submit(command);
}

void Mixer::stopEverything() {
    std::lock_guard lock(m_mutex);
    collectRetired();
    Command command;
    command.kind = Command::Kind::StopEverything;
    m_stopEverythingSeq = submit(command);
}

bool Mixer::isPlaying(Channel channel) const {
    std::lock_guard lock(m_mutex);
    const SlotControl& s = slot(channel);
    if (s.lastPlay == 0 || s.lastPlay <= s.lastStop || s.lastPlay <= m_stopEverythingSeq)
        return false;
    return m_endedSeq[channel].load(std::memory_order_acquire) < s.lastPlay;
}

bool Mixer::isRendering() const {
    std::lock_guard lock(m_mutex);
    return m_rendering;
}

void Mixer::beginRendering() {
    std::lock_guard lock(m_mutex);
    m_timeMap.reset();
    m_rendering = true;
}

void Mixer::endRendering() {
    std::lock_guard lock(m_mutex);
    m_rendering = false;
    // The device has stopped calling: finish what is queued here, except
    // that nothing starts any more.
    Command command;
    while (m_queue.pop(command))
        if (command.kind == Command::Kind::Attach || command.kind == Command::Kind::Detach)
            execute(command);
    for (Retired& r : m_retired)
        if (r.unsentDetach) {
            command = Command{};
            command.kind = Command::Kind::Detach;
            command.channel = *r.freeChannel;
            execute(command);
            r.unsentDetach = false;
        }
    Command stopAll;
    stopAll.kind = Command::Kind::StopEverything;
    m_stopEverythingSeq = ++m_nextSeq;
    stopAll.seq = m_stopEverythingSeq;
    execute(stopAll);
    m_drainedSeq.store(m_nextSeq, std::memory_order_release);
    collectRetired();
}

} // namespace audio
