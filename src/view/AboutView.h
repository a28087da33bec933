#pragma once

#include <string>
#include <vector>

// The about window (TfrmAbout) as the core sees it: the core fills its texts, the view shows it
// modally over the middle of the main window with the maker's logo.
namespace vorn {

struct AboutWindowData {
    std::string caption;            // window caption
    std::string applicationName;    // lblApplicationName
    std::string applicationVersion; // lblApplicationVersion: "Version " and the version
    std::string copyright;          // lblCopyright
    std::string companyName;        // lblCompanyName
    std::string kduInfo;            // lblKduInfo: the label text, a space and the unit's version
    std::vector<std::string> info;  // mmoInfo, one entry per line
    std::string okCaption;          // btnOk
    friend bool operator==(const AboutWindowData&, const AboutWindowData&) = default;
};

class AboutView {
public:
    virtual ~AboutView() = default;
    // Shows the window modally; returns when the operator closed it.
    virtual void ShowAbout(const AboutWindowData& data) = 0;
};

class SilentAboutView : public AboutView {
public:
    void ShowAbout(const AboutWindowData&) override {}
};

} // namespace vorn
