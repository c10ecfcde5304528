#include "reminders/reminder_service.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QProcess>
#include <QStringList>
#include <QTime>
#include <utility>

#include "foresight/plan.h"
#include "foresight/reminder_texts.h"
#include "platform/companions.h"
#include "reminders/autostart.h"
#include "reminders/stored_pet_file.h"

namespace gribo::reminders {
namespace {

const QString kOpen = QStringLiteral("default");
const QString kTurnOff = QStringLiteral("turn-off");

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

platform::DesktopNotifications::Notice noticeOf(Tell what) {
    const foresight::ReminderText& t = foresight::textOf(what);
    return {text(t.title),
            text(t.body),
            t.urgency == foresight::Urgency::Critical,
            {kOpen, QStringLiteral("Ouvrir le jeu"), kTurnOff, QStringLiteral("Ne plus me prévenir")}};
}

std::time_t secondsOf(const LocalDateTime& t) {
    return QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute)).toSecsSinceEpoch();
}

}  // namespace

ReminderService::ReminderService(Options options, platform::DesktopNotifications& notifications, Clock& clock)
    : options_(std::move(options)), notifications_(notifications), clock_(clock) {
    connect(&timer_, &WakeTimer::woken, this, [this] { look(); });
    connect(&notifications_, &platform::DesktopNotifications::delivered, this, [this](bool taken) {
        if (taken) teller_.delivered();  // else it stays due, for the next server
    });
    connect(&notifications_, &platform::DesktopNotifications::dismissed, this, [this] { teller_.gone(); });
    connect(&notifications_, &platform::DesktopNotifications::actionInvoked, this, &ReminderService::act);
    connect(&notifications_, &platform::DesktopNotifications::serverAppeared, this, [this] {
        if (!gameRunning_) look();
    });
}

ReminderService::~ReminderService() = default;

std::optional<int> ReminderService::start() {
    if (turnedOff()) {
        qInfo("Gribo reminders are turned off (Hidden=true in %s).", qPrintable(playerAutostartFile()));
        return 0;
    }
    const PetOnDisk seen = readStoredPet(options_.storeFile);
    if (seen.state == PetOnDisk::State::Unreadable) {
        qWarning("Gribo reminders: the pet in %s cannot be read: %s", qPrintable(options_.storeFile),
                 qPrintable(seen.reason));
        return 1;
    }
    if (seen.state == PetOnDisk::State::Missing || !foresight::planReminders(seen.pet, clock_.now(), 1)) return 0;

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qWarning("Gribo reminders: no session bus, so no notifications.");
        return 1;
    }
    if (!bus.registerService(platform::remindersBusName())) return 0;  // another service looks after the pet
    bus.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"), QStringLiteral("org.freedesktop.DBus.Local"),
                QStringLiteral("Disconnected"), this, SLOT(busGone()));

    game_ = new QDBusServiceWatcher(
        platform::gameBusName(), bus,
        QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration, this);
    connect(game_, &QDBusServiceWatcher::serviceRegistered, this, &ReminderService::gameStarted);
    connect(game_, &QDBusServiceWatcher::serviceUnregistered, this, &ReminderService::gameClosed);
    files_ = new QFileSystemWatcher(this);
    connect(files_, &QFileSystemWatcher::fileChanged, this, &ReminderService::storeTouched);
    connect(files_, &QFileSystemWatcher::directoryChanged, this, &ReminderService::storeTouched);

    const QDBusReply<bool> running = bus.interface()->isServiceRegistered(platform::gameBusName());
    if (running.isValid() && running.value()) {
        gameStarted();
    } else {
        watchStore(true);
        look(options_.afterGame);
    }
    return std::nullopt;
}

void ReminderService::look(bool seenInGame) {
    if (ended_ || gameRunning_) return;
    const PetOnDisk seen = readStoredPet(options_.storeFile);
    if (seen.state == PetOnDisk::State::Unreadable) {
        qWarning("Gribo reminders: the pet in %s cannot be read: %s", qPrintable(options_.storeFile),
                 qPrintable(seen.reason));
        return end(1);
    }
    const LocalDateTime now = clock_.now();
    const std::optional<foresight::Plan> plan =
        seen.state == PetOnDisk::State::Read ? foresight::planReminders(seen.pet, now) : std::nullopt;
    if (!plan) return end(0);  // no pet any more: nothing to look after
    lastSeen_ = seen.pet;

    if (seenInGame) teller_.seenInGame(seen.pet, *plan, now);
    const Teller::Step step = teller_.look(seen.pet, *plan, now);
    if (step.withdraw) notifications_.withdraw();
    if (step.show) notifications_.show(noticeOf(*step.show));
    if (step.wakeAt) {
        timer_.wakeAt(secondsOf(*step.wakeAt));
    } else {
        timer_.stop();
    }
}

void ReminderService::gameStarted() {
    gameRunning_ = true;
    timer_.stop();
    watchStore(false);
    notifications_.withdraw();
    teller_.gone();
}

void ReminderService::gameClosed() {
    gameRunning_ = false;
    watchStore(true);
    look(true);
}

void ReminderService::storeTouched() {
    if (gameRunning_) return;
    watchStore(true);  // a file replaced by a rename is watched anew
    const PetOnDisk seen = readStoredPet(options_.storeFile);
    if (seen.state == PetOnDisk::State::Read && lastSeen_ && seen.pet == *lastSeen_) return;
    look();
}

void ReminderService::watchStore(bool on) {
    if (!files_) return;
    if (!on) {
        if (!files_->files().isEmpty()) files_->removePaths(files_->files());
        if (!files_->directories().isEmpty()) files_->removePaths(files_->directories());
        return;
    }
    // The file and its folder (a store made anew or renamed over); for a link, the
    // folder of the file it leads to as well.
    const QFileInfo file(options_.storeFile);
    QStringList paths{file.absolutePath()};
    if (file.exists()) paths << file.absoluteFilePath();
    if (file.isSymLink()) paths << QFileInfo(file.canonicalFilePath()).absolutePath();
    for (const QString& p : paths)
        if (!files_->files().contains(p) && !files_->directories().contains(p) && QFileInfo::exists(p))
            files_->addPath(p);
}

void ReminderService::act(const QString& key) {
    teller_.gone();
    if (key == kOpen) {
        const QString game = platform::gameProgram();
        if (game.isEmpty() || !QProcess::startDetached(game, {}))
            qWarning("Gribo reminders: the game could not be started (%s).", qPrintable(game));
    } else if (key == kTurnOff) {
        notifications_.withdraw();
        const QString failed = turnOff();
        if (!failed.isEmpty()) {
            qWarning("Gribo reminders: could not turn them off in %s: %s", qPrintable(playerAutostartFile()),
                     qPrintable(failed));
            return;
        }
        qInfo("Gribo reminders turned off: %s says Hidden=true.", qPrintable(playerAutostartFile()));
        end(0);
    }
}

void ReminderService::busGone() { end(0); }

void ReminderService::end(int status) {
    if (ended_) return;
    ended_ = true;
    timer_.stop();
    Q_EMIT finished(status);
}

}  // namespace gribo::reminders
