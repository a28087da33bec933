#pragma once

#include <cstdint>
#include <string>

// The view as the core sees it, by role. This role: rendering the configuration sheet (HTML) to a PDF
// file or a printer.
namespace vorn {

struct SheetDocument {
    std::string html;
    std::string title;        // the print job's and the PDF's title
    std::uint8_t productType; // the model whose picture the view provides
};

enum class PrintOutcome { Printed, Cancelled, Failed };

class SheetView {
public:
    virtual ~SheetView() = default;

    // The address the sheet shows the model's picture by, which the view resolves when it renders;
    // empty when the view has no picture (the sheet then names the model).
    virtual std::string PictureUri(std::uint8_t productType) = 0;
    // Writes the sheet as a PDF file; false when the file could not be written.
    virtual bool WritePdf(const SheetDocument& sheet, const std::string& path) = 0;
    // Asks for a printer (the print dialog) and prints the sheet.
    virtual PrintOutcome Print(const SheetDocument& sheet) = 0;
};

// No renderer: nothing is written or printed.
class SilentSheetView : public SheetView {
public:
    std::string PictureUri(std::uint8_t) override { return {}; }
    bool WritePdf(const SheetDocument&, const std::string&) override { return false; }
    PrintOutcome Print(const SheetDocument&) override { return PrintOutcome::Cancelled; }
};

} // namespace vorn
