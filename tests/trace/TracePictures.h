#pragma once
// Photos of remotes drawn by code, with every button's place and label known, and the score of
// a trace against them. The tests and the benchmark share them.
#include "trace/Trace.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QSizeF>
#include <string>
#include <vector>

namespace mm::test {

struct TPictureStyle {
    const char* Name;
    QSize Size;
    int Columns, Rows;
    QColor Background, Body;
    std::vector<QColor> Faces; // taken in turn
    double Angle = 0;          // degrees, the whole remote turned
    bool Gradient = false;     // light falling from the left
    bool Noise = false;
    bool Blur = false;
    // Each button's shadow below it and a highlight on its face; words printed on the body.
    bool Relief = false;
};

// One button as the scorer sees it; ID 0 for a button without a label (an icon).
struct TExpectedButton {
    QPointF Centre;
    QSizeF Size;
    int32_t ID = 0;
};

struct TDrawnPicture {
    QImage Image; // decoded from JPEG, as a model's picture is
    std::vector<TExpectedButton> Buttons;
    std::vector<TTraceKey> Keys;
};

// Needs a running QGuiApplication (the labels are text).
TDrawnPicture DrawPicture(const TPictureStyle& style);

struct TTraceScore {
    int Buttons = 0, Found = 0;    // a proposal holds the centre, its size 1/3..3x each way
    int Proposals = 0, Stray = 0;  // stray: holds no button's centre
    int Covering = 0;              // proposals holding two buttons' centres or more
    int Labelled = 0, Matched = 0; // labelled buttons found and given their own key
};

TTraceScore Score(const std::vector<TExpectedButton>& buttons, const TTraceResult& result);

std::string ScoreText(const TTraceScore& score);

} // namespace mm::test
