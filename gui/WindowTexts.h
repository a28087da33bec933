#pragma once

#include "view/ControlText.h"

#include <string>
#include <string_view>
#include <vector>

#include <QString>

class QWidget;

namespace vorn::gui {

// Sets the captions and hints that the core made for a window's controls, by control name: labels,
// group boxes and buttons below the window. A name the window lacks is passed over.
void ApplyWindowTexts(QWidget& window, const std::vector<ControlText>& texts);

// A core name as Qt wants it.
inline QString QtName(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// Lines joined for a label or a memo.
QString JoinLines(const std::vector<std::string>& lines);

} // namespace vorn::gui
