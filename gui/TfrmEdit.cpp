#include "gui/TfrmEdit.h"

#include "base/KeyCodes.h"
#include "gui/DevicePage.h"
#include "gui/ElidedLabel.h"
#include "gui/FieldBinder.h"
#include "gui/pages/EditorPages.h"
#include "gui/pages/PageBuilder.h"
#include "model/FamilyAMap.h"

#include <utility>

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>

namespace vorn::gui {

namespace {

QString Name(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// How long a label's hint stays up.
constexpr int HintShownMs = 5000;

} // namespace

TfrmEdit::TfrmEdit(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmEdit"));
    setWindowTitle(QStringLiteral("VORN Family Programmer"));
    BuildMenus();
    BuildPages();

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("sbStatus"));
    status->setSizeGripEnabled(false);
    // A long status text is cut and shown whole as its tool tip, clear of the demo unit's note.
    statusText_ = new ElidedLabel(status);
    statusText_->setObjectName(QStringLiteral("sbStatusText"));
    status->addWidget(statusText_, 1);
    // Beside the status text, never replaced by it; the language gives its text.
    auto* demoUnit = new QLabel(status);
    demoUnit->setObjectName(QStringLiteral("lblDemoUnit"));
    demoUnit->setContentsMargins(0, 0, 8, 0); // clear of the window's edge
    demoUnit->hide();
    status->addPermanentWidget(demoUnit);
    controls_.emplace("lblDemoUnit", demoUnit);
    setStatusBar(status);
    status->setFixedHeight(ClientHeight - PageControlHeight);

    // Fixed size: the client area below the menu bar is the page control and the status bar (less on a
    // screen too small for it, where the pages scroll).
    setFixedSize(FullSize());
    FitToScreen();

    // Its interval is the program's; it runs from the start.
    tmrUpdateActionList_ = new QTimer(this);
    tmrUpdateActionList_->setObjectName(QStringLiteral("tmrUpdateActionList"));
    connect(tmrUpdateActionList_, &QTimer::timeout, this, [this] {
        if (handlers_.tick) {
            handlers_.tick();
        }
    });

    // Files dropped from the desktop and the keys the window sees before its controls: an event
    // filter on the application catches them for every control of this window.
    setAcceptDrops(true);
    qApp->installEventFilter(this);
}

TfrmEdit::~TfrmEdit() {
    qApp->removeEventFilter(this);
    if (busy_) {
        QApplication::restoreOverrideCursor();
    }
}

QMenu* TfrmEdit::AddMenu(QMenu* parent, const char* name) {
    QMenu* menu =
        parent != nullptr ? parent->addMenu(QLatin1String(name)) : menuBar()->addMenu(QLatin1String(name));
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    actions_[name] = menu->menuAction();
    return menu;
}

QAction* TfrmEdit::AddAction(QMenu* menu, const char* name) {
    QAction* action = menu->addAction(QLatin1String(name));
    action->setObjectName(QLatin1String(name));
    actions_[name] = action;
    const std::string item(name);
    connect(action, &QAction::triggered, this, [this, menu, action, item] {
        // A shortcut reaches an item whose menu is disabled; the item is no more usable than its menu.
        if (!menu->menuAction()->isEnabled() || !handlers_.menu) {
            // Qt has toggled a checkable item already: it goes back to what the option is.
            if (action->isCheckable()) {
                action->setChecked(!action->isChecked());
            }
            return;
        }
        handlers_.menu(item);
    });
    return action;
}

void TfrmEdit::BuildMenus() {
    menuBar()->setObjectName(QStringLiteral("mnuEdit"));
    QMenu* file = AddMenu(nullptr, "mnuFile");
    AddAction(file, "mnuFileNew")->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    AddAction(file, "mnuFileOpen")->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    // The files last opened or saved come before this separator (SetRecentFiles).
    recentMenu_ = AddMenu(file, "mnuFileRecent");
    recentMenu_->menuAction()->setEnabled(false);
    recentSeparator_ = recentMenu_->addSeparator();
    AddAction(recentMenu_, "mnuFileRecentClear");
    AddAction(file, "mnuFileSave")->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    AddAction(file, "mnuFileSaveAs");
    // The configuration sheet: a record of the configuration for the customer.
    AddAction(file, "mnuFileExportSheet");
    AddAction(file, "mnuFilePrint")->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    // The configurations kept from devices.
    AddAction(file, "mnuFileBackups");
    file->addSeparator()->setObjectName(QStringLiteral("mnuDelimiter1"));
    languageMenu_ = AddMenu(file, "mnuFileLanguage");
    languageMenu_->menuAction()->setEnabled(false);
    languageGroup_ = new QActionGroup(this);
    languageGroup_->setExclusive(true);
    AddAction(file, "mnuFileChangeDefaultConfig");
    // No language text names this item: it keeps its design caption.
    AddAction(file, "mnuFileSelectNewRegion")->setText(QStringLiteral("Select new region..."));
    file->addSeparator()->setObjectName(QStringLiteral("mnuDelimiter2"));
    // The desktop's quit key; it runs File > Exit with its question about unsaved changes.
    AddAction(file, "mnuFileExit")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    // Enabled by the program when there is something to undo or redo. ("mnuEdit" names the menu bar.)
    QMenu* edit = AddMenu(nullptr, "mnuEditMenu");
    QAction* undo = AddAction(edit, "mnuEditUndo");
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    undo->setEnabled(false);
    QAction* redo = AddAction(edit, "mnuEditRedo");
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    redo->setEnabled(false);

    QMenu* comm = AddMenu(nullptr, "mnuComm");
    AddAction(comm, "mnuCommReadFromDevice")->setShortcut(QKeySequence(QStringLiteral("Ctrl+R")));
    AddAction(comm, "mnuCommWriteToDevice")->setShortcut(QKeySequence(QStringLiteral("Ctrl+W")));
    AddAction(comm, "mnuCommCompare");
    // What a write does besides writing; the program keeps their check marks.
    comm->addSeparator()->setObjectName(QStringLiteral("mnuCommDelimiter1"));
    AddAction(comm, "mnuCommBackupBeforeWrite")->setCheckable(true);
    AddAction(comm, "mnuCommVerifyAfterWrite")->setCheckable(true);
    comm->addSeparator()->setObjectName(QStringLiteral("mnuCommDelimiter2"));
    AddAction(comm, "mnuCommChangeIdCode");

    QMenu* help = AddMenu(nullptr, "mnuHelp");
    AddAction(help, "mnuHelpAbout");
}

namespace {

struct EditorPage {
    const char* name;
    void (*build)(QWidget* page);
};
constexpr EditorPage EditorPages[] = {
    {"tbsButtons", BuildButtonsPage}, {"tbsRadioEvents", BuildRadioEventsPage},
    {"tbsActions", BuildActionsPage}, {"tbsPreferences", BuildFormPage},
    {"tbsHeskConfig", BuildFormPage}, {"tbsGofaRfid", BuildGofaRfidPage},
    {"tbsGofaRadio", BuildFormPage},
};

} // namespace

void TfrmEdit::BuildPages() {
    pgcEdit_ = new QTabWidget(this);
    pgcEdit_->setObjectName(QStringLiteral("pgcEdit"));
    pgcEdit_->setFixedSize(ClientWidth, PageControlHeight);
    devicePage_ = new DevicePage(pgcEdit_);
    devicePage_->SetChooseHandler([this](int button) {
        if (handlers_.deviceButton) {
            handlers_.deviceButton(button);
        }
    });
    pgcEdit_->addTab(devicePage_, devicePage_->objectName());
    // The editor pages exist from the start (their tabs are shown and hidden by name); their controls
    // come when the pages are built.
    for (const EditorPage& editor : EditorPages) {
        auto* page = new QWidget(pgcEdit_);
        page->setObjectName(QLatin1String(editor.name));
        pgcEdit_->addTab(page, page->objectName());
    }
    connect(pgcEdit_, &QTabWidget::currentChanged, this, [this](int index) {
        if (pgcEdit_->widget(index) != devicePage_) {
            EnsurePagesBuilt();
        } else if (handlers_.devicePageShown) {
            handlers_.devicePageShown();
        }
    });
    // The page control scrolls when the screen is too small for the whole window; at full size the
    // view shows it whole, without scroll bars.
    auto* scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("sbxEdit"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(false);
    scroller->setWidget(pgcEdit_);
    setCentralWidget(scroller);
    // The next and the previous page from anywhere in the window, before a focused list or field can
    // take the keys for itself.
    const std::pair<QKeySequence, int> pageKeys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto& [keys, step] : pageKeys) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] { SwitchPage(step); });
    }
    IndexControls(this);
}

void TfrmEdit::SwitchPage(int step) {
    const int count = pgcEdit_->count();
    for (int i = 1; i < count; ++i) {
        const int index = ((pgcEdit_->currentIndex() + step * i) % count + count) % count;
        if (pgcEdit_->isTabVisible(index) && pgcEdit_->isTabEnabled(index)) {
            pgcEdit_->setCurrentIndex(index);
            return;
        }
    }
}

void TfrmEdit::FitToScreen() {
    const QScreen* where = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (where == nullptr) {
        return;
    }
    // The frame the window manager adds, once known; before the window is shown, a title bar.
    QMargins frame(0, 0, 0, 0);
    if (isVisible() && frameGeometry() != geometry()) {
        frame = QMargins(geometry().left() - frameGeometry().left(), geometry().top() - frameGeometry().top(),
                         frameGeometry().right() - geometry().right(),
                         frameGeometry().bottom() - geometry().bottom());
    } else if (where->availableGeometry().height() < FullSize().height() + 64) {
        frame.setTop(style()->pixelMetric(QStyle::PM_TitleBarHeight));
    }
    FitTo(where->availableGeometry().marginsRemoved(frame).size());
}

QSize TfrmEdit::FullSize() const {
    return {ClientWidth, menuBar()->sizeHint().height() + ClientHeight};
}

void TfrmEdit::FitTo(QSize room) {
    setFixedSize(FullSize().boundedTo(room));
}

void TfrmEdit::EnsurePagesBuilt() {
    if (pagesBuilt_) {
        return;
    }
    pagesBuilt_ = true;
    for (const EditorPage& editor : EditorPages) {
        QWidget* page = pgcEdit_->widget(PageIndex(editor.name));
        editor.build(page);
        if (binder_ != nullptr) {
            binder_->Bind(*page);
        }
        ConnectGetRadioCodeButtons(page);
        // Labels show their hints a while, as the language sets them.
        for (QLabel* label : page->findChildren<QLabel*>()) {
            label->setToolTipDuration(HintShownMs);
        }
        IndexControls(page);
    }
    ApplyControlTexts(std::exchange(pendingTexts_, {}));
    for (const auto& [name, visible] : std::exchange(pendingVisible_, {})) {
        SetControlVisible(name, visible);
    }
    for (const auto& [name, enabled] : std::exchange(pendingEnabled_, {})) {
        SetControlEnabled(name, enabled);
    }
}

void TfrmEdit::ConnectGetRadioCodeButtons(QWidget* page) {
    for (int event = 1; event <= FamilyAMap::RadioEventCount; ++event) {
        auto* button =
            page->findChild<QPushButton*>(QStringLiteral("btnRadioEvent_%1_GetRadioCode").arg(event));
        if (button == nullptr) {
            continue;
        }
        // The button's tag is its event's number.
        button->setProperty("tag", event);
        connect(button, &QPushButton::clicked, this, [this, event] {
            if (handlers_.getRadioCode) {
                handlers_.getRadioCode(event);
            }
        });
    }
}

void TfrmEdit::IndexControls(QWidget* root) {
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (!widget->objectName().isEmpty()) {
            controls_.emplace(widget->objectName().toStdString(), widget);
        }
    }
}

void TfrmEdit::BindFields(FieldModel& fields) {
    binder_.reset();
    binder_ = std::make_unique<FieldBinder>(fields, *pgcEdit_);
}

void TfrmEdit::UnbindFields() {
    binder_.reset();
}

void TfrmEdit::CentreOnScreen() {
    const QScreen* where = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (where == nullptr) {
        return;
    }
    FitToScreen();
    const QRect area = where->geometry();
    const QRect available = where->availableGeometry();
    if (size() != FullSize()) {
        // A window cut down to the screen's free area fills it, clear of the desktop's panels.
        move(available.topLeft());
        return;
    }
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

QAction* TfrmEdit::Action(std::string_view name) const {
    const auto found = actions_.find(std::string(name));
    return found != actions_.end() ? found->second : nullptr;
}

QWidget* TfrmEdit::Control(std::string_view name) const {
    const auto found = controls_.find(std::string(name));
    return found != controls_.end() ? found->second : nullptr;
}

int TfrmEdit::PageIndex(std::string_view page) const {
    for (int i = 0; i < pgcEdit_->count(); ++i) {
        if (pgcEdit_->widget(i)->objectName() == Name(page)) {
            return i;
        }
    }
    return -1;
}

QString TfrmEdit::StatusText() const {
    return statusText_->Text();
}

void TfrmEdit::SetCaption(const std::string& caption) {
    SetDocumentCaption(caption, false, caption.size());
}

void TfrmEdit::SetDocumentCaption(const std::string& caption, bool modified, std::size_t markerAt) {
    // Qt's marker "[*]" shows "*" while the window is modified; a "[*]" of the caption's own stays
    // text ("[*][*]").
    const auto escaped = [](std::string_view part) {
        return QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size()))
            .replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    };
    markerAt = std::min(markerAt, caption.size());
    const std::string_view text(caption);
    setWindowTitle(escaped(text.substr(0, markerAt)) + QStringLiteral("[*]") +
                   escaped(text.substr(markerAt)));
    setWindowModified(modified);
}

void TfrmEdit::SetStatusText(const std::string& text) {
    statusText_->SetText(QString::fromStdString(text));
}

void TfrmEdit::ApplyControlTexts(const std::vector<ControlText>& texts) {
    bool pageTexts = false;
    for (const ControlText& text : texts) {
        const QString value = QString::fromStdString(text.text);
        if (QAction* action = Action(text.control)) {
            if (text.property == ControlProperty::Caption) {
                action->setText(value);
            } else if (text.property == ControlProperty::Shortcut) {
                // The core hands a valid shortcut in portable notation, or nothing.
                action->setShortcut(QKeySequence::fromString(value, QKeySequence::PortableText));
            }
            continue;
        }
        pageTexts = true;
        if (const int page = PageIndex(text.control); page >= 0) {
            if (text.property == ControlProperty::Caption) {
                pgcEdit_->setTabText(page, value);
            }
            continue;
        }
        QWidget* widget = Control(text.control);
        if (widget == nullptr) {
            if (!pagesBuilt_) {
                pendingTexts_.push_back(text);
            }
            continue;
        }
        if (text.property == ControlProperty::Hint) {
            if (binder_ != nullptr && binder_->WidgetOf(text.control) != nullptr) {
                binder_->SetStaticHint(text.control, value);
            } else {
                widget->setToolTip(value);
            }
        } else if (text.property == ControlProperty::Caption) {
            if (auto* label = qobject_cast<QLabel*>(widget)) {
                label->setText(value);
            } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
                group->setTitle(value);
            } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                button->setText(value);
            }
        }
    }
    // Column widths follow the captions (the Edit menu's captions change at every edit and leave them be).
    if (pageTexts) {
        RealignColumns(pgcEdit_);
        // A language whose script needs taller lines (Chinese) makes the menu bar taller: the window
        // grows with it, so the pages keep their whole height and never need scrolling at full size.
        FitToScreen();
    }
}

void TfrmEdit::SetLanguageMenu(const std::vector<LanguageMenuItem>& items, bool enabled) {
    for (QAction* action : languageGroup_->actions()) {
        languageGroup_->removeAction(action);
        languageMenu_->removeAction(action);
        actions_.erase(action->objectName().toStdString());
        action->deleteLater();
    }
    for (const LanguageMenuItem& item : items) {
        QAction* action = languageMenu_->addAction(QString::fromStdString(item.caption));
        action->setObjectName(QString::fromStdString(item.name));
        action->setData(item.tag);
        action->setCheckable(true);
        action->setChecked(item.checked);
        languageGroup_->addAction(action);
        actions_[item.name] = action;
        const int tag = item.tag;
        connect(action, &QAction::triggered, this, [this, tag] {
            if (handlers_.language) {
                handlers_.language(tag);
            }
        });
    }
    languageMenu_->menuAction()->setEnabled(enabled);
}

void TfrmEdit::SetRecentFiles(const std::vector<std::string>& captions) {
    for (QAction* item : recentItems_) {
        recentMenu_->removeAction(item);
        actions_.erase(item->objectName().toStdString());
        item->deleteLater();
    }
    recentItems_.clear();
    for (std::size_t i = 0; i < captions.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        auto* item = new QAction(QString::fromStdString(captions[i]), recentMenu_);
        item->setObjectName(QStringLiteral("mnuFileRecent_%1").arg(number));
        recentMenu_->insertAction(recentSeparator_, item);
        actions_[item->objectName().toStdString()] = item;
        recentItems_.push_back(item);
        connect(item, &QAction::triggered, this, [this, number] {
            if (handlers_.recentFile) {
                handlers_.recentFile(number);
            }
        });
    }
    recentMenu_->menuAction()->setEnabled(!captions.empty());
}

void TfrmEdit::CheckLanguageMenuItem(int tag) {
    for (QAction* action : languageGroup_->actions()) {
        if (action->data().toInt() == tag) {
            action->setChecked(true);
        }
    }
}

void TfrmEdit::SetPageTabVisible(std::string_view page, bool visible) {
    if (const int index = PageIndex(page); index >= 0) {
        if (visible && pgcEdit_->widget(index) != devicePage_) {
            EnsurePagesBuilt();
        }
        pgcEdit_->setTabVisible(index, visible);
    }
}

void TfrmEdit::SetActivePage(std::string_view page) {
    if (const int index = PageIndex(page); index >= 0) {
        pgcEdit_->setCurrentIndex(index);
    }
}

std::string TfrmEdit::ActivePage() const {
    const QWidget* page = pgcEdit_->currentWidget();
    return page != nullptr ? page->objectName().toStdString() : std::string();
}

void TfrmEdit::SetControlVisible(std::string_view control, bool visible) {
    if (QAction* action = Action(control)) {
        action->setVisible(visible);
    } else if (QWidget* widget = Control(control)) {
        widget->setVisible(visible);
        RealignColumns(pgcEdit_);
    } else if (!pagesBuilt_) {
        pendingVisible_.emplace_back(control, visible);
    }
}

void TfrmEdit::SetControlEnabled(std::string_view control, bool enabled) {
    if (QAction* action = Action(control)) {
        action->setEnabled(enabled);
    } else if (QWidget* widget = Control(control)) {
        widget->setEnabled(enabled);
    } else if (!pagesBuilt_) {
        pendingEnabled_.emplace_back(control, enabled);
    }
}

void TfrmEdit::SetControlChecked(std::string_view control, bool checked) {
    if (QAction* action = Action(control); action != nullptr && action->isCheckable()) {
        action->setChecked(checked);
    }
}

void TfrmEdit::SetFocus(std::string_view control) {
    if (Name(control) == objectName()) {
        // The main window itself: it becomes the active window again (after the wait window).
        activateWindow();
        setFocus(Qt::OtherFocusReason);
    } else if (QWidget* widget = Control(control)) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void TfrmEdit::ShowDemoUnitNote(bool shown) {
    if (QWidget* note = Control("lblDemoUnit")) {
        note->setVisible(shown);
    }
}

void TfrmEdit::SetBusyCursor(bool busy) {
    if (busy == busy_) {
        return;
    }
    busy_ = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void TfrmEdit::SetWindowEnabled(bool enabled) {
    setEnabled(enabled);
    if (!enabled) {
        // Only the main window is shut: the windows it owns (the wait window, whose Escape ends a
        // capture, and the dialogs) stay usable, though Qt would disable them along with it.
        for (QWidget* owned : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (owned->isWindow()) {
                owned->setEnabled(true);
            }
        }
    }
}

void TfrmEdit::closeEvent(QCloseEvent* event) {
    if (handlers_.closeQuery && !handlers_.closeQuery()) {
        event->ignore();
        return;
    }
    event->accept();
}

void TfrmEdit::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (pgcEdit_->currentWidget() == devicePage_ && handlers_.devicePageShown) {
        handlers_.devicePageShown();
    }
}

bool TfrmEdit::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::Paint && !pagesBuilt_ && !buildScheduled_) {
        // The editor pages are built as soon as the window has been painted once.
        buildScheduled_ = true;
        QTimer::singleShot(0, this, [this] { EnsurePagesBuilt(); });
    }
    return handled;
}

bool TfrmEdit::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this) {
            return HandleDrop(event);
        }
        break;
    }
    case QEvent::KeyPress: return HandleKey(watched, event);
    case QEvent::ShortcutOverride: return TakeEditKeys(watched, event);
    default: break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TfrmEdit::HandleDrop(QEvent* event) {
    auto* drop = static_cast<QDropEvent*>(event);
    if (!drop->mimeData()->hasUrls()) {
        return false; // text dragged within the window goes to the control under it
    }
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop) {
        std::vector<std::string> paths;
        for (const QUrl& url : drop->mimeData()->urls()) {
            paths.push_back((url.isLocalFile() ? url.toLocalFile() : url.toString()).toStdString());
        }
        // Handled once the drag has ended, so that a message about the files does not hold up the
        // program they were dragged from.
        QTimer::singleShot(0, this, [this, paths] {
            if (handlers_.drop) {
                handlers_.drop(paths);
            }
        });
    }
    return true;
}

bool TfrmEdit::TakeEditKeys(QObject* watched, QEvent* event) {
    // A field's own undo would take back its text alone, not what the editor's rules changed along
    // with it: the program's undo and redo apply in every field of the window (and, while the field is
    // being typed in, take that typing back).
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit == nullptr || edit->window() != this) {
        return false;
    }
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (const char* item : {"mnuEditUndo", "mnuEditRedo"}) {
        if (Action(item)->shortcuts().contains(pressed)) {
            event->ignore(); // not taken by the field: the menu item's shortcut fires
            return true;
        }
    }
    return false;
}

bool TfrmEdit::HandleKey(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this || !handlers_.keyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    int code = 0;
    if (key->key() == Qt::Key_Escape) {
        code = EscapeKey;
    } else if (!key->text().isEmpty()) {
        code = key->text().at(0).unicode();
    }
    return code != 0 && handlers_.keyPress(code);
}

} // namespace vorn::gui
