// The search form's state for the program's life, including the animation's
// thread and stop flag.
#pragma once

#include "search/SearchCriteria.h"
#include "platform/ui/DrawContext.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Surface.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

namespace ui {
class Dialog;
}

struct SearchFormState {
    SearchFormState() = default;
    // Stops and joins the animation thread, so none outlives the program.
    ~SearchFormState();
    SearchFormState(const SearchFormState&) = delete;
    SearchFormState& operator=(const SearchFormState&) = delete;

    ui::Dialog* dialog = nullptr;
    std::unique_ptr<ui::Font> titleFont;
    std::unique_ptr<ui::Font> labelFont;
    // Drawing objects of the three coloured areas, made with the fonts.
    std::unique_ptr<ui::Brush> colourBrush;
    std::unique_ptr<ui::Brush> tasteBrush;
    std::unique_ptr<ui::Brush> qualityBrush;

    std::int16_t qualityLevel = 0; // 0 to 4, mirrors the quality scroll bar
    // The choices of the search running or shown, for its tolerant search.
    SearchCriteria searched;
    std::thread animationThread;   // the most recently started animation
    std::int32_t frameIndex = 0;   // next frame, 0 to 5; reset before a thread starts, then its own
    // 1 asks the animation thread to end; cleared only before a thread starts.
    std::atomic<std::int32_t> stopRequested{0};

    // What the animation thread needs of the form, fixed on the user-interface
    // thread before it starts: where the picture lies and what to draw into.
    std::shared_ptr<ui::Surface> animationSurface;
    ui::Rect animationRect; // the picture's inside, in the form's pixels
    // Frames the thread has drawn, and frames the user-interface thread has
    // put on the screen while it was busy.
    std::atomic<std::int32_t> framesDrawn{0};
    std::int32_t framesPresented = 0;
    std::int32_t lastPresentedDraw = 0;
};
