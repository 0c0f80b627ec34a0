#pragma once

#include "data/Connection.h"
#include "data/Snapshot.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <vector>

namespace data {

class Dataset;

struct Field {
    QString name;
    FieldKind kind = FieldKind::Text;
    int width = 0;              // characters a text may hold (0: no limit); display width for lookups
    bool readOnly = false;
    QString displayLabel;       // how messages name the field; the name when empty
    int column = -1;            // column of the snapshot, -1 for a lookup field
    // Lookup fields: the value of keyField in this row, found as lookupKey in lookupDataset,
    // gives lookupResult there.
    QString keyField;
    Dataset* lookupDataset = nullptr;
    QString lookupKey;
    QString lookupResult;

    QString label() const { return displayLabel.isEmpty() ? name : displayLabel; }
    bool isLookup() const { return kind == FieldKind::Lookup; }
    bool isNumeric() const { return kind == FieldKind::AutoKey || kind == FieldKind::Int32 || kind == FieldKind::Decimal; }
};

struct LookupItem {
    qint64 key = 0;
    QString text;
};

// A query or a table over the connection, holding a static snapshot of its rows with a current
// row, and the edit, insert, post, cancel and delete of one row at a time, written through to
// the table the statement reads. After a post and after a delete it runs its event handlers.
class Dataset : public QObject {
    Q_OBJECT
public:
    enum class Kind { Query, Table };
    enum class State { Inactive, Browse, Edit, Insert };

    Dataset(Connection& connection, Kind kind, const QString& name);
    ~Dataset() override;

    const QString& name() const { return name_; }
    Kind kind() const { return kind_; }
    Connection* connection() const { return connection_; }

    // The statement of a query; for a table, the table's name.
    QString sql() const { return sql_; }
    void setSql(const QString& sql);
    void clearSql() { setSql(QString()); }
    QString tableName() const { return tableName_; }
    void setTableName(const QString& table);

    // Fields that must be there after every open (their absence is an error), and the
    // captions used in messages about them.
    void declareFields(const QStringList& names) { declared_ = names; }
    void setDisplayLabel(const QString& field, const QString& label);
    void addLookupField(const QString& name, const QString& keyField, Dataset& source,
                        const QString& sourceKey, const QString& sourceResult, int width);

    void open();
    void close();
    // Runs the statement as one that returns no rows (the query stays closed).
    void execSql();
    bool isOpen() const { return state_ != State::Inactive; }
    State state() const { return state_; }
    bool isEditing() const { return state_ == State::Edit || state_ == State::Insert; }
    bool modified() const { return modified_; }

    // Navigation. A pending edit is posted first when modified, dropped when not.
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int row);
    void moveBy(int distance);    // from the current row, after a pending edit was settled
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    bool isEmpty() const { return recordCount() == 0; }
    int recordCount() const;
    int currentRow() const { return current_; }
    int insertRow() const { return state_ == State::Insert ? insertPos_ : -1; }

    // Fields, by name without regard to case.
    int fieldCount() const { return int(fields_.size()); }
    const Field& field(int index) const { return fields_[size_t(index)]; }
    int fieldIndex(const QString& name) const;
    const Field& fieldByName(const QString& name) const;

    // The current row's values: null reads as 0 or as empty text.
    int asInt(const QString& field) const;
    qint64 asInt64(const QString& field) const;
    QString asText(const QString& field) const;
    bool isNull(const QString& field) const;

    // Writing needs edit or insert state. A value that does not fit the field is refused here
    // with a message, before anything is written; the row stays in edit.
    void setText(const QString& field, const QString& text);
    void setInt(const QString& field, qint64 value);
    void setNull(const QString& field);

    // Any row, for the grid and the walks of the output.
    QString text(int row, int fieldIndex) const;
    qint64 intValue(int row, int fieldIndex) const;
    bool isNullAt(int row, int fieldIndex) const;
    void setTextAt(int fieldIndex, const QString& text);   // current row

    // The lookup source's rows in its own order, for a drop-down.
    std::vector<LookupItem> lookupItems(int fieldIndex) const;

    bool locate(const QString& field, const QVariant& value, bool partialKey = true);

    void edit();
    void insert();
    void append();
    void post();
    void cancel();
    void remove();
    void refresh();

    // Posts a modified pending row, drops an unmodified one.
    void checkBrowseMode();

    std::function<void(Dataset&)> afterPost;
    std::function<void(Dataset&)> afterDelete;

    // Bumped by every change of the rows held; lookups and other caches compare it.
    quint64 generation() const { return generation_; }
    size_t memoryBytes() const { return snapshot_.memoryBytes(); }
    size_t valueBytes() const { return snapshot_.valueBytes(); }

signals:
    // Before a pending row is posted or settled: views hand over text still being typed.
    void updateData();
    void aboutToReset();
    void didReset();
    void aboutToInsertRow(int row);
    void rowInserted(int row);
    void aboutToRemoveRow(int row);
    void rowRemoved(int row);
    void rowChanged(int row);
    void currentChanged(int row);
    void stateChanged();

private:
    friend class Connection;
    void connectionGone() { connection_ = nullptr; }

    void requireOpen() const;
    void requireEditing() const;
    void readRows(bool keepFields);
    void setCurrent(int row);
    int snapshotRow(int viewRow) const;     // -1 for the pending inserted row
    QString lookupText(const Field& f, qint64 key, bool keyNull) const;
    QVariant bufferValue(const Field& f) const;
    void storeValue(int fieldIndex, const QVariant& v);
    QVariant checkedValue(const Field& f, const QString& text) const;
    void writeRow();

    Connection* connection_;
    Kind kind_;
    QString name_;
    QString sql_;
    QString tableName_;
    QString writeTable_;
    int keyField_ = -1;
    QStringList declared_;
    QHash<QString, QString> labels_;
    std::vector<Field> fields_;
    std::vector<Field> lookups_;
    Snapshot snapshot_;

    State state_ = State::Inactive;
    int current_ = -1;
    bool eof_ = true;
    bool bof_ = true;
    int insertPos_ = -1;
    bool modified_ = false;
    std::vector<QVariant> buffer_;
    std::vector<bool> changed_;
    quint64 generation_ = 0;

    struct LookupCache {
        quint64 generation = ~quint64(0);
        QHash<qint64, QString> map;
    };
    mutable QHash<int, LookupCache> lookupCache_;
};

} // namespace data
