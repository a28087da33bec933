#pragma once

#include <functional>

#include <QWidget>

class QToolButton;

namespace vorn::gui {

// The device page (tbsSelectDevice): one square picture button per model, bbtnDevice_1 to
// bbtnDevice_12. The nine transmitters form a grid of three rows; thin lines part it from the column
// of the presence units (HESK) and from that of the positioning unit (GOFA). The buttons' captions
// come from the language; the tab order is the order of their numbers.
class DevicePage : public QWidget {
public:
    static constexpr int ButtonCount = 12;
    static constexpr int ButtonSide = 146;
    static constexpr int CaptionPointSize = 14;

    explicit DevicePage(QWidget* parent = nullptr);

    // Called with the button's number (1 to 12) when the operator chooses it.
    void SetChooseHandler(std::function<void(int button)> handler) { choose_ = std::move(handler); }
    QToolButton* Button(int number) const;

private:
    std::function<void(int)> choose_;
};

} // namespace vorn::gui
