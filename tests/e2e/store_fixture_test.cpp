// The scripts' store helper (tests/support/store_fixture.py) against the game's own
// hour stamp and QSettings: the baby it lays out is the store QSettings would write.

#include "support/store_fixture.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "state/hour_stamp.h"
#include "support/store_file.h"

namespace gribo::test {
namespace {

QString fixture(const QStringList& args) {
    QProcess p;
    p.start("/usr/bin/python3", QStringList{GRIBO_STORE_FIXTURE} + args);
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

int32_t stampNow() {
    const QDateTime t = QDateTime::currentDateTime();
    return hourStamp({t.date().year(), t.date().month(), t.date().day(), t.time().hour(), 0});
}

TEST(StoreFixture, TheScriptsHourStampIsTheGames) {
    const LocalDateTime hours[] = {
        {1, 1, 1, 0, 0}, {2006, 2, 28, 23, 0}, {2024, 3, 31, 23, 0}, {2026, 12, 7, 18, 0}, {9999, 12, 31, 23, 0},
    };
    for (const LocalDateTime& t : hours) {
        const QString at = QString::asprintf("%04d-%02d-%02d %02d", t.year, t.month, t.day, t.hour);
        EXPECT_EQ(fixture({"hour-stamp", at}).toInt(), hourStamp(t)) << at.toStdString();
    }
}

TEST(StoreFixture, ABabyIsTheStoreQSettingsWritesForItsValues) {
    struct Case {
        QStringList options;
        StoredBaby baby;  // fedStamp: hours before now
    };
    const Case cases[] = {
        {{}, {}},
        {{"--faim", "600", "--stade", "nourrissonpleure"}, {.faim = 600, .stade = "nourrissonpleure"}},
        {{"--faim", "250", "--caca", "3", "--cacafait", "Non", "--fed-hours-ago", "5"},
         {.faim = 250, .caca = 3, .cacafait = "Non", .fedStamp = 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        QTemporaryDir config, expected;
        const int32_t before = stampNow();
        const QString file = fixture(QStringList{"baby", config.path()} + c.options);
        const int32_t after = stampNow();
        EXPECT_EQ(file, storeFileUnder(config.path()));
        EXPECT_EQ(fixture({"path", config.path()}), file);

        // Fed this many hours before now (on either side of an hour's turn).
        StoredBaby baby = c.baby;
        const int32_t fed = QSettings(file, QSettings::IniFormat).value("datestats/datenourrit").toInt();
        EXPECT_TRUE(fed == before - c.baby.fedStamp || fed == after - c.baby.fedStamp) << fed;
        baby.fedStamp = fed;
        {
            QSettings qt(expected.filePath("Gribo.conf"), QSettings::IniFormat);
            for (const auto& [key, value] : storedValues(baby))
                qt.setValue(QString::fromStdString(pathOf(key)), QString::fromStdString(value));
        }
        QFile ours(file), theirs(expected.filePath("Gribo.conf"));
        ASSERT_TRUE(ours.open(QIODevice::ReadOnly));
        ASSERT_TRUE(theirs.open(QIODevice::ReadOnly));
        EXPECT_EQ(ours.readAll().toStdString(), theirs.readAll().toStdString());
    }
}

// The store's bytes for `values`, as QSettings writes them.
std::string qsettingsBytes(const std::vector<std::pair<Key, std::string>>& values) {
    QTemporaryDir dir;
    {
        QSettings qt(dir.filePath("Gribo.conf"), QSettings::IniFormat);
        for (const auto& [key, value] : values) {
            qt.setValue(QString::fromUtf8(pathOf(key).c_str()), QString::fromUtf8(value.c_str()));
        }
    }
    QFile f(dir.filePath("Gribo.conf"));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

TEST(StoreFixture, ABabyLaidAndFedAtGivenHoursIsTheStoreQSettingsWrites) {
    QTemporaryDir config;
    const QString file =
        fixture({"baby", config.path(), "--faim", "500", "--fed-at", "2024-06-10 09", "--laid-at", "2024-06-10 06:00"});
    std::vector<std::pair<Key, std::string>> values =
        storedValues({.faim = 500, .fedStamp = hourStamp({2024, 6, 10, 9, 0})});
    values.insert(values.end(),
                  {{Key::Annee, "2024"}, {Key::Mois, "6"}, {Key::Jour, "10"}, {Key::Heure, "6"}, {Key::Min, "0"}});
    QFile ours(file);
    ASSERT_TRUE(ours.open(QIODevice::ReadOnly));
    EXPECT_EQ(ours.readAll().toStdString(), qsettingsBytes(values));
}

}  // namespace
}  // namespace gribo::test
