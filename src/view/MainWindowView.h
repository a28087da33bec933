#pragma once

#include "view/ControlText.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The main window as the core sees it: caption, status bar, the tabs of the page control, menu items
// and other controls that are no editor field (by control name), keyboard focus and the cursor.
namespace vorn {

class MainWindowView {
public:
    virtual ~MainWindowView() = default;

    virtual void SetCaption(const std::string& caption) = 0;
    // The caption with the marker of unsaved changes: modified says whether the editor holds unsaved
    // changes, markerAt where in the caption the marker belongs (right after the configuration's
    // name). A view without such a marker shows the caption alone.
    virtual void SetDocumentCaption(const std::string& caption, bool modified, std::size_t markerAt) {
        (void)modified;
        (void)markerAt;
        SetCaption(caption);
    }
    // The single text of the status bar; each new text replaces the previous one.
    virtual void SetStatusText(const std::string& text) = 0;

    // Sets captions, hints and shortcuts of the main window's controls by name.
    virtual void ApplyControlTexts(const std::vector<ControlText>& texts) = 0;
    // Replaces the items under File > Language and enables or disables that menu.
    virtual void SetLanguageMenu(const std::vector<LanguageMenuItem>& items, bool enabled) = 0;
    // Checks the language item with that tag (the others of the group become unchecked).
    virtual void CheckLanguageMenuItem(int tag) = 0;
    // Replaces the numbered items of File > Open recent (mnuFileRecent_1 and on, newest first); the
    // submenu is disabled without any.
    virtual void SetRecentFiles(const std::vector<std::string>& captions) { (void)captions; }

    // Pages of the page control by name ("tbsSelectDevice", "tbsButtons", ...).
    virtual void SetPageTabVisible(std::string_view page, bool visible) = 0;
    virtual void SetActivePage(std::string_view page) = 0;
    virtual std::string ActivePage() const = 0;

    // Menu items, labels and buttons by control name ("mnuFileNew", "lblGOFA_RadioProtocol", ...).
    virtual void SetControlVisible(std::string_view control, bool visible) = 0;
    virtual void SetControlEnabled(std::string_view control, bool enabled) = 0;
    // A checkable menu item's check mark.
    virtual void SetControlChecked(std::string_view control, bool checked) {
        (void)control;
        (void)checked;
    }
    virtual void SetFocus(std::string_view control) = 0;

    // The hourglass while the program works without a window of its own.
    virtual void SetBusyCursor(bool busy) = 0;
    // The whole window: disabled while a device session runs.
    virtual void SetWindowEnabled(bool enabled) = 0;
};

// No window: everything set is dropped, and no page is active.
class SilentMainWindowView : public MainWindowView {
public:
    void SetCaption(const std::string&) override {}
    void SetStatusText(const std::string&) override {}
    void ApplyControlTexts(const std::vector<ControlText>&) override {}
    void SetLanguageMenu(const std::vector<LanguageMenuItem>&, bool) override {}
    void CheckLanguageMenuItem(int) override {}
    void SetPageTabVisible(std::string_view, bool) override {}
    void SetActivePage(std::string_view) override {}
    std::string ActivePage() const override { return {}; }
    void SetControlVisible(std::string_view, bool) override {}
    void SetControlEnabled(std::string_view, bool) override {}
    void SetFocus(std::string_view) override {}
    void SetBusyCursor(bool) override {}
    void SetWindowEnabled(bool) override {}
};

} // namespace vorn
