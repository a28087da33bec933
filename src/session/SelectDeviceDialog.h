#pragma once

#include "base/CodeLists.h"
#include "lang/ListIni.h"
#include "model/FieldModel.h"
#include "model/ProgData.h"
#include "view/ControlText.h"
#include "view/ModalState.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The select-device dialog's logic (TfrmSelectDevice): before a family A or C read or write the
// operator confirms the model, the serial number and the band the session starts on. Its three
// controls are fields of its own field model (bound by control name); its buttons and keys are
// operations; it can only be confirmed with a usable serial number and a model.
namespace vorn {

// Whom a session addresses, as the dialog was confirmed.
struct DeviceTarget {
    std::uint8_t band = 0;              // the chosen band's number in the receive band list
    std::uint8_t productTypeNumber = 0; // the product type sent in the job request
    std::int64_t serialNumber = -1;     // -1 when the field holds no number
    std::string productName;            // the model's name in the family's device-name list
};

class SelectDeviceDialog : public ModalState {
public:
    static constexpr std::string_view ProductsField = "cbbxProducts";
    static constexpr std::string_view SerialField = "edtSerialNumber";
    static constexpr std::string_view BandField = "cbbxPrimaryFrequencyBand";
    static constexpr std::string_view InstructionsField = "mmoInstructions";
    static constexpr std::size_t SerialMaxLength = 8;
    static constexpr std::int64_t MaxSerialNumber = 0xFFFFFF;
    // Results: 0 while open (or closed without a choice), 1 confirmed, 2 cancelled.
    static constexpr int ResultConfirm = 1;
    static constexpr int ResultCancel = 2;
    static constexpr char32_t EnterKey = 13;
    static constexpr char32_t EscapeKey = 27;

    enum class Mode { Read, Write };

    SelectDeviceDialog();
    SelectDeviceDialog(const SelectDeviceDialog&) = delete;
    SelectDeviceDialog& operator=(const SelectDeviceDialog&) = delete;

    // SetUpSelectDevice: texts in the current language, the model list of the product type's family
    // with its model selected and the instructions (families A and C; any other type leaves the list
    // empty), and the receive bands with the band chosen last (the first at the first showing). The
    // serial number keeps its last text.
    void SetUp(Mode mode, std::uint8_t productType, const ListIni& texts, const CodeLists& lists);
    // The serial number the dialog proposes: the one the configuration on screen holds (read from a
    // device or a file), so a session is not aimed at the device typed for an earlier one; without
    // one (a default configuration holds 0) the number typed last stays.
    void ProposeSerialNumberOf(const ProgData::Bytes& image);

    const std::string& Caption() const { return caption_; }
    // Captions of gbSelectDeviceInfo, lblDeviceName, lblSerialNumber, lblPrimaryFrequencyBand,
    // btnWriteOrRead and btnCancel.
    const std::vector<ControlText>& ControlTexts() const { return controlTexts_; }
    // The lines of mmoInstructions (the memo is read-only).
    const std::vector<std::string>& Instructions() const { return instructions_; }
    FieldModel& Fields() { return fields_; }
    const FieldModel& Fields() const { return fields_; }
    // btnWriteOrRead is enabled exactly while the serial number is valid.
    bool ConfirmEnabled() const { return confirmEnabled_; }

    // The state observer hears the confirm button's state and the dialog's being closed change.

    // Opening the dialog: the flow calls FormShow just before it asks the view to show the window.
    // Then the operator's acts.
    void FormShow();
    void btnWriteOrReadClick();
    void btnCancelClick();
    // A key pressed in a control of the dialog: Escape cancels from every control; in the serial field
    // Enter confirms as the button does and other keys are typed through the field's filter (digits and
    // the clipboard keys only).
    KeyResult KeyPress(std::string_view control, char32_t key);
    // The window's close box.
    void FormClose() { Finish(ResultCancel); }

    // The serial-number text as a decimal number: -1 when it is empty or holds anything but digits.
    static std::int64_t SerialNumberOf(std::string_view text);
    bool SerialValid() const;
    // The confirmed choices: band, product type number and name by the rules of the family of the
    // edited image's product type (family C sends 0 unless that type is a positioning-unit model).
    // unknownName stands for a family C model that the list lacks ("Unknown" when reading).
    DeviceTarget Target(const CodeLists& lists, std::uint8_t imageProductType,
                        std::string_view unknownName) const;

private:
    void SerialChanged();

    FieldModel fields_;
    std::string caption_;
    std::vector<ControlText> controlTexts_;
    std::vector<std::string> instructions_;
    bool confirmEnabled_ = false; // disabled at first
};

} // namespace vorn
