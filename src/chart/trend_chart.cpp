#include "chart/trend_chart.h"

#include "panel/panel_state.h"
#include "platform/picture_box.h"
#include "platform/text_rules.h"

#include <QLabel>

namespace {

constexpr int kSamples = 100;
constexpr double kTickLength = 1.5;
constexpr QPointF kTopLeft{0.0, 2.0};
constexpr QPointF kBottomRight{100.0, -0.8};
// Entry 12 of the standard 16-colour palette.
const QColor kSampleColour(255, 0, 0);

} // namespace

TrendChart::TrendChart(PictureBox& Picture1, const QLabel& LcurrP, PanelState& state)
    : m_Picture1(Picture1)
    , m_LcurrP(LcurrP)
    , m_state(state)
{
}

void TrendChart::setUp()
{
    // y = 0 lies 2/2.8 of the way down, level with the background's 0.0 figure.
    m_Picture1.setScale(kTopLeft, kBottomRight);
    m_state.prhist(0) = 0.0;
}

void TrendChart::update()
{
    const int i = m_state.itime;
    // A caption that is not a number leaves the sample stored at this index before, if any.
    if (const auto pressure = textrules::toNumber(m_LcurrP.text()))
        m_state.prhist(i) = *pressure;
    {
        PictureBox::Lines lines(m_Picture1);
        // Axis and ticks go over the older segments and under the newest one. Since the last
        // update drew them, only the segment it added can have covered them: after the first
        // update of a sweep they are redrawn across that segment's columns alone, as drawing
        // the whole axis would cost more than all the rest of the update.
        if (i > 0)
            lines.clip({i - 2.0, kTopLeft.y()}, {i - 1.0, kBottomRight.y()});
        lines.line({0.0, 0.0}, {100.0, 0.0});
        for (const double y : {0.5, 1.0, 1.5})
            lines.line({0.0, y}, {kTickLength, y});
        lines.unclip();
        // The first segment of a sweep starts at prhist(-1), left of the box, which is always 0.
        lines.line({i - 1.0, m_state.prhist(i - 1)}, {static_cast<double>(i), m_state.prhist(i)}, kSampleColour);
    }
    if (++m_state.itime == kSamples) {
        m_state.itime = 0;
        m_Picture1.cls();
    }
}
