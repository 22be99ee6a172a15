#include "platform/client_dataset.h"

#include "platform/datapacket_xml.h"
#include "platform/errors.h"
#include "platform/filter_expression.h"

#include <QDateTime>
#include <algorithm>

namespace tmk {

namespace {

QStringList splitNames(const QString& names) {
    QStringList out;
    for (const QString& part : names.split(QLatin1Char(';'))) {
        const QString name = part.trimmed();
        if (!name.isEmpty()) {
            out << name;
        }
    }
    return out;
}

bool isNullValue(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

// A stored value is kept in the representation of its column; anything else
// goes through the common conversion.
QVariant normalized(const QVariant& v, const FieldDef& def) {
    if (isNullValue(v)) {
        return {};
    }
    const int id = v.metaType().id();
    switch (def.type) {
    case FieldType::Text:
        if (id == QMetaType::QString) {
            return v;
        }
        break;
    case FieldType::Integer:
        if (id == QMetaType::LongLong) {
            return v;
        }
        break;
    case FieldType::Float:
        if (id == QMetaType::Double) {
            return v;
        }
        break;
    case FieldType::Boolean:
        if (id == QMetaType::Bool) {
            return v;
        }
        break;
    case FieldType::DateTime:
        if (id == QMetaType::QDateTime) {
            return v.toDateTime().isValid() ? v : QVariant();
        }
        break;
    }
    QVariant c = coerceToFieldType(v, def.type, def.name);
    if (def.type == FieldType::DateTime && c.isValid() && !c.toDateTime().isValid()) {
        return {};
    }
    return c;
}

// The text of a stored text value without a copy (stored texts are QStrings).
const QString& storedText(const QVariant& v) {
    static const QString empty;
    return v.metaType().id() == QMetaType::QString ? *static_cast<const QString*>(v.constData())
                                                   : empty;
}

// A stored value of type T read in place; other representations are converted.
template <typename T>
T storedAs(const QVariant& v) {
    if (v.metaType() == QMetaType::fromType<T>()) {
        return *static_cast<const T*>(v.constData());
    }
    return v.value<T>();
}

int compareValues(const QVariant& a, const QVariant& b, FieldType type, bool caseInsensitive) {
    const bool an = isNullValue(a);
    const bool bn = isNullValue(b);
    if (an || bn) {
        return an == bn ? 0 : (an ? -1 : 1);
    }
    auto three = [](const auto& x, const auto& y) {
        return x < y ? -1 : (y < x ? 1 : 0);
    };
    switch (type) {
    case FieldType::Text:
        return storedText(a).compare(storedText(b),
                                     caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
    case FieldType::Integer:
        return three(storedAs<qlonglong>(a), storedAs<qlonglong>(b));
    case FieldType::Float:
        return three(storedAs<double>(a), storedAs<double>(b));
    case FieldType::Boolean:
        return three(int(storedAs<bool>(a)), int(storedAs<bool>(b)));
    case FieldType::DateTime:
        return three(storedAs<QDateTime>(a), storedAs<QDateTime>(b));
    }
    return 0;
}

} // namespace

// ------------------------------------------------------------ ClientDataSet

ClientDataSet::ClientDataSet(QString name)
    : name_(std::move(name)) {}

ClientDataSet::~ClientDataSet() = default;

QString ClientDataSet::label() const {
    return name_.isEmpty() ? QStringLiteral("(sem nome)") : name_;
}

void ClientDataSet::requireActive(const QString& operation) const {
    if (!active()) {
        throw AppError(QStringLiteral("O conjunto de dados %1 está fechado: não é possível %2.")
                           .arg(label(), operation));
    }
}

void ClientDataSet::requireBrowse() {
    if (state_ == State::Edit || state_ == State::Insert) {
        post();
    }
}

int ClientDataSet::lookupField(const QHash<QString, int>& hash, const QString& name) {
    return hash.value(name.trimmed().toUpper(), -1);
}

QHash<QString, int> ClientDataSet::hashFields(const QList<FieldDef>& defs) const {
    QHash<QString, int> hash;
    for (int i = 0; i < defs.size(); ++i) {
        const QString key = defs[i].name.trimmed().toUpper();
        if (key.isEmpty()) {
            throw AppError(
                QStringLiteral("Estrutura inválida para o conjunto de dados %1: campo %2 sem nome.")
                    .arg(label())
                    .arg(i + 1));
        }
        if (hash.contains(key)) {
            throw AppError(
                QStringLiteral("Estrutura inválida para o conjunto de dados %1: campo %2 repetido.")
                    .arg(label(), defs[i].name));
        }
        hash.insert(key, i);
    }
    return hash;
}

ClientDataSet::Prepared ClientDataSet::prepare(const QList<FieldDef>& defs) const {
    Prepared p;
    p.fieldHash = hashFields(defs);
    if (filtered_ && !filterText_.trimmed().isEmpty()) {
        p.filter = std::make_shared<FilterExpression>(filterText_, defs);
    }
    if (activeIndex_) {
        p.sortKeys = resolveIndex(*activeIndex_, defs, p.fieldHash);
    }
    return p;
}

void ClientDataSet::commitStructure(Prepared prepared) {
    fieldHash_ = std::move(prepared.fieldHash);
    filterExpr_ = std::move(prepared.filter);
    sortKeys_ = std::move(prepared.sortKeys);
}

QList<ClientDataSet::SortKey> ClientDataSet::resolveIndex(const IndexDef& index,
                                                          const QList<FieldDef>& defs,
                                                          const QHash<QString, int>& hash) const {
    auto column = [&](const QString& field) {
        const int col = lookupField(hash, field);
        if (col < 0) {
            if (index.name.isEmpty()) {
                throw AppError(
                    QStringLiteral("Ordenação do conjunto de dados %1: o campo %2 não existe.")
                        .arg(label(), field));
            }
            throw AppError(
                QStringLiteral("Índice %1 do conjunto de dados %2: o campo %3 não existe.")
                    .arg(index.name, label(), field));
        }
        return col;
    };
    QList<int> descending;
    for (const QString& f : index.descFields) {
        descending << column(f);
    }
    QList<SortKey> keys;
    for (const QString& f : index.fields) {
        SortKey k;
        k.field = column(f);
        k.type = defs[k.field].type;
        k.caseInsensitive = index.options.testFlag(IndexOption::CaseInsensitive);
        k.descending =
            index.options.testFlag(IndexOption::Descending) || descending.contains(k.field);
        keys << k;
    }
    return keys;
}

// -------------------------------------------------------------- structure

void ClientDataSet::setFieldDefs(const QList<FieldDef>& defs) {
    QHash<QString, int> hash = hashFields(defs); // index and filter are checked on opening
    close();
    defs_ = defs;
    fieldHash_ = std::move(hash);
    rows_.clear();
    fileName_.clear();
    filterExpr_.reset();
    sortKeys_.clear();
}

void ClientDataSet::createDataSet() {
    if (defs_.isEmpty()) {
        throw AppError(
            QStringLiteral("O conjunto de dados %1 não tem campos definidos.").arg(label()));
    }
    Prepared p = prepare(defs_);
    buffer_.clear();
    editRow_ = -1;
    rows_.clear();
    fileName_.clear();
    commitStructure(std::move(p));
    state_ = State::Browse;
    rebuildView();
}

void ClientDataSet::open() {
    if (active()) {
        return;
    }
    if (defs_.isEmpty()) {
        throw AppError(
            QStringLiteral("O conjunto de dados %1 não tem campos definidos.").arg(label()));
    }
    commitStructure(prepare(defs_));
    state_ = State::Browse;
    rebuildView();
}

void ClientDataSet::close() {
    buffer_.clear();
    editRow_ = -1;
    state_ = State::Inactive;
    view_.clear();
    cursor_ = 0;
    bof_ = true;
    eofFlag_ = true;
}

DataPacket ClientDataSet::data() const {
    return DataPacket{defs_, rows_};
}

void ClientDataSet::setData(const DataPacket& packet) {
    Prepared p = prepare(packet.fields);
    const int fieldCount = int(packet.fields.size());
    QList<QVariantList> rows;
    rows.reserve(packet.rows.size());
    for (int r = 0; r < packet.rows.size(); ++r) {
        const QVariantList& source = packet.rows[r];
        if (source.size() > fieldCount) {
            throw AppError(QStringLiteral("Dados inválidos para o conjunto de dados %1: o registro "
                                          "%2 tem mais valores que campos.")
                               .arg(label())
                               .arg(r + 1));
        }
        QVariantList row(fieldCount);
        for (int c = 0; c < source.size(); ++c) {
            row[c] = normalized(source[c], packet.fields[c]);
        }
        rows.append(std::move(row));
    }
    buffer_.clear();
    editRow_ = -1;
    defs_ = packet.fields;
    rows_ = std::move(rows);
    fileName_.clear();
    commitStructure(std::move(p));
    state_ = State::Browse;
    rebuildView();
}

void ClientDataSet::loadFromFile(const QString& path) {
    setData(readDataPacketFile(path));
    fileName_ = path;
}

void ClientDataSet::saveToFile(const QString& path) const {
    if (defs_.isEmpty()) {
        throw AppError(QStringLiteral("O conjunto de dados %1 não tem campos definidos: não é "
                                      "possível gravar o arquivo \"%2\".")
                           .arg(label(), path));
    }
    writeDataPacketFile(path, data());
}

// ------------------------------------------------------------------- view

bool ClientDataSet::rowVisible(int row) const {
    return !filterExpr_ || filterExpr_->matches(rows_[row]);
}

bool ClientDataSet::rowLess(int a, int b) const {
    const QVariantList& ra = rows_[a];
    const QVariantList& rb = rows_[b];
    for (const SortKey& k : sortKeys_) {
        int c = compareValues(ra[k.field], rb[k.field], k.type, k.caseInsensitive);
        if (k.descending) {
            c = -c;
        }
        if (c != 0) {
            return c < 0;
        }
    }
    return a < b; // stable: equal keys keep insertion order
}

void ClientDataSet::rebuildView(int keepRow) {
    view_.clear();
    view_.reserve(rows_.size());
    for (int r = 0; r < rows_.size(); ++r) {
        if (rowVisible(r)) {
            view_.append(r);
        }
    }
    if (!sortKeys_.isEmpty()) {
        std::sort(view_.begin(), view_.end(), [this](int a, int b) { return rowLess(a, b); });
    }
    const int pos = keepRow >= 0 ? int(view_.indexOf(keepRow)) : -1;
    if (pos >= 0) {
        cursor_ = pos;
        bof_ = false;
        eofFlag_ = false;
    } else {
        cursor_ = 0;
        bof_ = true;
        eofFlag_ = view_.isEmpty();
    }
}

void ClientDataSet::positionAt(int pos) {
    if (view_.isEmpty()) {
        cursor_ = 0;
        bof_ = true;
        eofFlag_ = true;
    } else if (pos >= view_.size()) {
        cursor_ = int(view_.size()) - 1;
        bof_ = false;
        eofFlag_ = true;
    } else {
        cursor_ = qMax(0, pos);
        bof_ = false;
        eofFlag_ = false;
    }
}

void ClientDataSet::placeRow(int row, int fallbackPos) {
    if (!rowVisible(row)) {
        positionAt(fallbackPos);
        return;
    }
    const auto it = std::lower_bound(view_.begin(), view_.end(), row,
                                     [this](int a, int b) { return rowLess(a, b); });
    const int pos = int(it - view_.begin());
    view_.insert(pos, row);
    cursor_ = pos;
    bof_ = false;
    eofFlag_ = false;
}

int ClientDataSet::currentRow() const {
    return view_.isEmpty() ? -1 : view_[cursor_];
}

// ------------------------------------------------------------- navigation

void ClientDataSet::first() {
    requireActive(QStringLiteral("ir para o primeiro registro"));
    requireBrowse();
    cursor_ = 0;
    bof_ = true;
    eofFlag_ = view_.isEmpty();
}

void ClientDataSet::last() {
    requireActive(QStringLiteral("ir para o último registro"));
    requireBrowse();
    cursor_ = qMax(0, int(view_.size()) - 1);
    bof_ = view_.isEmpty();
    eofFlag_ = true;
}

void ClientDataSet::next() {
    requireActive(QStringLiteral("avançar para o próximo registro"));
    requireBrowse();
    if (view_.isEmpty()) {
        bof_ = eofFlag_ = true;
        return;
    }
    bof_ = false;
    if (cursor_ >= view_.size() - 1) {
        eofFlag_ = true;
    } else {
        ++cursor_;
        eofFlag_ = false;
    }
}

void ClientDataSet::prior() {
    requireActive(QStringLiteral("voltar ao registro anterior"));
    requireBrowse();
    if (view_.isEmpty()) {
        bof_ = eofFlag_ = true;
        return;
    }
    eofFlag_ = false;
    if (cursor_ <= 0) {
        bof_ = true;
    } else {
        --cursor_;
        bof_ = false;
    }
}

bool ClientDataSet::eof() const {
    return !active() || eofFlag_;
}

bool ClientDataSet::bof() const {
    return !active() || bof_;
}

int ClientDataSet::recordCount() const {
    return active() ? int(view_.size()) : 0;
}

int ClientDataSet::recNo() const {
    return active() && !view_.isEmpty() ? cursor_ + 1 : 0;
}

// ----------------------------------------------------------------- fields

int ClientDataSet::fieldIndex(const QString& name) const {
    return lookupField(fieldHash_, name);
}

int ClientDataSet::resolveField(const QString& name) const {
    const int i = fieldIndex(name);
    if (i < 0) {
        throw AppError(
            QStringLiteral("Campo %1 não encontrado no conjunto de dados %2.").arg(name, label()));
    }
    return i;
}

Field ClientDataSet::fieldByName(const QString& name) {
    return Field(this, resolveField(name));
}

std::optional<Field> ClientDataSet::findField(const QString& name) {
    const int i = fieldIndex(name);
    if (i < 0) {
        return std::nullopt;
    }
    return Field(this, i);
}

QVariant ClientDataSet::value(const QString& field) const {
    return valueAt(resolveField(field));
}

QVariant ClientDataSet::valueAt(int fieldIndex) const {
    if (fieldIndex < 0 || fieldIndex >= defs_.size()) {
        throw AppError(QStringLiteral("Campo %1 inexistente no conjunto de dados %2.")
                           .arg(fieldIndex)
                           .arg(label()));
    }
    requireActive(QStringLiteral("ler o campo %1").arg(defs_[fieldIndex].name));
    if (state_ == State::Edit || state_ == State::Insert) {
        return buffer_.value(fieldIndex);
    }
    const int row = currentRow();
    return row < 0 ? QVariant() : rows_[row].value(fieldIndex);
}

void ClientDataSet::setFieldValue(int fieldIndex, const QVariant& value) {
    if (fieldIndex < 0 || fieldIndex >= defs_.size()) {
        throw AppError(QStringLiteral("Campo %1 inexistente no conjunto de dados %2.")
                           .arg(fieldIndex)
                           .arg(label()));
    }
    const FieldDef& def = defs_[fieldIndex];
    requireActive(QStringLiteral("alterar o campo %1").arg(def.name));
    if (state_ != State::Edit && state_ != State::Insert) {
        throw AppError(QStringLiteral("O conjunto de dados %1 não está em edição: não é possível "
                                      "alterar o campo %2.")
                           .arg(label(), def.name));
    }
    buffer_[fieldIndex] = normalized(value, def);
}

// ---------------------------------------------------------------- editing

void ClientDataSet::append() {
    requireActive(QStringLiteral("incluir um registro"));
    requireBrowse();
    beforeInsert_ = Position{cursor_, bof_, eofFlag_};
    buffer_ = QVariantList(defs_.size());
    editRow_ = -1;
    state_ = State::Insert;
}

void ClientDataSet::edit() {
    requireActive(QStringLiteral("editar o registro"));
    if (state_ == State::Edit || state_ == State::Insert) {
        return;
    }
    if (view_.isEmpty()) {
        append();
        return;
    }
    editRow_ = currentRow();
    buffer_ = rows_[editRow_];
    state_ = State::Edit;
}

void ClientDataSet::post() {
    requireActive(QStringLiteral("gravar o registro"));
    if (state_ == State::Edit) {
        const int row = editRow_;
        int pos = cursor_;
        if (pos >= view_.size() || view_[pos] != row) {
            pos = int(view_.indexOf(row));
        }
        rows_[row] = buffer_;
        buffer_.clear();
        editRow_ = -1;
        state_ = State::Browse;
        if (pos >= 0) {
            view_.removeAt(pos);
        } else {
            pos = cursor_;
        }
        placeRow(row, pos);
    } else if (state_ == State::Insert) {
        rows_.append(buffer_);
        buffer_.clear();
        state_ = State::Browse;
        const int row = int(rows_.size()) - 1;
        if (rowVisible(row)) {
            placeRow(row, 0);
        } else {
            cursor_ = beforeInsert_.cursor;
            bof_ = beforeInsert_.bof;
            eofFlag_ = beforeInsert_.eof;
        }
    }
}

void ClientDataSet::cancel() {
    if (state_ == State::Edit) {
        buffer_.clear();
        editRow_ = -1;
        state_ = State::Browse;
    } else if (state_ == State::Insert) {
        buffer_.clear();
        state_ = State::Browse;
        cursor_ = beforeInsert_.cursor;
        bof_ = beforeInsert_.bof;
        eofFlag_ = beforeInsert_.eof;
    }
}

void ClientDataSet::remove() {
    requireActive(QStringLiteral("excluir o registro"));
    if (state_ == State::Insert) {
        cancel();
        return;
    }
    if (view_.isEmpty()) {
        throw AppError(
            QStringLiteral("O conjunto de dados %1 está vazio: não há registro para excluir.")
                .arg(label()));
    }
    if (state_ == State::Edit) {
        buffer_.clear();
        editRow_ = -1;
        state_ = State::Browse;
    }
    const int pos = cursor_;
    const int row = view_[pos];
    rows_.removeAt(row);
    view_.removeAt(pos);
    for (int& r : view_) {
        if (r > row) {
            --r;
        }
    }
    if (view_.isEmpty()) {
        positionAt(0);
    } else {
        cursor_ = qMin(pos, int(view_.size()) - 1);
        bof_ = false;
        eofFlag_ = false;
    }
}

void ClientDataSet::emptyDataSet() {
    requireActive(QStringLiteral("esvaziar os dados"));
    cancel();
    rows_.clear();
    view_.clear();
    positionAt(0);
}

// ----------------------------------------------------------------- locate

bool ClientDataSet::locate(const QString& fields, const QVariant& values, LocateOptions options) {
    requireActive(QStringLiteral("localizar um registro"));
    const QStringList names = splitNames(fields);
    if (names.isEmpty()) {
        throw AppError(
            QStringLiteral("Nenhum campo informado para localizar no conjunto de dados %1.")
                .arg(label()));
    }
    QList<int> cols;
    for (const QString& n : names) {
        cols << resolveField(n);
    }
    QVariantList keys;
    const int id = values.metaType().id();
    if (id == QMetaType::QVariantList || id == QMetaType::QStringList) {
        keys = values.toList();
    } else {
        keys << values;
    }
    if (keys.size() != cols.size()) {
        throw AppError(QStringLiteral("Localizar no conjunto de dados %1: %2 valores para %3 "
                                      "campos (%4).")
                           .arg(label())
                           .arg(keys.size())
                           .arg(cols.size())
                           .arg(fields));
    }
    for (int i = 0; i < keys.size(); ++i) {
        keys[i] = normalized(keys[i], defs_[cols[i]]);
    }
    requireBrowse();

    const Qt::CaseSensitivity cs =
        options.testFlag(LocateOption::CaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const bool partial = options.testFlag(LocateOption::PartialKey);
    auto matches = [&](const QVariantList& row) {
        for (int i = 0; i < cols.size(); ++i) {
            const QVariant& v = row[cols[i]];
            const QVariant& k = keys[i];
            const FieldDef& def = defs_[cols[i]];
            if (def.type == FieldType::Text) {
                // A null text reads as empty, so it equals an empty key.
                const QString& text = storedText(v);
                const QString& key = storedText(k);
                const bool ok = partial ? text.startsWith(key, cs) : text.compare(key, cs) == 0;
                if (!ok) {
                    return false;
                }
            } else if (isNullValue(v) || isNullValue(k)) {
                if (isNullValue(v) != isNullValue(k)) {
                    return false;
                }
            } else if (compareValues(v, k, def.type, false) != 0) {
                return false;
            }
        }
        return true;
    };
    for (int pos = 0; pos < view_.size(); ++pos) {
        if (matches(rows_[view_[pos]])) {
            cursor_ = pos;
            bof_ = false;
            eofFlag_ = false;
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- indexes

void ClientDataSet::applyIndex(const std::optional<IndexDef>& index, const QString& indexName) {
    QList<SortKey> keys;
    if (index && !defs_.isEmpty()) {
        keys = resolveIndex(*index, defs_, fieldHash_);
    }
    if (active()) {
        requireBrowse();
    }
    activeIndex_ = index;
    indexName_ = indexName;
    sortKeys_ = std::move(keys);
    if (active()) {
        rebuildView(currentRow());
    }
}

void ClientDataSet::addIndex(const QString& indexName, const QString& fields, IndexOptions options,
                             const QString& descFields) {
    const QString name = indexName.trimmed();
    if (name.isEmpty()) {
        throw AppError(QStringLiteral("Índice sem nome no conjunto de dados %1.").arg(label()));
    }
    IndexDef def{name, splitNames(fields), options, splitNames(descFields)};
    if (def.fields.isEmpty()) {
        throw AppError(
            QStringLiteral("Índice %1 do conjunto de dados %2 sem campos.").arg(name, label()));
    }
    if (!defs_.isEmpty()) {
        resolveIndex(def, defs_, fieldHash_); // names an unknown field now, not later
    }
    bool replaced = false;
    for (IndexDef& existing : indexes_) {
        if (existing.name.compare(name, Qt::CaseInsensitive) == 0) {
            existing = def;
            replaced = true;
        }
    }
    if (!replaced) {
        indexes_.append(def);
    }
    if (activeIndex_ && activeIndex_->name.compare(name, Qt::CaseInsensitive) == 0) {
        applyIndex(def, def.name);
    }
}

void ClientDataSet::deleteIndexes() {
    indexes_.clear();
    if (activeIndex_ && !activeIndex_->name.isEmpty()) {
        applyIndex(std::nullopt, QString());
    }
}

void ClientDataSet::setIndexName(const QString& indexName) {
    const QString name = indexName.trimmed();
    if (name.isEmpty()) {
        applyIndex(std::nullopt, QString());
        return;
    }
    for (const IndexDef& def : indexes_) {
        if (def.name.compare(name, Qt::CaseInsensitive) == 0) {
            applyIndex(def, def.name);
            return;
        }
    }
    throw AppError(
        QStringLiteral("Índice %1 não existe no conjunto de dados %2.").arg(name, label()));
}

void ClientDataSet::setIndexFieldNames(const QString& fields) {
    const QStringList names = splitNames(fields);
    if (names.isEmpty()) {
        applyIndex(std::nullopt, QString());
        return;
    }
    applyIndex(IndexDef{QString(), names, {}, {}}, QString());
}

QString ClientDataSet::indexFieldNames() const {
    if (activeIndex_ && activeIndex_->name.isEmpty()) {
        return activeIndex_->fields.join(QLatin1Char(';'));
    }
    return {};
}

// ---------------------------------------------------------------- filters

void ClientDataSet::setFilter(const QString& expression) {
    if (!filtered_ || defs_.isEmpty()) {
        filterText_ = expression;
        filterExpr_.reset();
        return;
    }
    std::shared_ptr<FilterExpression> parsed;
    if (!expression.trimmed().isEmpty()) {
        parsed = std::make_shared<FilterExpression>(expression, defs_);
    }
    if (active()) {
        requireBrowse();
    }
    filterText_ = expression;
    filterExpr_ = std::move(parsed);
    if (active()) {
        rebuildView();
    }
}

void ClientDataSet::setFiltered(bool on) {
    if (on == filtered_) {
        return;
    }
    std::shared_ptr<FilterExpression> parsed;
    if (on && !defs_.isEmpty() && !filterText_.trimmed().isEmpty()) {
        parsed = std::make_shared<FilterExpression>(filterText_, defs_);
    }
    if (active()) {
        requireBrowse();
    }
    filtered_ = on;
    filterExpr_ = std::move(parsed);
    if (active()) {
        rebuildView();
    }
}

} // namespace tmk
