#pragma once

#include "platform/Locale.h"

#include <QString>
#include <QStringList>

namespace vorn::gui {

class ProgramWindow;

// The folders a screenshot run works in: the program's data and documents below a temporary folder,
// so that it starts as on a new machine and leaves the user's own settings alone.
EnvironmentLookup ScreenshotEnvironment(const QString& folder);

// Answers the select-region dialog of a first start with OK (the first region), so that a run
// without an operator gets past it.
void AnswerFirstStartRegion();

// Writes one PNG per page and window to the folder, for every language of the started program: the
// device page, the editor pages of the three families, the message window, the about window, the
// select-region window and the communication windows (select-device, wait, receive-radio and
// change-ID-code). Returns the files written; an empty list when the folder cannot be written.
QStringList WriteScreenshots(ProgramWindow& program, const QString& folder);

} // namespace vorn::gui
