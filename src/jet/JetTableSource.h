#pragma once

#include "TableSource.h"

namespace rov2 {

namespace jet {
class JetFile;
}

/// The tables of a Jet file as a TableSource.
class JetTableSource : public TableSource {
public:
    static std::unique_ptr<JetTableSource> open(const QString& path, const SourceOptions& options,
                                                QString* error = nullptr);
    ~JetTableSource() override;

    SourceKind kind() const override { return SourceKind::Jet; }
    QStringList tableNames() const override;
    std::unique_ptr<RowCursor> openTable(const QString& name, QString* error = nullptr) override;

private:
    explicit JetTableSource(std::unique_ptr<jet::JetFile> file);
    std::unique_ptr<jet::JetFile> file_;
};

} // namespace rov2
