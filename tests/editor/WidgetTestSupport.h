// Helpers shared by the widget tests: rows built by hand, hits placed in the
// song, pixel access and the colours the grid is drawn with.
#pragma once

#include "editor/SongEditor.h"
#include "model/SongModel.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Model colours (0x00BBGGRR) and what they look like.
static constexpr uint32_t RedBgr = 0x0000FF;
static constexpr uint32_t GreenBgr = 0x00FF00;
static constexpr uint32_t BlueBgr = 0xFF0000;
static constexpr uint32_t YellowBgr = 0x00FFFF;

inline const QColor Red(255, 0, 0);
inline const QColor Green(0, 255, 0);
inline const QColor Blue(0, 0, 255);
inline const QColor White(255, 255, 255);
inline const QColor Black(0, 0, 0);
inline const QColor Grey(128, 128, 128);
inline const QColor LightStripe(240, 240, 240);
inline const QColor SkyBlue(166, 202, 240);
inline const QColor Yellow(255, 255, 0);
inline const QColor Navy(0, 0, 128);
inline const QColor Teal(0, 128, 128);

inline QColor pixel(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

// How many pixels of the rectangle have the colour.
inline int countColor(const QImage& image, const QRect& area, const QColor& color) {
    int n = 0;
    const QRect r = area & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            n += pixel(image, x, y) == color ? 1 : 0;
        }
    }
    return n;
}

// How many pixels of the rectangle are dark (text, also when smoothed).
inline int countDark(const QImage& image, const QRect& area) {
    int n = 0;
    const QRect r = area & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            n += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
        }
    }
    return n;
}

// One track per entry, each sample row with its colour; every row plays
// 250 ms (125 ticks, 15 pixels at 120 pixels a bar and 120 bpm).
inline void addTracks(TSongEditor& editor, const std::vector<std::vector<uint32_t>>& tracks) {
    for (size_t t = 0; t < tracks.size(); ++t) {
        editor.Plocha.AddTrack(static_cast<int32_t>(t), tracks[t].empty() ? 0 : tracks[t][0],
                               nullptr, nullptr, "Track " + std::to_string(t));
        for (size_t s = 0; s < tracks[t].size(); ++s) {
            editor.Plocha.AddSampleRow(static_cast<int32_t>(s), tracks[t][s], nullptr,
                                       "Sample " + std::to_string(s), 250);
        }
    }
}

inline TDRHit* addHit(TSongEditor& editor, int32_t group, int32_t sample, int32_t bar, int32_t tick,
                      int32_t lengthMs = 250) {
    std::unique_ptr<TDRHit> hit = editor.CreateHit(bar, tick, sample, group);
    hit->LengthMs = lengthMs;
    return editor.Song.AddHit(std::move(hit));
}
