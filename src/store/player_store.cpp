#include "store/player_store.h"

#include <QStandardPaths>

#include "state/store_location.h"

namespace gribo::store {

QString playerStoreFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
           QString::fromUtf8(kStoreUnderConfig.data(), static_cast<qsizetype>(kStoreUnderConfig.size()));
}

}  // namespace gribo::store
