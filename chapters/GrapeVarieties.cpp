// The grape varieties chapter, dialog 128. The description field is
// editable, but what the user types is never kept: the next pick replaces it.
#include "chapters/GrapeVarieties.h"

#include "chapters/GrapeVarietiesState.h"
#include "db/Sql.h"
#include "platform/shell/Shell.h"
#include "platform/text/Utf16.h"
#include "platform/ui/Dialog.h"
#include "resources/VarietyTexts.h"
#include "resources/dialogs/GrapeVarietiesIds.h"
#include "services/Singletons.h"

namespace GrapeVarieties {

namespace {

using namespace ids::varieties;

constexpr std::size_t kNameChars = 99;
constexpr std::size_t kStatementChars = 200;
constexpr std::int16_t kDescriptionChars = 2000;

void initialise(ui::Dialog& dialog)
{
    GrapeVarietiesState& state = *g_grapeVarietiesState;
    shell::initDialog(dialog, shell::kDoneButton | shell::kFullScreen);
    state.titleFont = ui::createFont(20, 700, u"Tahoma");
    dialog.control(kTitle).setFont(state.titleFont.get(), true);
    g_shellServices->setInputPanel(false, true);

    ui::ListBox& introduction = dialog.listBox(kIntroList);
    for (std::u16string_view line : resources::kVarietiesIntroduction)
        introduction.addString(line);

    g_wineDatabase->setText(sql::kRedVarieties);
    g_wineDatabase->fillComboBox(dialog.comboBox(kRedCombo));
    g_wineDatabase->setText(sql::kWhiteVarieties);
    g_wineDatabase->fillComboBox(dialog.comboBox(kWhiteCombo));
}

void showVarietyDescription(ui::Dialog& dialog, int list)
{
    std::u16string name = dialog.comboBox(list).currentText();
    if (name.size() > kNameChars)
        name.resize(kNameChars);
    // Only one variety is shown as chosen.
    dialog.comboBox(list == kRedCombo ? kWhiteCombo : kRedCombo).setCurrentIndex(-1);

    g_wineDatabase->setText(descriptionStatement(name).substr(0, kStatementChars));
    char16_t description[kDescriptionChars + 1] = {};
    g_wineDatabase->queryValue(description, kDescriptionChars);
    ShellServices::unscramble(description);
    dialog.edit(kDescriptionEdit).setText(description);
}

void command(ui::Dialog& dialog, const ui::Event& event)
{
    if ((event.controlId == kRedCombo || event.controlId == kWhiteCombo) && event.code == ui::kSelectionChanged)
        showVarietyDescription(dialog, event.controlId);
    // Tapping into the description asks for nothing more than this request,
    // so the input panel stays down.
    if (event.controlId == ui::kIdOk)
        ui::endDialog(dialog, 1);
    else
        requestInputPanel();
}

} // namespace

std::u16string descriptionStatement(std::u16string_view name)
{
    const std::u16string quoted = ShellServices::doubleApostrophes(name);
    if (name.find_first_of(u"*?") == std::u16string_view::npos)
        return text::format(sql::kVarietyDescription, {quoted});
    return text::format(sql::kVarietyDescriptionExact, {static_cast<int>(name.size()), quoted});
}

std::intptr_t dialogProc(ui::Dialog& dialog, const ui::Event& event)
{
    if (!g_grapeVarietiesState)
        return 0;
    g_grapeVarietiesState->dialog = &dialog;
    switch (event.kind) {
    case ui::EventKind::Initialise:
        initialise(dialog);
        return 0;
    case ui::EventKind::Command:
        command(dialog, event);
        return 0;
    case ui::EventKind::Size:
    case ui::EventKind::Paint:
    case ui::EventKind::SettingChange:
        requestInputPanel();
        return 0;
    case ui::EventKind::Destroy:
        g_grapeVarietiesState->titleFont.reset();
        g_grapeVarietiesState->dialog = nullptr;
        return 0;
    default:
        return 0;
    }
}

} // namespace GrapeVarieties
