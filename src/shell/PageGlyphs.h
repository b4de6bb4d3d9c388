#pragma once

#include <QIcon>

// The small pictures on the main window's page buttons, drawn in code so every one is visible in review.
enum class PageGlyph
{
    Clock,
    Soccer,
    Football,
    GameAndSet,
    TextList,
    Picture,
    Video,
    LiveVideo,
    Camera,
    Timing
};

QIcon pageGlyph(PageGlyph glyph);
