#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace rov2::test {

/// Collects the warnings logged while it lives (one at a time).
class CapturedWarnings
{
public:
    CapturedWarnings()
    {
        lines().clear();
        previous_ = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtWarningMsg)
                lines() << text;
        });
    }
    ~CapturedWarnings() { qInstallMessageHandler(previous_); }
    CapturedWarnings(const CapturedWarnings&) = delete;
    CapturedWarnings& operator=(const CapturedWarnings&) = delete;

    /// True when a warning contained @p text.
    bool said(const QString& text) const
    {
        for (const QString& line : lines())
            if (line.contains(text))
                return true;
        return false;
    }

private:
    static QStringList& lines()
    {
        static QStringList all;
        return all;
    }
    QtMessageHandler previous_ = nullptr;
};

} // namespace rov2::test
