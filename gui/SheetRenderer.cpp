#include "gui/SheetRenderer.h"

#include "gui/DevicePictures.h"
#include "model/Catalogue.h"
#include "platform/Files.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QUrl>

namespace vorn::gui {

namespace {

constexpr int PrintResolution = 300;
// The picture is drawn at print resolution: its 100 pixels fill about an inch on paper.
constexpr qreal PictureScale = 3.0;

// The picture of a model's device button; 0 for a byte that is no model's.
int PictureOf(std::uint8_t productType) {
    for (std::size_t i = 0; i < Catalogue.size(); ++i) {
        if (Catalogue[i].productType == productType) {
            return DeviceButtonPictures[i];
        }
    }
    return 0;
}

QString PictureName(std::uint8_t productType) {
    return QStringLiteral("device-%1.png").arg(productType);
}

void SetA4(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(12, 10, 12, 10), QPageLayout::Millimeter));
}

} // namespace

std::string SheetRenderer::PictureUri(std::uint8_t productType) {
    return PictureOf(productType) == 0 ? std::string() : PictureName(productType).toStdString();
}

void SheetRenderer::Fill(QTextDocument& document, const SheetDocument& sheet) const {
    if (const int picture = PictureOf(sheet.productType); picture != 0) {
        document.addResource(QTextDocument::ImageResource, QUrl(PictureName(sheet.productType)),
                             DevicePicture(picture, PictureScale).toImage());
    }
    document.setHtml(QString::fromStdString(sheet.html));
}

bool SheetRenderer::WritePdf(const SheetDocument& sheet, const std::string& path) {
    // Rendered in memory and then written whole, so a failed write leaves no half a file.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(PrintResolution);
        writer.setTitle(QString::fromStdString(sheet.title));
        writer.setCreator(QStringLiteral("VORN Family Programmer"));
        SetA4(writer);
        QTextDocument document;
        Fill(document, sheet);
        document.print(&writer);
    }
    return !pdf.isEmpty() && WriteFileAtomically(path, pdf.constData(), static_cast<std::size_t>(pdf.size()));
}

PrintOutcome SheetRenderer::Print(const SheetDocument& sheet) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(sheet.title));
    SetA4(printer);
    QPrintDialog dialog(&printer, parent_);
    if (dialog.exec() != QDialog::Accepted) {
        return PrintOutcome::Cancelled;
    }
    QTextDocument document;
    Fill(document, sheet);
    document.print(&printer);
    return printer.printerState() == QPrinter::Error ? PrintOutcome::Failed : PrintOutcome::Printed;
}

} // namespace vorn::gui
