// Saving a song to and loading it from a song file (".drm"): the song
// editor's whole song or its selected hits, replacing the song or merging a
// file's hits into it at an offset (paste, pattern insertion).
#pragma once

#include "drumset/DrumsetMapping.h"
#include "songfile/SongFileText.h"

#include <cstdint>
#include <string>

class TSongEditor;

// Writes the song, or with selectedOnly only the selected hits with bars
// counted from the first of them. The old file is replaced only once the new
// one is complete; a failed save leaves it, and Modified, as they were.
// Saving the whole song clears Modified.
void SaveSong(TSongEditor& editor, const std::string& fileName, bool selectedOnly);

// Reads a song file into the editor.
//   keepDrumset: ignore the file's drumset and map its names onto the loaded one;
//   barOffset, tickOffset: added to every hit's place (merging; not negative);
//   merge: add the hits, selected, to the song instead of replacing it; the
//     file's tempo map is ignored;
//   keepFile: when merging, keep the file; otherwise a merged file is deleted
//     once read, whether or not reading succeeded;
//   mapper: shows the mapping window when names do not match; none behaves as
//     a cancelled window.
// Throws TSongFileError (or the drumset's error) with the user's message.
void LoadSong(TSongEditor& editor, const std::string& fileName, bool keepDrumset, int32_t barOffset,
              int32_t tickOffset, bool merge, bool keepFile, TMapperDialog* mapper = nullptr);
