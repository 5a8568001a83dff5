// TSongFileParser: reads the lines of a song file, collects its group records
// and hits, and hands the drumset name and tempo lines to a sink as they are
// read. Adding the hits to a song is the loader's job.
#pragma once

#include "drumset/DrumsetMapping.h"
#include "model/SongTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct TSongReadOptions {
    bool KeepDrumset = false; // drumset lines are ignored
    int32_t BarOffset = 0;    // added to every hit's bar
    int32_t TickOffset = 0;   // added to every hit's tick, carrying into bars
    bool Merge = false;       // tempo lines are ignored, hits come in selected
};

// Receives what the file says about the song as a whole, in file order.
class TSongFileSink {
public:
    virtual ~TSongFileSink() = default;
    // The first drumset line, unless the drumset is kept.
    virtual void drumsetLine(const std::string& name) = 0;
    // The first line of a tempo section; not called when merging.
    virtual void initialTempo(int32_t tempo) = 0;
    // Every further tempo line; not called when merging.
    virtual void tempoChange(int32_t bar, int32_t tick, int32_t tempo) = 0;
};

class TSongFileParser {
public:
    TSongFileParser(const TSongReadOptions& options, TSongFileSink& sink);

    // Reads every line of text; throws TSongFileError at the first bad line.
    void parse(std::string_view text);

    // Group records by the file's group index.
    TLoadGroupList Groups;
    // Hits in file order, with the file's group and sample indices, -1 for
    // a default value and Selected when merging.
    std::vector<std::unique_ptr<TDRHit>> Hits;

private:
    enum class TSection { sNone, sDrumset, sGroup, sTempo, sHits };

    void parseLine(std::string_view line);
    void groupLine(const std::vector<std::string>& fields);
    void sampleLine(const std::vector<std::string>& fields);
    void tempoLine(const std::vector<std::string>& fields);
    void hitLine(const std::vector<std::string>& fields);

    TSongReadOptions m_options;
    TSongFileSink& m_sink;
    bool m_headerSeen = false;
    bool m_drumsetSeen = false;
    TSection m_section = TSection::sNone;
    bool m_expectGroupLine = false;
    TLoadGroupInfo* m_group = nullptr;
    int32_t m_tempoLines = 0;
};
