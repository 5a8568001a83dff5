// The tool buttons' pictures and the program's icon, drawn in code so that
// the program ships no image files of others.
#pragma once

#include <QIcon>

class QPainter;
class QRectF;

enum class TToolIcon {
    StandardMode,
    SelectionMode,
    PlayMode,
    HeavyHit,
    MediumHit,
    LightHit,
    Undo,
    Redo,
    ZoomIn,
    ZoomOut,
    Expand,
    Collapse,
    TargetCursor,
    SnapTo,
    PatternMouseMode,
    Play,
    Stop,
    Loop,
    Record,
    InitializeSamples,
};

QIcon toolIcon(TToolIcon icon);

// A drum seen from the front at an angle, on a rounded square.
QIcon applicationIcon();
void paintApplicationIcon(QPainter& painter, const QRectF& target);
