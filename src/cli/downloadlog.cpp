#include "downloadlog.h"

#include "core/formschema.h"
#include "core/files/phonecsv.h"
#include "safewrite.h"

namespace cli {

QString DownloadLog::header()
{
    return QStringLiteral("time,port,module_id,module_name,write,verify,backup,seconds");
}

bool DownloadLog::open(const QString &path, QString *error)
{
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        *error = m_file.errorString();
        return false;
    }
    if (m_file.size() == 0 && (m_file.write((header() + QLatin1Char('\n')).toUtf8()) < 0 || !m_file.flush())) {
        *error = m_file.errorString();
        return false;
    }
    return true;
}

bool DownloadLog::append(const ModuleJob &job, const SafeWriteOptions &options)
{
    const QStringList cells{
        localTime(job.finished, QStringLiteral("yyyy-MM-ddTHH:mm:ss")),
        job.download.settings.port,
        job.form.text(formschema::fieldname::Id),
        job.form.text(formschema::fieldname::Name),
        job.writeResult(),
        job.verifyResult(options),
        job.backupPath,
        QString::number(job.totalMs / 1000.0, 'f', 1),
    };
    QStringList row;
    for (const auto &cell : cells)
        row << phonecsv::csvCell(cell);
    const QByteArray line = (row.join(QLatin1Char(',')) + QLatin1Char('\n')).toUtf8();
    std::lock_guard lock(m_mutex);
    return m_file.write(line) == line.size() && m_file.flush();
}

} // namespace cli
