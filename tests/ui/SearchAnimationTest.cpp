// The search progress animation: its frames in order, its stop and join
// rules, and the frames a busy search puts on the screen. The pause between
// frames is replaced, so no test waits on a clock.
#include "search/SearchAnimation.h"

#include "app/Singletons.h"
#include "resources/Bitmaps.h"
#include "resources/dialogs/SearchFormIds.h"
#include "search/QueryBuilder.h"
#include "search/SearchCriteria.h"
#include "search/SearchForm.h"
#include "search/SearchFormState.h"
#include "platform/ado/Recordset.h"
#include "platform/shell/ProgramPath.h"
#include "platform/text/Utf16.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "tests/support/GuideFixture.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

namespace {

using namespace ids::search;

bool stopAsked()
{
    return g_searchFormState->stopRequested.load() != 0;
}

// A pause that lasts until the test lets the thread go on, or until the
// animation is asked to stop.
struct SteppedPause {
    std::atomic<int> pauses{0};
    std::atomic<int> allowed{0};

    void operator()(std::chrono::milliseconds length)
    {
        EXPECT_EQ(length, kSearchFramePause);
        const int mine = pauses.fetch_add(1);
        while (allowed.load() <= mine && !stopAsked())
            std::this_thread::yield();
    }
    // Waits until the thread has drawn its n-th frame and pauses after it.
    void awaitPause(int n)
    {
        while (pauses.load() < n)
            std::this_thread::yield();
    }
    void next() { allowed.fetch_add(1); }
};

QImage shownFrame()
{
    const ui::Rect r = g_searchFormState->animationRect;
    return g_searchFormState->animationSurface->snapshot().copy(r.x, r.y, r.width, r.height).convertToFormat(QImage::Format_RGB32);
}

QImage frameBitmap(int index)
{
    return ui::loadBitmap(ids::bitmap::kFirstSearchFrame + index)->image().convertToFormat(QImage::Format_RGB32);
}

// What the screen shows at the picture, read from the window system without
// running the event loop, as a busy user-interface thread would leave it.
QImage onScreen(ui::Dialog& form)
{
    const ui::Rect r = g_searchFormState->animationRect;
    QWidget* window = form.widget()->window();
    const QPoint at = form.widget()->mapTo(window, QPoint(r.x, r.y));
    return QGuiApplication::primaryScreen()
        ->grabWindow(window->winId(), at.x(), at.y(), r.width, r.height)
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

class SearchAnimationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string folder = testing_support::freshFolder();
        testing_support::buildDatabase(testing_support::fixtureSources(), folder);
        testing_support::placeProgramIn(folder);
        app::createSingletons();
        g_wineDatabase->allocateTextBuffer();
        ASSERT_TRUE(g_wineDatabase->open());
        setSearchAnimationSleep(std::ref(pause));
        ui::setMessageBoxPresenter([](const ui::MessageBoxRequest&) { return ui::kIdOk; });
    }
    void TearDown() override
    {
        ui::setDialogHook({});
        ui::setMessageBoxPresenter({});
        shell::setProgramPathForTesting(u"");
        g_wineDatabase->freeTextBuffer();
        app::createSingletons();
        setSearchAnimationSleep({});
    }

    void inForm(const std::function<void(ui::Dialog&)>& act)
    {
        ui::setDialogHook([&](ui::Dialog& d) {
            if (d.templateId() == kTemplate)
                act(d);
            ui::endDialog(d, 1);
        });
        ui::dialogBox(kTemplate, nullptr, SearchForm::dialogProc);
    }

    SteppedPause pause;
};

TEST_F(SearchAnimationTest, FramesRunFromTheFirstToTheSixthAndAroundAgain)
{
    inForm([&](ui::Dialog& form) {
        startSearchAnimation();
        EXPECT_TRUE(form.control(kAnimation).isVisible());
        constexpr int kShown = 8;
        for (int n = 0; n < kShown; ++n) {
            SCOPED_TRACE(n);
            pause.awaitPause(n + 1);
            EXPECT_EQ(shownFrame(), frameBitmap(n % ids::bitmap::kSearchFrames));
            if (n + 1 < kShown)
                pause.next();
        }
        // The stop comes while the thread pauses after its last frame.
        stopSearchAnimation();
        EXPECT_FALSE(form.control(kAnimation).isVisible());
        // Nothing drawn stays over the hidden picture.
        EXPECT_TRUE(form.surface().isEmpty());
        joinSearchAnimation();
        EXPECT_FALSE(g_searchFormState->animationThread.joinable());
    });
}

TEST_F(SearchAnimationTest, EverySearchStartsAtTheFirstFrameAndJoinsTheThreadBefore)
{
    inForm([&](ui::Dialog&) {
        startSearchAnimation();
        pause.awaitPause(1);
        pause.next();
        pause.awaitPause(2);
        // A new search without a stop in between: the running thread is
        // stopped and joined, and the new one starts at the first frame.
        startSearchAnimation();
        pause.awaitPause(3);
        EXPECT_EQ(shownFrame(), frameBitmap(0));
        EXPECT_EQ(g_searchFormState->framesDrawn.load(), 1);
        stopSearchAnimation();
    });
    // Closing the form joined the last thread.
    EXPECT_FALSE(g_searchFormState->animationThread.joinable());
}

TEST_F(SearchAnimationTest, StopRightAfterTheStartIsNeverLost)
{
    for (int round = 0; round < 20; ++round) {
        inForm([&](ui::Dialog& form) {
            startSearchAnimation();
            stopSearchAnimation();
            // The thread sees the stop whenever it begins: this returns.
            joinSearchAnimation();
            EXPECT_FALSE(form.control(kAnimation).isVisible());
        });
    }
    EXPECT_LE(pause.pauses.load(), 20);
}

TEST_F(SearchAnimationTest, StateRecordGoingAtExitJoinsARunningThread)
{
    inForm([&](ui::Dialog&) {
        startSearchAnimation();
        pause.awaitPause(1);
        ASSERT_TRUE(g_searchFormState->animationThread.joinable());
        delete g_searchFormState;
        g_searchFormState = new SearchFormState;
    });
}

TEST_F(SearchAnimationTest, BusySearchPresentsEachNewFrameOnce)
{
    inForm([&](ui::Dialog& form) {
        // The form is on the screen before the search starts.
        QApplication::processEvents();
        startSearchAnimation();
        pause.awaitPause(1);
        // The database's progress callback, as a long statement calls it.
        presentSearchAnimation();
        presentSearchAnimation();
        EXPECT_EQ(g_searchFormState->framesPresented, 1);
        EXPECT_EQ(onScreen(form), frameBitmap(0));
        pause.next();
        pause.awaitPause(2);
        // Drawn, but the busy thread has not shown it yet.
        EXPECT_EQ(onScreen(form), frameBitmap(0));
        presentSearchAnimation();
        EXPECT_EQ(g_searchFormState->framesPresented, 2);
        EXPECT_EQ(onScreen(form), frameBitmap(1));

        // The callback is on the connection while the search runs ...
        pause.next();
        pause.awaitPause(3);
        g_wineDatabase->setText(u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
                                u"SELECT count(*) FROM n");
        char16_t count[16] = {};
        EXPECT_TRUE(g_wineDatabase->queryValue(count, 15));
        EXPECT_EQ(g_searchFormState->framesPresented, 3);

        // ... and off it, and silent, once the search has stopped.
        stopSearchAnimation();
        presentSearchAnimation();
        EXPECT_TRUE(g_wineDatabase->queryValue(count, 15));
        EXPECT_EQ(g_searchFormState->framesPresented, 3);
    });
}

// Frames reach the screen during full-text searches on a guide of 100 000
// entries: the exact search, which finds nothing, and the tolerant search
// that follows it, both run as "Suche starten" runs them. ctest makes the
// guide and names it in VINARIA_BIG_GUIDE (search_animation_big_guide).
TEST_F(SearchAnimationTest, FramesShownDuringFullTextSearchesOnABigGuide)
{
    const char* big = std::getenv("VINARIA_BIG_GUIDE");
    if (!big)
        GTEST_SKIP() << "run as the ctest search_animation_big_guide, which makes the guide";
    const std::string folder = testing_support::freshFolder();
    std::filesystem::copy_file(big, folder + "/vinaria2007_db.cdb");
    testing_support::placeProgramIn(folder);
    ASSERT_TRUE(g_wineDatabase->open());
    // The thread draws without pausing, so what is counted is how often the
    // busy search lets a new frame onto the screen, not how long it takes.
    setSearchAnimationSleep([](std::chrono::milliseconds) { std::this_thread::yield(); });

    inForm([&](ui::Dialog& form) {
        QApplication::processEvents();
        form.checkBox(kFullTextCheck).setChecked(true);
        form.edit(kKeywordEdit).setText(u"Kirsché");
        const SearchCriteria criteria = SearchForm::readSearchCriteria();
        const std::u16string tolerant = composeTolerantStatement(criteria, u"\n", u"kirsche");
        int framesBeforeTolerant = -1;
        std::vector<std::u16string> messages;
        ui::setMessageBoxPresenter([&](const ui::MessageBoxRequest& r) {
            messages.push_back(r.text);
            return ui::kIdOk;
        });
        g_wineDatabase->statementObserver = [&](std::u16string_view sql) {
            if (sql == tolerant)
                framesBeforeTolerant = g_searchFormState->framesPresented;
        };
        form.sendCommand(kStartButton);
        g_wineDatabase->statementObserver = {};
        const int exactFrames = framesBeforeTolerant;
        const int tolerantFrames = g_searchFormState->framesPresented - framesBeforeTolerant;
        std::printf("full-text searches: %d frames presented during the exact one, %d during the tolerant one\n",
                    exactFrames, tolerantFrames);
        RecordProperty("exactFrames", exactFrames);
        RecordProperty("tolerantFrames", tolerantFrames);
        ASSERT_GE(messages.size(), 1u);
        EXPECT_TRUE(messages.front().starts_with(u"Keine Treffer für „Kirsché“")) << testing_support::utf8(messages.front());
        EXPECT_GE(exactFrames, 5);
        EXPECT_GE(tolerantFrames, 5);
    });
}

} // namespace
