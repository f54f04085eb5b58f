#pragma once

#include "cmd_device.h"
#include "core/formcontent.h"
#include "core/safewrite/backupfile.h"
#include "verifyreport.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// The safe write of one module: a backup of what it holds before it is written,
// the write itself, and a read-back compared field by field afterwards. Each of
// these is the exchange the readout, download and verify commands make; nothing
// sent by the write itself changes.
namespace cli {

struct SafeWriteOptions
{
    QString backupDir; // empty: no backup
    bool force = false;  // write even when the backup failed
    bool verify = false; // read back and compare after a write the module acknowledged
};

struct ModuleJob
{
    DownloadJob download;  // the port, the transfer text, the outcome of the write
    FormContent form;      // the configuration written; the read-back is compared with it
    bool written = false;  // the write was made (it may still have failed)

    QString backupPath;    // the backup saved before the write, if any
    QString backupFailure; // why there is none, when one was asked for
    int backupCode = -1;   // its exit code

    bool verified = false; // a read-back was made and judged
    VerifyVerdict verdict;
    QString verifyFailure; // the read-back could not be made (the port)
    int verifyCode = -1;

    QStringList errors;    // the one-line errors of the read requests
    QDateTime finished;    // in UTC; localTime() gives the text
    qint64 totalMs = 0;

    // The highest exit code of the steps made.
    int code() const;
    // The result lines for standard output, each beginning with the port.
    QStringList report(const SafeWriteOptions &options) const;
    // One phrase each for the log: the write's result and the read-back's.
    QString writeResult() const;
    QString verifyResult(const SafeWriteOptions &options) const;
};

// Backs up, writes and reads back one module as the options ask. Runs on a worker
// thread of its own; it touches nothing but the job, the progress slot and the port.
void runModuleJob(ModuleJob &job, const SafeWriteOptions &options, const ProgressSlot &progress);

// A UTC time as local time in the given format, from any thread.
using safewrite::localTime;

} // namespace cli
