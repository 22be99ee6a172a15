#include "suite/devices/receipt_layout.h"

#include "platform/errors.h"
#include "suite/devices/qr_code.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <functional>

namespace tmk {

namespace {

constexpr int kResolution = 720; // device units per inch
constexpr double kMarginTopMm = 4.0;
constexpr double kMarginBottomMm = 6.0;

double units(double mm) {
    return mm / 25.4 * kResolution;
}

double millimetres(double u) {
    return u * 25.4 / kResolution;
}

QFont fontOf(const ReceiptLayout::Style& style) {
    QFont f(QStringLiteral("Liberation Mono"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPointSizeF(style.pointSize);
    f.setBold(style.bold);
    return f;
}

// Greedy word wrap; a word longer than the width is cut. The blanks a paragraph
// starts with indent every line of it.
QStringList wrap(const QString& text, const QFontMetricsF& fm, double width) {
    QStringList out;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        qsizetype blanks = 0;
        while (blanks < paragraph.size() && paragraph.at(blanks) == QLatin1Char(' ')) {
            ++blanks;
        }
        QString indent = paragraph.left(blanks);
        if (fm.horizontalAdvance(indent) > width / 2) {
            indent.clear();
        }
        const double room = width - fm.horizontalAdvance(indent);
        QString current;
        for (QString word : paragraph.mid(blanks).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
            if (fm.horizontalAdvance(candidate) <= room) {
                current = candidate;
                continue;
            }
            if (!current.isEmpty()) {
                out << indent + current;
                current.clear();
            }
            while (fm.horizontalAdvance(word) > room && word.size() > 1) {
                int fit = 1;
                while (fit < word.size() && fm.horizontalAdvance(word.left(fit + 1)) <= room) {
                    ++fit;
                }
                out << indent + word.left(fit);
                word = word.mid(fit);
            }
            current = word;
        }
        out << indent + current;
    }
    return out;
}

// One piece of the laid-out receipt: its height and how to draw it at a top edge.
struct Placed {
    double height;
    std::function<void(QPainter&, double top)> draw;
};

} // namespace

void ReceiptLayout::line(const QString& text, Style style) {
    blocks_.append({Kind::Line, text, {}, style, 0, {}});
}

void ReceiptLayout::centred(const QString& text, Style style) {
    blocks_.append({Kind::Centred, text, {}, style, 0, {}});
}

void ReceiptLayout::columns(const QString& left, const QString& right, Style style) {
    blocks_.append({Kind::Columns, left, right, style, 0, {}});
}

void ReceiptLayout::preformatted(const QString& text, Style style) {
    blocks_.append({Kind::Preformatted, text, {}, style, 0, {}});
}

void ReceiptLayout::separator() {
    blocks_.append({Kind::Separator, {}, {}, normal(), 0, {}});
}

void ReceiptLayout::space(double mm) {
    blocks_.append({Kind::Space, {}, {}, normal(), mm, {}});
}

void ReceiptLayout::picture(const QImage& image, double widthMm) {
    if (!image.isNull()) {
        blocks_.append({Kind::Picture, {}, {}, normal(), widthMm, image});
    }
}

void ReceiptLayout::qrCode(const QString& text, double widthMm) {
    encodeQrCode(text); // refuses now what cannot be encoded
    blocks_.append({Kind::QrCode, text, {}, normal(), widthMm, {}});
}

QByteArray ReceiptLayout::toPdf(const QString& title) const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kResolution);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Gerência de Mesas"));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));

    const double left = units((kPaperWidthMm - kPrintWidthMm) / 2);
    const double width = units(kPrintWidthMm);
    QList<Placed> placed;
    for (const Block& b : blocks_) {
        const QFont font = fontOf(b.style);
        const QFontMetricsF fm(font, &writer);
        const double lineHeight = fm.lineSpacing();
        switch (b.kind) {
        case Kind::Line:
        case Kind::Centred:
            for (const QString& text : wrap(b.text, fm, width)) {
                const bool centre = b.kind == Kind::Centred;
                placed.append({lineHeight, [=](QPainter& p, double top) {
                                   p.setFont(font);
                                   const double x =
                                       centre ? left + (width - fm.horizontalAdvance(text)) / 2
                                              : left;
                                   p.drawText(QPointF(x, top + fm.ascent()), text);
                               }});
            }
            break;
        case Kind::Columns: {
            const double rightWidth = fm.horizontalAdvance(b.right);
            const double gap = fm.horizontalAdvance(QStringLiteral(" "));
            const QStringList lefts = wrap(b.text, fm, qMax(width - rightWidth - gap, width / 3));
            for (int n = 0; n < lefts.size(); ++n) {
                const QString text = lefts.at(n);
                const QString right = n == lefts.size() - 1 ? b.right : QString();
                placed.append({lineHeight, [=](QPainter& p, double top) {
                                   p.setFont(font);
                                   p.drawText(QPointF(left, top + fm.ascent()), text);
                                   if (!right.isEmpty()) {
                                       p.drawText(
                                           QPointF(left + width - fm.horizontalAdvance(right),
                                                   top + fm.ascent()),
                                           right);
                                   }
                               }});
            }
            break;
        }
        case Kind::Preformatted: {
            QStringList lines;
            for (QString rest : b.text.split(QLatin1Char('\n'))) {
                do {
                    int fit = int(rest.size());
                    while (fit > 1 && fm.horizontalAdvance(rest.left(fit)) > width) {
                        --fit;
                    }
                    lines << rest.left(fit);
                    rest = rest.mid(fit);
                } while (!rest.isEmpty());
            }
            double widest = 0;
            for (const QString& text : lines) {
                widest = qMax(widest, fm.horizontalAdvance(text));
            }
            const double x = left + (width - widest) / 2;
            for (const QString& text : lines) {
                placed.append({lineHeight, [=](QPainter& p, double top) {
                                   p.setFont(font);
                                   p.drawText(QPointF(x, top + fm.ascent()), text);
                               }});
            }
            break;
        }
        case Kind::Separator: {
            const int count = int(width / fm.horizontalAdvance(QStringLiteral("-")));
            const QString dashes(count, QLatin1Char('-'));
            placed.append({lineHeight, [=](QPainter& p, double top) {
                               p.setFont(font);
                               p.drawText(QPointF(left, top + fm.ascent()), dashes);
                           }});
            break;
        }
        case Kind::Space:
            placed.append({units(b.millimetres), [](QPainter&, double) {
                           }});
            break;
        case Kind::Picture: {
            const double w = units(qMin(b.millimetres, kPrintWidthMm));
            const double h = w * b.image.height() / qMax(1, b.image.width());
            const QImage image = b.image;
            placed.append({h, [=](QPainter& p, double top) {
                               p.drawImage(QRectF(left + (width - w) / 2, top, w, h), image);
                           }});
            break;
        }
        case Kind::QrCode: {
            const QrMatrix m = encodeQrCode(b.text);
            const double side = units(qMin(b.millimetres, kPrintWidthMm));
            const double module = side / (m.size + 8);
            placed.append({side, [=](QPainter& p, double top) {
                               const double x0 = left + (width - side) / 2 + 4 * module;
                               const double y0 = top + 4 * module;
                               p.save();
                               p.setRenderHint(QPainter::Antialiasing, false);
                               for (int y = 0; y < m.size; ++y) {
                                   // One rectangle per run of dark modules: no seams.
                                   for (int x = 0; x < m.size;) {
                                       if (!m.at(x, y)) {
                                           ++x;
                                           continue;
                                       }
                                       int end = x;
                                       while (end < m.size && m.at(end, y)) {
                                           ++end;
                                       }
                                       p.fillRect(QRectF(x0 + x * module, y0 + y * module,
                                                         (end - x) * module, module),
                                                  Qt::black);
                                       x = end;
                                   }
                               }
                               p.restore();
                           }});
            break;
        }
        }
    }

    // Pages: as tall as their content, each at most kMaxPageHeightMm.
    QList<QList<Placed>> pages{{}};
    QList<double> heights{0};
    const double maxContent = units(kMaxPageHeightMm - kMarginTopMm - kMarginBottomMm);
    for (const Placed& piece : placed) {
        if (heights.last() + piece.height > maxContent && !pages.last().isEmpty()) {
            pages.append(QList<Placed>());
            heights.append(0);
        }
        pages.last().append(piece);
        heights.last() += piece.height;
    }
    const auto pageSize = [&](double contentHeight) {
        return QPageSize(
            QSizeF(kPaperWidthMm, kMarginTopMm + millimetres(contentHeight) + kMarginBottomMm),
            QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    };
    writer.setPageSize(pageSize(heights.first()));
    QPainter painter;
    if (!painter.begin(&writer)) {
        throw AppError(
            QStringLiteral("Não foi possível gerar o PDF da impressão \"%1\".").arg(title));
    }
    painter.setPen(Qt::black);
    for (int n = 0; n < pages.size(); ++n) {
        if (n > 0) {
            writer.setPageSize(pageSize(heights.at(n)));
            writer.newPage();
        }
        double top = units(kMarginTopMm);
        for (const Placed& piece : pages.at(n)) {
            piece.draw(painter, top);
            top += piece.height;
        }
    }
    painter.end();
    return bytes;
}

} // namespace tmk
