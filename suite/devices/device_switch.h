#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace tmk {

// The switch file of one simulated device, "Dispositivos/<file>" in the till folder:
//
//   ; comment
//   [NFCe]
//   Resposta=REJEITADA
//   Motivo=Rejeição 778: NCM inexistente
//
// A missing file means the device's defaults. The file is read strictly, so that a
// typing mistake is never taken for a setting: a line that is neither blank, comment,
// "[group]" nor "key=value", a group other than the device's, or a key the device does
// not know, throws AppError naming the file and the line. Group and key names are
// compared without letter case; values are trimmed.
class DeviceSwitch {
public:
    // Reads "Dispositivos/<fileName>"; group is the device's one group and keys the
    // names it accepts.
    static DeviceSwitch load(const QString& fileName, const QString& group,
                             const QStringList& keys);

    // The value of a key, or fallback when the key is absent.
    QString value(const QString& key, const QString& fallback = {}) const;
    bool contains(const QString& key) const;

    // The value of a key that must be one of choices (compared without letter case;
    // the choice is returned as spelled in choices); fallback when absent. Another
    // value throws AppError naming the file, the key and the accepted values.
    QString choice(const QString& key, const QStringList& choices, const QString& fallback) const;

    // The path of the file, for messages.
    const QString& path() const { return path_; }

private:
    QString path_;
    QHash<QString, QString> values_; // upper-cased key -> value
};

} // namespace tmk
