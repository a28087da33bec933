#include "model/EditorLayout.h"

#include "model/Conversion.h"
#include "model/FamilyAMap.h"
#include "model/FamilyCMap.h"

namespace vorn {

namespace {

using Fields = std::vector<std::string>;

LayoutRow Row(std::string label, Fields fields) {
    return {.label = std::move(label), .caption = {}, .fields = std::move(fields)};
}
// A row whose label always shows the same caption (row numbers, service fields).
LayoutRow Fixed(std::string label, std::string caption, Fields fields) {
    return {.label = std::move(label), .caption = std::move(caption), .fields = std::move(fields)};
}

std::string N(int n) {
    return std::to_string(n);
}

LayoutGroup ButtonsGroup() {
    LayoutGroup g{"tbsButtons",
                  "gbButtonPortsInputs",
                  0,
                  {"lblUserEvent_InputType", "lblButtonCondition", "lblButtonCondition", "lblButtonAction"},
                  {}};
    // Rows 1-3 are the device's buttons, 4-5 its ports, 6-7 its wired inputs (only 5-7 have a type).
    for (int n = 1; n <= FamilyAMap::UserEventCount; ++n) {
        const std::string e = "cbbxUserEvent_" + N(n) + "_";
        g.rows.push_back(Row("lblUserEvent_" + N(n), {n >= 5 ? e + "InputType" : "", e + "Condition_A",
                                                      e + "Condition_B", e + "ActionReference"}));
    }
    // The cable length belongs to the wired inputs: it sits under their input types.
    g.rows.push_back(Row("lblInputCableLength", {"cbbxCableLength", "", "", ""}));
    return g;
}

LayoutGroup RadioEventsGroup() {
    LayoutGroup g{"tbsRadioEvents",
                  "gbRadioEvents",
                  0,
                  {"lblRadioEvent_PositionIdCode", "lblRadioEvent_RadioIdCode", "lblRadioEvent_AlarmType",
                   "lblRadioEvent_UserType", "lblRadioEvent_Condition", "lblRadioEvent_Condition",
                   "lblRadioEvent_Action"},
                  {}};
    for (int n = 1; n <= FamilyAMap::RadioEventCount; ++n) {
        const std::string e = "cbbxRadioEvent_" + N(n) + "_";
        g.rows.push_back(Fixed("lblRadioEvent_" + N(n), N(n),
                               {"edtRadioEvent_" + N(n) + "_PositionId", "edtRadioEvent_" + N(n) + "_RadioId",
                                e + "AlarmType", e + "UserType", e + "Condition_A", e + "Condition_B",
                                e + "ActionReference"}));
    }
    return g;
}

LayoutGroup ActionsGroup() {
    LayoutGroup g{"tbsActions",
                  "gbActions",
                  0,
                  {"lblAction_AlarmType", "lblAction_RadioIdCode", "lblAction_RadioIdCode",
                   "lblAction_Relay_1_Action", "lblAction_Relay_2_Action"},
                  {}};
    // Rows are named 1-9 and A-F in the controls and numbered from 1 on screen.
    for (int i = 1; i <= FamilyAMap::ActionCount; ++i) {
        const std::string row = ActionRowName(i);
        g.rows.push_back(Fixed("lblAction_" + row, N(i),
                               {"cbbxAction_" + row + "_AlarmType", "edtAction_" + row + "_RadioId",
                                "cbAction_" + row + "_Auto", "cbbxAction_" + row + "_Relay_1",
                                "cbbxAction_" + row + "_Relay_2"}));
    }
    return g;
}

LayoutGroup GofaIdCodes() {
    LayoutGroup g{"tbsGofaRadio", "gbGOFA_RadioReceiver", 0, {}, {}};
    for (int n = 1; n <= FamilyCMap::IdCodeCount; ++n) {
        g.rows.push_back(Row("lblGOFA_Id" + N(n), {"edtGOFA_IdCode" + N(n)}));
    }
    g.rows.push_back(Row("lblGOFA_SendAck", {"cbbxGOFA_SendAck"}));
    g.rows.push_back(Row("lblGOFA_HalvoSystemId", {"edtGOFA_HalvoSystemId"}));
    g.rows.push_back(Row("lblGOFA_GroupActivationCode", {"edtGOFA_GroupActivationCode"}));
    g.rows.push_back(Row("lblGOFA_ReceiveFrequencyBand", {"cbbxGOFA_RxFrequencyBand"}));
    return g;
}

// The positioning unit's settings that exist twice: as its switches read them, and as the override
// it uses when its DIP switch 1 is on.
LayoutGroup Switched(const char* group, const char* readHeader, const char* overrideHeader,
                     std::vector<LayoutRow> rows) {
    return {"tbsGofaRfid", group, 0, {readHeader, overrideHeader}, std::move(rows)};
}

std::vector<LayoutGroup> BuildLayout() {
    std::vector<LayoutGroup> groups;
    groups.push_back(ButtonsGroup());
    groups.push_back(RadioEventsGroup());
    groups.push_back(ActionsGroup());
    // clang-format off
    groups.push_back({"tbsPreferences", "gbRadioParameters", 0, {}, {
        Row("lblUnitRadioIdCode", {"edtUnitRadioIdCode"}),
        Row("lblSendAck", {"cbbxSendAck"}),
        Row("lblIgnoreAck", {"cbbxIgnoreAck"}),
        Row("lblMaxShortTx", {"edtMaxShortTx"}),
        Row("lblMaxLongTx", {"edtMaxLongTx"}),
        Row("lblMaxNumberOfBursts", {"edtMaxNumberOfBursts"}),
        Row("lblTimeBetweenBursts", {"edtTimeBetweenBursts"}),
        Row("lblTxFrequencyBand", {"cbbxTxFrequencyBand"}),
        Row("lblRxFrequencyBand", {"cbbxRxFrequencyBand"}),
        Row("lblHalvoSystemId", {"edtHalvoSystemId"})}});
    groups.push_back({"tbsPreferences", "gbTechnicalAlarms", 0, {}, {
        Row("lblRadioTestAlarmInterval", {"edtRadioTestAlarmInterval"}),
        Row("lblNumberOfMissedAckBeforeSleep", {"edtNumberOfMissedAckBeforeSleep"}),
        Row("lblBatteryCheckInterval", {"edtBatteryCheckInterval"}),
        Row("lblCheckBatteryIn24Vmode", {"cbbxCheckBatteryIn24Vmode"})}});
    groups.push_back({"tbsPreferences", "gbRelayOutputs", 1, {}, {
        Row("lblContactType_OUT1", {"cbbxOutput_1_Contact"}),
        Row("lblGroupActivationCodes_OUT1", {"edtOutput_1_GroupActivationCode_1", "edtOutput_1_GroupActivationCode_2"}),
        Row("lblContactType_OUT2", {"cbbxOutput_2_Contact"}),
        Row("lblGroupActivationCodes_OUT2", {"edtOutput_2_GroupActivationCode_1", "edtOutput_2_GroupActivationCode_2"}),
        Row("lblPulseActivationTime", {"medtPulseActivationTime"})}});
    groups.push_back({"tbsPreferences", "gbTechnicalInfo", 1, {}, {
        Row("lblProductionDate", {"edtProductionDate"}),
        Row("lblFirmwareType", {"edtFirmwareType"}),
        Row("lblFirmwareVersion", {"edtFirmwareVersion"}),
        Row("lblProductName", {"edtProductName"}),
        Row("lblSerialNumber", {"edtSerialNumber"}),
        Row("lblRadioCalibration", {"edtRadioCalibration"}),
        Row("lblEquipmentType", {"edtEquipmentType"})}});

    groups.push_back({"tbsHeskConfig", "gbHESK_RadioParameters", 0, {}, {
        Row("lblHESK_UnitRadioIdCode", {"edtHESK_RadioIdCode"}),
        Row("lblHESK_MaxShortTx", {"edtHESK_MaxShortTx"}),
        Row("lblHESK_MaxLongTx", {"edtHESK_MaxLongTx"}),
        Row("lblHESK_MaxNumberOfBursts", {"edtHESK_MaxNumberOfBursts"}),
        Row("lblHESK_IgnoreAck", {"cbbxHESK_IgnoreAck"}),
        Row("lblHESK_RadioControlMode", {"cbbxHESK_RadioControlMode"})}});
    groups.push_back({"tbsHeskConfig", "gbHESK_TechnicalAlarms", 0, {}, {
        Row("lblHESK_RadioTestAlarmInterval", {"edtHESK_RadioTestAlarmInterval"}),
        Row("lblHESK_NUmberOfMissedAckBeforeSleep", {"edtHESK_NumberOfMissedAck"}),
        Row("lblHESK_BatteryCheckInterval", {"edtHESK_BatteryCheckInterval"}),
        Row("lblHESK_CheckBatteryIn24VMode", {"cbbxHESK_CheckBatteryIn24VMode"})}});
    groups.push_back({"tbsHeskConfig", "gbHESK_PresenceReady", 1, {}, {
        Row("lblHESK_SingleButtonPresence", {"cbbxHESK_SingleButtonPresence"}),
        Row("lblHESK_AutoReadyTime", {"edtHESK_AutoReadyTime"}),
        Row("lblHESK_LedFlashIndication", {"cbbxHESK_LedFlashIndication"})}});
    groups.push_back({"tbsHeskConfig", "gbHESK_TechnicalInfo", 1, {}, {
        Row("lblHESK_ProductionDate", {"edtHESK_ProductionDate"}),
        Row("lblHESK_FirmwareType", {"edtHESK_FirmwareType"}),
        Row("lblHESK_FirmwareVersion", {"edtHESK_FirmwareVersion"}),
        Row("lblHESK_ProductName", {"edtHESK_ProductName"}),
        Row("lblHESK_SerialNumber", {"edtHESK_SerialNumber"}),
        Row("lblHESK_RadioCalibration", {"edtHESK_RadioCalibration"}),
        Row("lblHESK_EquipmentType", {"edtHESK_EquipmentType"})}});

    groups.push_back(Switched("gbGOFA_Rfid", "lblGOFA_RfidReadOfSwitches", "lblGOFA_RfidOverride", {
        Row("lblGOFA_PositionIdCode", {"edtGOFA_Position_Read", "edtGOFA_Position"}),
        Row("lblGOFA_Zone", {"edtGOFA_Zone_Read", "cbbxGOFA_Zone"}),
        Row("lblGOFA_Power", {"cbbxGOFA_Power_Read", "edtGOFA_RfidPower"}),
        Row("lblGOFA_AntennaType", {"cbbxGOFA_AntennaType_Read", ""})}));
    groups.push_back(Switched("gbGOFA_Relay", "lblGOFA_RelayReadOfSwitches", "lblGOFA_RelayOverride", {
        Row("lblGOFA_RelaySource", {"cbbxGOFA_RelaySource_Read", "cbbxGOFA_RelaySource"}),
        Row("lblGOFA_RelayPolarity", {"cbbxGOFA_RelayPolarity_Read", "cbbxGOFA_RelayPolarity"}),
        Row("lblGOFA_RelayPulseTime", {"edtGOFA_RelayPulseTime_Read", "medtGOFA_RelayPulseTime"})}));
    groups.push_back(Switched("gbGOFA_Tamper", "lblGOFA_TamperReadOfSwitches", "lblGOFA_TamperOverride", {
        Row("lblGOFA_TamperTransmitAlarm", {"cbbxGOFA_TamperTransmitAlarm_Read", "cbbxGOFA_TamperTransmitAlarm"}),
        Row("lblGOFA_TamperStatus", {"cbbxGOFA_TamperStatus_Read", ""})}));
    groups.push_back(Switched("gbGOFA_ExtInput", "lblGOFA_ExtInputReadOfSwitches", "lblGOFA_ExtInputOverride", {
        Row("lblGOFA_ExtInputFunction", {"cbbxGOFA_ExtInputFunction_Read", "cbbxGOFA_ExtInputFunction"}),
        Row("lblGOFA_ExtInputMode", {"cbbxGOFA_ExtInputMode_Read", "cbbxGOFA_ExtInputMode"})}));
    groups.push_back({"tbsGofaRfid", "gbGOFA_Switches", 1, {}, {
        Row("lblGOFA_RotarySwitchS1", {"edtGOFA_RotaryS1"}),
        Row("lblGOFA_RotarySwitchS2", {"edtGOFA_RotaryS2"}),
        Row("lblGOFA_RotarySwitchS3", {"edtGOFA_RotaryS3"}),
        Row("lblGOFA_DipSwitch", {"edtGOFA_DipSwitch"}),
        // The potentiometer: its raw value and the step it stands for.
        Row("lblGOFA_P1", {"edtGOFA_RfidVant", "edtGOFA_Potentiometer_P1"})}});
    groups.push_back({"tbsGofaRfid", "gbGOFA_General", 1, {}, {
        Row("lblGOFA_ProductionDate", {"edtGOFA_ProductionDate"}),
        Row("lblGOFA_FirmwareType", {"edtGOFA_Firmwaretype"}),
        Row("lblGOFA_FirmwareVersion", {"edtGOFA_FirmwareVersion"}),
        Row("lblGOFA_ProductName", {"edtGOFA_ProductName"}),
        Row("lblGOFA_SerialNumber", {"edtGOFA_SerialNumber"}),
        Row("lblGOFA_RadioCalibration", {"edtGOFA_RadioCalibration"}),
        // The service fields, shown only with "-gofaviewall"; their captions are no language texts.
        Fixed("lblGOFA_RadioProtocol", "(Radio protocol)", {"edtGOFA_RadioProtocol"}),
        Fixed("lblGOFA_RfidProtocol", "(RFID protocol)", {"edtGOFA_RfidProtocol"}),
        Fixed("lblGOFA_RadioTxPower", "(Radio Tx Power)", {"edtGOFA_RadioTxPower"}),
        Fixed("lblGOFA_WatchdogReset", "(Watchdog reset)", {"edtGOFA_WatchdogReset"})}});

    groups.push_back(GofaIdCodes());
    groups.push_back({"tbsGofaRadio", "gbGOFA_PlugNPlay", 0, {}, {
        Row("lblGOFA_EquipmentType", {"edtGOFA_EquipmentType"})}});
    groups.push_back({"tbsGofaRadio", "gbGOFA_RadioTransmitter", 1, {}, {
        Row("lblGOFA_UnitIdCode", {"edtGOFA_UnitIdCode"}),
        Row("lblGOFA_MaxShort", {"edtGOFA_MaxShort"}),
        Row("lblGOFA_MaxLong", {"edtGOFA_MaxLong"}),
        Row("lblGOFA_MaxBursts", {"edtGOFA_MaxBursts"}),
        Row("lblGOFA_TimeBetweenBursts", {"edtGOFA_TimeBetweenBursts"}),
        Row("lblGOFA_IgnoreReceivedAck", {"cbbxGOFA_IgnoreAck"}),
        Row("lblGOFA_RadioTestAlarmInterval", {"edtGOFA_RadioTestInterval"}),
        Row("lblGOFA_TransmitFrequencyBand", {"cbbxGOFA_TxFrequencyBand"})}});
    groups.push_back({"tbsGofaRadio", "gbGOFA_AlarmTypes", 1, {}, {
        Row("lblGOFA_AlarmTypeButton", {"cbbxGOFA_AlarmTypeButton"}),
        Row("lblGOFA_AlarmTypeTamper", {"cbbxGOFA_AlarmTypeTamper"}),
        Row("lblGOFA_AlarmTypeAntennaFailure", {"cbbxGOFA_AlarmTypeAntennaFailure"}),
        Row("lblGOFA_AlarmTypeExternalInput", {"cbbxGOFA_AlarmTypeExternalInput"}),
        Row("lblGOFA_AlarmTypeRadioTest", {"cbbxGOFA_AlarmTypeRadioTest"})}});
    // clang-format on
    return groups;
}

} // namespace

const std::vector<LayoutGroup>& EditorLayout() {
    static const std::vector<LayoutGroup> groups = BuildLayout();
    return groups;
}

std::vector<const LayoutGroup*> GroupsOfPage(std::string_view page) {
    std::vector<const LayoutGroup*> found;
    for (const LayoutGroup& group : EditorLayout()) {
        if (group.page == page) {
            found.push_back(&group);
        }
    }
    return found;
}

} // namespace vorn
