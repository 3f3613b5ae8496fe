// The search progress animation. The thread draws only into the form's
// drawing surface, found before it starts, and never touches a widget. While
// a statement runs, the database's progress callback lets the user-interface
// thread put the newest frame on the screen.
//
// Stopping: the flag is cleared before a thread starts, never by the thread,
// so a stop that comes early is never undone. A thread is joined before the
// next one starts, when the form goes and when the state record goes.
#include "search/SearchAnimation.h"

#include "search/SearchFormState.h"
#include "resources/Bitmaps.h"
#include "resources/dialogs/SearchFormIds.h"
#include "services/Singletons.h"
#include "platform/ado/Progress.h"
#include "platform/ui/Dialog.h"

#include <QWidget>

#include <thread>

namespace {

constexpr int kLastFrame = ids::bitmap::kSearchFrames - 1;

AnimationSleep& sleepOverride()
{
    static AnimationSleep sleep;
    return sleep;
}

void pauseAfterFrame()
{
    if (const AnimationSleep& sleep = sleepOverride())
        sleep(kSearchFramePause);
    else
        std::this_thread::sleep_for(kSearchFramePause);
}

bool stopped(const SearchFormState& state)
{
    return state.stopRequested.load() != 0;
}

// The inside of the bordered picture, where the frames go.
ui::Rect pictureInside(ui::Dialog& form)
{
    const ui::Rect r = form.control(ids::search::kAnimation).rect();
    return {r.x + 1, r.y + 1, r.width - 2, r.height - 2};
}

void setPresenting(bool on)
{
    ado::Connection* connection = g_wineDatabase ? g_wineDatabase->connection() : nullptr;
    if (!connection)
        return;
    if (on)
        ado::setProgressHandler(*connection, presentSearchAnimation);
    else
        ado::setProgressHandler(*connection, {});
}

} // namespace

void setSearchAnimationSleep(AnimationSleep sleep)
{
    sleepOverride() = std::move(sleep);
}

SearchFormState::~SearchFormState()
{
    stopRequested.store(1);
    if (animationThread.joinable())
        animationThread.join();
}

void joinSearchAnimation()
{
    SearchFormState* state = g_searchFormState;
    if (!state)
        return;
    state->stopRequested.store(1);
    if (state->animationThread.joinable())
        state->animationThread.join();
}

void startSearchAnimation()
{
    SearchFormState* state = g_searchFormState;
    if (!state || !state->dialog)
        return;
    joinSearchAnimation();
    ui::Dialog& form = *state->dialog;
    form.control(ids::search::kAnimation).show(true);
    // The form with the visible picture reaches the screen before the
    // user-interface thread becomes busy, so even a quick search shows it.
    if (QWidget* window = form.widget())
        window->repaint();

    state->animationSurface = form.sharedSurface();
    state->animationRect = pictureInside(form);
    state->frameIndex = 0;
    state->framesDrawn.store(0);
    state->framesPresented = 0;
    state->lastPresentedDraw = 0;
    state->stopRequested.store(0);
    setPresenting(true);
    state->animationThread = std::thread(runSearchAnimation);
}

void stopSearchAnimation()
{
    SearchFormState* state = g_searchFormState;
    if (!state)
        return;
    state->stopRequested.store(1);
    setPresenting(false);
    if (state->dialog)
        state->dialog->control(ids::search::kAnimation).show(false);
    // Frames drawn so far lie on the surface above the hidden picture.
    if (state->animationSurface)
        state->animationSurface->clear();
}

void runSearchAnimation()
{
    SearchFormState& state = *g_searchFormState;
    for (;;) {
        if (stopped(state))
            return;
        drawSearchAnimationFrame();
        if (stopped(state))
            return;
        pauseAfterFrame();
        if (stopped(state))
            return;
    }
}

void drawSearchAnimationFrame()
{
    SearchFormState& state = *g_searchFormState;
    const auto bitmap = ui::loadBitmap(ids::bitmap::kFirstSearchFrame + state.frameIndex);
    if (bitmap && state.animationSurface) {
        const ui::Rect inside = state.animationRect;
        state.animationSurface->draw([&](ui::DrawContext& dc) {
            // Looked at under the surface's lock, which a stop's clearing
            // takes too: no frame lands after the picture was hidden.
            if (stopped(state))
                return;
            dc.bitBlt(inside.x, inside.y, std::min(bitmap->width(), inside.width),
                      std::min(bitmap->height(), inside.height), *bitmap);
        });
        state.framesDrawn.fetch_add(1);
    }
    state.frameIndex = state.frameIndex < kLastFrame ? state.frameIndex + 1 : 0;
}

void presentSearchAnimation()
{
    SearchFormState* state = g_searchFormState;
    if (!state || !state->dialog || stopped(*state))
        return;
    const std::int32_t drawn = state->framesDrawn.load();
    if (drawn == state->lastPresentedDraw)
        return;
    // A paint may itself run a statement; that one presents nothing.
    static bool presenting = false;
    if (presenting)
        return;
    presenting = true;
    state->lastPresentedDraw = drawn;
    const ui::Rect r = state->animationRect;
    if (QWidget* window = state->dialog->widget())
        window->repaint(r.x, r.y, r.width, r.height);
    ++state->framesPresented;
    presenting = false;
}
