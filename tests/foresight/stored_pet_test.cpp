#include "foresight/stored_pet.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace gribo::foresight {
namespace {

// The copy is the ten keys as stored, "année" with its accent, a missing key empty;
// taking it writes nothing.
TEST(StoredPet, IsTheTenStoredTextsAndTakingItWritesNothing) {
    test::MemoryStore store;
    store.values = {
        {{"datecreation", "jour"}, "31"},
        {{"datecreation", "mois"}, "1"},
        {{"datecreation", "année"}, "2006"},
        {{"datecreation", "heure"}, "22"},
        {{"datestats", "datenourrit"}, "17329462"},
        {{"stade", "stade"}, "nourrisson"},
        {{"stats", "faim"}, "-100"},
        {{"stats", "caca"}, "2"},
        {{"stats", "cacafait"}, "Non"},
        {{"datecreation", "annee"}, "1999"},
        {{"ailleurs", "faim"}, "9999"},
    };
    const StoredPet pet = StoredPet::readFrom(store);
    EXPECT_EQ(pet.texts, (std::array<std::string, kKeyCount>{"31", "1", "2006", "22", "", "17329462", "nourrisson",
                                                             "-100", "2", "Non"}));
    EXPECT_TRUE(store.log.empty());
}

}  // namespace
}  // namespace gribo::foresight
