#pragma once

#include "view/MainWindowView.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <QMainWindow>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QTabWidget;
class QTimer;

namespace vorn {
class FieldModel;
}

namespace vorn::gui {

class DevicePage;
class ElidedLabel;
class FieldBinder;

// What the window hands on: every menu item, device button, dropped file, key press, close request
// and timer tick goes to the program's logic. A handler left empty drops the act.
struct MainWindowHandlers {
    std::function<void(std::string_view menuItem)> menu; // "mnuFileNew", "mnuFileOpen", ...
    std::function<void(int tag)> language;               // an item of File > Language
    std::function<void(int button)> deviceButton;        // bbtnDevice_1 to bbtnDevice_12
    std::function<void(const std::vector<std::string>& paths)> drop;
    std::function<bool(int key)> keyPress;       // true: the press is discarded
    std::function<bool()> closeQuery;            // true: the window may close
    std::function<void()> devicePageShown;       // the device page was entered or shown
    std::function<void()> tick;                  // tmrUpdateActionList
    std::function<void(int event)> getRadioCode; // btnRadioEvent_1_GetRadioCode to _8 (their tags)
    std::function<void(int item)> recentFile;    // mnuFileRecent_1 (the newest) to _8
};

// The main window (frmEdit): the menu, the page control pgcEdit with the device page and the seven
// editor pages, and the status bar sbStatus. It shows what the core sets through MainWindowView and
// hands the operator's acts to its handlers; the editor's fields are bound to the core's field model.
class TfrmEdit : public QMainWindow, public MainWindowView {
public:
    static constexpr int ClientWidth = 1144;
    static constexpr int ClientHeight = 646;
    static constexpr int PageControlHeight = 617;

    explicit TfrmEdit(QWidget* parent = nullptr);
    ~TfrmEdit() override;

    void SetHandlers(MainWindowHandlers handlers) { handlers_ = std::move(handlers); }
    // Binds every editor control to its field (once the core's editor exists).
    void BindFields(FieldModel& fields);
    // Lets go of the field model (before the model goes away).
    void UnbindFields();
    FieldBinder* Binder() const { return binder_.get(); }

    // The editor pages are filled with their controls once the window has first been painted (or when
    // a page is first needed), so the window shows itself quickly; this builds them now.
    void EnsurePagesBuilt();
    bool PagesBuilt() const { return pagesBuilt_; }

    QTabWidget* PageControl() const { return pgcEdit_; }
    DevicePage* DeviceSelection() const { return devicePage_; }
    QAction* Action(std::string_view name) const;
    // tmrUpdateActionList: its ticks go to the tick handler once it is started.
    QTimer* ActionListTimer() const { return tmrUpdateActionList_; }
    QString StatusText() const;
    // Places the window in the middle of its screen (a screen too small for it gets the window cut
    // down to its free area, with scrolling pages, at its top left).
    void CentreOnScreen();
    // The window's size: the full client area, or less on a screen too small for it (FitTo: for that
    // room).
    void FitToScreen();
    void FitTo(QSize room);
    QSize FullSize() const;
    // The next (1) or the previous (-1) page whose tab is shown.
    void SwitchPage(int step);
    // The status bar's note that the demo unit stands in for the interface unit (lblDemoUnit).
    void ShowDemoUnitNote(bool shown);

    // MainWindowView
    void SetCaption(const std::string& caption) override;
    void SetDocumentCaption(const std::string& caption, bool modified, std::size_t markerAt) override;
    void SetStatusText(const std::string& text) override;
    void ApplyControlTexts(const std::vector<ControlText>& texts) override;
    void SetLanguageMenu(const std::vector<LanguageMenuItem>& items, bool enabled) override;
    void CheckLanguageMenuItem(int tag) override;
    void SetRecentFiles(const std::vector<std::string>& captions) override;
    void SetPageTabVisible(std::string_view page, bool visible) override;
    void SetActivePage(std::string_view page) override;
    std::string ActivePage() const override;
    void SetControlVisible(std::string_view control, bool visible) override;
    void SetControlEnabled(std::string_view control, bool enabled) override;
    void SetControlChecked(std::string_view control, bool checked) override;
    void SetFocus(std::string_view control) override;
    void SetBusyCursor(bool busy) override;
    void SetWindowEnabled(bool enabled) override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildMenus();
    void BuildPages();
    QAction* AddAction(QMenu* menu, const char* name);
    QMenu* AddMenu(QMenu* parent, const char* name);
    int PageIndex(std::string_view page) const;
    QWidget* Control(std::string_view name) const;
    void IndexControls(QWidget* root);
    void ConnectGetRadioCodeButtons(QWidget* page);
    bool HandleDrop(QEvent* event);
    bool HandleKey(QObject* watched, QEvent* event);
    bool TakeEditKeys(QObject* watched, QEvent* event);

    MainWindowHandlers handlers_;
    std::unique_ptr<FieldBinder> binder_;
    QTabWidget* pgcEdit_ = nullptr;
    DevicePage* devicePage_ = nullptr;
    ElidedLabel* statusText_ = nullptr;
    QTimer* tmrUpdateActionList_ = nullptr;
    QMenu* languageMenu_ = nullptr;
    QActionGroup* languageGroup_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    std::vector<QAction*> recentItems_;
    std::unordered_map<std::string, QAction*> actions_;
    std::unordered_map<std::string, QWidget*> controls_;
    // What the core set on controls of pages not built yet, applied once they are.
    std::vector<ControlText> pendingTexts_;
    std::vector<std::pair<std::string, bool>> pendingVisible_;
    std::vector<std::pair<std::string, bool>> pendingEnabled_;
    bool pagesBuilt_ = false;
    bool buildScheduled_ = false;
    bool busy_ = false;
};

} // namespace vorn::gui
