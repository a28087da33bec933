#pragma once

// What the device flows ask of the main window, which lives in a layer above them: the program
// controller implements it (tests use a fake).
namespace vorn {

class SessionHost {
public:
    virtual ~SessionHost() = default;
    // Shows the pages of the image's family and enables the configuration menus.
    virtual void ShowPagesForModel() = 0;
    // Sets the window caption from the current image and its origin.
    virtual void UpdateCaption() = 0;
    // The main window's armed abort key: a capture sets it to Escape and takes it as an abort request
    // once the window's key handler has cleared it.
    virtual int& PendingKey() = 0;
};

} // namespace vorn
