#include "support/TestLists.h"

#include "model/FamilyAFields.h"
#include "model/FamilyBFields.h"
#include "model/FamilyCFields.h"
#include "model/PulseTime.h"

namespace vorn::test {

namespace {

CodeLists BuildLists() {
    CodeLists l;
    l.AlarmTypes = {"0=Panic",      "1=Fire",   "2=Medical",     "3=Door",      "4=Battery low",
                    "5=Radio test", "6=Tamper", "10=Assistance", "20=Technical"};
    l.RadioEventAlarmTypes = l.AlarmTypes;
    l.RadioEventAlarmTypes.insert(
        l.RadioEventAlarmTypes.end(),
        {"253=Automatic position", "254=Any alarm type", "255=Any alarm type except battery and test"});
    l.ActionAlarmTypes = l.AlarmTypes;
    l.ActionAlarmTypes.insert(l.ActionAlarmTypes.end(),
                              {"254=Door alarm with user info", "255=No transmission"});
    l.InputTypes = {"0=Not used", "1=Normally open", "2=Normally closed", "3=End of line"};
    l.InputTypesBypass = {"0=Not used", "1=Normally open", "2=Normally closed", "3=End of line", "4=Bypass"};
    l.RelayContacts = {"0=Normally open", "1=Normally closed"};
    l.UserTypes = {"0=Resident", "1=Staff", "2=Visitor", "3=Any user"};
    l.RelayActions = {"0=Not used", "1=On", "2=Off", "3=Pulse", "4=Toggle"};
    l.YesNo = {"0=No", "1=Yes"};
    l.Conditions = {"0=None", "1=Day", "2=Night", "3=Present", "4=Absent"};
    l.Regions = {"Europe=Europe", "China=China", "Chile=Chile, South America", "USA=USA",
                 "Australia=Australia"};
    l.CableLengths = {"0=Up to 10 m", "1=10 to 50 m", "2=50 to 100 m"};
    l.AntennaTypes = {"0=Internal", "1=External"};
    l.RelaySources = {"0=Radio", "1=RFID"};
    l.RelayPolarities = {"0=Normal", "1=Inverted"};
    l.TamperStatus = {"0=Closed", "1=Open"};
    l.ExternalInputFunctions = {"0=Alarm", "1=Relay"};
    l.ExternalInputModes = {"0=Normally open", "1=Normally closed"};
    l.PowerHighLow = {"0=Low (50%)", "1=High (100%)"};
    for (int i = 0; i < 16; ++i) {
        l.HexDigits.push_back(std::to_string(i) + "=" + "0123456789ABCDEF"[i]);
    }
    for (int i = 0; i < 15; ++i) {
        l.ActionReferences.push_back(MakeItem(i, " " + std::to_string(i + 1) + "."));
    }
    l.ActionReferences.push_back("15=No action");
    l.DeviceNamesA = {"35=TARV",      "37=ZUMI", "39=GLIM",  "36=BODE",      "38=BODE+ZUMI",
                      "40=BODE+GLIM", "41=PLOM", "56=3BODE", "57=3BODE+ZUMI"};
    l.DeviceNamesB = {"42=HESK", "43=HESK+ZUMI"};
    l.DeviceNamesC = {"75=DADIDU"};
    l.ReceiveBands = {"1=869.2125 MHz", "2=868.7125 MHz", "6=869.4125 MHz"};
    l.TransmitBands = {"1=869.2125 MHz", "2=868.7125 MHz", "8=868.2125 MHz"};
    return l;
}

} // namespace

const CodeLists& EnglishLists() {
    static const CodeLists lists = BuildLists();
    return lists;
}

EditorFixture::EditorFixture(const CodeLists& codeLists, char32_t separator)
    : fields(std::make_unique<FieldModel>()), lists(codeLists), context{*fields, lists, separator, &filling} {
    for (const auto* rows : {&FamilyAFieldRows(), &FamilyBFieldRows(), &FamilyCFieldRows()}) {
        RegisterFields(*fields, *rows);
        FillChoiceFields(*fields, lists, *rows);
    }
    fields->SetInputMask("medtPulseActivationTime", PulseTimeMask(separator));
    fields->SetInputMask("medtGOFA_RelayPulseTime", PulseTimeMask(separator));
}

} // namespace vorn::test
