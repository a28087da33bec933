#pragma once

#include <QString>
#include <QWidget>

namespace vorn::gui {

// One line of text that shows as much as fits, cut with "…", and the whole text as its tool tip
// while it is cut. It never asks for more room than it is given, so a long text cannot push its
// neighbours in the status bar aside or run into them.
class ElidedLabel : public QWidget {
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void SetText(const QString& text);
    const QString& Text() const { return text_; }
    // What the label shows now (the text, or its cut form).
    QString ShownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateToolTip();

    QString text_;
};

} // namespace vorn::gui
