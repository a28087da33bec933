#pragma once

#include "view/SheetView.h"

class QTextDocument;
class QWidget;

// The configuration sheet as the window renders it: the core's HTML laid out by QTextDocument on A4,
// with the model's picture drawn by the program, written to a PDF file or printed.
namespace vorn::gui {

class SheetRenderer : public SheetView {
public:
    explicit SheetRenderer(QWidget* parent) : parent_(parent) {}

    std::string PictureUri(std::uint8_t productType) override;
    bool WritePdf(const SheetDocument& sheet, const std::string& path) override;
    PrintOutcome Print(const SheetDocument& sheet) override;

private:
    // The sheet's document, its picture resolved.
    void Fill(QTextDocument& document, const SheetDocument& sheet) const;

    QWidget* parent_;
};

} // namespace vorn::gui
