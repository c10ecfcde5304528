#include "windows/game_alerts.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>

#include "state/messages.h"
#include "state/stages.h"

namespace gribo::windows {
namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

std::optional<foresight::Tell> newsOfTick(std::string_view stadeBefore, std::string_view stadeAfter,
                                          std::string_view deathNotice, bool deathBefore) {
    using foresight::Tell;
    if (!deathNotice.empty() && !deathBefore) {
        if (deathNotice == message::kStarvation) return Tell::Starvation;
        if (deathNotice == message::kEggDeath) return Tell::EggDeath;
    }
    if (stadeAfter != stadeBefore) {
        if (stadeAfter == stage::kPleure) return Tell::Crying;
        if (stadeAfter == stage::kMalade) return Tell::Sickness;
    }
    return std::nullopt;
}

GameAlerts::GameAlerts(QWidget& mainWindow, platform::DesktopNotifications* notifications)
    : QObject(&mainWindow), main_(mainWindow), notifications_(notifications) {
    if (!notifications_) return;
    connect(notifications_, &platform::DesktopNotifications::actionInvoked, this, [this](const QString& key) {
        if (key != QStringLiteral("default")) return;
        main_.showNormal();
        main_.raise();
        main_.activateWindow();
    });
    // The player is back in the game: the notice has done its work.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive && notifications_) notifications_->withdraw();
    });
}

void GameAlerts::tell(std::optional<foresight::Tell> news) {
    if (!news || QApplication::activeWindow()) return;
    QApplication::alert(&main_);
    if (!notifications_) return;
    const foresight::ReminderText& t = foresight::textOf(*news);
    notifications_->show({text(t.title),
                          text(t.body),
                          t.urgency == foresight::Urgency::Critical,
                          {QStringLiteral("default"), QStringLiteral("Voir Gribo")}});
}

}  // namespace gribo::windows
