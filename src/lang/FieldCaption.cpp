#include "lang/FieldCaption.h"

#include "lang/ListIni.h"
#include "lang/TextCatalogue.h"

#include <array>

namespace vorn {

namespace {

// Rows of the family A pages: the field name's prefix, the row's caption (a label per row, or the
// page's caption followed by the row number) and each column's label.
struct RowColumn {
    std::string_view suffix;
    std::string_view label;
};
struct RowFields {
    std::string_view prefix;   // up to the row, e.g. "cbbxRadioEvent_"
    std::string_view rowLabel; // "lblUserEvent_" + row, or "" for the page and the row number
    std::string_view page;     // the page whose caption names the row when there is no row label
    std::array<RowColumn, 3> columns;
};

constexpr RowFields RowTable[] = {
    {"cbbxUserEvent_",
     "lblUserEvent_",
     "",
     {{{"_Condition_A", "lblButtonCondition"},
       {"_Condition_B", "lblButtonCondition"},
       {"_ActionReference", "lblButtonAction"}}}},
    {"cbbxUserEvent_", "lblUserEvent_", "", {{{"_InputType", "lblUserEvent_InputType"}}}},
    {"edtRadioEvent_",
     "",
     "tbsRadioEvents",
     {{{"_PositionId", "lblRadioEvent_PositionIdCode"}, {"_RadioId", "lblRadioEvent_RadioIdCode"}}}},
    {"cbbxRadioEvent_",
     "",
     "tbsRadioEvents",
     {{{"_AlarmType", "lblRadioEvent_AlarmType"},
       {"_UserType", "lblRadioEvent_UserType"},
       {"_ActionReference", "lblRadioEvent_Action"}}}},
    {"cbbxRadioEvent_",
     "",
     "tbsRadioEvents",
     {{{"_Condition_A", "lblRadioEvent_Condition"}, {"_Condition_B", "lblRadioEvent_Condition"}}}},
    {"cbbxAction_",
     "",
     "tbsActions",
     {{{"_AlarmType", "lblAction_AlarmType"},
       {"_Relay_1", "lblAction_Relay_1_Action"},
       {"_Relay_2", "lblAction_Relay_2_Action"}}}},
    {"edtAction_", "", "tbsActions", {{{"_RadioId", "lblAction_RadioIdCode"}}}},
    {"cbAction_", "", "tbsActions", {{{"_Auto", "cbAction_1_Auto"}}}},
};

// Fields whose label is not "lbl" and the rest of their name.
struct LabelOf {
    std::string_view field;
    std::string_view label;
};
constexpr LabelOf LabelTable[] = {
    {"cbbxCableLength", "lblInputCableLength"},
    {"cbbxOutput_1_Contact", "lblContactType_OUT1"},
    {"cbbxOutput_2_Contact", "lblContactType_OUT2"},
    {"edtOutput_1_GroupActivationCode_1", "lblGroupActivationCodes_OUT1"},
    {"edtOutput_1_GroupActivationCode_2", "lblGroupActivationCodes_OUT1"},
    {"edtOutput_2_GroupActivationCode_1", "lblGroupActivationCodes_OUT2"},
    {"edtOutput_2_GroupActivationCode_2", "lblGroupActivationCodes_OUT2"},
    {"edtHESK_RadioIdCode", "lblHESK_UnitRadioIdCode"},
    {"edtHESK_NumberOfMissedAck", "lblHESK_NUmberOfMissedAckBeforeSleep"},
    {"edtGOFA_Position", "lblGOFA_PositionIdCode"},
    {"edtGOFA_RfidPower", "lblGOFA_Power"},
    {"edtGOFA_RotaryS1", "lblGOFA_RotarySwitchS1"},
    {"edtGOFA_RotaryS2", "lblGOFA_RotarySwitchS2"},
    {"edtGOFA_RotaryS3", "lblGOFA_RotarySwitchS3"},
    {"edtGOFA_RfidVant", "lblGOFA_P1"},
    {"edtGOFA_Potentiometer_P1", "lblGOFA_P1"},
    {"edtGOFA_Firmwaretype", "lblGOFA_FirmwareType"},
    {"cbbxGOFA_RxFrequencyBand", "lblGOFA_ReceiveFrequencyBand"},
    {"cbbxGOFA_TxFrequencyBand", "lblGOFA_TransmitFrequencyBand"},
    {"cbbxGOFA_IgnoreAck", "lblGOFA_IgnoreReceivedAck"},
    {"edtGOFA_RadioTestInterval", "lblGOFA_RadioTestAlarmInterval"},
};

constexpr std::string_view KindPrefixes[] = {"medt", "cbbx", "edt", "cb"};

std::string CaptionOf(const ListIni& texts, std::string_view control) {
    for (const ControlTextKey& key : MainWindowTextKeys()) {
        if (key.control == control && key.property == ControlProperty::Caption) {
            std::string text = texts.Text(key.section, key.key);
            // A caption of several lines reads as one; a trailing colon is the label's, not the name's.
            for (char& ch : text) {
                if (ch == '~') {
                    ch = ' ';
                }
            }
            while (!text.empty() && (text.back() == ':' || text.back() == ' ')) {
                text.pop_back();
            }
            return text;
        }
    }
    return {};
}

// The row part of a row field's name: "3" of "cbbxRadioEvent_3_AlarmType".
std::string_view RowOf(std::string_view name, std::string_view prefix, std::string_view suffix) {
    if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) ||
        !name.ends_with(suffix)) {
        return {};
    }
    return name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
}

// Actions are named 1 to 9 and A to F; the page numbers them 1 to 15.
std::string RowNumber(std::string_view row) {
    if (row.size() == 1 && row[0] >= 'A' && row[0] <= 'F') {
        return std::to_string(10 + (row[0] - 'A'));
    }
    return std::string(row);
}

} // namespace

std::string FieldCaption(const ListIni& texts, std::string_view field) {
    for (const RowFields& rows : RowTable) {
        for (const RowColumn& column : rows.columns) {
            if (column.suffix.empty()) {
                continue;
            }
            const std::string_view row = RowOf(field, rows.prefix, column.suffix);
            if (row.empty()) {
                continue;
            }
            const std::string rowCaption =
                rows.rowLabel.empty() ? CaptionOf(texts, rows.page) + " " + RowNumber(row)
                                      : CaptionOf(texts, std::string(rows.rowLabel) + std::string(row));
            return rowCaption + ": " + CaptionOf(texts, column.label);
        }
    }
    if (const std::string_view n = RowOf(field, "edtGOFA_IdCode", ""); !n.empty()) {
        return CaptionOf(texts, "lblGOFA_Id" + std::string(n));
    }
    std::string label;
    for (const LabelOf& row : LabelTable) {
        if (row.field == field) {
            label = row.label;
        }
    }
    if (label.empty()) {
        std::string_view stem = field;
        for (std::string_view prefix : KindPrefixes) {
            if (stem.starts_with(prefix)) {
                stem.remove_prefix(prefix.size());
                break;
            }
        }
        if (stem.ends_with("_Read")) {
            stem.remove_suffix(5);
        }
        label = "lbl" + std::string(stem);
    }
    const std::string caption = CaptionOf(texts, label);
    return caption.empty() ? std::string(field) : caption;
}

} // namespace vorn
