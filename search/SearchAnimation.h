// The search progress animation: six frames drawn into the form's picture by
// a thread of its own while the user-interface thread searches.
#pragma once

#include <chrono>
#include <functional>

// Shows the picture and starts the animation thread.
void startSearchAnimation();
// Asks the animation to end; harmless when none runs.
void stopSearchAnimation();

// The animation thread's body: draws a frame, pauses, until asked to stop.
void runSearchAnimation();
// Draws the next frame into the picture and advances to the one after.
void drawSearchAnimationFrame();

// Asks a running animation to stop and waits for its thread to end.
void joinSearchAnimation();

// Puts the latest frame on the screen when the thread has drawn a new one
// since the last call. The database calls it while a search statement runs,
// because the busy user-interface thread paints nothing by itself.
void presentSearchAnimation();

// The pause after every frame.
inline constexpr std::chrono::milliseconds kSearchFramePause{80};

// Replaces the pause between frames, so tests need not wait; an empty
// function restores the real sleep. Set it only while no animation runs.
using AnimationSleep = std::function<void(std::chrono::milliseconds)>;
void setSearchAnimationSleep(AnimationSleep sleep);
