#pragma once

#include <QHash>
#include <QList>
#include <QString>

namespace tmk {

// A small read-only element tree of an XML text, for the fiscal documents the
// simulated devices write and read back. Namespaces are ignored (local names only).
struct XmlNode {
    QString name;
    QHash<QString, QString> attributes;
    QString text; // the element's own text, trimmed
    QList<XmlNode> children;

    // The first child of that name, or an empty node when none.
    const XmlNode& child(const QString& childName) const;
    // The first node reached by names separated by '/', or an empty node.
    const XmlNode& at(const QString& path) const;
    // The text at a path ("ide/nNF"); empty when absent.
    QString textAt(const QString& path) const { return at(path).text; }
    QList<const XmlNode*> childrenNamed(const QString& childName) const;
    bool isNull() const { return name.isEmpty(); }
};

// Parses an XML text; AppError naming the source and the position when malformed.
XmlNode parseXmlTree(const QByteArray& xml, const QString& sourceName);
// The bytes of a file; AppError naming it when it cannot be read.
QByteArray readWholeFile(const QString& path);
// Reads and parses a file; AppError naming it when it cannot be read.
XmlNode readXmlFile(const QString& path);

} // namespace tmk
