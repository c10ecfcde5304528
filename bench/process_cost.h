#pragma once

// What a running process has cost since it started, read from /proc: the benches'
// one measure of wake-ups, CPU time and memory.
//
// A wake-up is a thread leaving its sleep: each time one of the program's threads goes
// to sleep (a voluntary context switch) something wakes it later. Preemptions are
// counted apart.

#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <cstring>
#include <optional>

namespace gribo::bench {

struct Cost {
    long wakeUps = 0;         // voluntary context switches of all its threads
    long preempted = 0;       // involuntary ones
    double cpuSeconds = 0;    // utime + stime of the whole process
    double onCpuSeconds = 0;  // its threads' time on a CPU, to the nanosecond
    long peakKb = 0;          // peak resident size
};

inline QByteArray slurp(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The number after `field` ("VmHWM:") in a /proc status file; 0 when it is not there.
inline long statusField(const QByteArray& status, const char* field) {
    for (const QByteArray& l : status.split('\n')) {
        if (l.startsWith(field)) return l.mid(qsizetype(std::strlen(field))).trimmed().split(' ').first().toLong();
    }
    return 0;
}

// Nothing when the process is gone.
inline std::optional<Cost> costOf(qint64 pid) {
    const QString proc = QString("/proc/%1").arg(pid);
    const QByteArray stat = slurp(proc + "/stat");
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13) return std::nullopt;
    Cost c;
    c.cpuSeconds = double(fields[11].toLongLong() + fields[12].toLongLong()) / double(sysconf(_SC_CLK_TCK));
    c.peakKb = statusField(slurp(proc + "/status"), "VmHWM:");
    for (const QString& task : QDir(proc + "/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QByteArray status = slurp(proc + "/task/" + task + "/status");
        c.wakeUps += statusField(status, "voluntary_ctxt_switches:");
        c.preempted += statusField(status, "nonvoluntary_ctxt_switches:");
        c.onCpuSeconds += double(slurp(proc + "/task/" + task + "/schedstat").split(' ').first().toLongLong()) / 1e9;
    }
    return c;
}

}  // namespace gribo::bench
