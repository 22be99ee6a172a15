#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>

namespace tmk {

// The pictures of the table states ("imgLivre", "imgLivreR", ..., "imgCtaSolCarDig")
// and the three brand pictures ("imgLestovenda", "ImgKovNFCe", "imgVendaro"), drawn
// once. An unknown name gives a null pixmap.
QPixmap screenPicture(const QString& name);
const QStringList& statusPictureNames();

} // namespace tmk
