#include "suite/devices/xml_tree.h"

#include "platform/errors.h"

#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

namespace tmk {

namespace {

const XmlNode& emptyNode() {
    static const XmlNode empty;
    return empty;
}

} // namespace

const XmlNode& XmlNode::child(const QString& childName) const {
    for (const XmlNode& c : children) {
        if (c.name == childName) {
            return c;
        }
    }
    return emptyNode();
}

const XmlNode& XmlNode::at(const QString& path) const {
    const XmlNode* node = this;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        node = &node->child(part);
        if (node->isNull()) {
            break;
        }
    }
    return *node;
}

QList<const XmlNode*> XmlNode::childrenNamed(const QString& childName) const {
    QList<const XmlNode*> found;
    for (const XmlNode& c : children) {
        if (c.name == childName) {
            found << &c;
        }
    }
    return found;
}

XmlNode parseXmlTree(const QByteArray& xml, const QString& sourceName) {
    QXmlStreamReader reader(xml);
    XmlNode root;
    QList<XmlNode*> stack;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            XmlNode node;
            node.name = reader.name().toString();
            for (const QXmlStreamAttribute& a : reader.attributes()) {
                node.attributes.insert(a.name().toString(), a.value().toString());
            }
            if (stack.isEmpty()) {
                root = node;
                stack << &root;
            } else {
                stack.last()->children << node;
                stack << &stack.last()->children.last();
            }
        } else if (reader.isEndElement()) {
            stack.last()->text = stack.last()->text.trimmed();
            stack.removeLast();
        } else if ((reader.isCharacters() || reader.isCDATA()) && !stack.isEmpty()) {
            stack.last()->text += reader.text();
        }
    }
    if (reader.hasError() || root.isNull()) {
        throw AppError(
            QStringLiteral("Arquivo XML %1 inválido (linha %2): %3.")
                .arg(QDir::toNativeSeparators(sourceName))
                .arg(reader.lineNumber())
                .arg(reader.hasError() ? reader.errorString() : QStringLiteral("documento vazio")));
    }
    return root;
}

QByteArray readWholeFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        throw AppError(QStringLiteral("Não foi possível ler o arquivo %1: %2.")
                           .arg(QDir::toNativeSeparators(path), f.errorString()));
    }
    return f.readAll();
}

XmlNode readXmlFile(const QString& path) {
    return parseXmlTree(readWholeFile(path), path);
}

} // namespace tmk
