// The mixer's audio side: taking commands, placing them on their frames and
// mixing the playing channels. Nothing here locks, allocates or frees.
#include "audio/Mixer.h"
#include "audio/fx/DenormalGuard.h"

#include <algorithm>

namespace audio {

namespace {

// Balance panning: the far side fades out, the near side stays at unity.
float leftGain(float panning) {
    return panning > 0.0f ? 1.0f - panning : 1.0f;
}
float rightGain(float panning) {
    return panning < 0.0f ? 1.0f + panning : 1.0f;
}

} // namespace

// Orders the pending heap: earliest frame first, then issue order.
bool Mixer::isLater(const Pending& a, const Pending& b) {
    return a.frame != b.frame ? a.frame > b.frame : a.command.seq > b.command.seq;
}

void Mixer::render(float* out, std::size_t frames, ClockTime time) {
    fx::DenormalGuard guard;
    const std::int64_t blockStart = m_renderedFrames;
    m_timeMap.observe(blockStart, time);
    drainCommands(blockStart);

    std::fill(out, out + 2 * frames, 0.0f);
    std::size_t done = 0;
    while (done < frames) {
        const std::int64_t now = blockStart + static_cast<std::int64_t>(done);
        while (!m_pending.empty() && m_pending.front().frame <= now) {
            std::pop_heap(m_pending.begin(), m_pending.end(), isLater);
            const Command command = m_pending.back().command;
            m_pending.pop_back();
            execute(command);
        }
        std::size_t until = frames;
        if (!m_pending.empty())
            until = static_cast<std::size_t>(
                std::min<std::int64_t>(frames, m_pending.front().frame - blockStart));
        mixSegment(out + 2 * done, until - done);
        done = until;
    }
    m_renderedFrames += static_cast<std::int64_t>(frames);
}

void Mixer::drainCommands(std::int64_t blockStart) {
    Command command;
    std::uint64_t last = 0;
    while (m_pending.size() < m_pendingCapacity && m_queue.pop(command)) {
        last = command.seq;
        if (command.kind <= Command::Kind::StopEverything) { // acts at once
            execute(command);
            continue;
        }
        const std::int64_t due = m_timeMap.frameAt(command.stamp) + ScheduleLatencyFrames;
        m_pending.push_back(Pending{std::max(due, blockStart), command});
        std::push_heap(m_pending.begin(), m_pending.end(), isLater);
    }
    if (last != 0)
        m_drainedSeq.store(last, std::memory_order_release);
}

void Mixer::startChannel(Channel channel) {
    ChannelState& c = m_channels[channel];
    if (c.playing)
        return;
    c.playing = true;
    c.activeIndex = m_active.size();
    m_active.push_back(channel);
}

void Mixer::endChannel(Channel channel) {
    ChannelState& c = m_channels[channel];
    if (!c.playing)
        return;
    c.playing = false;
    m_endedSeq[channel].store(c.playSeq, std::memory_order_release);
    const Channel moved = m_active.back();
    m_active[c.activeIndex] = moved;
    m_channels[moved].activeIndex = c.activeIndex;
    m_active.pop_back();
}

void Mixer::dropPending(Channel channel) {
    std::erase_if(m_pending, [channel](const Pending& p) { return p.command.channel == channel; });
    std::make_heap(m_pending.begin(), m_pending.end(), isLater);
}

void Mixer::execute(const Command& command) {
    const Channel id = command.channel;
    switch (command.kind) {
    case Command::Kind::Attach: {
        ChannelState& c = m_channels[id];
        const bool replacing = c.source != nullptr;
        endChannel(id);
        if (!replacing)
            c = ChannelState{};
        c.source = command.source;
        c.cursor = SourceCursor{};
        c.sliding = false;
        return;
    }
    case Command::Kind::Detach:
        endChannel(id);
        dropPending(id);
        m_channels[id] = ChannelState{};
        return;
    case Command::Kind::StopEverything:
        while (!m_active.empty())
            endChannel(m_active.back());
        m_pending.clear();
        return;
    default:
        break;
    }

    ChannelState& c = m_channels[id];
    if (c.source == nullptr)
        return;
    switch (command.kind) {
    case Command::Kind::Play:
        if (command.restart)
            c.source->restart(c.cursor);
        c.playSeq = command.seq;
        startChannel(id);
        break;
    case Command::Kind::Stop:
        endChannel(id);
        break;
    case Command::Kind::Rewind:
        c.source->restart(c.cursor);
        break;
    case Command::Kind::Set:
        c.sliding = false;
        if (command.hasVolume)
            c.volume = command.volume;
        if (command.hasPanning)
            c.panning = command.panning;
        break;
    case Command::Kind::Slide: {
        const float toVolume = command.hasVolume ? command.volume : c.volume;
        const float toPanning = command.hasPanning ? command.panning : c.panning;
        if (command.slideFrames == 0 || !c.playing) {
            // At once: a channel that is not playing takes the target
            // straight away (a fade only silences it).
            c.sliding = false;
            c.volume = toVolume;
            c.panning = toPanning;
            if (command.stopAtEnd)
                endChannel(id);
            break;
        }
        c.sliding = true;
        c.stopAtSlideEnd = command.stopAtEnd;
        c.fromVolume = c.volume;
        c.fromPanning = c.panning;
        c.toVolume = toVolume;
        c.toPanning = toPanning;
        c.slideTotal = command.slideFrames;
        c.slideDone = 0;
        break;
    }
    default:
        break;
    }
}

void Mixer::mixSegment(float* out, std::size_t frames) {
    if (frames == 0)
        return;
    for (std::size_t i = 0; i < m_active.size();) {
        const Channel id = m_active[i];
        if (mixChannel(m_channels[id], out, frames))
            ++i;
        else
            endChannel(id); // moves another channel into place i
    }
}

bool Mixer::mixChannel(ChannelState& c, float* out, std::size_t frames) {
    float* scratch = m_scratch.data();
    std::size_t done = 0;
    while (done < frames) {
        std::size_t want = std::min(frames - done, ChunkFrames);
        if (c.sliding && c.stopAtSlideEnd)
            want = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(want),
                                                                   c.slideTotal - c.slideDone));
        const MixSource::Pulled pulled = c.source->pull(c.cursor, scratch, want);
        float* o = out + 2 * done;
        if (!c.sliding) {
            const float gl = c.volume * leftGain(c.panning);
            const float gr = c.volume * rightGain(c.panning);
            for (std::size_t i = 0; i < pulled.frames; ++i) {
                o[2 * i] += scratch[2 * i] * gl;
                o[2 * i + 1] += scratch[2 * i + 1] * gr;
            }
        } else {
            const float total = static_cast<float>(c.slideTotal);
            for (std::size_t i = 0; i < pulled.frames; ++i) {
                const float t = static_cast<float>(++c.slideDone) / total;
                c.volume = c.fromVolume + (c.toVolume - c.fromVolume) * t;
                c.panning = c.fromPanning + (c.toPanning - c.fromPanning) * t;
                o[2 * i] += scratch[2 * i] * c.volume * leftGain(c.panning);
                o[2 * i + 1] += scratch[2 * i + 1] * c.volume * rightGain(c.panning);
                if (c.slideDone == c.slideTotal) {
                    c.sliding = false;
                    c.volume = c.toVolume;
                    c.panning = c.toPanning;
                    if (c.stopAtSlideEnd)
                        return false;
                    // The rest of this pull plays at the target values.
                    for (std::size_t j = i + 1; j < pulled.frames; ++j) {
                        o[2 * j] += scratch[2 * j] * c.volume * leftGain(c.panning);
                        o[2 * j + 1] += scratch[2 * j + 1] * c.volume * rightGain(c.panning);
                    }
                    break;
                }
            }
        }
        if (pulled.ended)
            return false;
        if (pulled.frames == 0)
            return false;
        done += pulled.frames;
    }
    return true;
}

} // namespace audio
