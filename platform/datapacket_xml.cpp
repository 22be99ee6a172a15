#include "platform/datapacket_xml.h"

#include "platform/errors.h"
#include "platform/key_columns.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <limits>
#include <optional>

namespace tmk {

namespace {

// ---------------------------------------------------------------- reading

// A field name the format can carry: the rows hold their values as attributes of
// that name, written in ASCII.
bool isXmlName(const QString& name) {
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_.\\-]*$"));
    return re.match(name).hasMatch() && !name.startsWith(QLatin1String("xml"), Qt::CaseInsensitive);
}

enum class ValueForm { Text, Integer, Float, Boolean, Date, Time, DateTime };

struct ColumnForm {
    ValueForm form = ValueForm::Text;
    QString typeName;
    qlonglong min = std::numeric_limits<qlonglong>::min();
    qlonglong max = std::numeric_limits<qlonglong>::max();
};

bool formOfType(const QString& name, ColumnForm& out, FieldType& type) {
    struct Known {
        const char* name;
        ValueForm form;
        FieldType type;
        qlonglong min;
        qlonglong max;
    };
    constexpr qlonglong lmin = std::numeric_limits<qlonglong>::min();
    constexpr qlonglong lmax = std::numeric_limits<qlonglong>::max();
    static const Known known[] = {
        {"string", ValueForm::Text, FieldType::Text, 0, 0},
        {"string.uni", ValueForm::Text, FieldType::Text, 0, 0},
        {"i1", ValueForm::Integer, FieldType::Integer, -128, 127},
        {"i2", ValueForm::Integer, FieldType::Integer, -32768, 32767},
        {"i4", ValueForm::Integer, FieldType::Integer, std::numeric_limits<qint32>::min(),
         std::numeric_limits<qint32>::max()},
        {"i8", ValueForm::Integer, FieldType::Integer, lmin, lmax},
        {"ui1", ValueForm::Integer, FieldType::Integer, 0, 255},
        {"ui2", ValueForm::Integer, FieldType::Integer, 0, 65535},
        {"ui4", ValueForm::Integer, FieldType::Integer, 0, std::numeric_limits<quint32>::max()},
        {"r4", ValueForm::Float, FieldType::Float, 0, 0},
        {"r8", ValueForm::Float, FieldType::Float, 0, 0},
        {"fixed", ValueForm::Float, FieldType::Float, 0, 0},
        {"fixedFMT", ValueForm::Float, FieldType::Float, 0, 0},
        {"boolean", ValueForm::Boolean, FieldType::Boolean, 0, 0},
        {"date", ValueForm::Date, FieldType::DateTime, 0, 0},
        {"time", ValueForm::Time, FieldType::DateTime, 0, 0},
        {"dateTime", ValueForm::DateTime, FieldType::DateTime, 0, 0},
        {"SQLdateTime", ValueForm::DateTime, FieldType::DateTime, 0, 0},
    };
    for (const Known& k : known) {
        if (name.compare(QLatin1String(k.name), Qt::CaseInsensitive) == 0) {
            out.form = k.form;
            out.typeName = QString::fromLatin1(k.name);
            out.min = k.min;
            out.max = k.max;
            type = k.type;
            return true;
        }
    }
    return false;
}

int millisecondsOf(const QString& withDot, const QString& threeDigits) {
    if (!threeDigits.isEmpty()) {
        return threeDigits.toInt();
    }
    if (withDot.isEmpty()) {
        return 0;
    }
    return withDot.leftJustified(3, QLatin1Char('0')).toInt();
}

QDateTime parsePacketDateTime(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})"
                       "(?:T(\\d{2}):(\\d{2})(?::(\\d{2})(?:\\.(\\d{1,3})|(\\d{3}))?)?)?$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) {
        return {};
    }
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt(),
                     millisecondsOf(m.captured(7), m.captured(8)));
    if (!date.isValid() || !time.isValid()) {
        return {};
    }
    return QDateTime(date, time);
}

QDateTime parsePacketTime(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral("^(\\d{2}):(\\d{2})(?::(\\d{2})(?:\\.(\\d{1,3})|(\\d{3}))?)?$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) {
        return {};
    }
    const QTime time(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                     millisecondsOf(m.captured(4), m.captured(5)));
    if (!time.isValid()) {
        return {};
    }
    return QDateTime(QDate(1899, 12, 30), time);
}

class PacketReader {
public:
    explicit PacketReader(const QString& source)
        : source_(source) {}

    DataPacket read(const QByteArray& bytes) {
        feed(bytes);
        if (!xml_.readNextStartElement()) {
            failXml();
            invalid(QStringLiteral("não contém um pacote de dados"));
        }
        if (xml_.name() != QLatin1String("DATAPACKET")) {
            invalid(QStringLiteral("não é um pacote de dados (elemento raiz %1)")
                        .arg(xml_.name().toString()));
        }
        bool metadata = false;
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("METADATA")) {
                readMetadata();
                metadata = true;
            } else if (xml_.name() == QLatin1String("ROWDATA")) {
                if (!metadata) {
                    invalid(QStringLiteral("dados antes da definição dos campos"));
                }
                readRows();
            } else {
                xml_.skipCurrentElement();
            }
        }
        while (!xml_.atEnd() && !xml_.hasError()) {
            xml_.readNext();
        }
        failXml();
        if (!metadata || packet_.fields.isEmpty()) {
            invalid(QStringLiteral("sem definição de campos"));
        }
        return std::move(packet_);
    }

private:
    // Hands the file's text to the XML reader. A byte-order mark, or the zero bytes of
    // a UTF-16 prolog without one, tells the encoding; otherwise a declared encoding is
    // left to the XML reader, and an undeclared text is UTF-8, or Latin-1 when it is
    // not valid UTF-8 (older files written by other tools).
    void feed(const QByteArray& bytes) {
        std::optional<QStringDecoder::Encoding> encoding;
        qsizetype bom = 0;
        if (bytes.startsWith("\xEF\xBB\xBF")) {
            encoding = QStringDecoder::Utf8;
            bom = 3;
        } else if (bytes.startsWith("\xFF\xFE")) {
            encoding = QStringDecoder::Utf16LE;
            bom = 2;
        } else if (bytes.startsWith("\xFE\xFF")) {
            encoding = QStringDecoder::Utf16BE;
            bom = 2;
        } else if (bytes.startsWith(QByteArray("<\0?\0", 4))) {
            encoding = QStringDecoder::Utf16LE;
        } else if (bytes.startsWith(QByteArray("\0<\0?", 4))) {
            encoding = QStringDecoder::Utf16BE;
        }
        QString text;
        if (encoding) {
            const QByteArray body = bytes.mid(bom);
            const bool utf16 = *encoding != QStringDecoder::Utf8;
            if (utf16 && body.size() % 2 != 0) {
                invalid(QStringLiteral("o texto UTF-16 está incompleto"));
            }
            QStringDecoder decoder(*encoding);
            text = decoder(body);
            if (decoder.hasError()) {
                invalid(utf16 ? QStringLiteral("o texto não é UTF-16 válido")
                              : QStringLiteral("o texto não é UTF-8 válido"));
            }
        } else if (bytes.startsWith("<?xml") &&
                   bytes.left(bytes.indexOf("?>")).contains("encoding")) {
            xml_.addData(bytes);
            return;
        } else {
            QStringDecoder utf8(QStringDecoder::Utf8);
            text = utf8(bytes);
            if (utf8.hasError()) {
                text = QString::fromLatin1(bytes);
            }
        }
        if (text.trimmed().isEmpty()) {
            empty();
        }
        xml_.addData(text);
    }

    [[noreturn]] void empty() const {
        throw AppError(
            QStringLiteral("Arquivo \"%1\" inválido: o arquivo está vazio.").arg(source_));
    }

    [[noreturn]] void invalid(const QString& what) const {
        throw AppError(QStringLiteral("Arquivo \"%1\" inválido: %2 (linha %3).")
                           .arg(source_, what)
                           .arg(xml_.lineNumber()));
    }

    void failXml() const {
        switch (xml_.error()) {
        case QXmlStreamReader::NoError:
            return;
        case QXmlStreamReader::PrematureEndOfDocumentError:
            invalid(QStringLiteral("o arquivo está incompleto"));
        case QXmlStreamReader::NotWellFormedError:
            invalid(QStringLiteral("XML malformado (%1)").arg(xml_.errorString()));
        default:
            invalid(xml_.errorString());
        }
    }

    void readMetadata() {
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("FIELDS")) {
                while (xml_.readNextStartElement()) {
                    if (xml_.name() == QLatin1String("FIELD")) {
                        readField();
                    }
                    xml_.skipCurrentElement();
                }
            } else {
                xml_.skipCurrentElement();
            }
        }
        failXml();
    }

    void readField() {
        const auto attrs = xml_.attributes();
        FieldDef def;
        def.name = attrs.value(QLatin1String("attrname")).toString().trimmed();
        if (def.name.isEmpty()) {
            invalid(QStringLiteral("campo sem nome (attrname)"));
        }
        if (!isXmlName(def.name)) {
            invalid(QStringLiteral("nome de campo \"%1\" inválido").arg(def.name));
        }
        if (byName_.contains(def.name.toUpper())) {
            invalid(QStringLiteral("campo %1 definido duas vezes").arg(def.name));
        }
        const QString typeName = attrs.value(QLatin1String("fieldtype")).toString();
        ColumnForm form;
        if (!formOfType(typeName, form, def.type)) {
            invalid(QStringLiteral("tipo de campo \"%1\" desconhecido no campo %2")
                        .arg(typeName, def.name));
        }
        if (def.type != FieldType::Text && isKeyCodeColumn(def.name)) {
            invalid(QStringLiteral("o campo %1 é um código e deve ser texto (string), mas está "
                                   "declarado como \"%2\"")
                        .arg(def.name, typeName));
        }
        if (attrs.hasAttribute(QLatin1String("WIDTH"))) {
            bool ok = false;
            def.size = attrs.value(QLatin1String("WIDTH")).toString().trimmed().toInt(&ok);
            if (!ok || def.size < 0) {
                invalid(QStringLiteral("largura \"%1\" inválida no campo %2")
                            .arg(attrs.value(QLatin1String("WIDTH")).toString(), def.name));
            }
        }
        byName_.insert(def.name.toUpper(), int(packet_.fields.size()));
        packet_.fields.append(def);
        forms_.append(form);
    }

    void readRows() {
        const int fieldCount = int(packet_.fields.size());
        while (xml_.readNextStartElement()) {
            if (xml_.name() != QLatin1String("ROW")) {
                xml_.skipCurrentElement();
                continue;
            }
            QVariantList row(fieldCount);
            int expected = 0;
            for (const QXmlStreamAttribute& attr : xml_.attributes()) {
                const QStringView name = attr.name();
                int col = -1;
                if (expected < fieldCount && name == packet_.fields[expected].name) {
                    col = expected;
                } else {
                    col = byName_.value(name.toString().toUpper(), -1);
                }
                if (col < 0) {
                    if (name == QLatin1String("RowState")) {
                        continue;
                    }
                    invalid(QStringLiteral("atributo %1 da linha de dados não corresponde a "
                                           "nenhum campo")
                                .arg(name.toString()));
                }
                row[col] = valueOf(col, attr.value().toString());
                expected = col + 1;
            }
            packet_.rows.append(std::move(row));
            xml_.skipCurrentElement();
        }
        failXml();
    }

    QVariant valueOf(int col, const QString& text) const {
        const ColumnForm& form = forms_[col];
        const QString& field = packet_.fields[col].name;
        if (form.form == ValueForm::Text) {
            return text;
        }
        const QString t = text.trimmed();
        if (t.isEmpty()) {
            return {};
        }
        auto bad = [&](const QString& what) {
            invalid(QStringLiteral("valor \"%1\" do campo %2 %3").arg(text, field, what));
        };
        switch (form.form) {
        case ValueForm::Text:
            break;
        case ValueForm::Integer: {
            bool ok = false;
            const qlonglong v = t.toLongLong(&ok);
            if (!ok) {
                bad(QStringLiteral("não é um número inteiro"));
            }
            if (v < form.min || v > form.max) {
                bad(QStringLiteral("está fora do intervalo do tipo %1").arg(form.typeName));
            }
            return v;
        }
        case ValueForm::Float: {
            bool ok = false;
            const double v = t.toDouble(&ok);
            if (!ok || !qIsFinite(v)) {
                bad(QStringLiteral("não é um número"));
            }
            return v;
        }
        case ValueForm::Boolean:
            if (t.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0) {
                return true;
            }
            if (t.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0) {
                return false;
            }
            bad(QStringLiteral("não é um valor lógico (TRUE ou FALSE)"));
            break;
        case ValueForm::Date:
        case ValueForm::DateTime: {
            const QDateTime dt = parsePacketDateTime(t);
            if (!dt.isValid()) {
                bad(QStringLiteral("não é uma data válida"));
            }
            return dt;
        }
        case ValueForm::Time: {
            const QDateTime dt = parsePacketTime(t);
            if (!dt.isValid()) {
                bad(QStringLiteral("não é uma hora válida"));
            }
            return dt;
        }
        }
        return {};
    }

    QString source_;
    QXmlStreamReader xml_;
    DataPacket packet_;
    QList<ColumnForm> forms_;
    QHash<QString, int> byName_;
};

// ---------------------------------------------------------------- writing

QString fileErrorText(const QFileDevice& file) {
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        return QStringLiteral("sem permissão de acesso");
    case QFileDevice::ResourceError:
        return QStringLiteral("sem espaço ou recurso do sistema esgotado (%1)")
            .arg(file.errorString());
    default:
        return file.errorString();
    }
}

[[noreturn]] void cannotWrite(const QString& target, const QString& reason) {
    if (target.isEmpty()) {
        throw AppError(QStringLiteral("Não foi possível gerar o pacote de dados: %1.").arg(reason));
    }
    throw AppError(
        QStringLiteral("Não foi possível gravar o arquivo \"%1\": %2.").arg(target, reason));
}

bool isXmlText(const QString& text) {
    const int n = int(text.size());
    for (int i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u)) {
            if (i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode())) {
                ++i;
                continue;
            }
            return false;
        }
        if (QChar::isLowSurrogate(u)) {
            return false;
        }
        if (u < 0x20 && u != 0x09 && u != 0x0A && u != 0x0D) {
            return false;
        }
        if (u == 0xFFFE || u == 0xFFFF) {
            return false;
        }
    }
    return true;
}

QString textOfValue(const QVariant& v, FieldType type) {
    switch (type) {
    case FieldType::Text:
        return v.toString();
    case FieldType::Integer:
        return QString::number(v.toLongLong());
    case FieldType::Float:
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    case FieldType::Boolean:
        return v.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case FieldType::DateTime:
        return v.toDateTime().toString(QStringLiteral("yyyyMMdd'T'HH:mm:sszzz"));
    }
    return {};
}

} // namespace

DataPacket parseDataPacketXml(const QByteArray& xml, const QString& sourceName) {
    PacketReader reader(sourceName);
    return reader.read(xml);
}

DataPacket readDataPacketFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        throw AppError(QStringLiteral("Arquivo \"%1\" não encontrado.").arg(path));
    }
    if (info.isDir()) {
        throw AppError(QStringLiteral("\"%1\" é uma pasta, não um arquivo de dados.").arg(path));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(QStringLiteral("Não foi possível abrir o arquivo \"%1\": %2.")
                           .arg(path, fileErrorText(file)));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw AppError(QStringLiteral("Não foi possível ler o arquivo \"%1\": %2.")
                           .arg(path, fileErrorText(file)));
    }
    return parseDataPacketXml(bytes, path);
}

QByteArray dataPacketToXml(const DataPacket& packet, const QString& targetName) {
    const int fieldCount = int(packet.fields.size());
    if (fieldCount == 0) {
        cannotWrite(targetName, QStringLiteral("o conjunto de dados não tem campos"));
    }
    QHash<QString, int> seen;
    for (const FieldDef& f : packet.fields) {
        if (!isXmlName(f.name)) {
            cannotWrite(targetName, QStringLiteral("nome de campo \"%1\" inválido").arg(f.name));
        }
        if (seen.contains(f.name.toUpper())) {
            cannotWrite(targetName, QStringLiteral("campo %1 repetido").arg(f.name));
        }
        if (f.type != FieldType::Text && isKeyCodeColumn(f.name)) {
            cannotWrite(targetName,
                        QStringLiteral("o campo %1 é um código e deve ser texto, não %2")
                            .arg(f.name, fieldTypeName(f.type)));
        }
        seen.insert(f.name.toUpper(), 1);
    }

    // Values in their column representation, checked before anything is written.
    QList<QVariantList> rows;
    rows.reserve(packet.rows.size());
    QList<int> widths(fieldCount, 0);
    QList<bool> wide(fieldCount, false);
    for (int r = 0; r < packet.rows.size(); ++r) {
        const QVariantList& source = packet.rows[r];
        if (source.size() > fieldCount) {
            cannotWrite(targetName,
                        QStringLiteral("o registro %1 tem mais valores que campos").arg(r + 1));
        }
        QVariantList row(fieldCount);
        for (int c = 0; c < source.size(); ++c) {
            const FieldDef& f = packet.fields[c];
            QVariant v;
            try {
                v = coerceToFieldType(source[c], f.type, f.name);
            } catch (const AppError& e) {
                QString reason = e.message();
                if (reason.endsWith(QLatin1Char('.'))) {
                    reason.chop(1);
                }
                cannotWrite(targetName, QStringLiteral("%1 (registro %2)").arg(reason).arg(r + 1));
            }
            if (!v.isValid()) {
                continue;
            }
            switch (f.type) {
            case FieldType::Text: {
                const QString s = v.toString();
                if (!isXmlText(s)) {
                    cannotWrite(targetName,
                                QStringLiteral("o campo %1 (registro %2) contém caracteres de "
                                               "controle")
                                    .arg(f.name)
                                    .arg(r + 1));
                }
                widths[c] = qMax(widths[c], int(s.size()));
                break;
            }
            case FieldType::Integer: {
                const qlonglong n = v.toLongLong();
                if (n < std::numeric_limits<qint32>::min() ||
                    n > std::numeric_limits<qint32>::max()) {
                    wide[c] = true;
                }
                break;
            }
            case FieldType::Float:
                if (!qIsFinite(v.toDouble())) {
                    cannotWrite(targetName,
                                QStringLiteral("o campo %1 (registro %2) não tem um número finito")
                                    .arg(f.name)
                                    .arg(r + 1));
                }
                break;
            case FieldType::DateTime:
                if (!v.toDateTime().isValid()) {
                    v = QVariant();
                }
                break;
            case FieldType::Boolean:
                break;
            }
            row[c] = v;
        }
        rows.append(std::move(row));
    }

    QByteArray out("<?xml version=\"1.0\" standalone=\"yes\"?>");
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly | QIODevice::Append);
    QXmlStreamWriter xml(&buffer);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(0);
    xml.writeStartElement(QStringLiteral("DATAPACKET"));
    xml.writeAttribute(QStringLiteral("Version"), QStringLiteral("2.0"));
    xml.writeStartElement(QStringLiteral("METADATA"));
    xml.writeStartElement(QStringLiteral("FIELDS"));
    for (int c = 0; c < fieldCount; ++c) {
        const FieldDef& f = packet.fields[c];
        xml.writeEmptyElement(QStringLiteral("FIELD"));
        xml.writeAttribute(QStringLiteral("attrname"), f.name);
        switch (f.type) {
        case FieldType::Text:
            xml.writeAttribute(QStringLiteral("fieldtype"), QStringLiteral("string"));
            xml.writeAttribute(QStringLiteral("WIDTH"),
                               QString::number(qMax(1, qMax(f.size, widths[c]))));
            break;
        case FieldType::Integer:
            xml.writeAttribute(QStringLiteral("fieldtype"),
                               wide[c] ? QStringLiteral("i8") : QStringLiteral("i4"));
            break;
        case FieldType::Float:
            xml.writeAttribute(QStringLiteral("fieldtype"), QStringLiteral("r8"));
            break;
        case FieldType::Boolean:
            xml.writeAttribute(QStringLiteral("fieldtype"), QStringLiteral("boolean"));
            break;
        case FieldType::DateTime:
            xml.writeAttribute(QStringLiteral("fieldtype"), QStringLiteral("dateTime"));
            break;
        }
    }
    xml.writeEndElement(); // FIELDS
    xml.writeEmptyElement(QStringLiteral("PARAMS"));
    xml.writeEndElement(); // METADATA
    xml.writeStartElement(QStringLiteral("ROWDATA"));
    for (const QVariantList& row : rows) {
        xml.writeEmptyElement(QStringLiteral("ROW"));
        for (int c = 0; c < fieldCount; ++c) {
            if (row[c].isValid()) {
                xml.writeAttribute(packet.fields[c].name,
                                   textOfValue(row[c], packet.fields[c].type));
            }
        }
    }
    xml.writeEndElement(); // ROWDATA
    xml.writeEndElement(); // DATAPACKET
    xml.writeEndDocument();
    if (xml.hasError()) {
        cannotWrite(targetName, QStringLiteral("falha ao gerar o XML"));
    }
    return out;
}

void writeDataPacketFile(const QString& path, const DataPacket& packet) {
    const QByteArray bytes = dataPacketToXml(packet, path);
    const QDir folder = QFileInfo(path).absoluteDir();
    if (!folder.exists()) {
        cannotWrite(path, QStringLiteral("a pasta \"%1\" não existe").arg(folder.path()));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        cannotWrite(path, fileErrorText(file));
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = fileErrorText(file);
        file.cancelWriting();
        cannotWrite(path, reason);
    }
    if (!file.commit()) {
        cannotWrite(path, fileErrorText(file));
    }
}

} // namespace tmk
