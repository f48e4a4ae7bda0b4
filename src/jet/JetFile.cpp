#include "JetFile.h"

#include "JetProperties.h"

#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QtDebug>
#include <QtEndian>

#include <mdbtools.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace rov2::jet {
namespace {

// Long memo fields come through the bound buffers; 16 KB (libmdb's default)
// would cut a long customer memo short.
constexpr size_t kBindSize = 256 * 1024;

/// Sets an environment variable for as long as it lives, then puts the old value back.
/// libmdb reads its code pages from the environment when a file is opened.
class EnvScope {
public:
    EnvScope(const char* name, const QByteArray& value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = QByteArray(old);
        ::setenv(name, value.constData(), 1);
    }
    ~EnvScope()
    {
        if (old_)
            ::setenv(name_, old_->constData(), 1);
        else
            ::unsetenv(name_);
    }
    EnvScope(const EnvScope&) = delete;
    EnvScope& operator=(const EnvScope&) = delete;

private:
    const char* name_;
    std::optional<QByteArray> old_;
};

struct HandleCloser {
    void operator()(MdbHandle* h) const { mdb_close(h); }
};
struct TableFreer {
    void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};

/// True when the memo or OLE field whose row part starts at @p raw keeps a
/// non-empty value on pages of its own rather than inside the row.
bool storedApart(const unsigned char* raw, int size)
{
    if (size < MDB_MEMO_OVERHEAD)
        return false;
    const quint32 header = qFromLittleEndian<quint32>(raw);
    constexpr quint32 kInline = 0x80000000u;
    constexpr quint32 kLength = 0x3fffffffu;
    return (header & kInline) == 0 && (header & kLength) > 0;
}

/// True when every value libmdb cracked out of a row lies inside the page.
/// It takes the offsets from the row as they stand, so a damaged row can send
/// them anywhere, and the values are read from the page buffer directly.
bool insidePage(const MdbField* fields, size_t count, int pageSize)
{
    for (size_t k = 0; k < count; ++k) {
        const MdbField& f = fields[k];
        if (!f.is_null && (f.start < 0 || f.siz < 0 || static_cast<qint64>(f.start) + f.siz > pageSize))
            return false;
    }
    return true;
}

qint64 readInt64(const unsigned char* p)
{
    quint64 v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | p[i];
    return static_cast<qint64>(v);
}

} // namespace

QDateTime dateFromJet(double stored)
{
    // Years 100 to 9999 lie within four million days of the epoch; a value
    // further out is no date, nor a number of days that fits an integer.
    if (!std::isfinite(stored) || std::fabs(stored) > 4e6)
        return {};
    // The whole part counts days from 1899-12-30 (negative before it); the
    // fraction is the time of day, counted forward from midnight on either side.
    const double whole = std::trunc(stored);
    const double fraction = std::fabs(stored - whole);
    const QDate epoch(1899, 12, 30);
    const qint64 seconds = std::llround(fraction * 86400.0);
    // Rounding to the second may carry into the next day.
    const QDate day = epoch.addDays(static_cast<qint64>(whole) + seconds / 86400);
    if (!day.isValid() || day.year() < 100 || day.year() > 9999)
        return {};
    return QDateTime(day, QTime(0, 0).addSecs(seconds % 86400));
}

bool isJetHeader(const QByteArray& header)
{
    // Page 0 of every Jet file: a four-byte magic, then the engine's name.
    return header.size() >= 20 && header.startsWith(QByteArray::fromRawData("\x00\x01\x00\x00", 4)) &&
           header.mid(4, 15) == QByteArrayLiteral("Standard Jet DB");
}

// ---------------------------------------------------------------- JetFile

struct JetFile::Impl {
    std::unique_ptr<MdbHandle, HandleCloser> mdb;
    /// The catalogue table itself, read the way libmdb reads it: a page it
    /// cannot read leaves the catalogue short, with nothing to say so.
    MdbCatalogEntry catalogue{};
    QStringList tables;
    QHash<QString, MdbCatalogEntry*> entries; // by upper-cased name
};

JetFile::JetFile(std::unique_ptr<Impl> impl) : d_(std::move(impl)) {}
JetFile::~JetFile() = default;

std::unique_ptr<JetFile> JetFile::open(const QString& path, const JetOptions& options, QString* error)
{
    auto fail = [&](const QString& why) -> std::unique_ptr<JetFile> {
        if (error)
            *error = why;
        return nullptr;
    };
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1: %2").arg(path, probe.errorString()));
    const QByteArray header = probe.read(32);
    if (!isJetHeader(header))
        return fail(QStringLiteral("%1: not a Jet database file").arg(path));
    // A Jet file is whole pages (2 KB in Jet 3, 4 KB later). libmdb reading a
    // file cut off inside a page can loop without end, so such a file is refused here.
    const qint64 pageSize = header.at(0x14) == 0 ? 2048 : 4096;
    if (probe.size() % pageSize != 0)
        return fail(QStringLiteral("%1: the Jet file is cut short").arg(path));
    probe.close();

    auto impl = std::make_unique<Impl>();
    {
        const EnvScope source("MDB_JET3_CHARSET", options.jet3CodePage.toLatin1());
        const EnvScope target("MDBICONV", QByteArrayLiteral("UTF-8"));
        impl->mdb.reset(mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS));
    }
    if (!impl->mdb)
        return fail(QStringLiteral("%1: the Jet file cannot be read").arg(path));
    mdb_set_bind_size(impl->mdb.get(), kBindSize);
    impl->catalogue.mdb = impl->mdb.get();
    impl->catalogue.object_type = MDB_TABLE;
    impl->catalogue.table_pg = 2;
    std::strcpy(impl->catalogue.object_name, "MSysObjects");
    if (!catalogueWellFormed(*impl))
        return fail(QStringLiteral("%1: the Jet file's catalogue is damaged").arg(path));
    if (!mdb_read_catalog(impl->mdb.get(), MDB_TABLE))
        return fail(QStringLiteral("%1: the Jet file's catalogue cannot be read").arg(path));
    for (unsigned int i = 0; i < impl->mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(impl->mdb->catalog, i));
        if (entry->object_type != MDB_TABLE || mdb_is_system_table(entry))
            continue;
        const QString name = QString::fromUtf8(entry->object_name);
        impl->tables << name;
        impl->entries.insert(name.toUpper(), entry);
    }
    return std::unique_ptr<JetFile>(new JetFile(std::move(impl)));
}

int JetFile::jetVersion() const { return d_->mdb->f->jet_version == MDB_VER_JET3 ? 3 : 4; }

QStringList JetFile::tableNames() const { return d_->tables; }

// ---------------------------------------------------------------- JetTable

struct JetTable::Impl {
    MdbHandle* mdb = nullptr;
    std::unique_ptr<MdbTableDef, TableFreer> table;
    QString name;
    QStringList names;
    QHash<QString, int> index;
    std::vector<MdbColumn*> columns;
    std::vector<std::vector<char>> buffers;
    std::vector<int> lengths;
    std::vector<QVariant> values;
    quint64 read = 0;
    Fault fault = Fault::None;

    static std::unique_ptr<JetTable> open(MdbCatalogEntry* entry, QString* error);
    void readCurrent();
    std::vector<bool> longValuesApart(const MdbField* fields) const;
    QVariant fieldValue(int i, const MdbField& f);
    const MdbField& fieldOf(const MdbField* fields, int column) const;
};

JetTable::JetTable(std::unique_ptr<Impl> impl) : d_(std::move(impl)) {}
JetTable::~JetTable() = default;

std::unique_ptr<JetTable> JetFile::openTable(const QString& name, QString* error)
{
    MdbCatalogEntry* entry = d_->entries.value(name.toUpper());
    if (!entry) {
        if (error)
            *error = QStringLiteral("no table %1").arg(name);
        return nullptr;
    }
    return JetTable::Impl::open(entry, error);
}

bool JetFile::readsWhole(QString* error)
{
    // libmdb tells of a page it cannot read only on stderr, and a table then
    // simply ends early: every table is read through and its rows counted.
    std::vector<MdbCatalogEntry*> tables{&d_->catalogue};
    for (unsigned int i = 0; i < d_->mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(d_->mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && entry->table_pg != d_->catalogue.table_pg)
            tables.push_back(entry);
    }
    for (MdbCatalogEntry* entry : tables) {
        auto table = JetTable::Impl::open(entry, error);
        if (!table)
            return false;
        while (table->next()) {
        }
        if (table->fault() != JetTable::Fault::None) {
            if (error)
                *error = table->faultText();
            return false;
        }
    }
    return true;
}

std::unique_ptr<JetTable> JetTable::Impl::open(MdbCatalogEntry* entry, QString* error)
{
    const QString name = QString::fromUtf8(entry->object_name);
    MdbTableDef* def = mdb_read_table(entry);
    if (!def) {
        if (error)
            *error = QStringLiteral("the definition of table %1 cannot be read").arg(name);
        return nullptr;
    }
    auto impl = std::make_unique<JetTable::Impl>();
    impl->mdb = entry->mdb;
    impl->table.reset(def);
    impl->name = name;
    if (!mdb_read_columns(def) || mdb_rewind_table(def) != 0) {
        if (error)
            *error = QStringLiteral("the columns of %1 cannot be read").arg(name);
        return nullptr;
    }
    const int n = static_cast<int>(def->num_cols);
    impl->buffers.resize(n);
    impl->lengths.assign(n, 0);
    impl->values.resize(n);
    for (int i = 0; i < n; ++i) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i));
        impl->columns.push_back(col);
        const QString field = QString::fromUtf8(col->name);
        impl->names << field;
        impl->index.insert(field, i);
        impl->buffers[i].assign(kBindSize, '\0');
        mdb_bind_column(def, i + 1, impl->buffers[i].data(), &impl->lengths[i]);
    }
    return std::unique_ptr<JetTable>(new JetTable(std::move(impl)));
}

// libmdb parses the property block of every catalogue row while it builds the
// catalogue, trusting the lengths inside (see propertiesWellFormed); the
// blocks are looked at here first, through the same reader as every table.
bool JetFile::catalogueWellFormed(Impl& impl)
{
    auto table = JetTable::Impl::open(&impl.catalogue, nullptr);
    if (!table)
        return true; // libmdb finds no catalogue either, and says so
    while (table->next())
        if (!propertiesWellFormed(table->value(QStringLiteral("LvProp")).toByteArray()))
            return false;
    // libmdb goes on past a row this reader stops at, into blocks unseen here.
    return table->fault() == JetTable::Fault::None;
}

const QString& JetTable::name() const { return d_->name; }
const QStringList& JetTable::fieldNames() const { return d_->names; }
qint64 JetTable::rowCountHint() const { return d_->table->num_rows; }

bool JetTable::next()
{
    // The table definition says how many rows there are. On a damaged file
    // libmdb can walk into pages of other tables and go on "finding" rows; at
    // a page it cannot read it stops as if the table ended there.
    if (d_->fault == Fault::None && mdb_fetch_row(d_->table.get())) {
        if (++d_->read > d_->table->num_rows)
            d_->fault = Fault::Overran;
        else
            d_->readCurrent();
        if (d_->fault == Fault::None)
            return true;
    } else if (d_->fault == Fault::None && d_->read < d_->table->num_rows) {
        d_->fault = Fault::RowsMissing;
    }
    std::fill(d_->values.begin(), d_->values.end(), QVariant());
    return false;
}

JetTable::Fault JetTable::fault() const { return d_->fault; }

QString JetTable::faultText() const
{
    switch (d_->fault) {
    case Fault::None: break;
    case Fault::Overran: return QStringLiteral("%1: more rows than the table holds; the file is damaged").arg(d_->name);
    case Fault::RowsMissing:
        return QStringLiteral("%1: %2 of %3 rows could be read; the file is damaged or cut short")
            .arg(d_->name)
            .arg(d_->read)
            .arg(d_->table->num_rows);
    case Fault::ValueMissing:
        return QStringLiteral("%1: row %2 has a memo or OLE value that cannot be read; the file is damaged or cut short")
            .arg(d_->name)
            .arg(d_->read);
    case Fault::RowDamaged:
        return QStringLiteral("%1: row %2 points outside its page; the file is damaged")
            .arg(d_->name)
            .arg(d_->read);
    }
    return {};
}

void JetTable::Impl::readCurrent()
{
    // The bound text cannot tell Null from the empty text, so the row is
    // cracked once more for its Null flags and the raw bytes of numbers and dates.
    MdbField fields[MDB_MAX_COLS];
    int start = 0;
    size_t size = 0;
    const bool cracked = mdb_find_row(mdb, static_cast<int>(table->cur_row) - 1, &start, &size) == 0 &&
                         mdb_crack_row(table.get(), start & 0x1fff, size, fields) > 0;
    if (cracked && !insidePage(fields, columns.size(), mdb->fmt->pg_size)) {
        fault = Fault::RowDamaged;
        return;
    }
    const std::vector<bool> apart = cracked ? longValuesApart(fields) : std::vector<bool>(columns.size());
    // OLE values are read last: reading one may leave another page in the buffer.
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < columns.size(); ++i) {
            if ((columns[i]->col_type == MDB_OLE) != (pass == 1))
                continue;
            if (!cracked) {
                values[i] = lengths[i] > 0 ? QVariant(QString::fromUtf8(buffers[i].data(), lengths[i])) : QVariant();
                continue;
            }
            values[i] = fieldValue(static_cast<int>(i), fieldOf(fields, static_cast<int>(i)));
        }
    }
    // A value whose pages libmdb cannot read comes back empty, said only on stderr.
    for (size_t i = 0; i < columns.size(); ++i)
        if (apart[i] && values[i].toByteArray().isEmpty())
            fault = Fault::ValueMissing;
}

std::vector<bool> JetTable::Impl::longValuesApart(const MdbField* fields) const
{
    std::vector<bool> apart(columns.size(), false);
    for (size_t i = 0; i < columns.size(); ++i) {
        const MdbField& f = fieldOf(fields, static_cast<int>(i));
        const bool isLong = columns[i]->col_type == MDB_MEMO || columns[i]->col_type == MDB_OLE;
        apart[i] = isLong && !f.is_null && storedApart(mdb->pg_buf + f.start, f.siz);
    }
    return apart;
}

const MdbField& JetTable::Impl::fieldOf(const MdbField* fields, int column) const
{
    // mdb_crack_row fills the fields in the row's order, and each names its column.
    for (size_t k = 0; k < columns.size(); ++k)
        if (fields[k].colnum == column)
            return fields[k];
    return fields[column];
}

QVariant JetTable::Impl::fieldValue(int i, const MdbField& f)
{
    MdbColumn* col = columns[i];
    // Yes/No lives in the Null bitmap: a set bit ("not Null") is True.
    if (col->col_type == MDB_BOOL)
        return f.is_null ? 0 : -1;
    if (f.is_null)
        return {};
    unsigned char* raw = mdb->pg_buf + f.start;
    const QByteArray bound(buffers[i].data(), lengths[i]);
    switch (col->col_type) {
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT: return bound.toLongLong();
    case MDB_FLOAT: return f.siz >= 4 ? static_cast<double>(mdb_get_single(raw, 0)) : QVariant();
    case MDB_DOUBLE: return f.siz >= 8 ? mdb_get_double(raw, 0) : QVariant();
    case MDB_MONEY: return f.siz >= 8 ? static_cast<double>(readInt64(raw)) / 10000.0 : QVariant();
    case MDB_NUMERIC: return bound.toDouble();
    case MDB_DATETIME: {
        if (f.siz < 8)
            return {};
        const QDateTime dt = dateFromJet(mdb_get_double(raw, 0));
        return dt.isValid() ? QVariant(dt) : QVariant();
    }
    case MDB_TEXT:
    case MDB_MEMO: return QString::fromUtf8(bound);
    case MDB_OLE: {
        size_t len = 0;
        void* data = mdb_ole_read_full(mdb, col, &len);
        QByteArray bytes(static_cast<const char*>(data), static_cast<qsizetype>(len));
        g_free(data);
        return bytes;
    }
    default: return QByteArray(reinterpret_cast<const char*>(raw), f.siz);
    }
}

QVariant JetTable::value(int field) const
{
    return field >= 0 && field < static_cast<int>(d_->values.size()) ? d_->values[field] : QVariant();
}

QVariant JetTable::value(const QString& field) const { return value(d_->index.value(field, -1)); }

QVariantMap JetTable::row() const
{
    QVariantMap out;
    for (int i = 0; i < d_->names.size(); ++i)
        out.insert(d_->names.at(i), d_->values[i]);
    return out;
}

} // namespace rov2::jet
