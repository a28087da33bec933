#include "base/AsciiText.h"
#include "editor/Editor.h"
#include "lang/TextFormat.h"
#include "lang/TranslatedDialog.h"
#include "model/FamilyAMap.h"
#include "model/FamilyCMap.h"
#include "model/PulseTime.h"
#include "model/ValueHelpers.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

// The range checks of the editor's free-text fields: a value outside its range is answered with the
// range message at once and the field goes back to its last accepted value, so it never keeps an
// out-of-range value and never loses the operator's earlier one. While an image is shown there is
// no earlier value of that configuration: the field takes its reset value then.
namespace vorn {

namespace {

enum class CheckRule {
    Byte,              // 0 to 255
    Nibble,            // 0 to 15
    SystemId,          // 0 to 65534; the message names 1 as the lowest
    HexCode,           // any code but 0000 and FFFF
    RadioTestInterval, // 0 to 65535
    RfidPowerTyping,   // refuses only what no further key can bring into range
    RfidPowerLeaving,  // 10 to 100 when the field is left
    PulseTime,         // 0.1 to 6553.5 s when the field is left
    // A number field left empty would store 0, a number nobody typed: refused with its range.
    FilledByte,
    FilledNibble,
    FilledTwoDigits,
    FilledRadioTestInterval,
};

struct RangeRule {
    CheckRule rule;
    FieldEvent when;
    bool guardedByFilling;
    const char* lowest; // bounds as the message shows them
    const char* highest;
};

constexpr std::array<RangeRule, 12> RangeRules{{
    {CheckRule::Byte, FieldEvent::Change, false, "0", "255"},
    {CheckRule::Nibble, FieldEvent::Change, false, "0", "15"},
    {CheckRule::SystemId, FieldEvent::Change, false, "1", "65534"},
    {CheckRule::HexCode, FieldEvent::Change, true, "0001", "FFFE"},
    {CheckRule::RadioTestInterval, FieldEvent::Change, true, "0", "65535"},
    {CheckRule::RfidPowerTyping, FieldEvent::Change, false, "10", "100"},
    {CheckRule::RfidPowerLeaving, FieldEvent::Exit, false, "10", "100"},
    {CheckRule::PulseTime, FieldEvent::Exit, false, "0.1", "6553.5"},
    {CheckRule::FilledByte, FieldEvent::Exit, false, "0", "255"},
    {CheckRule::FilledNibble, FieldEvent::Exit, false, "0", "15"},
    {CheckRule::FilledTwoDigits, FieldEvent::Exit, false, "0", "99"},
    {CheckRule::FilledRadioTestInterval, FieldEvent::Exit, false, "0", "65535"},
}};

const RangeRule& RuleOf(CheckRule rule) {
    for (const RangeRule& r : RangeRules) {
        if (r.rule == rule) {
            return r;
        }
    }
    return RangeRules.front();
}

struct FieldCheck {
    std::string field;
    CheckRule rule;
};

// The fields and their rules. The unit radio ID field runs its check through its own change handler
// (it also updates the automatic actions).
std::vector<FieldCheck> FieldChecks() {
    std::vector<FieldCheck> checks;
    for (int i = 1; i <= FamilyAMap::ActionCount; ++i) {
        checks.push_back({"edtAction_" + ActionRowName(i) + "_RadioId", CheckRule::HexCode});
    }
    checks.push_back({"edtHESK_RadioIdCode", CheckRule::HexCode});
    checks.push_back({"edtGOFA_UnitIdCode", CheckRule::HexCode});
    checks.push_back({"edtGOFA_Position", CheckRule::HexCode});
    // Family C's ID codes and family A's radio events share the loop, and so their count.
    static_assert(FamilyCMap::IdCodeCount == FamilyAMap::RadioEventCount);
    for (int n = 1; n <= FamilyAMap::RadioEventCount; ++n) {
        checks.push_back({"edtGOFA_IdCode" + std::to_string(n), CheckRule::HexCode});
        checks.push_back({"edtRadioEvent_" + std::to_string(n) + "_RadioId", CheckRule::HexCode});
        checks.push_back({"edtRadioEvent_" + std::to_string(n) + "_PositionId", CheckRule::HexCode});
    }
    for (const char* field :
         {"edtRadioTestAlarmInterval", "edtNumberOfMissedAckBeforeSleep", "edtBatteryCheckInterval",
          "edtEquipmentType", "edtOutput_1_GroupActivationCode_1", "edtOutput_1_GroupActivationCode_2",
          "edtOutput_2_GroupActivationCode_1", "edtOutput_2_GroupActivationCode_2",
          "edtHESK_RadioTestAlarmInterval", "edtHESK_NumberOfMissedAck", "edtHESK_BatteryCheckInterval",
          "edtHESK_EquipmentType", "edtHESK_AutoReadyTime", "edtGOFA_GroupActivationCode",
          "edtGOFA_EquipmentType"}) {
        checks.push_back({field, CheckRule::Byte});
        checks.push_back({field, CheckRule::FilledByte});
    }
    for (const char* field : {"edtMaxShortTx", "edtMaxLongTx", "edtHESK_MaxShortTx", "edtHESK_MaxLongTx",
                              "edtGOFA_MaxShort", "edtGOFA_MaxLong"}) {
        checks.push_back({field, CheckRule::Nibble});
        checks.push_back({field, CheckRule::FilledNibble});
    }
    for (const char* field : {"edtMaxNumberOfBursts", "edtTimeBetweenBursts", "edtHESK_MaxNumberOfBursts",
                              "edtGOFA_MaxBursts", "edtGOFA_TimeBetweenBursts"}) {
        checks.push_back({field, CheckRule::FilledTwoDigits});
    }
    checks.push_back({"edtHalvoSystemId", CheckRule::SystemId});
    checks.push_back({"edtGOFA_HalvoSystemId", CheckRule::SystemId});
    checks.push_back({"edtGOFA_RadioTestInterval", CheckRule::RadioTestInterval});
    checks.push_back({"edtGOFA_RadioTestInterval", CheckRule::FilledRadioTestInterval});
    checks.push_back({"edtGOFA_RfidPower", CheckRule::RfidPowerTyping});
    checks.push_back({"edtGOFA_RfidPower", CheckRule::RfidPowerLeaving});
    checks.push_back({"medtPulseActivationTime", CheckRule::PulseTime});
    checks.push_back({"medtGOFA_RelayPulseTime", CheckRule::PulseTime});
    return checks;
}

// True when the value is outside the rule's range; the integer rules read the text with IntOrZero.
bool Refuses(CheckRule rule, const std::string& text, char32_t separator) {
    const long long value = IntOrZero(text);
    switch (rule) {
    case CheckRule::Byte: return value < 0 || value > 255;
    case CheckRule::Nibble: return value < 0 || value > 15;
    case CheckRule::SystemId: return !text.empty() && (value < 0 || value > 65534);
    // Typing turns letters into upper case, a paste does not; "ffff" stores the same reserved code.
    case CheckRule::HexCode: return text == "0000" || EqualsIgnoreCase(text, "FFFF");
    case CheckRule::RadioTestInterval: return value > 65535;
    case CheckRule::RfidPowerTyping: return value < 0 || value > 100;
    case CheckRule::RfidPowerLeaving: return value < 10 || value > 100;
    case CheckRule::PulseTime: {
        const auto number = ParseDecimalTenths(text, separator);
        return !number || number->tenths < 1 || number->tenths > 65535 ||
               (number->tenths == 65535 && number->beyondTenths);
    }
    case CheckRule::FilledByte:
    case CheckRule::FilledNibble:
    case CheckRule::FilledTwoDigits:
    case CheckRule::FilledRadioTestInterval: return text.empty();
    }
    return false;
}

} // namespace

void Editor::ShowRangeMessage(std::string_view lowest, std::string_view highest) {
    const std::string text =
        FormatText(texts_.Text("COMMON", "MESSAGE-ENTERED_VALUE_MUST_BE_BETWEEN_N_AND_N"),
                   {std::string(lowest), std::string(highest)});
    ShowMessageDialog(texts_, view_, text, MessageKind::Error, Buttons::Ok);
}

void Editor::RefuseValue(const std::string& field, const std::string& resetText,
                         const std::function<bool(const std::string&)>& refuses) {
    // The last accepted value may itself be one the rule refuses (a field never filled yet).
    if (Filling || refuses(fields_.Get(field).Committed().text)) {
        fields_.SetText(field, resetText);
    } else {
        fields_.Restore(field);
    }
}

void Editor::CheckHexCode(const Field& sender) {
    if (Filling) {
        return;
    }
    const std::string name = sender.Name();
    if (Refuses(CheckRule::HexCode, sender.Text(), decimalSeparator_)) {
        const RangeRule& rule = RuleOf(CheckRule::HexCode);
        ShowRangeMessage(rule.lowest, rule.highest);
        RefuseValue(name, "", [this](const std::string& text) {
            return Refuses(CheckRule::HexCode, text, decimalSeparator_);
        });
    } else if (sender.Tag() == 999) {
        ActionListDirty = true;
    }
}

void Editor::BindFieldChecks() {
    for (const FieldCheck& check : FieldChecks()) {
        const RangeRule& rule = RuleOf(check.rule);
        if (check.rule == CheckRule::HexCode) {
            fields_.On(check.field, FieldEvent::Change,
                       [this](const Field& sender) { CheckHexCode(sender); });
            continue;
        }
        fields_.On(check.field, rule.when, [this, &rule](const Field& sender) {
            if (rule.guardedByFilling && Filling) {
                return;
            }
            if (!Refuses(rule.rule, sender.Text(), decimalSeparator_)) {
                return;
            }
            const std::string name = sender.Name();
            ShowRangeMessage(rule.lowest, rule.highest);
            // The value put back must also pass the rule the field is left with.
            const CheckRule kept =
                rule.rule == CheckRule::RfidPowerTyping ? CheckRule::RfidPowerLeaving : rule.rule;
            const auto refuses = [this, kept](const std::string& text) {
                return Refuses(kept, text, decimalSeparator_);
            };
            switch (rule.rule) {
            case CheckRule::RfidPowerTyping:
            case CheckRule::RfidPowerLeaving: RefuseValue(name, "10", refuses); break;
            case CheckRule::PulseTime: RefuseValue(name, FormatTenths(30, decimalSeparator_), refuses); break;
            default: RefuseValue(name, "", refuses); break;
            }
        });
    }
}

} // namespace vorn
