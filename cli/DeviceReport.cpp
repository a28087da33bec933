#include "DeviceReport.h"

#include "model/ValueHelpers.h"

#include <cstdio>

namespace vorn::cli {

namespace {

constexpr std::size_t ShownDifferences = 4;

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", seconds);
    return text;
}

double Rounded(double seconds) {
    return static_cast<double>(static_cast<long long>(seconds * 1000 + 0.5)) / 1000;
}

} // namespace

std::string DifferencesText(const std::vector<VerifyDifference>& differences) {
    std::string text;
    for (std::size_t i = 0; i < differences.size() && i < ShownDifferences; ++i) {
        const VerifyDifference& d = differences[i];
        text += (i == 0 ? "" : "; ") + std::string("byte ") + std::to_string(d.address) + ": wrote 0x" +
                HexByte(d.written) + (d.read ? ", read 0x" + HexByte(*d.read) : ", not read back");
    }
    if (differences.size() > ShownDifferences) {
        text += "; and " + std::to_string(differences.size() - ShownDifferences) + " more";
    }
    return text;
}

std::string DeviceReport::Line() const {
    std::string line = serial ? std::to_string(*serial) : model;
    line += Succeeded() ? (command == "read" ? "  read" : "  written") : "  failed";
    line += "  " + Seconds(seconds) + "  band " + (band ? bandText : std::string("-"));
    if (verify == "passed") {
        line += "  verified";
    }
    if (!backup.empty()) {
        line += "  backup " + backup;
    }
    if (!Succeeded()) {
        line += "  (status " + std::to_string(status) + ") " + text;
    }
    return line;
}

Json DeviceReport::ToJson() const {
    Json differencesJson = Json::array();
    for (const VerifyDifference& d : differences) {
        differencesJson.push_back({{"address", d.address},
                                   {"field", d.caption},
                                   {"written", d.written},
                                   {"read", d.read ? Json(*d.read) : Json(nullptr)}});
    }
    return Json{{"command", command},
                {"serial", serial ? Json(*serial) : Json(nullptr)},
                {"model", model},
                {"result", status},
                {"resultText", text},
                {"blocks", blocks},
                {"bytes", bytes},
                {"band", band ? Json(*band) : Json(nullptr)},
                {"bandText", band ? Json(bandText) : Json(nullptr)},
                {"seconds", Rounded(seconds)},
                {"verify", verify.empty() ? Json(nullptr) : Json(verify)},
                {"verifyDifferences", differencesJson},
                {"backup", backup.empty() ? Json(nullptr) : Json(backup)}};
}

std::string TotalLine(const std::vector<DeviceReport>& reports, std::size_t devices, double seconds) {
    std::size_t succeeded = 0;
    for (const DeviceReport& report : reports) {
        succeeded += report.Succeeded() ? 1 : 0;
    }
    const std::size_t failed = reports.size() - succeeded;
    std::string line =
        "total: " + std::to_string(succeeded) + " written, " + std::to_string(failed) + " failed";
    if (reports.size() < devices) {
        line += ", " + std::to_string(devices - reports.size()) + " not tried";
    }
    return line + " of " + std::to_string(devices) + " devices in " + Seconds(seconds);
}

} // namespace vorn::cli
