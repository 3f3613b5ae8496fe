// A dialog: a template's controls in one widget, its procedure, its timers
// and its drawing surface. Modal dialogs run through dialogBox and end with
// endDialog.
#pragma once

#include "platform/ui/Controls.h"
#include "platform/ui/Event.h"
#include "platform/ui/Surface.h"
#include "platform/ui/Template.h"

#include <cstdint>
#include <functional>
#include <map>
#include <typeindex>
#include <utility>
#include <memory>
#include <vector>

class QEventLoop;
class QTimer;

namespace ui {

class DialogWidget;

class Dialog {
public:
    Dialog(DialogTemplate tmpl, Dialog* owner, DialogProc procedure, std::intptr_t parameter);
    ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    int templateId() const { return template_.id; }
    const DialogTemplate& dialogTemplate() const { return template_; }
    Dialog* owner() const { return owner_; }
    std::intptr_t parameter() const { return parameter_; }
    const BaseUnits& baseUnits() const { return units_; }
    QWidget* widget() const;

    std::u16string caption() const { return caption_; }
    void setCaption(std::u16string_view caption);

    // Typed controls by id; an id that is missing or of another kind gives
    // a wrapper that does nothing.
    Control& control(int id);
    StaticControl& staticControl(int id);
    Button& button(int id);
    CheckBox& checkBox(int id);
    Edit& edit(int id);
    ComboBox& comboBox(int id);
    ListBox& listBox(int id);
    ScrollBar& scrollBar(int id);
    TreeView& treeView(int id);
    TabControl& tabControl(int id);
    bool hasControl(int id) const;
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    // Delivers an event to the procedure and returns its answer.
    std::intptr_t send(const Event& event);
    // A command as a tap or click makes it.
    std::intptr_t sendCommand(int controlId, int code = kClicked);

    // Timers by id: a new timer replaces the one of the same id. Without a
    // routine the tick reaches the procedure as a timer event.
    using TimerRoutine = std::function<void(Dialog&, int timerId)>;
    void setTimer(int timerId, int milliseconds, TimerRoutine routine = {});
    void killTimer(int timerId);
    bool hasTimer(int timerId) const;
    int timerInterval(int timerId) const;
    // One tick now, as if the timer had run out; for tests.
    void fireTimer(int timerId);

    // The surface that "screen" drawing goes to; safe from other threads.
    Surface& surface() { return *surface_; }
    std::shared_ptr<Surface> sharedSurface() { return surface_; }
    // Draws straight onto the dialog (into the surface).
    void drawOnScreen(const std::function<void(DrawContext&)>& painter) { surface_->draw(painter); }
    void invalidate();
    // Paints the dialog, or one area of it, at once, without handling any
    // input: for a user-interface thread that is about to be busy.
    void repaintNow();
    void repaintNow(const Rect& area);
    // Shows or hides the dialog's window, e.g. while it initialises.
    void setShown(bool shown);

    // The dialog's client size in pixels.
    int width() const;
    int height() const;

    // Shell state: a Done button in the navigation bar, full-screen sizing.
    bool hasDoneButton() const { return doneButton_; }
    void setDoneButton(bool shown);
    bool isFullScreen() const { return fullScreen_; }
    void setFullScreen(bool fullScreen);

    bool ended() const { return ended_; }
    std::intptr_t result() const { return result_; }

    // Used by dialogBox and endDialog.
    void runModal();
    void end(std::intptr_t result);
    void initialise();
    void destroy();

private:
    struct Timer;
    template <class T> T& typed(int id);

    DialogTemplate template_;
    Dialog* owner_;
    DialogProc procedure_;
    std::intptr_t parameter_;
    BaseUnits units_;
    std::u16string caption_;
    DialogWidget* widget_ = nullptr;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<std::pair<int, std::type_index>, std::unique_ptr<Control>> nullControls_;
    std::map<int, std::unique_ptr<Timer>> timers_;
    std::shared_ptr<Surface> surface_;
    QEventLoop* loop_ = nullptr;
    bool doneButton_ = false;
    bool fullScreen_ = false;
    bool ended_ = false;
    bool destroyed_ = false;
    bool initialised_ = false;
    std::intptr_t result_ = 0;
};

// Builds dialog templateId, shows it on the screen above its owner, delivers
// the initialise event, runs a nested event loop until endDialog, delivers
// the destroy event, removes it and returns its result; -1 when the template
// does not exist.
std::intptr_t dialogBox(int templateId, Dialog* owner, DialogProc procedure, std::intptr_t parameter = 0);
// The same for a template at hand.
std::intptr_t dialogBox(DialogTemplate tmpl, Dialog* owner, DialogProc procedure, std::intptr_t parameter = 0);
void endDialog(Dialog& dialog, std::intptr_t result);

// For tests and tools: called with every modal dialog after its initialise
// event and before its loop runs. The hook may send events or end the dialog.
using DialogHook = std::function<void(Dialog&)>;
void setDialogHook(DialogHook hook);

// A procedure that only ends the dialog with 1 on the Done command.
std::intptr_t defaultDialogProc(Dialog& dialog, const Event& event);

// Colour request answers: a procedure returns the brush to paint with.
inline std::intptr_t brushResult(const Brush* brush) { return reinterpret_cast<std::intptr_t>(brush); }

} // namespace ui
