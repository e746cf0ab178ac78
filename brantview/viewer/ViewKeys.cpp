#include "ViewKeys.h"

#include "ViewLayout.h"

namespace brantview {

namespace {

void nudgeBand(BrantSettings &settings, bool secondGroupShown, int band, int by)
{
    int32_t &offset = bandOffsetSetting(settings, secondGroupShown, band);
    offset = SettingRanges::BandOffset.clamp(offset + by);
}

} // namespace

KeyOutcome HandleViewKey(int key, int shift, BrantSettings &settings, ViewState &state, const RecordingSlots &panes,
                         const StepButtons &buttons)
{
    KeyOutcome out;
    const bool ctrl = shift == CtrlMask;
    auto savedRedraw = [&] { out.save = out.redraw = true; };

    if (key >= KeyCode::F1 && key <= KeyCode::F8) {
        out.reviewMarkKind = key - KeyCode::F1 + 1;
        out.redraw = true;
    }
    switch (key) {
    case KeyCode::J:
    case KeyCode::N:
        // Without the second group there is nothing to move, save or draw again.
        if (state.SecondGroupShown) {
            nudgeBand(settings, true, 2, key == KeyCode::J ? -1 : 1);
            savedRedraw();
        }
        break;
    case KeyCode::D:
    case KeyCode::C:
        nudgeBand(settings, state.SecondGroupShown, 0, key == KeyCode::D ? -1 : 1);
        savedRedraw();
        break;
    case KeyCode::K:
    case KeyCode::M:
        nudgeBand(settings, state.SecondGroupShown, 1, key == KeyCode::K ? -1 : 1);
        savedRedraw();
        break;
    case KeyCode::Z:
        if (panes.SecondLoaded) {
            state.SingleView = true;
            out.redraw = true;
        }
        break;
    case KeyCode::Escape:
        if (panes.SecondLoaded) {
            state.SingleView = false;
            out.redraw = true;
        }
        break;
    case KeyCode::OpenBracket:
    case KeyCode::Comma:
        if (buttons.backwardEnabled)
            out.manualStep = -1;
        break;
    case KeyCode::CloseBracket:
    case KeyCode::Period:
        if (buttons.forwardEnabled)
            out.manualStep = 1;
        break;
    default:
        break;
    }
    if (!ctrl)
        return out;

    switch (key) {
    case KeyCode::H:
        settings.VS = settings.VS == 1 ? 2 : 1;
        savedRedraw();
        break;
    case KeyCode::A:
        settings.TrendOn = !settings.TrendOn;
        savedRedraw();
        break;
    case KeyCode::X:
        if (panes.SecondLoaded) {
            settings.HeaderBelow = !settings.HeaderBelow;
            savedRedraw();
        }
        break;
    case KeyCode::V:
        state.SecondGroupShown = !state.SecondGroupShown;
        out.redraw = true;
        break;
    case KeyCode::S: {
        const int limit = bothSlotsDrawn(state, panes) ? 2 : 1;
        state.HeaderMode = state.HeaderMode + 1 > limit ? 0 : state.HeaderMode + 1;
        out.redraw = true;
        break;
    }
    default:
        break;
    }
    return out;
}

} // namespace brantview
