#include "data/Dataset.h"

#include "data/DbError.h"
#include "data/SqlText.h"

#include <algorithm>
#include <limits>
#include <sqlite3.h>

namespace data {

namespace {

struct Statement {
    sqlite3_stmt* st = nullptr;
    ~Statement() { sqlite3_finalize(st); }
};

// Digits with an optional sign: a whole number, however long (too long for 64 bits is still
// a number, only one that does not fit).
bool isWholeNumber(const QString& t)
{
    int i = (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) ? 1 : 0;
    if (i >= t.size())
        return false;
    for (; i < t.size(); ++i)
        if (t[i] < QLatin1Char('0') || t[i] > QLatin1Char('9'))
            return false;
    return true;
}

QString noField(const QString& dataset, const QString& field)
{
    return QStringLiteral("%1: поле «%2» не найдено").arg(dataset, field);
}

} // namespace

Dataset::Dataset(Connection& connection, Kind kind, const QString& name)
    : connection_(&connection), kind_(kind), name_(name)
{
    connection.attach(this);
}

Dataset::~Dataset()
{
    if (connection_)
        connection_->detach(this);
}

void Dataset::setSql(const QString& sql)
{
    sql_ = sql;
}

void Dataset::setTableName(const QString& table)
{
    tableName_ = table;
    sql_ = QStringLiteral("select * from ") + table;
}

void Dataset::setDisplayLabel(const QString& field, const QString& label)
{
    labels_.insert(field.toLower(), label);
    const int i = fieldIndex(field);
    if (i >= 0)
        fields_[size_t(i)].displayLabel = label;
}

void Dataset::addLookupField(const QString& name, const QString& keyField, Dataset& source,
                             const QString& sourceKey, const QString& sourceResult, int width)
{
    Field f;
    f.name = name;
    f.kind = FieldKind::Lookup;
    f.width = width;
    f.keyField = keyField;
    f.lookupDataset = &source;
    f.lookupKey = sourceKey;
    f.lookupResult = sourceResult;
    lookups_.push_back(f);
}

void Dataset::requireOpen() const
{
    if (!isOpen())
        throw DbError(QStringLiteral("%1: набор данных закрыт").arg(name_));
}

void Dataset::requireEditing() const
{
    if (!isEditing())
        throw DbError(QStringLiteral("%1: запись не в режиме редактирования").arg(name_));
}

void Dataset::open()
{
    if (isOpen())
        return;
    if (!connection_ || !connection_->isOpen())
        throw DbError(QStringLiteral("%1: нет соединения с базой данных").arg(name_));
    if (sql_.trimmed().isEmpty())
        throw DbError(QStringLiteral("%1: не задан текст запроса").arg(name_));
    emit aboutToReset();
    try {
        readRows(false);
    } catch (...) {
        snapshot_.clear();
        emit didReset();
        throw;
    }
    state_ = State::Browse;
    modified_ = false;
    current_ = snapshot_.rowCount() > 0 ? 0 : -1;
    bof_ = true;
    eof_ = snapshot_.rowCount() == 0;
    emit didReset();
    emit stateChanged();
    emit currentChanged(current_);
}

void Dataset::readRows(bool keepFields)
{
    sqlite3* db = connection_->handle();
    Statement s;
    const QByteArray text = adaptStatement(sql_).toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &s.st, nullptr) != SQLITE_OK)
        connection_->fail(name_);
    if (!s.st)
        throw DbError(QStringLiteral("%1: не задан текст запроса").arg(name_));

    const int cols = sqlite3_column_count(s.st);
    if (!keepFields) {
        const QString table = statementTable(sql_);
        const TableInfo* info = nullptr;
        if (!table.isEmpty()) {
            try {
                info = &connection_->tableInfo(table);
            } catch (const DbError&) {
                info = nullptr;
            }
        }
        std::vector<Field> fields;
        std::vector<Snapshot::Storage> storage;
        keyField_ = -1;
        writeTable_ = info ? info->name : QString();
        for (int c = 0; c < cols; ++c) {
            Field f;
            f.name = QString::fromUtf8(sqlite3_column_name(s.st, c));
            const int ti = info ? info->columnIndex(f.name) : -1;
            if (ti >= 0) {
                f.kind = info->columns[size_t(ti)].kind;
                f.width = info->columns[size_t(ti)].width;
            } else {
                const char* decl = sqlite3_column_decltype(s.st, c);
                f.kind = columnFromDecl(f.name, QString::fromUtf8(decl ? decl : ""), false).kind;
            }
            if (f.kind == FieldKind::AutoKey) {
                f.readOnly = true;
                if (keyField_ < 0)
                    keyField_ = c;
            }
            f.column = c;
            f.displayLabel = labels_.value(f.name.toLower());
            fields.push_back(f);
            storage.push_back(storageFor(f.kind));
        }
        for (const Field& l : lookups_) {
            Field f = l;
            f.displayLabel = labels_.value(f.name.toLower());
            fields.push_back(f);
        }
        for (const QString& d : declared_) {
            bool found = false;
            for (const Field& f : fields)
                found = found || f.name.compare(d, Qt::CaseInsensitive) == 0;
            if (!found)
                throw DbError(noField(name_, d));
        }
        fields_ = std::move(fields);
        // Lookup caches are kept by field position, which a statement with other columns moves.
        lookupCache_.clear();
        snapshot_.reset(storage);
    } else {
        std::vector<Snapshot::Storage> storage;
        for (const Field& f : fields_)
            if (f.column >= 0)
                storage.push_back(storageFor(f.kind));
        snapshot_.reset(storage);
    }

    int rc;
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
        for (int c = 0; c < cols; ++c) {
            switch (sqlite3_column_type(s.st, c)) {
            case SQLITE_NULL:
                snapshot_.appendNull(c);
                break;
            case SQLITE_INTEGER:
                snapshot_.appendInt(c, sqlite3_column_int64(s.st, c));
                break;
            case SQLITE_FLOAT:
                snapshot_.appendInt(c, llround(sqlite3_column_double(s.st, c)));
                break;
            default: {
                const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(s.st, c));
                snapshot_.appendText(c, t, uint32_t(sqlite3_column_bytes(s.st, c)));
                break;
            }
            }
        }
        snapshot_.endRow();
    }
    if (rc != SQLITE_DONE) {
        snapshot_.clear();
        connection_->fail(name_);
    }
    snapshot_.shrink();
    ++generation_;
}

void Dataset::execSql()
{
    if (!connection_ || !connection_->isOpen())
        throw DbError(QStringLiteral("%1: нет соединения с базой данных").arg(name_));
    connection_->execute(sql_);
}

void Dataset::close()
{
    if (!isOpen())
        return;
    emit aboutToReset();
    snapshot_.clear();
    buffer_.clear();
    changed_.clear();
    state_ = State::Inactive;
    current_ = -1;
    eof_ = bof_ = true;
    insertPos_ = -1;
    modified_ = false;
    ++generation_;
    emit didReset();
    emit stateChanged();
}

int Dataset::recordCount() const
{
    return snapshot_.rowCount() + (state_ == State::Insert ? 1 : 0);
}

int Dataset::snapshotRow(int viewRow) const
{
    if (state_ != State::Insert)
        return viewRow;
    if (viewRow == insertPos_)
        return -1;
    return viewRow > insertPos_ ? viewRow - 1 : viewRow;
}

void Dataset::setCurrent(int row)
{
    current_ = row;
    emit currentChanged(row);
}

void Dataset::checkBrowseMode()
{
    requireOpen();
    if (!isEditing())
        return;
    emit updateData();
    if (!isEditing())
        return;
    if (modified_)
        post();
    else
        cancel();
}

void Dataset::first()
{
    checkBrowseMode();
    bof_ = true;
    eof_ = snapshot_.rowCount() == 0;
    setCurrent(eof_ ? -1 : 0);
}

void Dataset::last()
{
    checkBrowseMode();
    const int n = snapshot_.rowCount();
    eof_ = bof_ = n == 0;
    setCurrent(n - 1);
}

void Dataset::next()
{
    checkBrowseMode();
    // An empty dataset stands at both ends whatever the move.
    bof_ = snapshot_.rowCount() == 0;
    if (current_ + 1 < snapshot_.rowCount()) {
        eof_ = false;
        setCurrent(current_ + 1);
    } else {
        eof_ = true;
    }
}

void Dataset::prior()
{
    checkBrowseMode();
    eof_ = snapshot_.rowCount() == 0;
    if (current_ > 0) {
        bof_ = false;
        setCurrent(current_ - 1);
    } else {
        bof_ = true;
    }
}

void Dataset::moveTo(int row)
{
    requireOpen();
    if (state_ == State::Insert && row == insertPos_)
        return;
    if (isEditing() && row == current_)
        return;
    // Leaving a pending insert shifts the rows below it back by one.
    if (state_ == State::Insert && !modified_ && row > insertPos_)
        --row;
    checkBrowseMode();
    const int n = snapshot_.rowCount();
    if (n == 0) {
        eof_ = bof_ = true;
        setCurrent(-1);
        return;
    }
    row = std::clamp(row, 0, n - 1);
    eof_ = bof_ = false;
    setCurrent(row);
}

void Dataset::moveBy(int distance)
{
    checkBrowseMode();
    const int n = snapshot_.rowCount();
    if (n == 0) {
        eof_ = bof_ = true;
        setCurrent(-1);
        return;
    }
    const long target = long(current_) + distance;
    eof_ = target >= n;
    bof_ = target < 0;
    setCurrent(int(std::clamp<long>(target, 0, n - 1)));
}

int Dataset::fieldIndex(const QString& name) const
{
    for (size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

const Field& Dataset::fieldByName(const QString& name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw DbError(noField(name_, name));
    return fields_[size_t(i)];
}

QString Dataset::lookupText(const Field& f, qint64 key, bool keyNull) const
{
    if (keyNull || !f.lookupDataset || !f.lookupDataset->isOpen())
        return {};
    const int self = int(&f - fields_.data());
    LookupCache& cache = lookupCache_[self];
    const Dataset& src = *f.lookupDataset;
    if (cache.generation != src.generation()) {
        cache.map.clear();
        const int k = src.fieldIndex(f.lookupKey);
        const int r = src.fieldIndex(f.lookupResult);
        if (k >= 0 && r >= 0) {
            const int n = src.snapshot_.rowCount();
            cache.map.reserve(n);
            for (int row = n - 1; row >= 0; --row) {   // the first row with a key wins
                if (!src.snapshot_.isNull(row, src.fields_[size_t(k)].column))
                    cache.map.insert(src.snapshot_.intValue(row, src.fields_[size_t(k)].column),
                                     src.snapshot_.text(row, src.fields_[size_t(r)].column));
            }
        }
        cache.generation = src.generation();
    }
    return cache.map.value(key);
}

std::vector<LookupItem> Dataset::lookupItems(int fieldIndex) const
{
    std::vector<LookupItem> items;
    const Field& f = fields_[size_t(fieldIndex)];
    if (!f.isLookup() || !f.lookupDataset || !f.lookupDataset->isOpen())
        return items;
    const Dataset& src = *f.lookupDataset;
    const int k = src.fieldIndex(f.lookupKey);
    const int r = src.fieldIndex(f.lookupResult);
    if (k < 0 || r < 0)
        return items;
    const int n = src.snapshot_.rowCount();
    items.reserve(size_t(n));
    for (int row = 0; row < n; ++row)
        items.push_back({src.snapshot_.intValue(row, src.fields_[size_t(k)].column),
                         src.snapshot_.text(row, src.fields_[size_t(r)].column)});
    return items;
}

QString Dataset::text(int row, int fi) const
{
    const Field& f = fields_[size_t(fi)];
    const int sr = snapshotRow(row);
    const bool fromBuffer = isEditing() && row == current_;
    if (f.isLookup()) {
        const int k = fieldIndex(f.keyField);
        if (k < 0)
            return {};
        return lookupText(f, intValue(row, k), isNullAt(row, k));
    }
    if (fromBuffer) {
        const QVariant& v = buffer_[size_t(f.column)];
        return v.isNull() ? QString() : v.toString();
    }
    if (sr < 0 || sr >= snapshot_.rowCount())
        return {};
    return snapshot_.text(sr, f.column);
}

qint64 Dataset::intValue(int row, int fi) const
{
    const Field& f = fields_[size_t(fi)];
    if (f.isLookup())
        return text(row, fi).toLongLong();
    if (isEditing() && row == current_) {
        const QVariant& v = buffer_[size_t(f.column)];
        return v.isNull() ? 0 : v.toLongLong();
    }
    const int sr = snapshotRow(row);
    if (sr < 0 || sr >= snapshot_.rowCount() || snapshot_.isNull(sr, f.column))
        return 0;
    return snapshot_.intValue(sr, f.column);
}

bool Dataset::isNullAt(int row, int fi) const
{
    const Field& f = fields_[size_t(fi)];
    if (f.isLookup())
        return text(row, fi).isEmpty();
    if (isEditing() && row == current_)
        return buffer_[size_t(f.column)].isNull();
    const int sr = snapshotRow(row);
    if (sr < 0 || sr >= snapshot_.rowCount())
        return true;
    return snapshot_.isNull(sr, f.column);
}

int Dataset::asInt(const QString& field) const
{
    return int(asInt64(field));
}

qint64 Dataset::asInt64(const QString& field) const
{
    const int fi = fieldIndex(field);
    if (fi < 0)
        throw DbError(noField(name_, field));
    if (current_ < 0)
        return 0;
    if (fields_[size_t(fi)].kind == FieldKind::Text)
        return text(current_, fi).trimmed().toLongLong();
    return intValue(current_, fi);
}

QString Dataset::asText(const QString& field) const
{
    const int fi = fieldIndex(field);
    if (fi < 0)
        throw DbError(noField(name_, field));
    return current_ < 0 ? QString() : text(current_, fi);
}

bool Dataset::isNull(const QString& field) const
{
    const int fi = fieldIndex(field);
    if (fi < 0)
        throw DbError(noField(name_, field));
    return current_ < 0 || isNullAt(current_, fi);
}

QVariant Dataset::checkedValue(const Field& f, const QString& raw) const
{
    const QString t = f.kind == FieldKind::Text ? raw : raw.trimmed();
    if (t.isEmpty())
        return {};
    switch (f.kind) {
    case FieldKind::Int32:
    case FieldKind::AutoKey: {
        bool ok = false;
        const qint64 v = t.toLongLong(&ok);
        if (!ok && !isWholeNumber(t))
            throw DbError(QStringLiteral("«%1» не является целым числом (поле «%2»)").arg(t, f.label()));
        if (!ok || v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
            throw DbError(QStringLiteral("Число %1 не помещается в поле «%2»: допустимы целые от -2147483648 до 2147483647")
                              .arg(t, f.label()));
        return v;
    }
    case FieldKind::Decimal: {
        bool ok = false;
        const qint64 v = t.toLongLong(&ok);
        if (!ok && !isWholeNumber(t))
            throw DbError(QStringLiteral("«%1» не является целым числом (поле «%2»)").arg(t, f.label()));
        if (!ok || v <= -1000000000000000000LL || v >= 1000000000000000000LL)
            throw DbError(QStringLiteral("Число %1 не помещается в поле «%2»: допустимо не более 18 цифр")
                              .arg(t, f.label()));
        return v;
    }
    default:
        if (f.width > 0 && raw.size() > f.width)
            throw DbError(QStringLiteral("Текст длиннее %1 символов не помещается в поле «%2»")
                              .arg(f.width).arg(f.label()));
        return raw;
    }
}

void Dataset::storeValue(int fi, const QVariant& v)
{
    const Field& f = fields_[size_t(fi)];
    buffer_[size_t(f.column)] = v;
    changed_[size_t(f.column)] = true;
    modified_ = true;
    emit rowChanged(current_);
}

void Dataset::setText(const QString& field, const QString& text)
{
    const int fi = fieldIndex(field);
    if (fi < 0)
        throw DbError(noField(name_, field));
    setTextAt(fi, text);
}

void Dataset::setTextAt(int fi, const QString& text)
{
    requireEditing();
    const Field& f = fields_[size_t(fi)];
    if (f.readOnly)
        throw DbError(QStringLiteral("Поле «%1» нельзя изменить").arg(f.label()));
    if (f.isLookup()) {
        // A lookup takes the key of the first source row whose result is the text.
        const int k = fieldIndex(f.keyField);
        if (k < 0)
            throw DbError(noField(name_, f.keyField));
        if (text.isEmpty()) {
            storeValue(k, QVariant());
            return;
        }
        for (const LookupItem& item : lookupItems(fi)) {
            if (item.text == text) {
                storeValue(k, checkedValue(fields_[size_t(k)], QString::number(item.key)));
                return;
            }
        }
        throw DbError(QStringLiteral("«%1» нет в списке (поле «%2»)").arg(text, f.label()));
    }
    storeValue(fi, checkedValue(f, text));
}

void Dataset::setInt(const QString& field, qint64 value)
{
    requireEditing();
    const int fi = fieldIndex(field);
    if (fi < 0)
        throw DbError(noField(name_, field));
    setTextAt(fi, QString::number(value));
}

void Dataset::setNull(const QString& field)
{
    requireEditing();
    const int fi = fieldIndex(field);
    if (fi < 0)
        throw DbError(noField(name_, field));
    if (fields_[size_t(fi)].readOnly)
        throw DbError(QStringLiteral("Поле «%1» нельзя изменить").arg(fields_[size_t(fi)].label()));
    storeValue(fi, QVariant());
}

bool Dataset::locate(const QString& field, const QVariant& value, bool partialKey)
{
    checkBrowseMode();
    const int fi = fieldIndex(field);
    if (fi < 0)
        throw DbError(noField(name_, field));
    const Field& f = fields_[size_t(fi)];
    const int n = snapshot_.rowCount();
    // A number field compares numbers for equality, also when the value comes as text: the
    // partial key applies to texts only, so "1" does not find 12. An empty text finds an unset value.
    const bool emptyText = value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty();
    if (f.isNumeric() && !emptyText) {
        bool ok = false;
        const qint64 want = value.typeId() == QMetaType::QString ? value.toString().trimmed().toLongLong(&ok)
                                                                  : value.toLongLong(&ok);
        if (!ok)
            return false;
        for (int r = 0; r < n; ++r) {
            if (!snapshot_.isNull(r, f.column) && snapshot_.intValue(r, f.column) == want) {
                eof_ = bof_ = false;
                setCurrent(r);
                return true;
            }
        }
        return false;
    }
    const QString want = value.toString().toCaseFolded();
    for (int r = 0; r < n; ++r) {
        const QString have = text(r, fi).toCaseFolded();
        const bool hit = want.isEmpty() ? have.isEmpty()
                                        : (partialKey ? have.startsWith(want) : have == want);
        if (hit) {
            eof_ = bof_ = false;
            setCurrent(r);
            return true;
        }
    }
    return false;
}

void Dataset::edit()
{
    requireOpen();
    if (isEditing())
        return;
    if (snapshot_.rowCount() == 0 || current_ < 0) {
        insert();
        return;
    }
    const int cols = snapshot_.columnCount();
    buffer_.assign(size_t(cols), QVariant());
    changed_.assign(size_t(cols), false);
    for (const Field& f : fields_) {
        if (f.column < 0 || snapshot_.isNull(current_, f.column))
            continue;
        if (snapshot_.storage(f.column) == Snapshot::Storage::Text)
            buffer_[size_t(f.column)] = snapshot_.text(current_, f.column);
        else
            buffer_[size_t(f.column)] = QVariant::fromValue<qint64>(snapshot_.intValue(current_, f.column));
    }
    modified_ = false;
    state_ = State::Edit;
    emit stateChanged();
}

void Dataset::insert()
{
    checkBrowseMode();
    const int pos = current_ < 0 ? 0 : current_;
    emit aboutToInsertRow(pos);
    buffer_.assign(size_t(snapshot_.columnCount()), QVariant());
    changed_.assign(size_t(snapshot_.columnCount()), false);
    insertPos_ = pos;
    state_ = State::Insert;
    modified_ = false;
    eof_ = bof_ = false;
    current_ = pos;
    emit rowInserted(pos);
    emit stateChanged();
    emit currentChanged(pos);
}

void Dataset::append()
{
    checkBrowseMode();
    const int pos = snapshot_.rowCount();
    emit aboutToInsertRow(pos);
    buffer_.assign(size_t(snapshot_.columnCount()), QVariant());
    changed_.assign(size_t(snapshot_.columnCount()), false);
    insertPos_ = pos;
    state_ = State::Insert;
    modified_ = false;
    eof_ = bof_ = false;
    current_ = pos;
    emit rowInserted(pos);
    emit stateChanged();
    emit currentChanged(pos);
}

void Dataset::writeRow()
{
    if (writeTable_.isEmpty())
        throw DbError(QStringLiteral("%1: запрос не позволяет изменять данные").arg(name_));
    if (keyField_ < 0)
        throw DbError(QStringLiteral("%1: у таблицы «%2» нет ключа, запись нельзя сохранить").arg(name_, writeTable_));
    sqlite3* db = connection_->handle();
    if (!db)
        throw DbError(QStringLiteral("Соединение с базой данных закрыто"));

    auto quoteId = [](const QString& id) {
        QString q = id;
        q.replace(QLatin1Char('"'), QLatin1String("\"\""));
        return QLatin1Char('"') + q + QLatin1Char('"');
    };
    std::vector<int> cols;
    for (const Field& f : fields_)
        if (f.column >= 0 && f.column != fields_[size_t(keyField_)].column && changed_[size_t(f.column)])
            cols.push_back(f.column);

    const Field& key = fields_[size_t(keyField_)];
    QString sql;
    if (state_ == State::Insert) {
        if (cols.empty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteId(writeTable_));
        } else {
            QStringList names, marks;
            for (int c : cols) {
                names << quoteId(fields_[size_t(c)].name);
                marks << QStringLiteral("?");
            }
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(quoteId(writeTable_), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        }
    } else {
        if (cols.empty())
            return;
        QStringList sets;
        for (int c : cols)
            sets << quoteId(fields_[size_t(c)].name) + QStringLiteral("=?");
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3=?")
                  .arg(quoteId(writeTable_), sets.join(QLatin1Char(',')), quoteId(key.name));
    }

    Statement s;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &s.st, nullptr) != SQLITE_OK)
        connection_->fail();
    int p = 1;
    for (int c : cols) {
        const QVariant& v = buffer_[size_t(c)];
        if (v.isNull())
            sqlite3_bind_null(s.st, p);
        else if (snapshot_.storage(c) == Snapshot::Storage::Text) {
            const QByteArray b = v.toString().toUtf8();
            sqlite3_bind_text(s.st, p, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        } else
            sqlite3_bind_int64(s.st, p, v.toLongLong());
        ++p;
    }
    if (state_ == State::Edit)
        sqlite3_bind_int64(s.st, p, buffer_[size_t(key.column)].toLongLong());
    if (sqlite3_step(s.st) != SQLITE_DONE)
        connection_->fail();
    if (state_ == State::Insert)
        buffer_[size_t(key.column)] = QVariant::fromValue<qint64>(sqlite3_last_insert_rowid(db));
    else if (sqlite3_changes(db) == 0)
        throw DbError(QStringLiteral("Запись не найдена для изменения: её удалили, пока она редактировалась"));
}

void Dataset::post()
{
    requireOpen();
    if (!isEditing())
        return;
    emit updateData();
    if (!isEditing())
        return;
    writeRow();

    const int row = state_ == State::Insert ? insertPos_ : current_;
    if (state_ == State::Insert)
        snapshot_.insertRow(row);
    for (const Field& f : fields_) {
        if (f.column < 0)
            continue;
        const QVariant& v = buffer_[size_t(f.column)];
        if (v.isNull())
            snapshot_.setNull(row, f.column);
        else if (snapshot_.storage(f.column) == Snapshot::Storage::Text)
            snapshot_.setText(row, f.column, v.toString());
        else
            snapshot_.setInt(row, f.column, v.toLongLong());
    }
    ++generation_;
    state_ = State::Browse;
    insertPos_ = -1;
    modified_ = false;
    current_ = row;
    emit rowChanged(row);
    emit stateChanged();
    if (afterPost)
        afterPost(*this);
}

void Dataset::cancel()
{
    requireOpen();
    if (state_ == State::Insert) {
        const int pos = insertPos_;
        emit aboutToRemoveRow(pos);
        state_ = State::Browse;
        insertPos_ = -1;
        modified_ = false;
        emit rowRemoved(pos);
        const int n = snapshot_.rowCount();
        eof_ = bof_ = n == 0;
        emit stateChanged();
        setCurrent(n == 0 ? -1 : std::min(pos, n - 1));
        return;
    }
    if (state_ == State::Edit) {
        state_ = State::Browse;
        modified_ = false;
        emit rowChanged(current_);
        emit stateChanged();
    }
}

void Dataset::remove()
{
    requireOpen();
    if (state_ == State::Insert) {
        cancel();
        return;
    }
    if (state_ == State::Edit)
        cancel();
    if (snapshot_.rowCount() == 0 || current_ < 0)
        throw DbError(QStringLiteral("%1: нет записи для удаления").arg(name_));
    if (writeTable_.isEmpty() || keyField_ < 0)
        throw DbError(QStringLiteral("%1: запрос не позволяет удалять записи").arg(name_));

    const Field& key = fields_[size_t(keyField_)];
    const QString sql = QStringLiteral("DELETE FROM \"%1\" WHERE \"%2\"=?").arg(writeTable_, key.name);
    Statement s;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(connection_->handle(), text.constData(), int(text.size()), &s.st, nullptr) != SQLITE_OK)
        connection_->fail();
    sqlite3_bind_int64(s.st, 1, snapshot_.intValue(current_, key.column));
    if (sqlite3_step(s.st) != SQLITE_DONE)
        connection_->fail();

    const int row = current_;
    emit aboutToRemoveRow(row);
    snapshot_.removeRow(row);
    ++generation_;
    emit rowRemoved(row);
    const int n = snapshot_.rowCount();
    eof_ = bof_ = n == 0;
    setCurrent(n == 0 ? -1 : std::min(row, n - 1));
    if (afterDelete)
        afterDelete(*this);
}

void Dataset::refresh()
{
    checkBrowseMode();
    const bool hadKey = keyField_ >= 0 && current_ >= 0;
    const qint64 key = hadKey ? snapshot_.intValue(current_, fields_[size_t(keyField_)].column) : 0;
    const int row = current_;
    emit aboutToReset();
    try {
        readRows(true);
    } catch (...) {
        snapshot_.clear();
        state_ = State::Inactive;
        current_ = -1;
        eof_ = bof_ = true;
        emit didReset();
        emit stateChanged();
        throw;
    }
    const int n = snapshot_.rowCount();
    int target = n == 0 ? -1 : std::clamp(row, 0, n - 1);
    if (hadKey) {
        const int kc = fields_[size_t(keyField_)].column;
        for (int r = 0; r < n; ++r)
            if (!snapshot_.isNull(r, kc) && snapshot_.intValue(r, kc) == key) {
                target = r;
                break;
            }
    }
    current_ = target;
    eof_ = bof_ = n == 0;
    emit didReset();
    emit currentChanged(current_);
}

} // namespace data
