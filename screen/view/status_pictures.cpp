#include "screen/view/status_pictures.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace tmk {

namespace {

struct StateLook {
    QColor table;
    QString mark; // letter drawn on the table top
};

// A small table seen from above with four chairs, in the state's colour; reserved
// tables carry a yellow "R" badge in the corner.
QPixmap drawTable(const StateLook& look, bool reserved) {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(look.table.darker(160), 1));
    p.setBrush(look.table.lighter(130));
    for (const QRectF& chair :
         {QRectF(12, 1, 8, 5), QRectF(12, 26, 8, 5), QRectF(1, 12, 5, 8), QRectF(26, 12, 5, 8)}) {
        p.drawRoundedRect(chair, 2, 2);
    }
    p.setBrush(look.table);
    p.drawRoundedRect(QRectF(6, 7, 20, 18), 4, 4);
    if (!look.mark.isEmpty()) {
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(6, 7, 20, 18), Qt::AlignCenter, look.mark);
    }
    if (reserved) {
        p.setPen(QPen(QColor(0x80, 0x60, 0x00), 1));
        p.setBrush(QColor(0xFF, 0xD2, 0x1F));
        p.drawEllipse(QRectF(19, 0, 13, 13));
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(9);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(QRectF(19, 0, 13, 13), Qt::AlignCenter, QStringLiteral("R"));
    }
    return pm;
}

QPixmap drawBrand(const QColor& color, const QString& text) {
    QPixmap pm(120, 36);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawRoundedRect(QRectF(0, 0, 120, 36), 8, 8);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(15);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 120, 36), Qt::AlignCenter, text);
    return pm;
}

QHash<QString, QPixmap> drawAll() {
    const StateLook livre{QColor(0x3C, 0x9D, 0x4E), QString()};
    const StateLook ocupada{QColor(0xD0, 0x3B, 0x2F), QString()};
    const StateLook semCons{QColor(0x8A, 0x8A, 0x8A), QStringLiteral("z")};
    const StateLook ctaSol{QColor(0x1F, 0x5F, 0xBF), QStringLiteral("$")};
    const StateLook recebendo{QColor(0x7B, 0x3F, 0xA8), QStringLiteral("...")};
    const StateLook cartao{QColor(0x0E, 0x8C, 0x8C), QStringLiteral("C")};
    return {
        {QStringLiteral("imgLivre"), drawTable(livre, false)},
        {QStringLiteral("imgLivreR"), drawTable(livre, true)},
        {QStringLiteral("imgOcupada"), drawTable(ocupada, false)},
        {QStringLiteral("imgOcupadaR"), drawTable(ocupada, true)},
        {QStringLiteral("imgSemCons"), drawTable(semCons, false)},
        {QStringLiteral("imgSemConsR"), drawTable(semCons, true)},
        {QStringLiteral("imgCtaSol"), drawTable(ctaSol, false)},
        {QStringLiteral("imgCtaSolR"), drawTable(ctaSol, true)},
        {QStringLiteral("imgRecebendo"), drawTable(recebendo, false)},
        {QStringLiteral("imgCtaSolCarDig"), drawTable(cartao, false)},
        {QStringLiteral("imgLestovenda"),
         drawBrand(QColor(0x1F, 0x5F, 0xBF), QStringLiteral("Mesas"))},
        {QStringLiteral("ImgKovNFCe"),
         drawBrand(QColor(0x2E, 0x8B, 0x57), QStringLiteral("Mesas NFC-e"))},
        {QStringLiteral("imgVendaro"),
         drawBrand(QColor(0xCC, 0x5B, 0x2C), QStringLiteral("Mesas PDV"))},
    };
}

} // namespace

QPixmap screenPicture(const QString& name) {
    static const QHash<QString, QPixmap> pictures = drawAll();
    return pictures.value(name);
}

const QStringList& statusPictureNames() {
    static const QStringList names = {
        QStringLiteral("imgLivre"),     QStringLiteral("imgLivreR"),
        QStringLiteral("imgOcupada"),   QStringLiteral("imgOcupadaR"),
        QStringLiteral("imgSemCons"),   QStringLiteral("imgSemConsR"),
        QStringLiteral("imgCtaSol"),    QStringLiteral("imgCtaSolR"),
        QStringLiteral("imgRecebendo"), QStringLiteral("imgCtaSolCarDig")};
    return names;
}

} // namespace tmk
