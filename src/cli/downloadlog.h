#pragma once

#include <QFile>
#include <QString>

#include <mutex>

// The log of a download: one CSV row a module, appended and flushed the moment the
// module is done, so a batch cut short still says exactly which modules were done.
//   time,port,module_id,module_name,write,verify,backup,seconds
namespace cli {

struct ModuleJob;
struct SafeWriteOptions;

class DownloadLog
{
public:
    // Opens for appending; a new or empty file gets the header line first.
    bool open(const QString &path, QString *error);
    bool isOpen() const { return m_file.isOpen(); }

    // Called by each worker as it finishes; false when the row could not be written.
    bool append(const ModuleJob &job, const SafeWriteOptions &options);

    static QString header();

private:
    QFile m_file;
    std::mutex m_mutex;
};

} // namespace cli
