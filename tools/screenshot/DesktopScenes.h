// The desktop's own scenes, for docs/screenshots: the country list and the
// white-variety list dropped open, and a long results label scrolled into view.
#pragma once

#include <QDir>
#include <QImage>
#include <QString>

#include <functional>

// The screen window as it stands, with an open drop-down list drawn where it lies.
QImage screenWithPopups(int scale);

// grab returns the screen as it stands; false when a picture was not written.
bool saveDropDownScenes(const QDir& folder, const std::function<QImage()>& grab);
