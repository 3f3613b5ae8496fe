// The reference chapters in use, for docs/screenshots: a variety described,
// the temperature chart's scroll half and fully open, each help page.
#pragma once

#include <QDir>
#include <QString>

#include <functional>

// save writes the screen as it stands to the given path; false on failure.
bool saveChapterScenes(const QDir& folder, const std::function<bool(const QString&)>& save);
