#include "reminders/autostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

namespace gribo::reminders {
namespace {

const QByteArray kHidden = "Hidden=true";

// The lines of the entry, read whole; empty when the file cannot be read.
QList<QByteArray> linesOf(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QList<QByteArray> lines = f.readAll().split('\n');
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
    return lines;
}

bool isHiddenLine(const QByteArray& line, bool* value = nullptr) {
    const QByteArray t = line.trimmed();
    if (!t.startsWith("Hidden")) return false;
    const qsizetype eq = t.indexOf('=');
    if (eq < 0 || t.left(eq).trimmed() != "Hidden") return false;
    if (value) *value = t.mid(eq + 1).trimmed() == "true";
    return true;
}

// The desktop's own entry, the first in $XDG_CONFIG_DIRS/autostart.
QString desktopEntry() {
    QString dirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
    if (dirs.isEmpty()) dirs = QStringLiteral("/etc/xdg");
    for (const QString& dir : dirs.split(':', Qt::SkipEmptyParts)) {
        const QString file = dir + QStringLiteral("/autostart/") + autostartEntryName();
        if (QFile::exists(file)) return file;
    }
    return {};
}

}  // namespace

QString autostartEntryName() { return QStringLiteral(GRIBO_APP_ID ".Reminders.desktop"); }

QString playerAutostartFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart/") +
           autostartEntryName();
}

bool turnedOff() {
    bool hidden = false;
    for (const QByteArray& line : linesOf(playerAutostartFile()))
        if (isHiddenLine(line, &hidden) && hidden) return true;
    return false;
}

QString turnOff() {
    const QString file = playerAutostartFile();
    QList<QByteArray> lines = linesOf(file);
    if (lines.isEmpty()) {
        const QString desktops = desktopEntry();
        if (!desktops.isEmpty()) lines = linesOf(desktops);
    }
    if (lines.isEmpty()) {
        lines = {"[Desktop Entry]", "Type=Application", "Name=Gribo: rappels",
                 "Exec=" + QCoreApplication::applicationFilePath().toUtf8()};
    }
    QList<QByteArray> kept;
    for (const QByteArray& line : lines)
        if (!isHiddenLine(line)) kept << line;
    // In the entry's own group, which comes first.
    const qsizetype group = kept.indexOf("[Desktop Entry]");
    kept.insert(group < 0 ? kept.size() : group + 1, kHidden);
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) return QStringLiteral("cannot make the folder of ") + file;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return out.errorString();
    out.write(kept.join('\n') + '\n');
    if (!out.commit()) return out.errorString();
    return {};
}

}  // namespace gribo::reminders
