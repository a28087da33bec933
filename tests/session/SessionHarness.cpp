#include "SessionHarness.h"

#include "model/Catalogue.h"
#include "support/Paths.h"
#include "support/TestLists.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace vorn::test {

DialogResult SessionOperator::ShowMessageDialog(const MessageDialog& dialog) {
    if (PendingDialogAnswers() == 0 && dialog.buttons.size() == 1 &&
        dialog.buttons[0].result == DialogResult::Ok) {
        AnswerDialog(DialogResult::Ok);
    }
    return ScriptedOperator::ShowMessageDialog(dialog);
}

void SessionOperator::SetWindowEnabled(bool enabled) {
    windowEnabled = enabled;
    windowDisables += enabled ? 0 : 1;
}

void SessionOperator::ShowWait(const std::string& text) {
    EXPECT_FALSE(waitShown) << "the wait window was shown twice";
    waitShown = true;
    ++waitShows;
    waitTexts.push_back(text);
}

void SessionOperator::SetWaitProgress(bool visible, int, int position) {
    if (visible) {
        progressPositions.push_back(position);
    }
}

void SessionOperator::CloseWait() {
    waitShown = false;
}

void SessionOperator::Show(SelectDeviceDialog& dialog) {
    ++selectDeviceShows;
    if (!selectDevice) {
        ADD_FAILURE() << "the select-device dialog was shown without a script";
        return;
    }
    selectDevice(dialog);
}

void SessionOperator::Show(ReceiveRadioDialog& dialog) {
    ++receiveRadioShows;
    receiveRadioActions.push_back(dialog.ActionText());
    for (int tick = 0; dialog.Shown(); ++tick) {
        if (beforeTick) {
            beforeTick(dialog, tick);
        }
        if (!dialog.Shown()) {
            break;
        }
        if (tick >= maxTicks) {
            ADD_FAILURE() << "the receive-radio dialog is still waiting after " << maxTicks << " ticks";
            dialog.btbtnAbortClick();
            break;
        }
        clock_.Sleep(dialog.TickInterval());
        dialog.Tick();
    }
}

void SessionOperator::Show(ChangeCodeDialog& dialog) {
    if (!changeCode) {
        ADD_FAILURE() << "the change-ID-code dialog was shown without a script";
        return;
    }
    changeCode(dialog);
}

std::vector<std::string> SessionOperator::DialogTexts() const {
    std::vector<std::string> texts;
    for (const MessageDialog& dialog : Dialogs()) {
        texts.push_back(dialog.text);
    }
    return texts;
}

std::function<void(SelectDeviceDialog&)> ConfirmDevice(std::uint32_t serial, std::string band) {
    return [serial, band](SelectDeviceDialog& dialog) {
        FieldModel& fields = dialog.Fields();
        fields.Clear(SelectDeviceDialog::SerialField);
        for (const char ch : std::to_string(serial)) {
            EXPECT_EQ(dialog.KeyPress(SelectDeviceDialog::SerialField, static_cast<char32_t>(ch)),
                      KeyResult::Accepted);
        }
        if (!band.empty()) {
            EXPECT_TRUE(fields.SelectText(SelectDeviceDialog::BandField, band)) << band;
        }
        dialog.KeyPress(SelectDeviceDialog::SerialField, SelectDeviceDialog::EnterKey);
        EXPECT_TRUE(dialog.Closed());
    };
}

std::function<void(SelectDeviceDialog&)> EscapeDevice() {
    return [](SelectDeviceDialog& dialog) {
        dialog.KeyPress(SelectDeviceDialog::ProductsField, SelectDeviceDialog::EscapeKey);
    };
}

sim::SimScenario SessionHarness::DemoScenario() {
    return sim::DemoScenario(DataFolder());
}

SessionHarness::SessionHarness(sim::SimScenario scenario)
    : sim(std::move(scenario)), lists(EnglishLists()), view(sim.clock), pump([this] {
          pumpTimes.push_back(sim.clock.Now());
          if (onPump) {
              onPump();
          }
      }) {
    texts.LoadFile(DataFolder() + "English-1033.lang");
    editor = std::make_unique<Editor>(lists, texts, view);
    sessions = std::make_unique<DeviceSessions>(
        SessionContext(config, *editor, sim.link, job, lists, texts,
                       SessionViews{view, view, view, pump, view, view, view}, host));
    sessions->ChangeCode().Texts().LoadFile(texts.FilePath());
}

Millis SessionHarness::LargestPumpGap() const {
    Millis largest{0};
    for (std::size_t i = 1; i < pumpTimes.size(); ++i) {
        largest = std::max(largest, pumpTimes[i] - pumpTimes[i - 1]);
    }
    return largest;
}

void SessionHarness::LoadDefault(std::uint8_t productType) {
    const ProductInfo* product = FindProduct(productType);
    ASSERT_NE(product, nullptr);
    ASSERT_TRUE(
        config.ReadImageFile(DataFolder() + "DefaultConfig/Europe/" + std::string(product->defaultFileName)));
    config.ConfigOrigin = Origin::Default;
    ASSERT_EQ(editor->ImageToFields(config.Image), ResultSuccess);
    config.Snapshot();
}

std::string SessionHarness::Text(std::string_view section, std::string_view key,
                                 const FormatArgs& args) const {
    return FormatText(texts.Text(section, key), args);
}

sim::MemoryDevice& SessionHarness::Device(std::uint32_t serial) {
    sim::MemoryDevice* device = sim.unit.Firmware().FindDevice(serial);
    if (device == nullptr) {
        throw std::runtime_error("no simulated device " + std::to_string(serial));
    }
    return *device;
}

sim::PresenceUnit& SessionHarness::Presence() {
    return sim.Scenario().PresenceUnits.at(0);
}

} // namespace vorn::test
