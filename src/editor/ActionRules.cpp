#include "base/Utf8.h"
#include "editor/Editor.h"
#include "model/FamilyAFields.h"
#include "model/FamilyAMap.h"

#include <string>

// Events, actions and the action list of family A: which fields are enabled, the automatic actions
// that transmit under the unit's own code, and the descriptions the action-reference lists show.
namespace vorn {

namespace {

constexpr int NoTransmission = 255;
constexpr int AutomaticPosition = 253;
constexpr int AnyAlarmType = 254;
constexpr int AnyAlarmTypeExceptBatteryAndTest = 255;

} // namespace

using familyA::Action;
using familyA::ActionAuto;
using familyA::ActionRadioId;
using familyA::RadioEvent;
using familyA::UserEvent;

void Editor::OverflowHint(std::string_view field) {
    const std::string text = fields_.Get(field).Text();
    fields_.SetHint(field, text, fields_.TextOverflows(field));
}

void Editor::UpdateUserTypeEnabling(int row) {
    if (row < 1 || row > FamilyAMap::RadioEventCount) {
        for (int n = 1; n <= FamilyAMap::RadioEventCount; ++n) {
            UpdateUserTypeEnabling(n);
        }
        return;
    }
    const int code =
        CodeOfText(lists_.RadioEventAlarmTypes, fields_.Get(RadioEvent(row, "AlarmType")).Text());
    fields_.SetEnabled(RadioEvent(row, "UserType"), code == AutomaticPosition || code == AnyAlarmType ||
                                                        code == AnyAlarmTypeExceptBatteryAndTest);
}

void Editor::UpdateActionEnabling(int row) {
    if (row < 1 || row > FamilyAMap::ActionCount) {
        for (int i = 1; i <= FamilyAMap::ActionCount; ++i) {
            UpdateActionEnabling(i);
        }
        return;
    }
    const bool transmits =
        CodeOfText(lists_.ActionAlarmTypes, fields_.Get(Action(row, "AlarmType")).Text()) != NoTransmission;
    fields_.SetEnabled(ActionAuto(row), transmits);
    fields_.SetEnabled(ActionRadioId(row), transmits && !fields_.Get(ActionAuto(row)).Checked());
}

void Editor::RefreshOverflowHints() {
    for (int n = 1; n <= FamilyAMap::UserEventCount; ++n) {
        OverflowHint(UserEvent(n, "Condition_A"));
        OverflowHint(UserEvent(n, "Condition_B"));
    }
    for (int n = 1; n <= FamilyAMap::RadioEventCount; ++n) {
        for (const char* role : {"AlarmType", "UserType", "Condition_A", "Condition_B"}) {
            OverflowHint(RadioEvent(n, role));
        }
    }
    for (int i = 1; i <= FamilyAMap::ActionCount; ++i) {
        for (const char* role : {"AlarmType", "Relay_1", "Relay_2"}) {
            OverflowHint(Action(i, role));
        }
    }
}

void Editor::AutomaticRule(const Field& sender) {
    const int row = sender.Tag();
    if (Filling || row < 1 || row > FamilyAMap::ActionCount) {
        return;
    }
    const std::string radioId = ActionRadioId(row);
    if (sender.Checked()) {
        fields_.SetText(radioId, fields_.Get("edtUnitRadioIdCode").Text());
        fields_.SetEnabled(radioId, false);
    } else {
        fields_.SetText(radioId, "");
        fields_.SetEnabled(radioId, true);
        fields_.SetFocus(radioId);
    }
}

void Editor::UnitRadioIdChanged(const Field& sender) {
    if (Filling) {
        return;
    }
    CheckHexCode(sender);
    const std::string unitCode = fields_.Get("edtUnitRadioIdCode").Text();
    for (int i = 1; i <= FamilyAMap::ActionCount; ++i) {
        if (fields_.Get(ActionAuto(i)).Checked()) {
            fields_.SetText(ActionRadioId(i), unitCode);
        }
    }
}

void Editor::RebuildActionReferences() {
    if (!ActionListDirty) {
        return;
    }
    ActionListDirty = false;
    if (!ActionsPageVisible) {
        return;
    }
    lists_.ActionReferences.clear();
    for (int i = 1; i <= FamilyAMap::ActionCount; ++i) {
        const std::string& alarmText = fields_.Get(Action(i, "AlarmType")).Text();
        const std::string& relay1Text = fields_.Get(Action(i, "Relay_1")).Text();
        const std::string& relay2Text = fields_.Get(Action(i, "Relay_2")).Text();
        const int alarm = CodeOfText(lists_.ActionAlarmTypes, alarmText);
        const int relay1 = CodeOfText(lists_.RelayActions, relay1Text);
        const int relay2 = CodeOfText(lists_.RelayActions, relay2Text);
        std::string description = std::to_string(i) + ". ";
        if (alarm == NoTransmission && relay1 == 0 && relay2 == 0) {
            description += texts_.Text("COMMON", "TEXT-NO_ACTION");
        } else {
            bool firstPart = false;
            if (alarm != NoTransmission) {
                const std::string& radioId = fields_.Get(ActionRadioId(i)).Text();
                description += alarmText + ", ";
                description +=
                    Utf8Length(radioId) == 4 ? radioId : texts_.Text("TAB_4", "LABEL-UNIT_ID_CODE");
                description += ".";
                firstPart = true;
            }
            if (relay1 != 0) {
                description +=
                    (firstPart ? " " : "") + texts_.Text("COMMON", "TEXT-RELAY_1") + " " + relay1Text + ".";
                firstPart = true;
            }
            if (relay2 != 0) {
                description +=
                    (firstPart ? " " : "") + texts_.Text("COMMON", "TEXT-RELAY_2") + " " + relay2Text + ".";
            }
        }
        lists_.ActionReferences.push_back(MakeItem(i - 1, description));
    }
    lists_.ActionReferences.push_back(
        MakeItem(FamilyAMap::NoActionReference, texts_.Text("COMMON", "TEXT-NO_ACTION")));

    const std::vector<std::string> texts = DisplayTexts(lists_.ActionReferences);
    auto refill = [&](const std::string& field) {
        FillDropDown(fields_, field, texts);
        OverflowHint(field);
    };
    for (int n = 1; n <= FamilyAMap::UserEventCount; ++n) {
        refill(UserEvent(n, "ActionReference"));
    }
    for (int n = 1; n <= FamilyAMap::RadioEventCount; ++n) {
        refill(RadioEvent(n, "ActionReference"));
    }
}

void Editor::BindActionRules() {
    fields_.On("edtUnitRadioIdCode", FieldEvent::Change,
               [this](const Field& sender) { UnitRadioIdChanged(sender); });
    for (int i = 1; i <= FamilyAMap::ActionCount; ++i) {
        fields_.On(ActionAuto(i), FieldEvent::Click, [this](const Field& sender) { AutomaticRule(sender); });
        fields_.On(Action(i, "AlarmType"), FieldEvent::Change, [this](const Field& sender) {
            OverflowHint(sender.Name());
            UpdateActionEnabling(sender.Tag());
            ActionListDirty = true;
        });
        for (const char* relay : {"Relay_1", "Relay_2"}) {
            fields_.On(Action(i, relay), FieldEvent::Change, [this](const Field& sender) {
                OverflowHint(sender.Name());
                ActionListDirty = true;
            });
        }
    }
    auto hintOnly = [this](const Field& sender) { OverflowHint(sender.Name()); };
    for (int n = 1; n <= FamilyAMap::UserEventCount; ++n) {
        fields_.On(UserEvent(n, "ActionReference"), FieldEvent::Change, hintOnly);
        fields_.On(UserEvent(n, "Condition_A"), FieldEvent::Change, hintOnly);
        fields_.On(UserEvent(n, "Condition_B"), FieldEvent::Change, hintOnly);
    }
    for (int n = 1; n <= FamilyAMap::RadioEventCount; ++n) {
        fields_.On(RadioEvent(n, "ActionReference"), FieldEvent::Change, hintOnly);
        fields_.On(RadioEvent(n, "Condition_A"), FieldEvent::Change, hintOnly);
        fields_.On(RadioEvent(n, "Condition_B"), FieldEvent::Change, hintOnly);
        fields_.On(RadioEvent(n, "AlarmType"), FieldEvent::Change, [this](const Field& sender) {
            OverflowHint(sender.Name());
            UpdateUserTypeEnabling(sender.Tag());
        });
    }
}

} // namespace vorn
