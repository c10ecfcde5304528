#include "windows/game_alerts.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>

namespace gribo::windows {
namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

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
                          text(t.inGame.empty() ? t.body : t.inGame),
                          t.urgency == foresight::Urgency::Critical,
                          {QStringLiteral("default"), QStringLiteral("Voir Gribo")}});
}

}  // namespace gribo::windows
