#pragma once

#include "session/DeviceFlow.h"

#include <string_view>

// Communication > Read from device: a family A or C device is read by serial number in a session of
// memory jobs after the select-device dialog; a family B unit is read in one radio job that starts
// when the operator presses its button. The image read goes into the editor. The same read, into an
// image of its own, serves the comparison with the device.
namespace vorn {

class DeviceReader : public DeviceFlow {
public:
    using DeviceFlow::DeviceFlow;

    // Reads the device of the edited image's product type into the image and shows it in the editor.
    SessionOutcome Read();

    // The device's configuration into an image as a read fetches it (the ranges or entries read over
    // the image's own bytes), with the read's dialogs and messages; forEditor also puts a presence
    // unit's radio code into the editor, as a read does before its job. Done when it came whole.
    SessionOutcome Fetch(ProgData& data, bool forEditor);
    // A fetched image (now the edited configuration) shown in the editor as a read shows it, with the
    // conversion's message; ConversionError when it does not convert.
    SessionOutcome ShowFetched();

private:
    SessionOutcome FetchByMemoryJobs(ProgData& data);
    SessionOutcome FetchPresenceUnit(ProgData& data, bool forEditor);
};

} // namespace vorn
