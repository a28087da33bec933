#include "lang/TextCatalogue.h"

#include "lang/ListIni.h"
#include "lang/TextFormat.h"
#include "model/FamilyAMap.h"
#include "model/FamilyCMap.h"

#include <algorithm>
#include <array>
#include <set>
#include <utility>

namespace vorn {

namespace {

using P = ControlProperty;
constexpr P Caption = P::Caption;
constexpr P Hint = P::Hint;
constexpr P Shortcut = P::Shortcut;

// clang-format off
constexpr std::array MainWindowRows{
    // Menu
    CatalogueRow{"MENU", "FILE", "mnuFile", Caption},
    CatalogueRow{"MENU", "FILE-NEW", "mnuFileNew", Caption},
    CatalogueRow{"MENU", "FILE-NEW-SHORTCUT", "mnuFileNew", Shortcut},
    CatalogueRow{"MENU", "FILE-OPEN", "mnuFileOpen", Caption},
    CatalogueRow{"MENU", "FILE-OPEN-SHORTCUT", "mnuFileOpen", Shortcut},
    CatalogueRow{"MENU", "FILE-SAVE", "mnuFileSave", Caption},
    CatalogueRow{"MENU", "FILE-SAVE-SHORTCUT", "mnuFileSave", Shortcut},
    CatalogueRow{"MENU", "FILE-SAVE_AS", "mnuFileSaveAs", Caption},
    CatalogueRow{"MENU", "FILE-SAVE_AS-SHORTCUT", "mnuFileSaveAs", Shortcut},
    CatalogueRow{"MENU", "FILE-LANGUAGE", "mnuFileLanguage", Caption},
    CatalogueRow{"MENU", "FILE-CHANGE_DEFAULT_CONFIG", "mnuFileChangeDefaultConfig", Caption},
    CatalogueRow{"MENU", "FILE-EXIT", "mnuFileExit", Caption},
    CatalogueRow{"MENU", "FILE-EXPORT_SHEET", "mnuFileExportSheet", Caption},
    CatalogueRow{"MENU", "FILE-PRINT", "mnuFilePrint", Caption},
    CatalogueRow{"MENU", "FILE-PRINT-SHORTCUT", "mnuFilePrint", Shortcut},
    CatalogueRow{"MENU", "FILE-BACKUPS", "mnuFileBackups", Caption},
    CatalogueRow{"MENU", "COMM", "mnuComm", Caption},
    CatalogueRow{"MENU", "COMM-READ_FROM_DEVICE", "mnuCommReadFromDevice", Caption},
    CatalogueRow{"MENU", "COMM-READ_FROM_DEVICE-SHORTCUT", "mnuCommReadFromDevice", Shortcut},
    CatalogueRow{"MENU", "COMM-WRITE_TO_DEVICE", "mnuCommWriteToDevice", Caption},
    CatalogueRow{"MENU", "COMM-WRITE_TO_DEVICE-SHORTCUT", "mnuCommWriteToDevice", Shortcut},
    CatalogueRow{"MENU", "COMM-CHANGE_ID_CODE", "mnuCommChangeIdCode", Caption},
    CatalogueRow{"MENU", "COMM-COMPARE", "mnuCommCompare", Caption},
    CatalogueRow{"MENU", "COMM-BACKUP_BEFORE_WRITE", "mnuCommBackupBeforeWrite", Caption},
    CatalogueRow{"MENU", "COMM-VERIFY_AFTER_WRITE", "mnuCommVerifyAfterWrite", Caption},
    CatalogueRow{"MENU", "HELP", "mnuHelp", Caption},
    CatalogueRow{"MENU", "HELP-ABOUT", "mnuHelpAbout", Caption},
    CatalogueRow{"MENU", "FILE-RECENT", "mnuFileRecent", Caption},
    CatalogueRow{"MENU", "FILE-RECENT_CLEAR", "mnuFileRecentClear", Caption},
    // The Edit menu (the program captions its items: they name what they would undo and redo)
    CatalogueRow{"MENU", "EDIT", "mnuEditMenu", Caption},
    // Status bar: the note shown while the demo unit stands in for the interface unit
    CatalogueRow{"COMMON", "TEXT-DEMO_UNIT", "lblDemoUnit", Caption},
    // Page tbsSelectDevice
    CatalogueRow{"TAB_SELECT_DEVICE", "TAB-SELECT_DEVICE", "tbsSelectDevice", Caption},
    // Page tbsButtons
    CatalogueRow{"TAB_1", "TAB-BUTTONS", "tbsButtons", Caption},
    CatalogueRow{"TAB_1", "GROUP-BUTTONS", "gbButtonPortsInputs", Caption},
    CatalogueRow{"TAB_1", "LABEL-INPUT_TYPE", "lblUserEvent_InputType", Caption},
    CatalogueRow{"TAB_1", "LABEL-BUTTON_1", "lblUserEvent_1", Caption},
    CatalogueRow{"TAB_1", "LABEL-BUTTON_2", "lblUserEvent_2", Caption},
    CatalogueRow{"TAB_1", "LABEL-BUTTON_3", "lblUserEvent_3", Caption},
    CatalogueRow{"TAB_1", "LABEL-PORT_1", "lblUserEvent_4", Caption},
    CatalogueRow{"TAB_1", "LABEL-PORT_2", "lblUserEvent_5", Caption},
    CatalogueRow{"TAB_1", "LABEL-INPUT_1", "lblUserEvent_6", Caption},
    CatalogueRow{"TAB_1", "LABEL-INPUT_2", "lblUserEvent_7", Caption},
    CatalogueRow{"TAB_1", "HINT-BUTTON_1", "lblUserEvent_1", Hint},
    CatalogueRow{"TAB_1", "HINT-BUTTON_2", "lblUserEvent_2", Hint},
    CatalogueRow{"TAB_1", "HINT-BUTTON_3", "lblUserEvent_3", Hint},
    CatalogueRow{"TAB_1", "HINT-PORT_1", "lblUserEvent_4", Hint},
    CatalogueRow{"TAB_1", "HINT-PORT_2", "lblUserEvent_5", Hint},
    CatalogueRow{"TAB_1", "HINT-INPUT_1", "lblUserEvent_6", Hint},
    CatalogueRow{"TAB_1", "HINT-INPUT_2", "lblUserEvent_7", Hint},
    CatalogueRow{"COMMON", "LABEL-CONDITION", "lblButtonCondition", Caption},
    CatalogueRow{"COMMON", "LABEL-ACTION", "lblButtonAction", Caption},
    CatalogueRow{"TAB_1", "LABEL-INPUT_CABLE_LENGTH", "lblInputCableLength", Caption},
    // Page tbsRadioEvents
    CatalogueRow{"TAB_2", "TAB-RADIO_EVENTS", "tbsRadioEvents", Caption},
    CatalogueRow{"TAB_2", "GROUP-RADIO_EVENTS", "gbRadioEvents", Caption},
    CatalogueRow{"TAB_2", "LABEL-POSITION_ID_CODE", "lblRadioEvent_PositionIdCode", Caption},
    CatalogueRow{"TAB_2", "HINT-POSITION_ID_CODE", "lblRadioEvent_PositionIdCode", Hint},
    CatalogueRow{"COMMON", "LABEL-RADIO_ID_CODE", "lblRadioEvent_RadioIdCode", Caption},
    CatalogueRow{"COMMON", "LABEL-ALARM_TYPE", "lblRadioEvent_AlarmType", Caption},
    CatalogueRow{"TAB_2", "LABEL-USER_TYPE", "lblRadioEvent_UserType", Caption},
    CatalogueRow{"TAB_2", "HINT-USER_TYPE", "lblRadioEvent_UserType", Hint},
    CatalogueRow{"COMMON", "LABEL-CONDITION", "lblRadioEvent_Condition", Caption},
    CatalogueRow{"COMMON", "LABEL-ACTION", "lblRadioEvent_Action", Caption},
    CatalogueRow{"TAB_2", "HINT-INSERT_WILDCARD", "edtRadioEvent_#_PositionId", Hint, RowSet::RadioEvents},
    CatalogueRow{"TAB_2", "HINT-INSERT_WILDCARD", "edtRadioEvent_#_RadioId", Hint, RowSet::RadioEvents},
    // Page tbsActions
    CatalogueRow{"TAB_3", "TAB-ACTIONS", "tbsActions", Caption},
    CatalogueRow{"TAB_3", "GROUP-ACTIONS", "gbActions", Caption},
    CatalogueRow{"COMMON", "LABEL-ALARM_TYPE", "lblAction_AlarmType", Caption},
    CatalogueRow{"COMMON", "LABEL-RADIO_ID_CODE", "lblAction_RadioIdCode", Caption},
    CatalogueRow{"TAB_3", "LABEL-RELAY_1_ACTION", "lblAction_Relay_1_Action", Caption},
    CatalogueRow{"TAB_3", "LABEL-RELAY_2_ACTION", "lblAction_Relay_2_Action", Caption},
    CatalogueRow{"TAB_3", "CHECKBOX-AUTOMATIC", "cbAction_#_Auto", Caption, RowSet::Actions},
    // Page tbsPreferences
    CatalogueRow{"TAB_4", "TAB-PREFERENCES", "tbsPreferences", Caption},
    CatalogueRow{"TAB_4", "GROUP-RELAY_OUTPUT", "gbRelayOutputs", Caption},
    CatalogueRow{"TAB_4", "LABEL-CONTACT_TYPE_OUT1", "lblContactType_OUT1", Caption},
    CatalogueRow{"TAB_4", "LABEL-GROUP_ACTIVATION_CODES_OUT1", "lblGroupActivationCodes_OUT1", Caption},
    CatalogueRow{"TAB_4", "LABEL-CONTACT_TYPE_OUT2", "lblContactType_OUT2", Caption},
    CatalogueRow{"TAB_4", "LABEL-GROUP_ACTIVATION_CODES_OUT2", "lblGroupActivationCodes_OUT2", Caption},
    CatalogueRow{"TAB_4", "HINT-CONTACT_TYPE_OUT1", "lblContactType_OUT1", Hint},
    CatalogueRow{"TAB_4", "HINT-CONTACT_TYPE_OUT1", "cbbxOutput_1_Contact", Hint},
    CatalogueRow{"TAB_4", "HINT-CONTACT_TYPE_OUT2", "lblContactType_OUT2", Hint},
    CatalogueRow{"TAB_4", "HINT-CONTACT_TYPE_OUT2", "cbbxOutput_2_Contact", Hint},
    CatalogueRow{"TAB_4", "LABEL-PULSE_ACTIVATION_TIME", "lblPulseActivationTime", Caption},
    CatalogueRow{"TAB_4", "GROUP-RADIO_PARAMETERS", "gbRadioParameters", Caption},
    CatalogueRow{"TAB_4", "LABEL-UNIT_ID_CODE", "lblUnitRadioIdCode", Caption},
    CatalogueRow{"TAB_4", "LABEL-SEND_ACKNOWLEDGE", "lblSendAck", Caption},
    CatalogueRow{"TAB_4", "LABEL-IGNORE_RECEIVED_ACKNOWLEDGE", "lblIgnoreAck", Caption},
    CatalogueRow{"TAB_4", "LABEL-MAX_NUMBER_OF_SHORT_TRANSMISSIONS", "lblMaxShortTx", Caption},
    CatalogueRow{"TAB_4", "LABEL-MAX_NUMBER_OF_LONG_TRANSMISSIONS", "lblMaxLongTx", Caption},
    CatalogueRow{"TAB_4", "LABEL-MAX_NUMBER_OF_BURSTS", "lblMaxNumberOfBursts", Caption},
    CatalogueRow{"TAB_4", "LABEL-TIME_BETWEEN_BURSTS", "lblTimeBetweenBursts", Caption},
    CatalogueRow{"TAB_4", "LABEL-TRANSMIT_FREQUENCY_BAND", "lblTxFrequencyBand", Caption},
    CatalogueRow{"TAB_4", "LABEL-RECEIVE_FREQUENCY_BAND", "lblRxFrequencyBand", Caption},
    CatalogueRow{"TAB_4", "LABEL-HALVO_SYSTEM_ID", "lblHalvoSystemId", Caption},
    CatalogueRow{"TAB_4", "GROUP-TECHNICAL_ALARMS", "gbTechnicalAlarms", Caption},
    CatalogueRow{"TAB_4", "LABEL-RADIO_TEST_ALARM_INTERVAL", "lblRadioTestAlarmInterval", Caption},
    CatalogueRow{"TAB_4", "LABEL-NUMBER_OF_MISSED_ACK_BEFORE_SLEEP", "lblNumberOfMissedAckBeforeSleep", Caption},
    CatalogueRow{"TAB_4", "LABEL-BATTERY_CHECK_INTERVAL", "lblBatteryCheckInterval", Caption},
    CatalogueRow{"TAB_4", "LABEL-CHECK_BATTERY_IN_24V_MODE", "lblCheckBatteryIn24Vmode", Caption},
    CatalogueRow{"TAB_4", "GROUP-TECHNICAL_INFO", "gbTechnicalInfo", Caption},
    CatalogueRow{"TAB_4", "LABEL-PRODUCTION_DATE_YYMMDD", "lblProductionDate", Caption},
    CatalogueRow{"TAB_4", "LABEL-FIRMWARE_TYPE", "lblFirmwareType", Caption},
    CatalogueRow{"TAB_4", "LABEL-FIRMWARE_VERSION", "lblFirmwareVersion", Caption},
    CatalogueRow{"TAB_4", "LABEL-PRODUCT_NAME", "lblProductName", Caption},
    CatalogueRow{"TAB_4", "LABEL-SERIAL_NUMBER", "lblSerialNumber", Caption},
    CatalogueRow{"TAB_4", "LABEL-RADIO_CALIBRATION", "lblRadioCalibration", Caption},
    CatalogueRow{"COMMON", "LABEL-EQUIPMENT_TYPE", "lblEquipmentType", Caption},
    // Page tbsHeskConfig
    CatalogueRow{"TAB_HESK", "TAB-CONFIG", "tbsHeskConfig", Caption},
    CatalogueRow{"TAB_4", "GROUP-RADIO_PARAMETERS", "gbHESK_RadioParameters", Caption},
    CatalogueRow{"TAB_4", "LABEL-UNIT_ID_CODE", "lblHESK_UnitRadioIdCode", Caption},
    CatalogueRow{"TAB_4", "LABEL-MAX_NUMBER_OF_SHORT_TRANSMISSIONS", "lblHESK_MaxShortTx", Caption},
    CatalogueRow{"TAB_4", "LABEL-MAX_NUMBER_OF_LONG_TRANSMISSIONS", "lblHESK_MaxLongTx", Caption},
    CatalogueRow{"TAB_4", "LABEL-MAX_NUMBER_OF_BURSTS", "lblHESK_MaxNumberOfBursts", Caption},
    CatalogueRow{"TAB_4", "LABEL-IGNORE_RECEIVED_ACKNOWLEDGE", "lblHESK_IgnoreAck", Caption},
    CatalogueRow{"TAB_HESK", "LABEL-RADIO_CONTROL_MODE", "lblHESK_RadioControlMode", Caption},
    CatalogueRow{"TAB_4", "GROUP-TECHNICAL_INFO", "gbHESK_TechnicalInfo", Caption},
    CatalogueRow{"TAB_4", "LABEL-PRODUCTION_DATE_YYMMDD", "lblHESK_ProductionDate", Caption},
    CatalogueRow{"TAB_4", "LABEL-FIRMWARE_TYPE", "lblHESK_FirmwareType", Caption},
    CatalogueRow{"TAB_4", "LABEL-FIRMWARE_VERSION", "lblHESK_FirmwareVersion", Caption},
    CatalogueRow{"TAB_4", "LABEL-PRODUCT_NAME", "lblHESK_ProductName", Caption},
    CatalogueRow{"TAB_4", "LABEL-SERIAL_NUMBER", "lblHESK_SerialNumber", Caption},
    CatalogueRow{"TAB_4", "LABEL-RADIO_CALIBRATION", "lblHESK_RadioCalibration", Caption},
    CatalogueRow{"COMMON", "LABEL-EQUIPMENT_TYPE", "lblHESK_EquipmentType", Caption},
    CatalogueRow{"TAB_4", "GROUP-TECHNICAL_ALARMS", "gbHESK_TechnicalAlarms", Caption},
    CatalogueRow{"TAB_4", "LABEL-RADIO_TEST_ALARM_INTERVAL", "lblHESK_RadioTestAlarmInterval", Caption},
    CatalogueRow{"TAB_4", "LABEL-NUMBER_OF_MISSED_ACK_BEFORE_SLEEP", "lblHESK_NUmberOfMissedAckBeforeSleep", Caption},
    CatalogueRow{"TAB_4", "LABEL-BATTERY_CHECK_INTERVAL", "lblHESK_BatteryCheckInterval", Caption},
    CatalogueRow{"TAB_4", "LABEL-CHECK_BATTERY_IN_24V_MODE", "lblHESK_CheckBatteryIn24VMode", Caption},
    CatalogueRow{"TAB_HESK", "GROUP-PRESENCE_READY", "gbHESK_PresenceReady", Caption},
    CatalogueRow{"TAB_HESK", "LABEL-SINGLE_BUTTON_PRESENCE", "lblHESK_SingleButtonPresence", Caption},
    CatalogueRow{"TAB_HESK", "LABEL-AUTO_READY_TIME", "lblHESK_AutoReadyTime", Caption},
    CatalogueRow{"TAB_HESK", "LABEL-LED_FLASH_INDICATION", "lblHESK_LedFlashIndication", Caption},
    // Page tbsGofaRfid
    CatalogueRow{"TAB_RFID_IO", "TAB-RFID_IO", "tbsGofaRfid", Caption},
    CatalogueRow{"TAB_RFID_IO", "GROUP-RFID", "gbGOFA_Rfid", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-POSITION_ID_CODE", "lblGOFA_PositionIdCode", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-ZONE", "lblGOFA_Zone", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-POWER", "lblGOFA_Power", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-ANTANNA_TYPE", "lblGOFA_AntennaType", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-READ_OF_SWITCHES", "lblGOFA_RfidReadOfSwitches", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-READ_OF_SWITCHES", "lblGOFA_RelayReadOfSwitches", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-READ_OF_SWITCHES", "lblGOFA_TamperReadOfSwitches", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-READ_OF_SWITCHES", "lblGOFA_ExtInputReadOfSwitches", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-OVERRIDE_WHEN_DIP1_IS_ON", "lblGOFA_RfidOverride", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-OVERRIDE_WHEN_DIP1_IS_ON", "lblGOFA_RelayOverride", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-OVERRIDE_WHEN_DIP1_IS_ON", "lblGOFA_TamperOverride", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-OVERRIDE_WHEN_DIP1_IS_ON", "lblGOFA_ExtInputOverride", Caption},
    CatalogueRow{"TAB_RFID_IO", "GROUP-RELAY", "gbGOFA_Relay", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-RELAY_SOURCE", "lblGOFA_RelaySource", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-RELAY_POLARITY", "lblGOFA_RelayPolarity", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-RELAY_PULSE_TIME", "lblGOFA_RelayPulseTime", Caption},
    CatalogueRow{"TAB_RFID_IO", "GROUP-TAMPER", "gbGOFA_Tamper", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-TAMPER_TRANSMIT_ALARM", "lblGOFA_TamperTransmitAlarm", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-TAMPER_STATUS", "lblGOFA_TamperStatus", Caption},
    CatalogueRow{"TAB_RFID_IO", "GROUP-EXT_INPUT", "gbGOFA_ExtInput", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-EXT_INPUT_FUNCTION", "lblGOFA_ExtInputFunction", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-EXT_INPUT_MODE", "lblGOFA_ExtInputMode", Caption},
    CatalogueRow{"TAB_RFID_IO", "GROUP-SWITCHES", "gbGOFA_Switches", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-ROTARY_SWITCH_S1", "lblGOFA_RotarySwitchS1", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-ROTARY_SWITCH_S2", "lblGOFA_RotarySwitchS2", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-ROTARY_SWITCH_S3", "lblGOFA_RotarySwitchS3", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-DIP_SWITCH", "lblGOFA_DipSwitch", Caption},
    CatalogueRow{"TAB_RFID_IO", "LABEL-POTENTIOMETER_P1", "lblGOFA_P1", Caption},
    CatalogueRow{"TAB_RFID_IO", "GROUP-GENERAL", "gbGOFA_General", Caption},
    CatalogueRow{"TAB_4", "LABEL-PRODUCTION_DATE_YYMMDD", "lblGOFA_ProductionDate", Caption},
    CatalogueRow{"TAB_4", "LABEL-FIRMWARE_TYPE", "lblGOFA_FirmwareType", Caption},
    CatalogueRow{"TAB_4", "LABEL-FIRMWARE_VERSION", "lblGOFA_FirmwareVersion", Caption},
    CatalogueRow{"TAB_4", "LABEL-PRODUCT_NAME", "lblGOFA_ProductName", Caption},
    CatalogueRow{"TAB_4", "LABEL-SERIAL_NUMBER", "lblGOFA_SerialNumber", Caption},
    CatalogueRow{"TAB_4", "LABEL-RADIO_CALIBRATION", "lblGOFA_RadioCalibration", Caption},
    // Page tbsGofaRadio
    CatalogueRow{"TAB_RADIO", "TAB-RADIO", "tbsGofaRadio", Caption},
    CatalogueRow{"TAB_RADIO", "GROUP-RADIO_RECEIVER", "gbGOFA_RadioReceiver", Caption},
    CatalogueRow{"TAB_RADIO", "LABEL-ID_CODE_#", "lblGOFA_Id#", Caption, RowSet::GofaIdCodes},
    CatalogueRow{"TAB_4", "LABEL-SEND_ACKNOWLEDGE", "lblGOFA_SendAck", Caption},
    CatalogueRow{"TAB_4", "LABEL-HALVO_SYSTEM_ID", "lblGOFA_HalvoSystemId", Caption},
    CatalogueRow{"TAB_RADIO", "LABEL-GROUP_ACTIVATION_CODE", "lblGOFA_GroupActivationCode", Caption},
    CatalogueRow{"TAB_4", "LABEL-RECEIVE_FREQUENCY_BAND", "lblGOFA_ReceiveFrequencyBand", Caption},
    CatalogueRow{"TAB_RADIO", "GROUP-RADIO_TRANSMITTER", "gbGOFA_RadioTransmitter", Caption},
    CatalogueRow{"TAB_4", "LABEL-UNIT_ID_CODE", "lblGOFA_UnitIdCode", Caption},
    CatalogueRow{"TAB_4", "LABEL-MAX_NUMBER_OF_SHORT_TRANSMISSIONS", "lblGOFA_MaxShort", Caption},
    CatalogueRow{"TAB_4", "LABEL-MAX_NUMBER_OF_LONG_TRANSMISSIONS", "lblGOFA_MaxLong", Caption},
    CatalogueRow{"TAB_4", "LABEL-MAX_NUMBER_OF_BURSTS", "lblGOFA_MaxBursts", Caption},
    CatalogueRow{"TAB_4", "LABEL-TIME_BETWEEN_BURSTS", "lblGOFA_TimeBetweenBursts", Caption},
    CatalogueRow{"TAB_4", "LABEL-IGNORE_RECEIVED_ACKNOWLEDGE", "lblGOFA_IgnoreReceivedAck", Caption},
    CatalogueRow{"TAB_RADIO", "LABEL-RADIO_TEST_ALARM_INTERVAL", "lblGOFA_RadioTestAlarmInterval", Caption},
    CatalogueRow{"TAB_4", "LABEL-TRANSMIT_FREQUENCY_BAND", "lblGOFA_TransmitFrequencyBand", Caption},
    CatalogueRow{"TAB_RADIO", "GROUP-ALARM_TYPES", "gbGOFA_AlarmTypes", Caption},
    CatalogueRow{"TAB_RADIO", "LABEL-GROUP-ALARM_TYPE_BUTTON", "lblGOFA_AlarmTypeButton", Caption},
    CatalogueRow{"TAB_RADIO", "LABEL-GROUP-ALARM_TAMPER", "lblGOFA_AlarmTypeTamper", Caption},
    CatalogueRow{"TAB_RADIO", "LABEL-GROUP-ALARM_TYPE_ANTENNA_FAILURE", "lblGOFA_AlarmTypeAntennaFailure", Caption},
    CatalogueRow{"TAB_RADIO", "LABEL-GROUP-ALARM_EXT_INPUT", "lblGOFA_AlarmTypeExternalInput", Caption},
    CatalogueRow{"TAB_RADIO", "LABEL-GROUP-ALARM_RADIO_TEST", "lblGOFA_AlarmTypeRadioTest", Caption},
    CatalogueRow{"TAB_RADIO", "GROUP-PLUG_N_PLAY", "gbGOFA_PlugNPlay", Caption},
    CatalogueRow{"COMMON", "LABEL-EQUIPMENT_TYPE", "lblGOFA_EquipmentType", Caption},
};

constexpr std::array OtherWindowRows{
    WindowTextRow{"TfrmChangeCode", "CHANGE_CODE", "TITLE-CHANGE_ID_CODE", "caption"},
    WindowTextRow{"TfrmChangeCode", "CHANGE_CODE", "MEMO-ENTER_NEW_CODE_AND_CLICK_CHANGE_CODE", "mmoNote"},
    WindowTextRow{"TfrmChangeCode", "CHANGE_CODE", "LABEL-NEW_RADIO_ID_CODE", "lblNewCode"},
    WindowTextRow{"TfrmChangeCode", "CHANGE_CODE", "BUTTON-CHANGE", "btnChange"},
    WindowTextRow{"TfrmChangeCode", "COMMON", "BUTTON-CLOSE", "btnClose"},
    WindowTextRow{"TfrmAbout", "HELP-ABOUT", "FORM-CAPTION_ABOUT", "caption"},
    WindowTextRow{"TfrmAbout", "HELP-ABOUT", "TEXT-KDU_INFO", "lblKduInfo"},
    WindowTextRow{"TfrmAbout", "HELP-ABOUT", "TEXT-NOT_FOUND", "lblKduInfo"},
    WindowTextRow{"TfrmAbout", "HELP-ABOUT", "MEMO-CONTACT", "mmoInfo"},
    WindowTextRow{"TfrmAbout", "COMMON", "TEXT-APPLICATION_TITLE", "lblApplicationName"},
    WindowTextRow{"TfrmAbout", "COMMON", "BUTTON-OK", "btnOk"},
    WindowTextRow{"TfrmSelectDevice", "COMMUNICATION", "TITLE-READ_FROM_DEVICE", "caption"},
    WindowTextRow{"TfrmSelectDevice", "COMMUNICATION", "TITLE-WRITE_TO_DEVICE", "caption"},
    WindowTextRow{"TfrmSelectDevice", "COMMUNICATION", "GROUP-DEVICE_INFORMATION", "gbSelectDeviceInfo"},
    WindowTextRow{"TfrmSelectDevice", "COMMUNICATION", "LABEL-DEVICE_NAME", "lblDeviceName"},
    WindowTextRow{"TfrmSelectDevice", "COMMUNICATION", "LABEL-DEVICE_SERIAL_NUMBER", "lblSerialNumber"},
    WindowTextRow{"TfrmSelectDevice", "COMMUNICATION", "LABEL-PRIMARY_FREQUENCY_BAND", "lblPrimaryFrequencyBand"},
    WindowTextRow{"TfrmSelectDevice", "COMMUNICATION", "MEMO-INSTRUCTIONS", "mmoInstructions"},
    WindowTextRow{"TfrmSelectDevice", "COMMUNICATION", "MEMO-POS_INSTRUCTIONS", "mmoInstructions"},
    WindowTextRow{"TfrmSelectDevice", "COMMUNICATION", "BUTTON-READ", "btnWriteOrRead"},
    WindowTextRow{"TfrmSelectDevice", "COMMUNICATION", "BUTTON-WRITE", "btnWriteOrRead"},
    WindowTextRow{"TfrmSelectDevice", "COMMON", "BUTTON-CANCEL", "btnCancel"},
    WindowTextRow{"TfrmSelectRegion", "SELECT_REGION", "LABEL-SELECT_REGION", "lblSelectRegion"},
    WindowTextRow{"TfrmSelectRegion", "COMMON", "TEXT-APPLICATION_TITLE", "caption"},
    WindowTextRow{"TfrmSelectRegion", "COMMON", "BUTTON-OK", "btnOk"},
    WindowTextRow{"TfrmSelectRegion", "COMMON", "BUTTON-CLOSE", "btnClose"},
    WindowTextRow{"TfrmReceiveRadio", "HESK", "LABEL-WAIT_FOR_TRANSMITTER_ACTIVATION", "group"},
    WindowTextRow{"TfrmReceiveRadio", "HESK", "LABEL-PRESS_DEVICE_BUTTON_TO_READ_CONFIGURATION", "action"},
    WindowTextRow{"TfrmReceiveRadio", "HESK", "LABEL-PRESS_DEVICE_BUTTON_TO_WRITE_CONFIGURATION", "action"},
    WindowTextRow{"TfrmReceiveRadio", "HESK", "LABEL-PRESS_DEVICE_BUTTON_TO_GET_CODE", "action"},
    WindowTextRow{"TfrmReceiveRadio", "CHANGE_CODE", "MESSAGE_PRESS_DEVICE_BUTTON_TO_CHANGE_CODE", "action"},
    WindowTextRow{"TfrmReceiveRadio", "COMMON", "BUTTON-ABORT", "btbtnAbort"},
    WindowTextRow{"TfrmReceiveRadio", "HESK", "LABEL-PRESS_DEVICE_BUTTON_TO_BACK_UP_CONFIGURATION", "action"},
    WindowTextRow{"TfrmReceiveRadio", "HESK", "LABEL-PRESS_DEVICE_BUTTON_TO_VERIFY_CONFIGURATION", "action"},
    WindowTextRow{"TfrmWait", "COMMON", "BUTTON-CANCEL", "btnWaitCancel"},
    WindowTextRow{"TfrmBackups", "BACKUPS", "TITLE-DEVICE_BACKUPS", "caption"},
    WindowTextRow{"TfrmBackups", "BACKUPS", "LABEL-FILTER_SERIAL_NUMBER", "lblBackupsSerialFilter"},
    WindowTextRow{"TfrmBackups", "BACKUPS", "HEADER-MODEL", "lvBackups"},
    WindowTextRow{"TfrmBackups", "BACKUPS", "HEADER-SERIAL_NUMBER", "lvBackups"},
    WindowTextRow{"TfrmBackups", "BACKUPS", "HEADER-TIME", "lvBackups"},
    WindowTextRow{"TfrmBackups", "BACKUPS", "BUTTON-OPEN", "btnBackupsOpen"},
    WindowTextRow{"TfrmBackups", "BACKUPS", "LABEL-NO_BACKUPS", "lblBackupsNote"},
    WindowTextRow{"TfrmBackups", "COMMON", "BUTTON-CLOSE", "btnBackupsClose"},
    WindowTextRow{"TfrmCompare", "COMPARE", "TITLE-COMPARE_WITH_DEVICE", "caption"},
    WindowTextRow{"TfrmCompare", "COMPARE", "HEADER-FIELD", "lvCompare"},
    WindowTextRow{"TfrmCompare", "COMPARE", "HEADER-THIS_CONFIGURATION", "lvCompare"},
    WindowTextRow{"TfrmCompare", "COMPARE", "HEADER-DEVICE", "lvCompare"},
    WindowTextRow{"TfrmCompare", "COMPARE", "BUTTON-TAKE_DEVICE_CONFIGURATION", "btnCompareTake"},
    WindowTextRow{"TfrmCompare", "COMMON", "BUTTON-CLOSE", "btnCompareClose"},
};

// Arguments: 's' text, 'i' integer, in the order the user passes them.
constexpr std::array ProgramTextRows{
    // Message dialog captions and buttons
    ProgramTextRow{"COMMON", "CAPTION-WARNING", ""},
    ProgramTextRow{"COMMON", "CAPTION-ERROR", ""},
    ProgramTextRow{"COMMON", "CAPTION-INFORMATION", ""},
    ProgramTextRow{"COMMON", "CAPTION-CONFIRMATION", ""},
    ProgramTextRow{"COMMON", "BUTTON-YES", ""},
    ProgramTextRow{"COMMON", "BUTTON-NO", ""},
    ProgramTextRow{"COMMON", "BUTTON-OK", ""},
    ProgramTextRow{"COMMON", "BUTTON-CANCEL", ""},
    ProgramTextRow{"COMMON", "BUTTON-ABORT", ""},
    ProgramTextRow{"COMMON", "BUTTON-RETRY", ""},
    ProgramTextRow{"COMMON", "BUTTON-IGNORE", ""},
    ProgramTextRow{"COMMON", "BUTTON-ALL", ""},
    ProgramTextRow{"COMMON", "BUTTON-NO_TO_ALL", ""},
    ProgramTextRow{"COMMON", "BUTTON-YES_TO_ALL", ""},
    ProgramTextRow{"COMMON", "BUTTON-HELP", ""},
    ProgramTextRow{"COMMON", "BUTTON-CLOSE", ""},
    // Window caption
    ProgramTextRow{"COMMON", "FORM_CAPTION-DEFAULT", ""},
    ProgramTextRow{"COMMON", "FORM_CAPTION-READ_FROM_DEVICE", ""},
    ProgramTextRow{"COMMON", "TEXT-APPLICATION_TITLE", ""},
    // Items the program adds to lists, and the action descriptions
    ProgramTextRow{"COMMON", "TEXT-ALARM_TYPE-AUTOMATIC_POSITION", ""},
    ProgramTextRow{"COMMON", "TEXT-ALARM_TYPE-ANY_ALARM_TYPE", ""},
    ProgramTextRow{"COMMON", "TEXT-ALARM_TYPE-ANY_ALARM_TYPE_EXCEPT_BATTERY_AND_TEST", ""},
    ProgramTextRow{"COMMON", "TEXT-ALARM_TYPE-DOOR_ALARM_WITH_USER_INFO", ""},
    ProgramTextRow{"COMMON", "TEXT-ALARM_TYPE-NO_TRANSMISSION", ""},
    ProgramTextRow{"COMMON", "TEXT-NO_ACTION", ""},
    ProgramTextRow{"COMMON", "TEXT-RELAY_1", ""},
    ProgramTextRow{"COMMON", "TEXT-RELAY_2", ""},
    ProgramTextRow{"TAB_4", "LABEL-UNIT_ID_CODE", ""},
    // Range check: lower and upper bound
    ProgramTextRow{"COMMON", "MESSAGE-ENTERED_VALUE_MUST_BE_BETWEEN_N_AND_N", "ss"},
    // Device messages
    ProgramTextRow{"COMMON", "MESSAGE-KDU_NOT_FOUND", ""},
    ProgramTextRow{"COMMON", "MESSAGE-KDU_ACCESS_DENIED_DIALOUT", ""}, // second line: the dialout group
    ProgramTextRow{"COMMON", "MESSAGE-PLEASE_UPGRADE_KDU_FIRMWARE", ""},
    ProgramTextRow{"COMMON", "MESSAGE-INVALID_PRODUCT_TYPE_NN", "i"},        // product-type byte
    ProgramTextRow{"COMMON", "MESSAGE-INCOMPATIBLE_FIRMWARE_VERSION_NN", "s"}, // "v2.1"
    ProgramTextRow{"COMMON", "MESSAGE-ERROR_CONVERTING_DATA", "ii"},          // byte value, address
    ProgramTextRow{"COMMON", "MESSAGE-ACTIVATE_WIRELESS_DEVICE_FOR_EVENT_NN", "i"}, // event number
    // radio code, list of event numbers
    ProgramTextRow{"COMMON", "MESSAGE-RECEIVED_RADIO_CODE_NNNN_IS_ALREADY_LOCATED_IN_THE_FOLLOWING_EVENTS_NN_DO_YOU_WANT_TO_CONTINUE", "ss"},
    ProgramTextRow{"COMMON", "STATUS-RADIO_CODE_NNNN_COPIED_INTO_EVENT_NN", "si"}, // radio code, event number
    ProgramTextRow{"COMMON", "STATUS-TIMEOUT_NO_RADIO_CODE_WAS_RECEIVED", ""},
    // Files
    ProgramTextRow{"FILE", "FILTER-VORN_CONFIGURATION_FILE", ""},
    ProgramTextRow{"FILE", "TITLE-OPEN", ""},
    ProgramTextRow{"FILE", "TITLE-SAVE_AS", ""},
    ProgramTextRow{"FILE", "TITLE-SELECT_NEW_DEFAULT_CONFIG_FOR_NN", "s"},              // product name
    ProgramTextRow{"FILE", "MESSAGE-CANNOT_DRAG_DROP_MORE_THAN_ONE_CONFIG_FILE", ""},
    ProgramTextRow{"FILE", "MESSAGE-CONFIG_NN_NOT_FOUND_SELECT_NEW_CONFIG_FOR_NN", "ss"}, // full path, product name
    ProgramTextRow{"FILE", "MESSAGE-CONFIG_NN_NOT_SAVED_SAVE_IT_BEFORE_LOADING_NEW", "s"}, // product name
    ProgramTextRow{"FILE", "MESSAGE-COULD_NOT_LOAD_SELECTED_CONFIGURATION", ""},
    ProgramTextRow{"FILE", "MESSAGE-COULD_NOT_SAVE_CONFIGURATION", ""},
    ProgramTextRow{"FILE", "MESSAGE-DO_YOU_WANT_TO_SAVE_CHANGES", ""},
    ProgramTextRow{"FILE", "MESSAGE-DROPPED_FILE_IS_NOT_A_VORN_CONFIG_FILE", ""},
    ProgramTextRow{"FILE", "MESSAGE-ERROR_SELECTED_CONFIG_FILE_NN_IS_NOT_NN_TYPE", "ss"}, // file name, product name
    ProgramTextRow{"FILE", "MESSAGE-FILE_IS_READ_ONLY_COULD_NOT_SAVE", ""},
    ProgramTextRow{"FILE", "MESSAGE-FILE_NN_EXISTS_DO_YOU_WANT_TO_OVERWRITE", "s"}, // file name
    ProgramTextRow{"FILE", "MESSAGE-LANGUAGE_FILE_NN_CANNOT_BE_USED_NN", "ss"}, // path, reason
    ProgramTextRow{"FILE", "MESSAGE-LANGUAGE_FILE_NN_LACKS_THE_LISTS_NN", "ss"}, // path, section names
    ProgramTextRow{"FILE", "STATUS-CONFIGURATION_NN_LOADED", "s"},                   // file name
    ProgramTextRow{"FILE", "STATUS-CONFIGURATION_NN_SAVED", "s"},                    // file name
    ProgramTextRow{"FILE", "STATUS-NEW_DEFAULT_CONFIG_FOR_NN_IS_NOW_NN", "ss"},      // product name, file name
    ProgramTextRow{"FILE", "STATUS-LANGUAGE_WAS_CHANGED_TO_NN", "s"},                // language display name
    // The configuration sheet
    ProgramTextRow{"FILE", "TEXT-CONFIGURATION_SHEET", ""},
    ProgramTextRow{"FILE", "LABEL-SHEET_MODEL", ""},
    ProgramTextRow{"FILE", "LABEL-SHEET_FILE", ""},
    ProgramTextRow{"FILE", "LABEL-SHEET_DATE", ""},
    ProgramTextRow{"FILE", "TITLE-EXPORT_SHEET", ""},
    ProgramTextRow{"FILE", "FILTER-PDF_FILE", ""},
    ProgramTextRow{"FILE", "MESSAGE-COULD_NOT_WRITE_SHEET_NN", "s"}, // path
    ProgramTextRow{"FILE", "MESSAGE-COULD_NOT_PRINT_SHEET", ""},
    ProgramTextRow{"FILE", "STATUS-SHEET_NN_WRITTEN", "s"}, // file name
    ProgramTextRow{"FILE", "STATUS-SHEET_PRINTED", ""},
    ProgramTextRow{"FILE", "MESSAGE-FIELD_NN_CANNOT_BE_STORED", "s"},                // field captions
    ProgramTextRow{"FILE", "STATUS-SHOWN_AS_STORED_NN", "s"},                        // field captions
    ProgramTextRow{"FILE", "TEXT-FILE_HOLDS_NN_BYTES", "s"},                         // size
    ProgramTextRow{"FILE", "TEXT-FILE_CANNOT_BE_READ_NN", "s"},                      // reason
    ProgramTextRow{"FILE", "TEXT-PRODUCT_TYPE_NN_IS_NO_VORN_DEVICE", "s"},           // product-type byte
    ProgramTextRow{"FILE", "TEXT-NAME_DOES_NOT_END_IN_VORN", ""},
    ProgramTextRow{"FILE", "TEXT-DROPPED_FILE_HOLDS_NN_BYTES", "s"},                 // size
    // Device sessions
    ProgramTextRow{"COMMUNICATION", "MESSAGE-DO_YOU_WANT_TO_CHANGE_ID_CODE_FROM_XXXX_TO_YYYY", "ss"}, // device code, new code
    ProgramTextRow{"COMMUNICATION", "MESSAGE-ERROR_A_TOTAL_OF_NN_PARAMETERS_WAS_NOT_READ", "i"},      // count
    ProgramTextRow{"COMMUNICATION", "MESSAGE-ERROR_A_TOTAL_OF_NN_PARAMETERS_WAS_NOT_WRITTEN", "i"},   // count
    ProgramTextRow{"COMMUNICATION", "MESSAGE-READ_WRITE_TIMEOUT", "si"},                              // product name, serial number
    ProgramTextRow{"COMMUNICATION", "STATUS-DEVICE_NNNN_READ_OK", "si"},
    ProgramTextRow{"COMMUNICATION", "STATUS-DEVICE_NNNN_WRITE_OK", "si"},
    ProgramTextRow{"COMMUNICATION", "STATUS-READING_FROM_NNNN_WITH_SERIAL_NUMBER_NN", "si"},
    ProgramTextRow{"COMMUNICATION", "STATUS-WRITING_TO_NNNN_WITH_SERIAL_NUMBER_NN", "si"},
    ProgramTextRow{"COMMUNICATION", "MEMO-INSTRUCTIONS", "s"},     // the read or write button's text
    ProgramTextRow{"COMMUNICATION", "MEMO-POS_INSTRUCTIONS", "s"}, // the read or write button's text
    // The device service: backups, the read-back, cancelling, the session's progress
    ProgramTextRow{"COMMUNICATION", "STATUS-BACKING_UP_NNNN_WITH_SERIAL_NUMBER_NN", "si"},
    ProgramTextRow{"COMMUNICATION", "STATUS-VERIFYING_NNNN_WITH_SERIAL_NUMBER_NN", "si"},
    ProgramTextRow{"COMMUNICATION", "TEXT-BLOCK_NN_OF_NN_BAND_NN", "iis"}, // block, blocks, band
    ProgramTextRow{"COMMUNICATION", "STATUS-VERIFIED", ""},
    ProgramTextRow{"COMMUNICATION", "MESSAGE-VERIFY_DIFFERENCES_NN", "s"}, // the differences, a line each
    // field captions, address, written and read back ("0x21")
    ProgramTextRow{"COMMUNICATION", "TEXT-VERIFY_DIFFERENCE_NN_NN_NN_NN", "siss"},
    ProgramTextRow{"COMMUNICATION", "TEXT-NO_FIELD", ""},
    ProgramTextRow{"COMMUNICATION", "MESSAGE-NOT_VERIFIED", ""},
    ProgramTextRow{"COMMUNICATION", "MESSAGE-BACKUP_NOT_STORED_NN", "s"},        // reason
    ProgramTextRow{"COMMUNICATION", "MESSAGE-NO_BACKUP_NOTHING_WRITTEN_NN", "s"}, // reason
    ProgramTextRow{"COMMUNICATION", "STATUS-READ_CANCELLED", ""},
    ProgramTextRow{"COMMUNICATION", "MESSAGE-WRITE_CANCELLED_NN", "s"}, // address ranges
    ProgramTextRow{"COMMUNICATION", "STATUS-WRITE_CANCELLED_NOTHING_WRITTEN", ""},
    ProgramTextRow{"COMMUNICATION", "MESSAGE-CANCEL_SESSION_AND_CLOSE", ""},
    ProgramTextRow{"BACKUPS", "LABEL-KEPT_IN_NN", "s"},        // folder
    ProgramTextRow{"BACKUPS", "LABEL-FOLDER_NOT_READ_NN", "s"}, // reason
    ProgramTextRow{"COMPARE", "LABEL-DEVICE_NN_DIFFERS_IN_NN_FIELDS", "si"}, // device, count
    ProgramTextRow{"COMPARE", "LABEL-DEVICE_NN_HOLDS_THIS_CONFIGURATION", "s"}, // device
    ProgramTextRow{"HESK", "MESSAGE-ERROR_CONVERTING_DATA", "ii"}, // byte value, address
    ProgramTextRow{"HESK", "MESSAGE-ERROR_READ_DEVICE", ""},
    ProgramTextRow{"HESK", "MESSAGE-ERROR_WRITE_DEVICE_RETRY", ""},
    ProgramTextRow{"HESK", "MESSAGE-KDU_GET_JOB_ERROR", ""},
    ProgramTextRow{"HESK", "MESSAGE-READ_FROM_DEVICE_COMPLETE", ""},
    ProgramTextRow{"HESK", "MESSAGE-USER_ABORTED_READ_OPERATION", ""},
    ProgramTextRow{"HESK", "MESSAGE-USER_ABORTED_WRITE_OPERATION", ""},
    ProgramTextRow{"HESK", "MESSAGE-USER_ABORT_DEVICE_ID_CODE_READ_OPERATION", ""},
    ProgramTextRow{"HESK", "MESSAGE-WRITE_COMPLETE", ""},
    ProgramTextRow{"HESK", "MESSAGE_ERROR_CONVERTING_FORM", "i"}, // address
    ProgramTextRow{"CHANGE_CODE", "MESSAGE-DEVICE_ID_CODE_CHANGED", ""},
    ProgramTextRow{"CHANGE_CODE", "MESSAGE-NO_UPDATE_NEEDED_DEVICE_HAS_ALREADY_NNNN", "s"}, // device code
    ProgramTextRow{"CHANGE_CODE", "MESSAGE-THE_FIELD_MUST_CONTAIN_4_HEX_DIGITS", ""},
    // Regions
    ProgramTextRow{"SELECT_REGION", "MESSAGE-CONFIG_MISSING_FOR_SELECTED_REGION", ""},
    ProgramTextRow{"SELECT_REGION", "MESSAGE-FREQUENCY_BANDS_NOT_READ_FROM_NN_NN", "ss"}, // path, reason
    // region, settings file, language file
    ProgramTextRow{"SELECT_REGION", "MESSAGE-REGION_NN_OF_SETTINGS_FILE_NN_IS_NOT_IN_LANGUAGE_FILE_NN", "sss"},
    ProgramTextRow{"SELECT_REGION", "MESSAGE-NO_REGION_CHOSEN", ""},
    ProgramTextRow{"SELECT_REGION", "MESSAGE-SETTINGS_NOT_STORED_NN_NN", "ss"}, // settings file, reason
    // The positioning unit's potentiometer outside its steps: the measured value
    ProgramTextRow{"TAB_RFID_IO", "HINT-POTENTIOMETER_OUTSIDE_STEPS_NN", "s"},
};

using L = CodeLists;
constexpr std::array ListSectionRows{
    ListSectionRow{"AlarmTypes", &L::RadioEventAlarmTypes},
    ListSectionRow{"AlarmTypes", &L::ActionAlarmTypes},
    ListSectionRow{"AlarmTypes", &L::AlarmTypes},
    ListSectionRow{"InputTypes", &L::InputTypes},
    ListSectionRow{"InputTypesBypass", &L::InputTypesBypass},
    ListSectionRow{"RelayContacts", &L::RelayContacts},
    ListSectionRow{"UserTypes", &L::UserTypes},
    ListSectionRow{"RelayActions", &L::RelayActions},
    ListSectionRow{"YesNo", &L::YesNo},
    ListSectionRow{"Conditions", &L::Conditions},
    ListSectionRow{"Regions", &L::Regions, false},
    ListSectionRow{"CableLengths", &L::CableLengths},
    ListSectionRow{"AntennaTypes", &L::AntennaTypes},
    ListSectionRow{"RelaySources", &L::RelaySources},
    ListSectionRow{"RelayPolarities", &L::RelayPolarities},
    ListSectionRow{"TamperStatus", &L::TamperStatus},
    ListSectionRow{"ExternalInputFunctions", &L::ExternalInputFunctions},
    ListSectionRow{"ExternalInputModes", &L::ExternalInputModes},
    ListSectionRow{"PowerHighLow", &L::PowerHighLow},
};

constexpr std::array AddedItemRows{
    AddedItemRow{&L::RadioEventAlarmTypes, 253, "COMMON", "TEXT-ALARM_TYPE-AUTOMATIC_POSITION"},
    AddedItemRow{&L::RadioEventAlarmTypes, 254, "COMMON", "TEXT-ALARM_TYPE-ANY_ALARM_TYPE"},
    AddedItemRow{&L::RadioEventAlarmTypes, 255, "COMMON", "TEXT-ALARM_TYPE-ANY_ALARM_TYPE_EXCEPT_BATTERY_AND_TEST"},
    AddedItemRow{&L::ActionAlarmTypes, 254, "COMMON", "TEXT-ALARM_TYPE-DOOR_ALARM_WITH_USER_INFO"},
    AddedItemRow{&L::ActionAlarmTypes, 255, "COMMON", "TEXT-ALARM_TYPE-NO_TRANSMISSION"},
};

constexpr std::array DeviceNameRows{
    DeviceNameRow{&L::DeviceNamesA, 1, 9},
    DeviceNameRow{&L::DeviceNamesB, 10, 11},
    DeviceNameRow{&L::DeviceNamesC, 12, 12},
};
// clang-format on

// The row labels of a row set as control names spell them, and as keys number them.
std::vector<std::pair<std::string, std::string>> RowLabels(RowSet rows) {
    std::vector<std::pair<std::string, std::string>> labels;
    int count = 0;
    switch (rows) {
    case RowSet::None: return {{"", ""}};
    case RowSet::UserEvents: count = FamilyAMap::UserEventCount; break;
    case RowSet::RadioEvents: count = FamilyAMap::RadioEventCount; break;
    case RowSet::GofaIdCodes: count = FamilyCMap::IdCodeCount; break;
    case RowSet::Actions: count = FamilyAMap::ActionCount; break;
    }
    for (int i = 1; i <= count; ++i) {
        const std::string number = std::to_string(i);
        const std::string control = i <= 9 ? number : std::string(1, static_cast<char>('A' + i - 10));
        labels.emplace_back(control, number);
    }
    return labels;
}

std::string Expand(std::string_view pattern, const std::string& label) {
    std::string out(pattern);
    const std::size_t hash = out.find('#');
    if (hash != std::string::npos) {
        out.replace(hash, 1, label);
    }
    return out;
}

bool IsNumber(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// Problems of one text with the arguments its user passes.
void CheckPlaceholders(const std::string& where, const std::string& text, std::string_view args,
                       std::vector<std::string>& problems) {
    const PatternInfo info = InspectPattern(text);
    if (args.empty()) {
        // Shown as it is: a placeholder would reach the screen unfilled.
        if (!info.placeholders.empty()) {
            problems.push_back(where + ": placeholder in a text that takes no arguments");
        }
        return;
    }
    for (const auto& bad : info.malformed) {
        problems.push_back(where + ": malformed placeholder \"" + bad + "\"");
    }
    std::vector<bool> used(args.size(), false);
    for (const auto& p : info.placeholders) {
        if (p.index < 0 || static_cast<std::size_t>(p.index) >= args.size()) {
            problems.push_back(where + ": placeholder for argument " + std::to_string(p.index) + " of " +
                               std::to_string(args.size()));
            continue;
        }
        used[static_cast<std::size_t>(p.index)] = true;
        if (p.type != 's' && args[static_cast<std::size_t>(p.index)] != 'i') {
            problems.push_back(where + ": number placeholder for text argument " + std::to_string(p.index));
        }
    }
    for (std::size_t i = 0; i < used.size(); ++i) {
        if (!used[i]) {
            problems.push_back(where + ": argument " + std::to_string(i) + " is not shown");
        }
    }
}

} // namespace

std::span<const CatalogueRow> MainWindowCatalogue() {
    return MainWindowRows;
}

std::vector<ControlTextKey> MainWindowTextKeys() {
    std::vector<ControlTextKey> keys;
    for (const auto& row : MainWindowRows) {
        for (const auto& [control, number] : RowLabels(row.rows)) {
            keys.push_back({std::string(row.section), Expand(row.key, number), Expand(row.control, control),
                            row.property});
        }
    }
    return keys;
}

std::span<const WindowTextRow> OtherWindowTexts() {
    return OtherWindowRows;
}

std::span<const ProgramTextRow> ProgramTexts() {
    return ProgramTextRows;
}

std::string_view ArgumentsOf(std::string_view section, std::string_view key) {
    for (const auto& row : ProgramTextRows) {
        if (row.section == section && row.key == key) {
            return row.args;
        }
    }
    return {};
}

std::span<const ListSectionRow> ListSections() {
    return ListSectionRows;
}

std::span<const AddedItemRow> AddedItems() {
    return AddedItemRows;
}

std::span<const DeviceNameRow> DeviceNameLists() {
    return DeviceNameRows;
}

std::vector<ProgramTextRow> AllTextKeys() {
    std::vector<ProgramTextRow> all;
    std::set<std::pair<std::string_view, std::string_view>> seen;
    // The rows returned view the expanded keys, so these live as long as the program.
    static const std::vector<ControlTextKey> mainKeys = MainWindowTextKeys();
    auto add = [&](std::string_view section, std::string_view key, std::string_view args) {
        if (seen.insert({section, key}).second) {
            all.push_back({section, key, args});
        }
    };
    for (const auto& k : mainKeys) {
        add(k.section, k.key, ArgumentsOf(k.section, k.key));
    }
    for (const auto& row : OtherWindowRows) {
        add(row.section, row.key, ArgumentsOf(row.section, row.key));
    }
    for (const auto& row : ProgramTextRows) {
        add(row.section, row.key, row.args);
    }
    return all;
}

std::vector<std::string> LanguageFileProblems(const ListIni& reader) {
    std::vector<std::string> problems;
    for (const auto& row : AllTextKeys()) {
        const std::string where = "[" + std::string(row.section) + "] " + std::string(row.key);
        if (!reader.Defines(row.section, row.key)) {
            problems.push_back(where + ": missing");
            continue;
        }
        CheckPlaceholders(where, reader.Text(row.section, row.key), row.args, problems);
    }
    std::set<std::string_view> sections;
    for (const auto& row : ListSectionRows) {
        if (!sections.insert(row.section).second) {
            continue;
        }
        const IniSection* section = reader.Content().FindSection(row.section);
        if (section == nullptr || section->entries.empty()) {
            problems.push_back("[" + std::string(row.section) + "]: missing list");
            continue;
        }
        for (const auto& entry : section->entries) {
            const bool goodName = row.numericCodes ? IsNumber(entry.key) : !entry.key.empty();
            if (!entry.hasValue || !goodName || entry.value.empty()) {
                problems.push_back("[" + std::string(row.section) + "] " + entry.Line() +
                                   ": no code=text entry");
            }
        }
    }
    for (const auto& row : DeviceNameRows) {
        for (int key = row.firstKey; key <= row.lastKey; ++key) {
            const std::string value = reader.Text(DevicesSection, std::to_string(key));
            if (!reader.Defines(DevicesSection, std::to_string(key)) || !IsNumber(NamePart(value)) ||
                ValuePart(value).empty()) {
                problems.push_back("[Devices] " + std::to_string(key) + ": no code=name entry");
            }
        }
    }
    return problems;
}

std::vector<std::string> MissingListSections(const ListIni& reader) {
    std::vector<std::string> missing;
    const auto lacks = [&reader](std::string_view name) {
        const IniSection* section = reader.Content().FindSection(name);
        return section == nullptr || section->entries.empty();
    };
    for (const auto& row : ListSectionRows) {
        const std::string name(row.section);
        if (lacks(name) && std::find(missing.begin(), missing.end(), name) == missing.end()) {
            missing.push_back(name);
        }
    }
    if (lacks(DevicesSection)) {
        missing.emplace_back(DevicesSection);
    }
    return missing;
}

} // namespace vorn
