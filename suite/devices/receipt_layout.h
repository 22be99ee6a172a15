#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

namespace tmk {

// Type size and weight of a piece of a printout.
struct ReceiptStyle {
    bool bold = false;
    double pointSize = 8.0;
};

// Lays out a printout as an 80 mm thermal receipt and renders it as PDF: a page 80 mm
// wide whose height fits the content (very long receipts continue on further pages),
// a 72 mm print width, and a monospaced font so that columns line up as on the
// printer. Blocks are added top to bottom.
class ReceiptLayout {
public:
    using Style = ReceiptStyle;
    static Style normal() { return {}; }
    static Style bold() { return {true, 8.0}; }
    static Style small() { return {false, 6.5}; }
    static Style tiny() { return {false, 6.0}; }
    static Style title() { return {true, 10.0}; }

    // A paragraph, left-aligned and wrapped at the print width.
    void line(const QString& text, Style style = {});
    // A paragraph centred line by line.
    void centred(const QString& text, Style style = {});
    // Text on the left and on the right of the same line; a long left text wraps and
    // the right one ends its last line.
    void columns(const QString& left, const QString& right, Style style = {});
    // Text laid out in columns by someone else (a card terminal's receipt): lines and
    // blanks kept as they are, the block centred by its widest line; a line wider than
    // the print width is cut into pieces.
    void preformatted(const QString& text, Style style = {});
    // A row of dashes across the print width.
    void separator();
    void space(double millimetres);
    // A picture centred at the given width (its height keeps the proportions).
    void picture(const QImage& image, double widthMillimetres);
    // A QR code of the text, centred, drawn as vector modules with a quiet zone of
    // four modules; AppError when the text cannot be encoded.
    void qrCode(const QString& text, double widthMillimetres);

    bool isEmpty() const { return blocks_.isEmpty(); }

    // The PDF document; AppError when it cannot be produced.
    QByteArray toPdf(const QString& title) const;

    static constexpr double kPaperWidthMm = 80.0;
    static constexpr double kPrintWidthMm = 72.0;
    // Pages longer than this continue on a new page.
    static constexpr double kMaxPageHeightMm = 1000.0;

private:
    enum class Kind { Line, Centred, Columns, Preformatted, Separator, Space, Picture, QrCode };
    struct Block {
        Kind kind;
        QString text;
        QString right;
        Style style;
        double millimetres = 0;
        QImage image;
    };
    QList<Block> blocks_;
};

} // namespace tmk
