// The dialogs' faces are used without fallback faces, which keeps the start
// quick: every character the guide and the program's own texts show must be
// in the face that draws it. What the user types may still be anything.
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Template.h"
#include "tests/support/GuideFixture.h"

#include <QFile>
#include <QLineEdit>
#include <QRawFont>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>

namespace {

namespace fs = std::filesystem;

// Every character of the guide's sources and the program's text resources.
std::set<char32_t> shownCharacters()
{
    std::set<char32_t> shown;
    const fs::path root(testing_support::sourceDir());
    for (const fs::path& folder : {root / "data" / "guide", root / "resources"}) {
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".csv" && ext != ".h" && ext != ".json"))
                continue;
            QFile file(QString::fromStdString(entry.path().string()));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            for (const char32_t c : QString::fromUtf8(file.readAll()).toUcs4())
                if (c >= 0x20)
                    shown.insert(c);
        }
    }
    return shown;
}

TEST(FontCoverage, TheDialogFacesHoldEveryCharacterTheGuideAndTheProgramShow)
{
    const std::set<char32_t> shown = shownCharacters();
    ASSERT_GT(shown.size(), 100u);
    for (const int weight : {400, 700}) {
        const QRawFont face = QRawFont::fromFont(ui::makeFont(u"Tahoma", -11, weight));
        ASSERT_TRUE(face.isValid());
        for (const char32_t c : shown)
            EXPECT_TRUE(face.supportsCharacter(c)) << face.familyName().toStdString() << " lacks U+" << std::hex
                                                   << static_cast<unsigned>(c);
    }
}

TEST(FontCoverage, AnEditFieldMayBorrowACharacterItsFaceLacks)
{
    const std::optional<ui::DialogTemplate> tmpl = ui::loadTemplate(126); // the search form
    ASSERT_TRUE(tmpl);
    ui::Dialog dialog(*tmpl, nullptr, [](ui::Dialog&, const ui::Event&) -> std::intptr_t { return 0; }, 0);
    int edits = 0;
    for (const auto& control : tmpl->controls) {
        QWidget* widget = dialog.control(control.id).widget();
        if (!qobject_cast<QLineEdit*>(widget))
            continue;
        ++edits;
        EXPECT_FALSE(widget->font().styleStrategy() & QFont::NoFontMerging);
        // Also once a font of the program's own is set on it.
        const auto bold = ui::createFont(14, 700, u"Tahoma");
        dialog.control(control.id).setFont(bold.get(), false);
        EXPECT_FALSE(widget->font().styleStrategy() & QFont::NoFontMerging);
        EXPECT_TRUE(widget->font().bold());
    }
    EXPECT_GT(edits, 0);
    EXPECT_TRUE(dialog.widget()->font().styleStrategy() & QFont::NoFontMerging);
}

} // namespace
