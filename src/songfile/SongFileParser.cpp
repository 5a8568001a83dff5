// The song file's line rules: header, sections, and the fields of group,
// sample, tempo and hit lines.
#include "songfile/SongFileParser.h"

#include "songfile/SongFileText.h"

#include <algorithm>

namespace {

[[noreturn]] void invalidFormat() {
    throw TSongFileError(InvalidFormatMessage);
}

} // namespace

TSongFileParser::TSongFileParser(const TSongReadOptions& options, TSongFileSink& sink)
    : m_options(options), m_sink(sink) {}

void TSongFileParser::parse(std::string_view text) {
    // Lines end with CR LF when written; a lone CR or LF ends a line too, and
    // the empty lines this makes are skipped.
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        const size_t stop = end == std::string_view::npos ? text.size() : end;
        parseLine(text.substr(start, stop - start));
        start = stop + 1;
    }
    // A file without the header is no song file, even an empty one.
    if (!m_headerSeen)
        invalidFormat();
}

void TSongFileParser::parseLine(std::string_view raw) {
    const std::string_view line = trimLine(raw);
    if (line.empty())
        return;
    if (!m_headerSeen) {
        if (line != SongHeaderLine)
            invalidFormat();
        m_headerSeen = true;
        return;
    }
    if (line == DrumsetSectionLine) {
        m_section = TSection::sDrumset;
        return;
    }
    if (line == GroupSectionLine) {
        m_section = TSection::sGroup;
        m_expectGroupLine = true;
        return;
    }
    if (line == TempoSectionLine) {
        m_section = TSection::sTempo;
        m_tempoLines = 0;
        return;
    }
    if (line == HitsSectionLine) {
        m_section = TSection::sHits;
        return;
    }

    switch (m_section) {
    case TSection::sNone:
        return;
    case TSection::sDrumset:
        // Each drumset line would load a drumset; only the first counts.
        if (!m_options.KeepDrumset && !m_drumsetSeen) {
            m_drumsetSeen = true;
            m_sink.drumsetLine(std::string(line));
        }
        return;
    case TSection::sGroup:
        if (m_expectGroupLine)
            groupLine(splitFields(line));
        else
            sampleLine(splitFields(line));
        return;
    case TSection::sTempo:
        if (!m_options.Merge)
            tempoLine(splitFields(line));
        return;
    case TSection::sHits:
        hitLine(splitFields(line));
        return;
    }
}

void TSongFileParser::groupLine(const std::vector<std::string>& fields) {
    if (fields.size() < 2)
        invalidFormat();
    TLoadGroupInfo group;
    group.Index = parseSongInteger(fields[0]);
    group.Name = joinFields(fields, 1);
    m_group = &(Groups[group.Index] = std::move(group));
    m_expectGroupLine = false;
}

void TSongFileParser::sampleLine(const std::vector<std::string>& fields) {
    if (fields.size() <= 3)
        invalidFormat();
    TLoadSampleInfo sample;
    const int32_t index = parseSongInteger(fields[0]);
    sample.Volume = parseSongInteger(fields[1]);
    sample.Panning = percentToPanning(parseSongInteger(fields[2]));
    sample.Name = joinFields(fields, 3);
    m_group->Samples[index] = std::move(sample);
}

void TSongFileParser::tempoLine(const std::vector<std::string>& fields) {
    if (fields.size() != 3)
        invalidFormat();
    // The tempo map divides by the tempo.
    const int32_t tempo = parseSongInteger(fields[2]);
    if (tempo < 1)
        invalidFormat();
    if (m_tempoLines++ == 0) {
        m_sink.initialTempo(tempo);
        return;
    }
    const int32_t bar = parseSongInteger(fields[0]);
    const int32_t tick = parseSongInteger(fields[1]);
    if (bar < 0 || bar > MaxLoadedBar || tick < 0 || tick >= TicksPerBar)
        invalidFormat();
    m_sink.tempoChange(bar, tick, tempo);
}

void TSongFileParser::hitLine(const std::vector<std::string>& fields) {
    if (fields.size() < 11)
        invalidFormat();
    auto hit = std::make_unique<TDRHit>();
    int64_t bar = static_cast<int64_t>(parseSongInteger(fields[0])) + m_options.BarOffset;
    int64_t tick = static_cast<int64_t>(parseSongInteger(fields[1])) + m_options.TickOffset;
    if (tick >= TicksPerBar) {
        bar += tick / TicksPerBar;
        tick %= TicksPerBar;
    }
    // The song holds no hit before its start or absurdly far out.
    if (bar < 0 || tick < 0 || bar > MaxLoadedBar)
        invalidFormat();
    hit->StartBar = static_cast<int32_t>(bar);
    hit->StartTick = static_cast<int32_t>(tick);
    hit->Group = parseSongInteger(fields[2]);
    hit->Sample = parseSongInteger(fields[3]);
    hit->Volume = parseDefaultable(fields[4]);
    hit->Panning = fields[5] == DefaultField ? -1 : percentToPanning(parseSongInteger(fields[5]));
    hit->FadeTill = parseDefaultable(fields[6]);
    hit->FadeOut = parseDefaultable(fields[7]);
    // A negative fixed length other than the default would stop the hit
    // before it starts; it reads as none.
    hit->FixedLength = std::max(parseDefaultable(fields[8]), -1);
    hit->HitTypeMask = parseSongInteger(fields[9]);
    hit->GroupHit = parseSongInteger(fields[10]) == 1;
    hit->Selected = m_options.Merge;
    Hits.push_back(std::move(hit));
}
