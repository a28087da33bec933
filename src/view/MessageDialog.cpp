#include "view/MessageDialog.h"

#include <algorithm>

namespace vorn {

bool MessageDialog::Accepts(DialogResult result) const {
    if (result == DialogResult::None || result == escapeResult) {
        return true;
    }
    return std::any_of(buttons.begin(), buttons.end(),
                       [&](const MessageButton& b) { return b.closes && b.result == result; });
}

WindowOrigin CentreOver(int ownerLeft, int ownerTop, int ownerWidth, int ownerHeight, int width, int height) {
    // Integer division in C++ truncates toward zero, as the halving must.
    return {ownerLeft + (ownerWidth - width) / 2, ownerTop + (ownerHeight - height) / 2};
}

} // namespace vorn
